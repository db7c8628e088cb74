// main.cpp -- uninstaller: removes an installation of the suite. Started
// from the installation folder, it deletes the registry keys listed in
// Utilitaires\Uninstall.ini, reads the installation path back from the
// registry value Chemin, removes that folder, the suite's key and its
// start-menu folder, all through the command interpreter. It asks nothing.
// Without a path read from the registry, or with a drive's root for one,
// nothing at all is removed from the disk.
#include <unistd.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "jdr/jdr.h"
#include "outils/outils.h"
#include "uninstaller/lecture.h"

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

// Prints "cle: " and the reason, for a line that is not used.
void refuse(const char *quoi, const char *raison) {
  std::printf("%s: ", quoi);
  putsacc(raison);
}

// Deletes the keys of the list, in its order, from line 2 on (see lit_cle).
// "HKEY_CLASSES_ROOT\.tbl" runs "reg delete \"HKEY_CLASSES_ROOT\.tbl\" /f".
void supprime_les_cles(std::FILE *liste) {
  char ligne[TAILLE_LIGNE];
  if (std::fgets(ligne, sizeof ligne, liste) == nullptr) return;  // line 1: free text
  if (!coupe_fin_de_ligne(ligne) && !std::feof(liste)) fpurge(liste);
  for (Cle lue = lit_cle(liste, ligne); lue != Cle::fin; lue = lit_cle(liste, ligne)) {
    char commande[TAILLE_COMMANDE];
    const int n = std::snprintf(commande, sizeof commande, "reg delete \"%s\" /f", ligne);
    if (lue == Cle::trop_longue || n < 0 || n >= static_cast<int>(sizeof commande)) {
      refuse(ligne, "clé trop longue, elle n'a pas été supprimée.\n");
      continue;
    }
    std::fflush(stdout);
    std::system(commande);
    std::printf("Le fichier %s a %s du registre\n", ligne, acc("été supprimé", chfunc));
  }
}

// Removes the installation folder `chemin` (its final '\' already dropped)
// from its parent folder, so that no process of ours stands in it. Says why
// when the path is refused. Returns whether the removal was run.
bool supprime_le_dossier(const char *chemin) {
  if (chemin[0] == '\0') {
    putsacc("Aucun chemin d'installation n'a été lu dans le registre: aucun dossier n'est supprimé.\n");
    return false;
  }
  if (chemin_dangereux(chemin)) {
    std::printf("%s: ", chemin);
    putsacc("ce chemin est la racine d'un disque, il n'est pas supprimé.\n");
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
  return true;
}

// Removes what `rmdir` had to leave of the folder `chemin` once this
// program has ended: Windows never deletes a running program's file, nor
// the folders holding it. A detached command interpreter, started from the
// folder's parent, tries again after about one second and after four (ping
// is the interpreter's only way to wait; Wine's breaks the block of a "for"
// loop, so the tries are written out).
void acheve_apres_la_fin(const char *chemin) {
  if (GetFileAttributesA(chemin) == INVALID_FILE_ATTRIBUTES) return;  // all gone already
  const std::string essai = std::string(" & rmdir /s /q \"") + chemin + "\" >nul 2>&1";
  std::string commande = "cmd.exe /c ping -n 2 127.0.0.1 >nul" + essai +
                         " & ping -n 4 127.0.0.1 >nul" + essai;
  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;  // no handle of ours: it outlives us
  PROCESS_INFORMATION processus{};
  if (CreateProcessA(nullptr, commande.data(), nullptr, nullptr, FALSE,
                     DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &demarrage,
                     &processus)) {
    CloseHandle(processus.hThread);
    CloseHandle(processus.hProcess);
  }
}

}  // namespace

int main(int argc, char **argv) {
  init_historique_saisie();
  color_va(CLE_DE_COULEUR, chfunc, argv);
  Titre(argc, argv, "Désinstallation de Vallorim", "Programme de désinstallation de Vallorim",
        chfunc);

  std::FILE *liste = ouvre_fichier(LISTE_DES_CLES, "r");
  supprime_les_cles(liste);

  std::puts("Lecture du chemin du programme");
  std::fflush(stdout);
  std::system(LECTURE_DU_CHEMIN);
  std::FILE *reponse = ouvre_fichier(SORTIE_DE_REG, "r");
  char chemin[TAILLE_LIGNE];  // the stored path: 240 characters fit the rmdir command
  lit_chemin(reponse, chemin);
  std::fclose(reponse);
  std::fclose(liste);
  const std::size_t longueur = std::strlen(chemin);
  if (longueur > 0 && chemin[longueur - 1] == '\\') chemin[longueur - 1] = '\0';
  invers_acc(chemin, chemin);  // reg writes in the console's code page

  const bool supprime = supprime_le_dossier(chemin);
  std::fflush(stdout);
  std::system("reg delete HKLM\\Software\\Vallorim_light /f");
  if (supprime) {
    std::fflush(stdout);
    std::system(MENU_DEMARRER);
    putsacc("Le programme Vallorim à été entièrement désinstallé\n");
  } else {
    putsacc("La désinstallation n'est pas complète.\n");
  }
  Pause();
  if (supprime) acheve_apres_la_fin(chemin);
  return 0;
}
