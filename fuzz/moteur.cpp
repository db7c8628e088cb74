// moteur.cpp -- fuzzes Sondeur's table engine: the input is the table, read
// from a memory stream.
#include <cstdio>
#include <cstring>
#include <vector>

#include "fuzz/commun.h"
#include "sondeur/moteur.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  console_muette();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  std::vector<char> copie(donnees, donnees + taille);
  std::FILE *table = taille > 0 ? fmemopen(copie.data(), copie.size(), "r")
                                : std::fopen("/dev/null", "r");
  if (table == nullptr) return 0;
  moteur_principal(table);
  std::fclose(table);
  return 0;
}
