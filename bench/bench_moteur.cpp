// bench_moteur.cpp -- checks one table file with the engine of Sondeur, or
// checks it whole as the batch mode does, and tells how long that took and
// the process's peak memory.
// Usage: bench_moteur [--entier] FICHIER
// Prints the engine's own report, if any, then one line:
// "resultat=R secondes=S memoire_kio=M"; with --entier R is the number of
// findings, which are not printed.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include <cstring>

#include "sondeur/moteur.h"
#include "sondeur/verification.h"

namespace {

// The findings of the whole check, counted.
class Compte final : public SortieConstats {
 public:
  void constat(const Constat &) override { ++nombre; }
  void erreurs_cachees(long n) override { nombre += n; }
  long nombre = 0;
};

long verifie_entier(std::FILE *table) {
  Compte compte;
  Verification verification(compte);
  SourceFlux source(table);
  verification.verifie(source);
  return compte.nombre;
}

}  // namespace

int main(int argc, char **argv) {
  const bool entier = argc == 3 && std::strcmp(argv[1], "--entier") == 0;
  if (argc != 2 && !entier) {
    std::fprintf(stderr, "usage: %s [--entier] FICHIER\n", argv[0]);
    return 2;
  }
  const char *nom = argv[argc - 1];
  std::FILE *table = std::fopen(nom, "rb");
  if (table == nullptr) {
    std::perror(nom);
    return 1;
  }
  const auto debut = std::chrono::steady_clock::now();
  const long resultat = entier ? verifie_entier(table) : moteur_principal(table);
  const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
  std::fclose(table);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("resultat=%ld secondes=%.3f memoire_kio=%ld\n", resultat, duree.count(),
              usage.ru_maxrss);
  return 0;
}
