// moteur.cpp -- fuzzes Sondeur's table engine: the input is the table, read
// from a memory stream.
#include <cstdio>
#include <string>

#include "fuzz/commun.h"
#include "sondeur/moteur.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  std::string copie(reinterpret_cast<const char *>(donnees), taille);
  std::FILE *table = flux_de(copie);
  moteur_principal(table);
  std::fclose(table);
  return 0;
}
