// main.cpp -- uninstaller: removes an installation of the suite. Started
// from the installation folder, it deletes the registry keys listed in
// Utilitaires\Uninstall.ini, reads the installation path back from the
// registry value Chemin, removes that folder, the suite's key and its
// start-menu folder, all through the command interpreter. It asks nothing.
// Only the suite's own keys are deleted, and a folder is removed only when
// its path has the shape of an installation and it holds the suite's key
// list; otherwise nothing leaves the disk, the suite's key and start-menu
// folder stay for a later run, and the program ends with status 1.
#include <unistd.h>
#include <windows.h>  // GetFileAttributesA

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "jdr/jdr.h"
#include "outils/outils.h"
#include "uninstaller/lecture.h"
#include "uninstaller/suppression.h"

namespace {

constexpr const char *CLE_DE_COULEUR = "Desinstallation de Vallorim";
constexpr const char *LISTE_DES_CLES = ".\\Utilitaires\\Uninstall.ini";
constexpr const char *LECTURE_DU_CHEMIN =
    "reg query HKLM\\Software\\Vallorim_light /v Chemin > temp.tmp";
constexpr const char *SORTIE_DE_REG = "temp.tmp";
constexpr const char *MENU_DEMARRER =
    "rmdir /s /q \"C:\\Documents and Settings\\All Users\\Menu Démarrer\\Programmes\\Vallorim light\"";

// "reg delete \"%s\" /f" with a key of at most 238 characters, and
// "rmdir /s /q \"%s\"" with a path of at most 240.
constexpr int TAILLE_COMMANDE = 255;

// Prints "what: " and the reason, both converted for the console, for a
// key or a path that is not used.
void refuse(const char *quoi, const char *raison) {
  std::printf("%s: ", acc(quoi, chfunc));
  putsacc(raison);
}

// Deletes the keys of the list, in its order, from line 2 on (see lit_cle);
// a line that is not one of the suite's keys is told and left alone.
// "HKEY_CLASSES_ROOT\.tbl" runs "reg delete \"HKEY_CLASSES_ROOT\.tbl\" /f".
void supprime_les_cles(std::FILE *liste) {
  char ligne[TAILLE_LIGNE];
  if (lit_cle(liste, ligne) == Cle::fin && std::feof(liste)) return;  // line 1: free text
  for (Cle lue = lit_cle(liste, ligne); lue != Cle::fin; lue = lit_cle(liste, ligne)) {
    char commande[TAILLE_COMMANDE];
    const int n = std::snprintf(commande, sizeof commande, "reg delete \"%s\" /f", ligne);
    if (lue == Cle::trop_longue || n < 0 || n >= static_cast<int>(sizeof commande)) {
      refuse(ligne, "clé trop longue, elle n'a pas été supprimée.\n");
      continue;
    }
    if (lue == Cle::avec_nul || !cle_de_la_suite(ligne)) {
      refuse(ligne, "ce n'est pas une clé de Vallorim, elle n'a pas été supprimée.\n");
      continue;
    }
    std::fflush(stdout);
    std::system(commande);
    std::printf("Le fichier %s a %s du registre\n", ligne, acc("été supprimé", chfunc));
  }
}

// Removes the installation folder `chemin` (its final '\' already dropped)
// from its parent folder, so that no process of ours stands in it, once its
// path and its content show it is an installation of the suite. Says why
// when it is refused or not removed. Returns whether it was removed: nothing
// is left in it but the running program's own file, which goes after its
// end (acheve_apres_la_fin).
bool supprime_le_dossier(const char *chemin) {
  if (chemin[0] == '\0') {
    putsacc("Aucun chemin d'installation n'a été lu dans le registre: aucun dossier n'est supprimé.\n");
    return false;
  }
  if (const char *raison = refus_du_chemin(chemin)) {
    refuse(chemin, raison);
    return false;
  }
  if (!tient_la_suite(chemin)) {
    refuse(chemin, "ce dossier ne contient pas Utilitaires\\Uninstall.ini, ce n'est pas une"
                   " installation de Vallorim: il n'est pas supprimé.\n");
    return false;
  }
  char commande[TAILLE_COMMANDE];
  const int n = std::snprintf(commande, sizeof commande, "rmdir /s /q \"%s\"", chemin);
  if (n < 0 || n >= static_cast<int>(sizeof commande)) {
    refuse(chemin, "chemin trop long, ce dossier n'est pas supprimé.\n");
    return false;
  }
  std::puts("Suppression du dossier du programme");
  char parent[TAILLE_LIGNE];  // the path cut at its last '\': shorter than it
  std::snprintf(parent, sizeof parent, "%s", chemin);
  if (char *separateur = std::strrchr(parent, '\\')) {
    if (separateur == parent + 2 && parent[1] == ':') ++separateur;  // "C:\Jeux" leaves "C:\"
    *separateur = '\0';
    if (chdir(parent) != 0) std::perror(parent);
  }
  std::fflush(stdout);
  std::system(commande);
  if (!vide_sauf_le_programme(chemin)) {
    refuse(chemin, "ce dossier n'a pas pu être entièrement supprimé.\n");
    return false;
  }
  return true;
}

// The path stored by the installer, from reg's answer in a scratch file
// made afresh: a file left by an earlier run (even one that cannot be
// removed, which reg could not overwrite either) never answers for reg.
// Without an answer the path is empty. It comes back without its final
// '\', in the source set (reg writes in the console's code page).
void lit_le_chemin(char (&chemin)[TAILLE_LIGNE]) {
  chemin[0] = '\0';
  std::remove(SORTIE_DE_REG);
  if (GetFileAttributesA(SORTIE_DE_REG) != INVALID_FILE_ATTRIBUTES) return;
  std::fflush(stdout);
  std::system(LECTURE_DU_CHEMIN);
  if (std::FILE *reponse = std::fopen(SORTIE_DE_REG, "r")) {
    lit_chemin(reponse, chemin);
    std::fclose(reponse);
  }
  const std::size_t longueur = std::strlen(chemin);
  if (longueur > 0 && chemin[longueur - 1] == '\\') chemin[longueur - 1] = '\0';
  invers_acc(chemin, chemin);
}

}  // namespace

int main(int argc, char **argv) {
  init_historique_saisie();
  color_va(CLE_DE_COULEUR, chfunc, argv);
  Titre(argc, argv, "Désinstallation de Vallorim", "Programme de désinstallation de Vallorim",
        chfunc);

  std::FILE *liste = ouvre_fichier(LISTE_DES_CLES, "r");
  supprime_les_cles(liste);
  std::fclose(liste);

  std::puts("Lecture du chemin du programme");
  char chemin[TAILLE_LIGNE];  // the stored path: 240 characters fit the rmdir command
  lit_le_chemin(chemin);

  const bool supprime = supprime_le_dossier(chemin);
  if (supprime) {
    std::fflush(stdout);
    std::system("reg delete HKLM\\Software\\Vallorim_light /f");
    std::system(MENU_DEMARRER);
    putsacc("Le programme Vallorim à été entièrement désinstallé\n");
  } else {
    putsacc("La désinstallation n'est pas complète.\n");
  }
  Pause();
  if (supprime) acheve_apres_la_fin(chemin);
  return supprime ? 0 : 1;
}
