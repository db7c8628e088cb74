// main.cpp -- regupdater: imports every registry file (.reg) of the folder
// it is started from with a silent regedit, so that the suite's data files
// open in Notepad, and reports each file. The Windows and Linux builds run
// the same commands; on Linux the shell does not write the list file that
// the program reads back, so nothing is imported.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "outils/fin_de_ligne.h"
#include "outils/outils.h"

namespace {

// The list of the folder's registry files, one bare name a line, in the
// suite's data folder two levels up; it is left there at the end.
constexpr const char *LISTE = "..\\..\\Données\\temp.tmp";
constexpr const char *COMMANDE_LISTE = "dir /b *.reg > ..\\..\\Données\\temp.tmp";

// A line of the list: a name of 253 bytes, its line end and the NUL.
constexpr int TAILLE_LIGNE = 255;
// The import command: "regedit.exe /s \"\"" leaves room for a name of 237.
constexpr int TAILLE_COMMANDE = 255;

// Imports one file: "regedit.exe /s \"a b.reg\"", the name quoted so that a
// space or a '&' in it stays part of the name. A name too long for the
// command is not imported, and the user is told so.
void importe(const char *nom) {
  char commande[TAILLE_COMMANDE];
  const int longueur = std::snprintf(commande, sizeof commande, "regedit.exe /s \"%s\"", nom);
  if (longueur < 0 || longueur >= static_cast<int>(sizeof commande)) {
    std::printf("%s: ", nom);
    putsacc("nom trop long, ce fichier n'a pas été ajouté au registre.\n");
    return;
  }
  std::system(commande);
  std::printf("%s %s au registre.\n", nom, acc("ajouté", chfunc));
}

}  // namespace

int main() {
  std::puts("");
  putsacc("Ce programme va mettre à jour la base de donnée du registre de ce PC, afin que\n");
  putsacc("les fichiers de données du programme puissent être lû directement par le\n");
  putsacc("bloc-notes.\n(Et ceci est sans danger !!!)\n");
  Pause();

  std::fclose(ouvre_fichier(LISTE, "w"));
  std::fflush(stdout);  // the shell's own complaints come after our lines
  std::system(COMMANDE_LISTE);
  std::FILE *liste = ouvre_fichier(LISTE, "r+");

  char ligne[TAILLE_LIGNE];
  while (std::fgets(ligne, sizeof ligne, liste) != nullptr) {
    if (!coupe_fin_de_ligne(ligne) && !std::feof(liste)) {
      // A name longer than the line bound: its rest is thrown away with it.
      fpurge(liste);
      std::printf("%s...: ", ligne);
      putsacc("nom trop long, ce fichier n'a pas été ajouté au registre.\n");
      continue;
    }
    std::fflush(stdout);
    importe(ligne);
  }

  putsacc("\nMise à jour du registre terminée !");
  std::fclose(liste);
  Pause();
  return 0;
}
