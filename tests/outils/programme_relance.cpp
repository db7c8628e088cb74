// programme_relance.cpp -- a program of the suite reduced to its opening, for
// the relaunch tests: it calls Titre as every program does, then appends to
// the file named by RELANCE_ARGUMENTS where it runs and what it received, one
// line each: its current folder, its argv[0] after Titre, then each argument.
// RELANCE_TITRE and RELANCE_COULEUR replace its window title and colour code;
// RELANCE_SOMMEIL keeps it alive that many seconds afterwards.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "outils/titre.h"

int main(int argc, char **argv) {
  const char *titre = std::getenv("RELANCE_TITRE");
  const char *couleur = std::getenv("RELANCE_COULEUR");
  Titre(argc, argv, titre != nullptr ? titre : "Testeur de tables aléatoires",
        "Programme de test de tables aléatoires", couleur != nullptr ? couleur : "F8");
  std::fflush(stdout);

  const char *nom = std::getenv("RELANCE_ARGUMENTS");
  if (nom == nullptr) return 2;
  std::FILE *trace = std::fopen(nom, "ab");
  if (trace == nullptr) return 3;
  std::fprintf(trace, "%s\n", std::filesystem::current_path().c_str());
  for (int i = 0; i < argc; ++i) std::fprintf(trace, "%s\n", argv[i]);
  std::fclose(trace);

  if (const char *sommeil = std::getenv("RELANCE_SOMMEIL")) sleep(std::atoi(sommeil));
  return 0;
}
