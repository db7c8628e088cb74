// lecture.h -- what the uninstaller reads, and what it makes of it before a
// command runs: the key list "Uninstall.ini" (only the suite's own keys are
// deleted), the answer of `reg query` that holds the installation path, and
// the checks that path must pass before the folder is removed. Plain text
// routines, the same in every build, so that they are tested on Linux as
// well; lines are read into the caller's buffers of TAILLE_LIGNE bytes.
#ifndef UNINSTALLER_LECTURE_H
#define UNINSTALLER_LECTURE_H

#include <cstdio>

#include "outils/fin_de_ligne.h"

// A line of either file: 254 bytes and the NUL.
constexpr int TAILLE_LIGNE = 255;

// The file that shows that a folder of the suite's name
// (DOSSIER_VALLORIM, medium/suite.h) is an installation of the suite.
constexpr const char *FICHIER_TEMOIN = "Utilitaires\\Uninstall.ini";

// What lit_cle found.
enum class Cle { lue, trop_longue, avec_nul, fin };

Cle lit_cle(std::FILE *liste, char *ligne);
bool cle_de_la_suite(const char *cle);
void lit_chemin(std::FILE *reponse, char *chemin);
const char *refus_du_chemin(const char *chemin);

#endif
