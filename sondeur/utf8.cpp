// utf8.cpp -- following UTF-8 sequences (utf8.h).
#include "sondeur/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

// The bytes that may begin a sequence of two bytes or more: how many bytes
// follow, and the range of the first of them (the others lie in 0x80-0xBF).
struct Tete {
  unsigned char premier, dernier;
  int suite;
  unsigned char bas, haut;
};
constexpr Tete TETES[] = {
    {0xC2, 0xDF, 1, 0x80, 0xBF}, {0xE0, 0xE0, 2, 0xA0, 0xBF}, {0xE1, 0xEC, 2, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x80, 0x9F}, {0xEE, 0xEF, 2, 0x80, 0xBF}, {0xF0, 0xF0, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x80, 0xBF}, {0xF4, 0xF4, 3, 0x80, 0x8F},
};

}  // namespace

// ASCII goes by eight bytes at a time.
void SuiviUtf8::examine(const unsigned char *octets, std::size_t n) {
  std::size_t i = 0;
  while (i < n && !invalide_) {
    if (suite_ > 0) {
      const unsigned char c = octets[i++];
      invalide_ = c < bas_ || c > haut_;
      bas_ = 0x80;
      haut_ = 0xBF;
      if (--suite_ == 0) multi_octets_ = true;
      continue;
    }
    for (std::uint64_t mot; i + 8 <= n; i += 8) {
      std::memcpy(&mot, octets + i, 8);
      if (mot & 0x8080808080808080u) break;
    }
    while (i < n && octets[i] < 0x80) ++i;
    if (i == n) return;
    const unsigned char c = octets[i++];
    const Tete *t = std::find_if(std::begin(TETES), std::end(TETES),
                                 [c](const Tete &t) { return c >= t.premier && c <= t.dernier; });
    if (t == std::end(TETES)) {
      invalide_ = true;
      return;
    }
    suite_ = t->suite;
    bas_ = t->bas;
    haut_ = t->haut;
  }
}

bool est_utf8(std::string_view texte) {
  SuiviUtf8 suivi;
  suivi.examine(reinterpret_cast<const unsigned char *>(texte.data()), texte.size());
  return !suivi.invalide() && !suivi.coupe();
}
