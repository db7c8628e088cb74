// entier.h -- decimal numbers in text: the digit test, atoi's white space,
// and the number at the start of a text as atoi reads it but held to the
// range of an int, where atoi itself is undefined. Not in the umbrella
// header: the libraries and Sondeur include it where they read numbers.
#ifndef OUTILS_ENTIER_H
#define OUTILS_ENTIER_H

#include <string_view>

// Whether `c` is one of the ten decimal digits, whatever the locale and the
// sign of char (isdigit is undefined for the negative chars of Latin-1).
constexpr bool est_chiffre(char c) { return c >= '0' && c <= '9'; }

// White space as atoi skips it: ' ', '\t', '\n', '\v', '\f', '\r'.
constexpr bool est_espace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Spaces skipped, an optional sign, the digits up to the first other
// character; no digit gives 0. " -12ab" gives -12, "99999999999" INT_MAX.
int entier_de(std::string_view texte);
int entier_de(const char *texte);

#endif
