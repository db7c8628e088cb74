// listing.cpp -- fuzzes the extension filter of the folder listing: the
// input is the filter, applied to a small fixed tree made once, the listing
// thrown away.
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/commun.h"
#include "outils/fichiers.h"

namespace {

void fichier_vide(const std::string &chemin) {
  if (!ecrit_fichier(chemin, "", 0)) std::abort();
}

// The tree listed by every input, made at the first call.
const std::string &arbre() {
  static const std::string racine = [] {
    std::string r = dossier_de_travail() + "/arbre";
    if (mkdir(r.c_str(), 0700) != 0 || mkdir((r + "/Tables").c_str(), 0700) != 0 ||
        mkdir((r + "/Tables/Noms").c_str(), 0700) != 0)
      std::abort();
    for (const char *nom : {"/a.tbl", "/b.nam", "/c.txt", "/sans_extension", "/.cache", "/d.TBL",
                            "/e.tar.gz", "/Tables/f.tbl", "/Tables/g.txtp", "/Tables/Noms/h.nam"})
      fichier_vide(r + nom);
    return r;
  }();
  return racine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const std::string filtre(reinterpret_cast<const char *>(donnees), taille);
  listing_doss(arbre().c_str(), stdout, 1, filtre.c_str(), taille % 2);  // stdout: /dev/null
  return 0;
}
