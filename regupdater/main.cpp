// main.cpp -- regupdater: imports every registry file (.reg) of the folder
// it is started from with a silent regedit, so that the suite's data files
// open in Notepad, and reports each file. Only a name that ends with ".reg"
// and that the command interpreter reads as a plain name is imported; a
// failed import is told, and the exit status is 1 when a file of the list
// was not imported. regedit is the one of the Windows folder, never one of
// the current folder. The Windows and Linux builds run the same commands; on
// Linux the shell does not write the list file that the program reads back,
// so nothing is imported.
#include <cstdio>
#include <cstring>

#include "outils/casse.h"
#include "outils/commande.h"
#include "outils/fin_de_ligne.h"
#include "outils/outils.h"
#include "outils/surete.h"

namespace {

// The list of the folder's registry files, one bare name a line, in the
// suite's data folder two levels up; it is left there at the end.
constexpr const char *LISTE = "..\\..\\Données\\temp.tmp";
constexpr const char *COMMANDE_LISTE = "dir /b *.reg > ..\\..\\Données\\temp.tmp";

// A line of the list: a name of 253 bytes, its line end and the NUL.
constexpr int TAILLE_LIGNE = 255;
// The import command: "regedit.exe /s \"\"" leaves room for a name of 237.
constexpr int TAILLE_COMMANDE = 255;

// Tells why the file `nom` was not imported.
void non_ajoute(const char *nom, const char *raison) {
  std::printf("%s: ", nom);
  putsacc(raison);
}

// Imports one file: "regedit.exe /s \"a b.reg\"", the name quoted so that a
// space stays part of it; a name that holds a character the command
// interpreter reads ("%OS%.reg" would be expanded), or too long for the
// command, is not imported. Each file is reported. False when it was not
// imported.
bool importe(const char *nom) {
  if (!finit_par_sans_casse(nom, ".reg")) {  // `dir /b *.reg` also lists "x.regbak"
    non_ajoute(nom, "ce n'est pas un fichier .reg, il n'a pas été ajouté au registre.\n");
    return true;  // not one of the registry files: nothing was to be done
  }
  if (!sans_caractere_special(nom)) {
    non_ajoute(nom,
               "ce nom contient un caractère que l'interpréteur de commandes lirait"
               " (% \" & | < > ^ ou de contrôle), ce fichier n'a pas été ajouté au registre.\n");
    return false;
  }
  char commande[TAILLE_COMMANDE];
  if (!compose_commande(commande, sizeof commande, "regedit.exe /s \"%s\"", nom)) {
    non_ajoute(nom, "nom trop long, ce fichier n'a pas été ajouté au registre.\n");
    return false;
  }
  if (lance_systeme(commande) != 0) {
    non_ajoute(nom, "regedit a échoué, ce fichier n'a pas été ajouté au registre.\n");
    return false;
  }
  std::printf("%s %s au registre.\n", nom, acc("ajouté", chfunc));
  return true;
}

}  // namespace

int main() {
  std::puts("");
  putsacc("Ce programme va mettre à jour la base de donnée du registre de ce PC, afin que\n");
  putsacc("les fichiers de données du programme puissent être lû directement par le\n");
  putsacc("bloc-notes.\n(Et ceci est sans danger !!!)\n");
  Pause();

  std::fclose(ouvre_fichier(LISTE, "w"));
  lance_commande(COMMANDE_LISTE);  // the shell's own complaints come after our lines
  std::FILE *liste = ouvre_fichier(LISTE, "r+");

  char ligne[TAILLE_LIGNE];
  bool tous_ajoutes = true;
  while (std::fgets(ligne, sizeof ligne, liste) != nullptr) {
    if (!coupe_fin_de_ligne(ligne) && !std::feof(liste)) {
      // A name longer than the line bound: its rest is thrown away with it.
      fpurge(liste);
      std::printf("%s...: ", ligne);
      putsacc("nom trop long, ce fichier n'a pas été ajouté au registre.\n");
      tous_ajoutes = false;
      continue;
    }
    std::fflush(stdout);
    tous_ajoutes = importe(ligne) && tous_ajoutes;
  }

  putsacc("\nMise à jour du registre terminée !");
  std::fclose(liste);
  Pause();
  return tous_ajoutes ? 0 : 1;
}
