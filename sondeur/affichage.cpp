// affichage.cpp -- the text of the batch reports (affichage.h).
#include "sondeur/affichage.h"

#include <cstdio>
#include <cstring>

#include "sondeur/utf8.h"

namespace {

// The ISO 8859-1 letter `c` (0x80 to 0xFF) in UTF-8: two bytes.
void ajoute_latin1_en_utf8(std::string &sortie, unsigned char c) {
  sortie += static_cast<char>(0xC0 | (c >> 6));
  sortie += static_cast<char>(0x80 | (c & 0x3F));
}

// A control character: below 0x20 but the tab, 0x7F, and U+0080 to U+009F.
bool controle(unsigned point) {
  return (point < 0x20 && point != '\t') || (point >= 0x7F && point <= 0x9F);
}

void echappe(std::string &sortie, unsigned point) {
  if (point == '\n') {
    sortie += "\\n";
  } else if (point == '\r') {
    sortie += "\\r";
  } else {
    char code[5];  // "\x9b" and the NUL
    std::snprintf(code, sizeof code, "\\x%02x", point & 0xFF);
    sortie += code;
  }
}

// A backslash that the reader could take for the start of an escape.
bool barre_ambigue(std::string_view t, std::size_t i) {
  return t[i] == '\\' && i + 1 < t.size() && std::strchr("nrtx\\", t[i + 1]) != nullptr &&
         t[i + 1] != '\0';
}

// On Windows a backslash in a path is its separator, which no control
// character of a name can follow: it is never doubled there.
#ifdef _WIN32
constexpr bool BARRE_SEPARATEUR = true;
#else
constexpr bool BARRE_SEPARATEUR = false;
#endif

// Appends the ASCII byte t[i], escaped when it must be; `chemin` for a
// path's byte.
void ajoute_ascii(std::string &sortie, std::string_view t, std::size_t i, bool chemin = false) {
  const unsigned char c = static_cast<unsigned char>(t[i]);
  if (controle(c))
    echappe(sortie, c);
  else if (barre_ambigue(t, i) && !(chemin && BARRE_SEPARATEUR))
    sortie += "\\\\";
  else
    sortie += static_cast<char>(c);
}

// Whether the byte `c` of a text goes out as it is: printable ASCII but
// the backslash, or a byte of a sequence of valid UTF-8 (whose C1 controls
// are told apart by their lead byte).
bool tel_quel(unsigned char c) {
  return (c >= 0x20 && c < 0x7F && c != '\\') || (c >= 0x80 && c != 0xC2);
}

// Appends valid UTF-8 `t`, its control characters escaped. Runs of bytes
// that go out as they are go out whole.
void ajoute_utf8(std::string &sortie, std::string_view t, bool chemin = false) {
  for (std::size_t i = 0; i < t.size();) {
    std::size_t j = i;
    while (j < t.size() && tel_quel(static_cast<unsigned char>(t[j]))) ++j;
    sortie.append(t.data() + i, j - i);
    if (j == t.size()) break;
    const unsigned char c = static_cast<unsigned char>(t[j]);
    if (c < 0x80) {
      ajoute_ascii(sortie, t, j, chemin);
      i = j + 1;
      continue;
    }
    const unsigned suite = static_cast<unsigned char>(t[j + 1]);  // 0xC2 leads two bytes
    if (controle(suite))                                          // U+0080 to U+009F
      echappe(sortie, suite);
    else
      sortie.append(t.data() + j, 2);
    i = j + 2;
  }
}

// Appends ISO 8859-1 `t` in UTF-8, its control characters escaped.
void ajoute_latin1(std::string &sortie, std::string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    std::size_t j = i;
    while (j < t.size() && static_cast<unsigned char>(t[j]) >= 0x20 &&
           static_cast<unsigned char>(t[j]) < 0x7F && t[j] != '\\')
      ++j;
    sortie.append(t.data() + i, j - i);
    if (j == t.size()) break;
    const unsigned char c = static_cast<unsigned char>(t[j]);
    if (c >= 0xA0) {
      ajoute_latin1_en_utf8(sortie, c);
    } else if (c >= 0x80) {
      echappe(sortie, c);
    } else {
      ajoute_ascii(sortie, t, j);
    }
    i = j + 1;
  }
}

}  // namespace

std::string en_utf8(std::string_view texte) {
  if (est_utf8(texte)) return std::string(texte);
  std::string sortie;
  sortie.reserve(texte.size() * 2);
  for (const char octet : texte) {
    const unsigned char c = static_cast<unsigned char>(octet);
    if (c < 0x80) {
      sortie += octet;
    } else {
      ajoute_latin1_en_utf8(sortie, c);
    }
  }
  return sortie;
}

void ajoute_affichable(std::string &sortie, std::string_view texte) {
  if (est_utf8(texte))
    ajoute_utf8(sortie, texte);
  else
    ajoute_latin1(sortie, texte);
}

std::string affichable(std::string_view texte) {
  std::string sortie;
  sortie.reserve(texte.size() + 8);
  ajoute_affichable(sortie, texte);
  return sortie;
}

void ajoute_chemin(std::string &sortie, std::string_view chemin) {
  if (est_utf8(chemin)) return ajoute_utf8(sortie, chemin, true);
  for (std::size_t i = 0; i < chemin.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(chemin[i]);
#ifdef _WIN32
    const bool lettre = c >= 0x80;  // every byte past ASCII is a letter of the code page
#else
    const bool lettre = c >= 0xA0;  // 0x80 to 0x9F are the C1 controls of Latin-1
#endif
    if (lettre)
      sortie += static_cast<char>(c);
    else if (c >= 0x80)
      echappe(sortie, c);
    else
      ajoute_ascii(sortie, chemin, i, true);
  }
}

#ifndef _WIN32
// Linux terminals read UTF-8.
void ajoute_texte(std::string &sortie, std::string_view texte) { ajoute_affichable(sortie, texte); }

std::string pour_la_sortie(const std::string &utf8) { return utf8; }
void ecrit_sur_la_sortie(const std::string &utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}
bool sortie_en_utf8() { return true; }
#endif
