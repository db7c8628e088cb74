// feuille.cpp -- fuzzes the txtp sheet reader: the input is the sheet, written
// to a file of the scratch folder.
#include <cstdio>
#include <cstring>

#include "fuzz/commun.h"
#include "jdr/feuille.h"

namespace {
feuille_perso fiche;  // large: off the stack
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const std::string chemin = dossier_de_travail() + "/fiche.txtp";
  if (!ecrit_fichier(chemin, donnees, taille)) return 0;
  char nom[4096];
  std::snprintf(nom, sizeof nom, "%s", chemin.c_str());
  std::memset(&fiche, 0, sizeof fiche);
  scan_feuille_perso(nom, &fiche);
  return 0;
}
