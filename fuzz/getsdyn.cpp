// getsdyn.cpp -- fuzzes the line reader of any length on a memory stream: the
// first byte is the end character, the rest the stream, read to its end.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/commun.h"
#include "outils/clavier.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  if (taille == 0) return 0;
  const char fin = static_cast<char>(donnees[0]);
  std::string flux(reinterpret_cast<const char *>(donnees) + 1, taille - 1);
  std::FILE *f = flux_de(flux);
  char *table[1] = {nullptr};
  std::free(tabch_dyn(table, 0, f, fin));
  // Each call consumes one character at least while the stream lasts.
  for (std::size_t i = 0; i <= flux.size() && !std::feof(f); ++i)
    std::free(getsdyn(nullptr, f, fin));
  std::fclose(f);
  return 0;
}
