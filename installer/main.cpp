// main.cpp -- installer: copies the suite's folder "Vallorim light (v5.3)"
// from the installation medium into a folder chosen by the user, records the
// installation path in the registry, registers the suite's five data-file
// types (opened by Notepad, and a "Vérifier la table" verb on random tables)
// and makes the start-menu and desktop shortcuts through Shortcut.exe.
// Everything is done by commands given to the command interpreter, each
// checked: the copy comes first and must hold the uninstaller before the
// registry names the folder; any failure is told, stops the installation
// and ends it with status 1.
#include <cstdio>
#include <cstring>

#include "medium/suite.h"
#include "outils/commande.h"
#include "outils/outils.h"
#include "outils/surete.h"

namespace {

// The installation path, the path without its final '\', the converted
// path and each command: 254 characters and the NUL. A folder whose path or
// commands would not fit is refused before anything is done.
constexpr int TAILLE_CHEMIN = 255;
constexpr int TAILLE_COMMANDE = 255;

constexpr const char *SOUS_DOSSIER = DOSSIER_VALLORIM "\\";
constexpr const char *BATCH = DOSSIER_VALLORIM "\\Utilitaires\\Pinolet.bat";
constexpr const char *RACCOURCI =
    "C:\\Documents and Settings\\All Users\\Menu Démarrer\\Programmes\\Vallorim light";

// The classes that get the table tester's verb, in this order.
constexpr const char *classes_verifiees[] = {CLASSE_SANS_EXTENSION, "tbl_auto_file"};

// What a copy must hold for the suite to be there and removable: the
// uninstaller and its key list, under the installation path.
constexpr const char *fichiers_de_la_suite[] = {"uninstaller.exe", "Utilitaires\\Uninstall.ini"};

// The commands that hold the path, composed once the folder is chosen.
struct Commandes {
  char chemin[TAILLE_COMMANDE];
  char verbe[2][TAILLE_COMMANDE];
  char copie[TAILLE_COMMANDE];
  char batch[TAILLE_COMMANDE];
};

// Completes the typed folder into the installation path, in place:
// "C:\Jeux" and "C:\Jeux\" both give "C:\Jeux\Vallorim light (v5.3)\".
// False when the path would not fit its buffer.
bool complete_chemin(char (&chemin)[TAILLE_CHEMIN]) {
  const std::size_t longueur = std::strlen(chemin);
  const char *separateur = (longueur > 0 && chemin[longueur - 1] == '\\') ? "" : "\\";
  char complet[TAILLE_CHEMIN];  // never cut: every command holds it
  if (!compose_commande(complet, sizeof complet, "%s%s%s", chemin, separateur, SOUS_DOSSIER))
    return false;
  std::memcpy(chemin, complet, sizeof complet);
  return true;
}

// Makes the typed folder ready, in place: one pair of surrounding quotes
// dropped (the file explorer copies a path with them), then the console's
// code page converted to the source set, once, for every command and the
// batch file to name the same folder. Returns why the folder cannot be
// taken (a message to print), or nullptr: it must start with a drive, pass
// through no "." or "..", and hold none of the characters that the command
// interpreter or a file name cannot take, which would also keep the
// uninstaller from removing it. "\"C:\Program Files\"" gives
// "C:\Program Files".
const char *prepare_dossier(char (&chemin)[TAILLE_CHEMIN]) {
  const std::size_t longueur = std::strlen(chemin);
  if (longueur >= 2 && chemin[0] == '"' && chemin[longueur - 1] == '"') {
    std::memmove(chemin, chemin + 1, longueur - 2);
    chemin[longueur - 2] = '\0';
  }
  invers_acc(chemin, chemin);  // never longer than what it converts
  if (!chemin_absolu(chemin))
    return "\nIndiquez un dossier complet, qui commence par sa lettre de lecteur (comme "
           "C:\\Jeux).\n";
  if (!sans_caractere_special(chemin) || std::strpbrk(chemin, "*?") != nullptr)
    return "\nUn dossier d'installation ne peut contenir ni \" % < > | * ? & ^ ni caractère de"
           " contrôle, choisissez-en un autre.\n";
  if (!sans_dossier_relatif(chemin))
    return "\nIndiquez le dossier sans passer par un dossier . ou .., choisissez-en un autre.\n";
  return nullptr;
}

// Every command that holds the path `chemin`; false when one of them would
// not fit. The verb quotes the program's path, so that a program planted in
// a parent folder ("C:\Jeux\Vallorim.exe") is never the one that runs.
bool compose_commandes(const char *chemin, Commandes &c) {
  bool tiennent =
      compose_commande(c.chemin, sizeof c.chemin,
                       "reg add HKLM\\Software\\Vallorim_light /f /v Chemin /t REG_SZ /d \"%s\\\"",
                       chemin) &&
      compose_commande(c.copie, sizeof c.copie,
                       "xcopy \"" DOSSIER_VALLORIM "\" \"%s\" /e /i /r /k /y", chemin) &&
      compose_commande(c.batch, sizeof c.batch, "copy /y \"%s\" \"%sUtilitaires\\Pinolet.bat\"",
                       BATCH, chemin);
  for (int i = 0; i < 2; ++i)
    tiennent = tiennent &&
               compose_commande(
                   c.verbe[i], sizeof c.verbe[i],
                   "reg add \"HKEY_CLASSES_ROOT\\%s\\shell\\Vérifier la table\\Command\" /ve /t "
                   "REG_SZ /d \"\"\"%sUtilitaires\\Sondeur\\Sondeur.exe\"\" \"\"%%1\"\"\" /f",
                   classes_verifiees[i], chemin);
  return tiennent;
}

// Runs one command, after what was printed before it; whether it succeeded.
// A command whose first word is a program of the system ("reg", "xcopy")
// takes it from the system's own folder.
bool lance(const char *commande) { return lance_systeme(commande) == 0; }

// Runs a command of the interpreter itself ("copy", "mkdir", "cd");
// whether it succeeded.
bool lance_interne(const char *commande) { return lance_commande(commande) == 0; }

// Asks for the folder until the user confirms one that can be taken and
// whose commands fit. False when the input ends before that.
bool choisit_le_dossier(char (&chemin)[TAILLE_CHEMIN], Commandes &commandes) {
  int reponse = 'N';
  while (reponse == 'N' || reponse == 'n') {
    putsacc("\nChoix du répertoire d'installation:\n?: ");
    std::fflush(stdout);
    chemin[0] = '\0';
    getsfix(chemin, TAILLE_CHEMIN);
    if (std::feof(stdin)) return false;
    if (const char *raison = prepare_dossier(chemin)) {
      putsacc(raison);
      continue;
    }
    if (!complete_chemin(chemin) || !compose_commandes(chemin, commandes)) {
      putsacc(
          "\nCe dossier est trop long pour y installer Vallorim, choisissez-en un plus court.\n");
      continue;
    }
    putsacc("\nRépertoire d'installation: ");
    char affiche[TAILLE_CHEMIN];  // the path in the console's code page: no longer
    std::puts(acc(chemin, affiche));
    putsacc("Confirmer le choix du répertoire (O/N): ");
    std::fflush(stdout);
    reponse = std::getchar();
    if (reponse == EOF || std::getchar() == EOF) return false;  // the line end goes too
  }
  return true;
}

// Writes the batch file that makes the start-menu shortcut, one line
// without line end: the shortcut, the target and icon under the path, the
// working folder without its final '\'.
void ecrit_batch(const char *chemin) {
  char dossier[TAILLE_CHEMIN];  // the path less its final '\'
  std::snprintf(dossier, sizeof dossier, "%s", chemin);
  dossier[std::strlen(dossier) - 1] = '\0';
  std::FILE *batch = ouvre_fichier(BATCH, "w");
  std::fprintf(batch, "Shortcut.exe /F:\"%s\\" DOSSIER_VALLORIM ".lnk\" /A:c /T:\"", RACCOURCI);
  std::fprintf(batch, "%sVallorim_" VERSION_VALLORIM ".exe\" /W:\"", chemin);
  std::fprintf(batch, "%s\" /I:\"", dossier);
  std::fprintf(batch, "%sUtilitaires\\VA l.ico\"", chemin);
  std::fclose(batch);
}

// Whether the copy at the installation path `chemin` holds the suite.
bool suite_copiee(const char *chemin) {
  for (const char *fichier : fichiers_de_la_suite) {
    char complet[TAILLE_CHEMIN + 32];  // the path and the longest of the names
    std::snprintf(complet, sizeof complet, "%s%s", chemin, fichier);
    std::FILE *present = std::fopen(complet, "rb");
    if (present == nullptr) return false;
    std::fclose(present);
  }
  return true;
}

// Records the installation path, the five types and the verb in the
// registry, every value overwritten without a question; false at the first
// command that fails.
bool inscrit_au_registre(const Commandes &commandes) {
  if (!lance("reg add HKLM\\Software\\Vallorim_light /f") || !lance(commandes.chemin)) return false;
  std::puts("Chemin d'installation inscrit dans le registre.");
  char commande[TAILLE_COMMANDE];
  for (const TypeDeFichier &t : TYPES_DE_FICHIERS) {
    compose_commande(commande, sizeof commande,
                     "reg add \"HKEY_CLASSES_ROOT\\%s\" /ve /t REG_SZ /d \"%s\" /f", t.extension,
                     t.classe);
    if (!lance(commande)) return false;
  }
  for (const TypeDeFichier &t : TYPES_DE_FICHIERS) {
    compose_commande(commande, sizeof commande,
                     "reg add \"HKEY_CLASSES_ROOT\\%s\" /ve /t REG_SZ /d \"%s\" /f", t.classe,
                     t.description);
    if (!lance(commande)) return false;
  }
  for (const TypeDeFichier &t : TYPES_DE_FICHIERS) {
    compose_commande(commande, sizeof commande,
                     "reg add \"HKEY_CLASSES_ROOT\\%s\\shell\\open\\command\" /ve /t REG_SZ /d "
                     "\"C:\\WINDOWS\\notepad.exe %%1\" /f",
                     t.classe);
    if (!lance(commande)) return false;
  }
  for (const char *verbe : commandes.verbe)
    if (!lance(verbe)) return false;
  return true;
}

// Makes the start-menu shortcut through the batch file, then its copy on
// the desktop, overwriting an earlier one; false when one of them fails. An
// existing start-menu folder is no failure.
bool cree_les_raccourcis(const char *chemin, const Commandes &commandes) {
  ecrit_batch(chemin);
  if (!lance_interne(commandes.batch)) return false;
  accent_redir_dos();
  char commande[TAILLE_COMMANDE];
  compose_commande(commande, sizeof commande, "mkdir \"%s\"", RACCOURCI);
  lance_interne(commande);
  if (!lance_interne("cd \"" DOSSIER_VALLORIM "\\Utilitaires\" && \"Pinolet.bat\"")) return false;
  compose_commande(commande, sizeof commande,
                   "copy /y \"%s\\" DOSSIER_VALLORIM
                   ".lnk\" "
                   "\"%%userprofile%%\\Bureau\\" DOSSIER_VALLORIM ".lnk\"",
                   RACCOURCI);
  return lance_interne(commande);
}

// Tells why the installation stopped, pauses; the status to end with.
int echoue(const char *raison) {
  putsacc(raison);
  putsacc("L'installation n'est pas complète.");
  Pause();
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  Titre(argc, argv, "Installation de Vallorim", "Programme d'installation de Vallorim light", "01");
  std::puts("Bienvenue dans le programme d'installation de Vallorim,");
  std::puts("l'installation va copier le programme dans le dossier choisis puis ajouter");
  putsacc("quelques clés au registre. Ensuite il créera le raccourci sur le bureau.\n");
  putsacc(
      "ATTENTION: Si vous réinstaller une nouvelle version de Vallorim, veuillez\n"
      "à faire une copie préalable des éventuels fichiers du programme que vous avez\n"
      "modifiés, le cas échéant.");
  Pause();

  char chemin[TAILLE_CHEMIN];  // in the source set
  Commandes commandes;
  if (!choisit_le_dossier(chemin, commandes)) {
    putsacc("\nInstallation abandonnée.\n");
    return 1;
  }

  putsacc("Copie du programme dans le répertoire d'installation\n");
  if (!lance(commandes.copie) || !suite_copiee(chemin))
    return echoue(
        "\nLa copie du programme dans le répertoire d'installation a échoué: rien n'a été"
        " inscrit dans le registre.\n");
  if (!inscrit_au_registre(commandes))
    return echoue("\nL'inscription de Vallorim dans le registre a échoué.\n");
  if (!cree_les_raccourcis(chemin, commandes))
    return echoue("\nLa création des raccourcis a échoué.\n");
  std::puts("");
  putsacc("L'installation est terminée");
  Pause();
  return 0;
}
