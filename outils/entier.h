// entier.h -- decimal numbers in text: the digit test, atoi's white space,
// and the number at the start of a text as atoi reads it but held to the
// range of an int, where atoi itself is undefined. Not in the umbrella
// header: the libraries and Sondeur include it where they read numbers.
#ifndef OUTILS_ENTIER_H
#define OUTILS_ENTIER_H

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

// Whether `c` is one of the ten decimal digits, whatever the locale and the
// sign of char (isdigit is undefined for the negative chars of Latin-1).
constexpr bool est_chiffre(char c) { return c >= '0' && c <= '9'; }

// White space as atoi skips it: ' ', '\t', '\n', '\v', '\f', '\r'.
constexpr bool est_espace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Spaces skipped, an optional sign, the digits up to the first other
// character; no digit gives 0. " -12ab" gives -12, "99999999999" INT_MAX.
// Inline: the table checks read a number on most lines.
inline int entier_de(std::string_view texte) {
  std::size_t i = 0;
  while (i < texte.size() && est_espace(texte[i])) ++i;
  const bool negatif = i < texte.size() && texte[i] == '-';
  if (i < texte.size() && (texte[i] == '-' || texte[i] == '+')) ++i;
  std::int64_t valeur = 0;  // held just past the largest int when larger
  for (; i < texte.size(); ++i) {
    const unsigned chiffre =
        static_cast<unsigned char>(texte[i]) - unsigned{'0'};  // est_chiffre, and its value
    if (chiffre > 9) break;
    valeur = std::min<std::int64_t>(valeur * 10 + chiffre, std::int64_t{INT_MAX} + 1);
  }
  return static_cast<int>(std::clamp<std::int64_t>(negatif ? -valeur : valeur, INT_MIN, INT_MAX));
}
int entier_de(const char *texte);

#endif
