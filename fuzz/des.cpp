// des.cpp -- fuzzes the dice expressions. An expression beginning with '0' is
// asked at the keyboard instead, and one naming more than MAX_DES dice ends
// the program on purpose (the allocation check): both are skipped.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "fuzz/commun.h"
#include "jdr/des.h"
#include "outils/entier.h"

namespace {

// The number of dice that `expression` names, counted as interpret_des
// counts them (its copy keeps 254 characters; numbers saturate at 2^40).
long long nombre_de_des(const std::string &expression) {
  const std::string reste = expression.substr(0, TAILLE_TEXTE_DES - 1);
  constexpr long long plafond = 1LL << 40;
  long long total = 0;
  for (const char *p = reste.c_str(); *p != '\0';) {
    long long nombre = 0;
    for (; est_chiffre(*p); ++p) nombre = std::min(plafond, nombre * 10 + (*p - '0'));
    if (*p == 'd' && est_chiffre(p[1])) {
      for (++p; est_chiffre(*p); ++p) {
      }
      total += nombre;
    }
    while (*p != '\0' && !est_chiffre(*p)) ++p;
  }
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const std::string expression(reinterpret_cast<const char *>(donnees), taille);
  if (expression.c_str()[0] == '0') return 0;
  if (nombre_de_des(expression) > MAX_DES) return 0;
  char *texte = static_cast<char *>(std::malloc(TAILLE_TEXTE_DES));
  int *table = interpret_des(expression.c_str(), texte);
  std::free(table);
  std::free(texte);
  return 0;
}
