// bench_moteur.cpp -- checks one table file with the engine of Sondeur, or
// looks for its warnings, and tells how long that took and the process's
// peak memory.
// Usage: bench_moteur [--avertissements] FICHIER
// Prints the engine's own report, if any, then one line:
// "resultat=R secondes=S memoire_kio=M"; with --avertissements R is the
// number of warnings, which are not printed.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include <cstring>

#include "sondeur/avertissements.h"
#include "sondeur/moteur.h"

int main(int argc, char **argv) {
  const bool avertissements = argc == 3 && std::strcmp(argv[1], "--avertissements") == 0;
  if (argc != 2 && !avertissements) {
    std::fprintf(stderr, "usage: %s [--avertissements] FICHIER\n", argv[0]);
    return 2;
  }
  const char *nom = argv[argc - 1];
  std::FILE *table = std::fopen(nom, "rb");
  if (table == nullptr) {
    std::perror(nom);
    return 1;
  }
  const auto debut = std::chrono::steady_clock::now();
  const int resultat = avertissements ? cherche_avertissements(table, [](long, const char *) {})
                                      : moteur_principal(table);
  const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
  std::fclose(table);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("resultat=%d secondes=%.3f memoire_kio=%ld\n", resultat, duree.count(), usage.ru_maxrss);
  return 0;
}
