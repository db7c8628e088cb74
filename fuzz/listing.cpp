// listing.cpp -- fuzzes the extension filter of the folder listing: the
// input is the filter, applied to a small fixed tree made once, the listing
// thrown away.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "fuzz/commun.h"
#include "outils/fichiers.h"

namespace {

std::string arbre;
std::FILE *sortie = nullptr;

void fichier_vide(const std::string &chemin) {
  if (!ecrit_fichier(chemin, "", 0)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  console_muette();
  arbre = dossier_de_travail() + "/arbre";
  if (mkdir(arbre.c_str(), 0700) != 0 || mkdir((arbre + "/Tables").c_str(), 0700) != 0 ||
      mkdir((arbre + "/Tables/Noms").c_str(), 0700) != 0)
    std::abort();
  for (const char *nom : {"/a.tbl", "/b.nam", "/c.txt", "/sans_extension", "/.cache", "/d.TBL",
                          "/e.tar.gz", "/Tables/f.tbl", "/Tables/g.txtp", "/Tables/Noms/h.nam"})
    fichier_vide(arbre + nom);
  sortie = std::fopen("/dev/null", "w");
  if (sortie == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const std::string filtre(reinterpret_cast<const char *>(donnees), taille);
  listing_doss(arbre.c_str(), sortie, 1, filtre.c_str(), taille % 2);
  return 0;
}
