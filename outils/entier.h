// entier.h -- decimal numbers in text: the digit test, and the number at the
// start of a text as atoi reads it but held to the range of an int, where
// atoi itself is undefined. An internal header of the libraries, which the
// umbrella header leaves out.
#ifndef OUTILS_ENTIER_H
#define OUTILS_ENTIER_H

// Whether `c` is one of the ten decimal digits, whatever the locale and the
// sign of char (isdigit is undefined for the negative chars of Latin-1).
constexpr bool est_chiffre(char c) { return c >= '0' && c <= '9'; }

// Spaces skipped, an optional sign, the digits up to the first other
// character; no digit gives 0. " -12ab" gives -12, "99999999999" INT_MAX.
int entier_de(const char *texte);

#endif
