// main.cpp -- uninstaller: removes an installation of the suite. Started
// from the installation folder, it reads the installation path back from
// the registry value Chemin and checks it, then deletes the registry keys
// listed in Utilitaires\Uninstall.ini, empties that folder, removes the
// start-menu folder and the suite's key. It asks nothing.
// Nothing is deleted before the path has the shape of an installation and
// the folder holds the suite's key list; only the suite's own keys are
// deleted, and a key is told removed only when reg says so. What a later
// run needs (the suite's key, Couleurs.ini and the key list) goes last,
// once everything else is gone, so that a run that could not finish (a
// program of the suite still running) is finished by the next one. The
// status is 0 only when everything is gone.
#include <cstdio>
#include <cstring>

#include "jdr/jdr.h"
#include "outils/commande.h"
#include "outils/outils.h"
#include "uninstaller/lecture.h"
#include "uninstaller/suppression.h"

namespace {

constexpr const char *CLE_DE_COULEUR = "Desinstallation de Vallorim";
constexpr const char *LISTE_DES_CLES = ".\\Utilitaires\\Uninstall.ini";
constexpr const char *CLE_DE_LA_SUITE = "HKLM\\Software\\Vallorim_light";
constexpr const char *LECTURE_DU_CHEMIN =
    "reg query HKLM\\Software\\Vallorim_light /v Chemin > temp.tmp";
constexpr const char *SORTIE_DE_REG = "temp.tmp";
constexpr const char *MENU_DEMARRER =
    "C:\\Documents and Settings\\All Users\\Menu Démarrer\\Programmes\\Vallorim light";

// "reg delete \"%s\" /f" with a key of at most 238 characters, and
// "reg query \"%s\" >nul 2>&1" with one of at most 232.
constexpr int TAILLE_COMMANDE = 255;

// Prints "what: " and the reason, both converted for the console, for a
// key or a path that is not used.
void refuse(const char *quoi, const char *raison) {
  std::printf("%s: ", acc(quoi, chfunc));
  putsacc(raison);
}

// The colour code from Couleurs.ini into chfunc; without the file (an
// earlier run that removed it, a user's edit) the default code, and the run
// goes on.
void lit_la_couleur(char **argv) {
  if (std::FILE *fichier = std::fopen(FICHIER_DES_COULEURS, "r")) {
    std::fclose(fichier);
    color_va(CLE_DE_COULEUR, chfunc, argv);
  } else {
    std::snprintf(chfunc, sizeof chfunc, "%s", COULEUR_PAR_DEFAUT);
  }
}

// Deletes the key `cle` (in the form that reg takes) and tells it: removed
// when reg says so, already gone when reg no longer finds it, not removed
// otherwise. True when the key is no longer there.
bool supprime_la_cle(const char *cle) {
  char commande[TAILLE_COMMANDE];
  compose_commande(commande, sizeof commande, "reg delete \"%s\" /f", cle);  // checked to fit
  if (lance_systeme(commande) == 0) {
    std::printf("Le fichier %s a %s du registre\n", cle, acc("été supprimé", chfunc));
    return true;
  }
  if (compose_commande(commande, sizeof commande, "reg query \"%s\" >nul 2>&1", cle) &&
      lance_systeme(commande) == 1) {
    std::printf("Le fichier %s %s du registre\n", cle, acc("était déjà absent", chfunc));
    return true;
  }
  std::printf("Le fichier %s %s du registre\n", cle, acc("n'a pas pu être supprimé", chfunc));
  return false;
}

// Deletes the keys of the list, in its order, from line 2 on (see lit_cle);
// a line that is not one of the suite's keys is told and left alone.
// "HKEY_CLASSES_ROOT\.tbl" runs "reg delete \"HKEY_CLASSES_ROOT\.tbl\" /f".
// True when every key of the suite that it names is gone.
bool supprime_les_cles(std::FILE *liste) {
  char ligne[TAILLE_LIGNE];
  if (lit_cle(liste, ligne) == Cle::fin && std::feof(liste)) return true;  // line 1: free text
  bool toutes = true;
  for (Cle lue = lit_cle(liste, ligne); lue != Cle::fin; lue = lit_cle(liste, ligne)) {
    char commande[TAILLE_COMMANDE];
    if (lue == Cle::trop_longue ||
        !compose_commande(commande, sizeof commande, "reg delete \"%s\" /f", ligne)) {
      refuse(ligne, "clé trop longue, elle n'a pas été supprimée.\n");
      continue;
    }
    if (lue == Cle::avec_nul || !cle_de_la_suite(ligne)) {
      refuse(ligne, "ce n'est pas une clé de Vallorim, elle n'a pas été supprimée.\n");
      continue;
    }
    toutes = supprime_la_cle(ligne) && toutes;
  }
  return toutes;
}

// Whether anything may be removed at all: the folder `chemin` (the stored
// path less its final '\') has the shape of an installation and holds the
// suite's key list. Otherwise says why.
bool chemin_accepte(const char *chemin) {
  if (chemin[0] == '\0') {
    putsacc(
        "Aucun chemin d'installation n'a été lu dans le registre: aucun dossier n'est supprimé.\n");
    return false;
  }
  if (const char *raison = refus_du_chemin(chemin)) {
    refuse(chemin, raison);
    return false;
  }
  if (!tient_la_suite(chemin)) {
    refuse(chemin,
           "ce dossier ne contient pas Utilitaires\\Uninstall.ini, ce n'est pas une"
           " installation de Vallorim: il n'est pas supprimé.\n");
    return false;
  }
  return true;
}

// Empties the installation folder `chemin` from its parent folder, so that
// no process of ours stands in it, of all but this program's file and the
// files a later run needs. Says so when something is left (a running
// program, a link); returns whether nothing else is left.
bool vide_l_installation(const char *chemin) {
  std::puts("Suppression du dossier du programme");
  va_dans_le_parent(chemin);
  if (vide_le_dossier(chemin, {FICHIER_DES_COULEURS, FICHIER_TEMOIN})) return true;
  refuse(chemin, "ce dossier n'a pas pu être entièrement supprimé.\n");
  return false;
}

// Removes, once nothing else of the installation is left, the start-menu
// folder, the suite's key, Couleurs.ini, then the key list: a run that
// stops before the key list goes is finished by the next. True when all
// is gone but this program's file.
bool acheve(const char *chemin) {
  if (!supprime_le_dossier(MENU_DEMARRER)) {
    refuse(MENU_DEMARRER, "ce dossier n'a pas pu être entièrement supprimé.\n");
    return false;
  }
  if (!supprime_la_cle(CLE_DE_LA_SUITE)) return false;
  if (vide_le_dossier(chemin, {FICHIER_TEMOIN}) && supprime_le_dossier(chemin)) return true;
  refuse(chemin, "ce dossier n'a pas pu être entièrement supprimé.\n");
  return false;
}

// The path stored by the installer, from reg's answer in a scratch file
// made afresh: a file left by an earlier run (even one that cannot be
// removed, which reg could not overwrite either) never answers for reg.
// Without an answer the path is empty. It comes back without its final
// '\', in the source set (reg writes in the console's code page).
void lit_le_chemin(char (&chemin)[TAILLE_LIGNE]) {
  chemin[0] = '\0';
  std::remove(SORTIE_DE_REG);
  if (std::FILE *reste = std::fopen(SORTIE_DE_REG, "r")) {
    std::fclose(reste);
    return;
  }
  lance_systeme(LECTURE_DU_CHEMIN);
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
  lit_la_couleur(argv);
  Titre(argc, argv, "Désinstallation de Vallorim", "Programme de désinstallation de Vallorim",
        chfunc);

  std::FILE *liste = ouvre_fichier(LISTE_DES_CLES, "r");
  std::puts("Lecture du chemin du programme");
  char chemin[TAILLE_LIGNE];  // the stored path
  lit_le_chemin(chemin);

  const bool accepte = chemin_accepte(chemin);
  bool fini = accepte && supprime_les_cles(liste);
  std::fclose(liste);  // a file of the folder: closed before the folder is emptied
  if (accepte) {
    fini = vide_l_installation(chemin) && fini;
    fini = fini && acheve(chemin);
  }
  if (fini)
    putsacc("Le programme Vallorim à été entièrement désinstallé\n");
  else
    putsacc("La désinstallation n'est pas complète.\n");
  Pause();
  if (fini) acheve_apres_la_fin(chemin);
  return fini ? 0 : 1;
}
