// couleurs.cpp -- fuzzes the colour settings lookup: the input is the key, a
// NUL byte, then the content of Couleurs.ini, which lies beside the program
// that argv[0] names.
#include <cstdlib>
#include <string>

#include "fuzz/commun.h"
#include "jdr/couleurs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  const auto [cle, contenu] = coupe_au_nul(donnees, taille);
  if (!ecrit_fichier(dossier_de_travail() + "/Couleurs.ini", contenu.data(), contenu.size()))
    return 0;
  std::string programme = dossier_de_travail() + "/programme";
  char *argv[] = {programme.data(), nullptr};
  char *resultat = static_cast<char *>(std::malloc(TAILLE_COULEUR));
  color_va(cle.c_str(), resultat, argv);
  std::free(resultat);
  return 0;
}
