// calcul.cpp -- fuzzes the calculator with an expression given as text (a
// non-empty one: the empty text asks at the keyboard).
#include <string>

#include "fuzz/commun.h"
#include "outils/calcul.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const std::string expression(reinterpret_cast<const char *>(donnees), taille);
  if (expression.c_str()[0] == '\0') return 0;
  interpret_calc(expression.c_str(), 0);
  return 0;
}
