// entier.cpp -- a number read as atoi reads it, within an int (entier.h).
#include "outils/entier.h"

#include <climits>
#include <cstdlib>

int entier_de(const char *texte) {
  const long valeur = std::strtol(texte, nullptr, 10);  // long is 32 bits on Windows
  if (valeur > INT_MAX) return INT_MAX;
  if (valeur < INT_MIN) return INT_MIN;
  return static_cast<int>(valeur);
}
