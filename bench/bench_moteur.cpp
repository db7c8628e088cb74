// bench_moteur.cpp -- checks one table file with the engine of Sondeur and
// tells how long the check took and the process's peak memory.
// Usage: bench_moteur FICHIER
// Prints the engine's own report, if any, then one line:
// "resultat=R secondes=S memoire_kio=M".
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "sondeur/moteur.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FICHIER\n", argv[0]);
    return 2;
  }
  std::FILE *table = std::fopen(argv[1], "rb");
  if (table == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const auto debut = std::chrono::steady_clock::now();
  const int resultat = moteur_principal(table);
  const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
  std::fclose(table);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("resultat=%d secondes=%.3f memoire_kio=%ld\n", resultat, duree.count(), usage.ru_maxrss);
  return 0;
}
