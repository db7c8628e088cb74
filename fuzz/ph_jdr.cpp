// ph_jdr.cpp -- fuzzes the random entry of a numbered file: the input is the
// file, written to the scratch folder.
#include "fuzz/commun.h"
#include "jdr/des.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const std::string chemin = dossier_de_travail() + "/entrees.txt";
  if (!ecrit_fichier(chemin, donnees, taille)) return 0;
  Ph_jdr(chemin.c_str());
  return 0;
}
