// chaines.cpp -- fuzzes the string search and cutting routines: the input is
// a line, a NUL byte, then a pattern. index_ch ends the program on purpose
// past 50 occurrences (and an empty pattern always gets there): such inputs
// only go through Efface_char and Efface_n.
#include <cstring>
#include <vector>

#include "fuzz/commun.h"
#include "outils/chaines.h"

namespace {

// Occurrences of `motif` in `chaine`, overlaps included, as index_ch counts.
int occurrences(const char *chaine, const char *motif) {
  int nombre = 0;
  for (const char *t = std::strstr(chaine, motif); t != nullptr && *t != '\0';
       t = std::strstr(t + 1, motif))
    ++nombre;
  return nombre;
}

// A heap copy of exactly the text and its NUL, so that any write past it shows.
std::vector<char> copie(const std::string &texte) {
  return std::vector<char>(texte.c_str(), texte.c_str() + std::strlen(texte.c_str()) + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const auto [ligne, motif] = coupe_au_nul(donnees, taille);
  if (ligne.size() >= TAILLE_INDEX_CH - 1) return 0;
  const char *m = motif.c_str();

  if (*m != '\0' && occurrences(ligne.c_str(), m) <= MAX_OCCURRENCES) {
    std::vector<char> c = copie(ligne);
    int positions[MAX_OCCURRENCES + 1];
    index_ch(c.data(), m, positions);
    index_ch_first(c.data(), m);
    index_ch_last(c.data(), m);
  }
  std::vector<char> efface = copie(ligne);
  Efface_char(efface.data(), m);
  std::vector<char> fin = copie(ligne);
  Efface_n(fin.data());
  return 0;
}
