// nombre.h -- the numbers of a table line as the table's reading takes them,
// and how its expected numbers advance: atoi's reading (outils/entier.h) on
// a piece of a line that is no string, clamped to 32 bits. An internal
// header of Sondeur.
#ifndef SONDEUR_NOMBRE_H
#define SONDEUR_NOMBRE_H

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "outils/entier.h"

// Out of the range of a 32-bit int a number is clamped, where atoi itself is
// undefined, so that every build reads the same number.
inline std::int32_t borne(std::int64_t valeur) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(valeur, INT32_MIN, INT32_MAX));
}

// The run of digits leading `t`: its length, and its value in `valeur`
// (held just past the largest int when larger).
inline std::size_t chiffres(std::string_view t, std::int64_t &valeur) {
  std::size_t n = 0;
  valeur = 0;
  for (; n < t.size(); ++n) {
    const unsigned chiffre =
        static_cast<unsigned char>(t[n]) - unsigned{'0'};  // est_chiffre, and its value
    if (chiffre > 9) break;
    valeur = std::min(valeur * 10 + chiffre, std::int64_t{INT32_MAX} + 1);
  }
  return n;
}

// The number leading `t`, read as atoi does (outils/entier.h): white
// space, a sign, digits up to the first other character; no digit reads 0;
// clamped to an int. "  +12:x" -> 12.
inline std::int32_t lit_nombre(std::string_view t) { return entier_de(t); }

// Whether `ligne` is numbered as an entry: digits at its very start, a
// number above 0, then ':' or '-' ("7:Dragon", "8-9:Liche"; not "0:x",
// "7 nains" nor " 7:x"). The count of its digits, their value in `valeur`;
// 0 when it is not.
inline std::size_t numero_d_entree(std::string_view ligne, std::int64_t &valeur) {
  const std::size_t n = chiffres(ligne, valeur);
  if (n == 0 || valeur <= 0 || n == ligne.size() || (ligne[n] != ':' && ligne[n] != '-')) return 0;
  return n;
}

// One more than `valeur`; past the largest int it wraps to the smallest, as a
// 32-bit counter does, instead of overflowing. The result always differs
// from `valeur`, which the checks rely on to end.
inline std::int32_t suivant(std::int32_t valeur) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(valeur) + 1u);
}

#endif
