// systeme.cpp -- the user's name and the system drive (systeme.h).
// The interpreter goes to the folder asked for, then writes its current
// folder: "cd" alone prints the path, and only "cd /d" changes the drive too,
// so the answer is the same whatever drive the program was started from.
// The scratch file is opened with fopen and checked, never through
// ouvre_fichier: a missing file is an empty answer, not the end of the program.
#include "outils/systeme.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "outils/chaines.h"

namespace {

constexpr const char *FICHIER_TEMPORAIRE = "c:\\temp.tmp";

// The first line of the scratch file (line end included) into `ligne` of
// `taille` bytes; an empty line when the file cannot be opened or is empty.
void lit_fichier_temporaire(char *ligne, int taille) {
  ligne[0] = '\0';
  FILE *fichier = std::fopen(FICHIER_TEMPORAIRE, "r");
  if (fichier == nullptr) return;
  if (std::fgets(ligne, taille, fichier) == nullptr) ligne[0] = '\0';
  std::fclose(fichier);
}

}  // namespace

// The user's name: the last component of the profile folder's path, its
// last character (the line end) removed. C:\Users\Marie gives "Marie".
// The last character goes even when the line has no line end; an empty
// answer (no scratch file) stays empty.
char *Local_user(char *buffer) {
  std::system("cd /d %userprofile% && cd > c:\\temp.tmp");
  lit_fichier_temporaire(buffer, TAILLE_LOCAL_USER);
  while (std::strchr(buffer, '\\') != nullptr) Efface_char(buffer, "\\");
  const std::size_t longueur = std::strlen(buffer);
  if (longueur > 0) buffer[longueur - 1] = '\0';
  return buffer;
}

// The letter of the system drive as a one-character string: C:\WINDOWS
// gives "C"; an empty string when there is no scratch file to read.
char *Disk_system(char *buffer) {
  std::system("cd /d %systemroot% && cd > c:\\temp.tmp");
  char ligne[255];  // the scratch file's line: 254 characters and the NUL
  lit_fichier_temporaire(ligne, sizeof ligne);
  buffer[0] = ligne[0];
  buffer[1] = '\0';
  return buffer;
}
