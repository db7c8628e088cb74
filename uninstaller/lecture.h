// lecture.h -- what the uninstaller reads: the key list "Uninstall.ini"
// and the answer of `reg query` that holds the installation path. Plain
// text routines, the same in every build, so that they are tested on Linux
// as well; lines are read into the caller's buffers of TAILLE_LIGNE bytes.
#ifndef UNINSTALLER_LECTURE_H
#define UNINSTALLER_LECTURE_H

#include <cstdio>

#include "outils/fin_de_ligne.h"

// A line of either file: 253 bytes, the line end and the NUL.
constexpr int TAILLE_LIGNE = 255;

// What lit_cle found.
enum class Cle { lue, trop_longue, fin };

Cle lit_cle(std::FILE *liste, char *ligne);
void lit_chemin(std::FILE *reponse, char *chemin);
bool chemin_dangereux(const char *chemin);

#endif
