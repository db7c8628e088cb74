// affichage.cpp -- the text of the batch reports (affichage.h).
#include "sondeur/affichage.h"

#include <cstdio>
#include <cstring>

#include "sondeur/utf8.h"

namespace {

// A control character: below 0x20 but the tab, 0x7F, and U+0080 to U+009F.
bool controle(unsigned point) { return (point < 0x20 && point != '\t') || (point >= 0x7F && point <= 0x9F); }

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
  return t[i] == '\\' && i + 1 < t.size() && std::strchr("nrtx\\", t[i + 1]) != nullptr && t[i + 1] != '\0';
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

// The bytes of the sequence led by `tete` in valid UTF-8.
std::size_t longueur_utf8(unsigned char tete) { return tete < 0xE0 ? 2 : tete < 0xF0 ? 3 : 4; }

// Appends valid UTF-8 `t`, its control characters escaped.
void ajoute_utf8(std::string &sortie, std::string_view t, bool chemin = false) {
  for (std::size_t i = 0; i < t.size();) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c < 0x80) {
      ajoute_ascii(sortie, t, i++, chemin);
      continue;
    }
    const std::size_t n = longueur_utf8(c);
    const unsigned suite = static_cast<unsigned char>(t[i + 1]);
    if (c == 0xC2 && controle(suite))  // U+0080 to U+009F
      echappe(sortie, suite);
    else
      sortie.append(t.substr(i, n));
    i += n;
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
      sortie += static_cast<char>(0xC0 | (c >> 6));
      sortie += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return sortie;
}

std::string affichable(std::string_view texte) {
  std::string sortie;
  sortie.reserve(texte.size() + 8);
  ajoute_utf8(sortie, est_utf8(texte) ? texte : en_utf8(texte));
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
void ajoute_texte(std::string &sortie, std::string_view texte) {
  ajoute_utf8(sortie, est_utf8(texte) ? texte : en_utf8(texte));
}
#endif
