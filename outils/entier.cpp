// entier.cpp -- a number read as atoi reads it, within an int (entier.h).
#include "outils/entier.h"

#include <algorithm>
#include <climits>
#include <cstdint>

int entier_de(std::string_view texte) {
  std::size_t i = 0;
  while (i < texte.size() && est_espace(texte[i])) ++i;
  const bool negatif = i < texte.size() && texte[i] == '-';
  if (i < texte.size() && (texte[i] == '-' || texte[i] == '+')) ++i;
  std::int64_t valeur = 0;  // held just past the largest int when larger
  for (; i < texte.size() && est_chiffre(texte[i]); ++i)
    valeur = std::min<std::int64_t>(valeur * 10 + (texte[i] - '0'), std::int64_t{INT_MAX} + 1);
  return static_cast<int>(std::clamp<std::int64_t>(negatif ? -valeur : valeur, INT_MIN, INT_MAX));
}

int entier_de(const char *texte) { return entier_de(std::string_view(texte)); }
