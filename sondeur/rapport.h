// rapport.h -- what one check of a table found, for the callers that tell
// it their own way: moteur_principal prints the console report, the batch
// mode of Sondeur one line "table:line: reason: line read".
#ifndef SONDEUR_RAPPORT_H
#define SONDEUR_RAPPORT_H

#include <cstdio>

// The echo line: 254 bytes of the table and the NUL.
constexpr int TAILLE_ECHO = 255;

struct Rapport {
  int ligne = 0;                 // the line counter at the fault
  const char *raison = nullptr;  // ISO 8859-1 ("valeur incorrecte"...); null: no fault
  char echo[TAILLE_ECHO] = "";   // the line read, with its line end when it had one
};

// Checks `table`, open for reading at its start, as moteur_principal does,
// printing nothing: 1 when it holds no error, 2 when `rapport` tells its
// first fault. The file is never closed.
int verifie_table(std::FILE *table, Rapport &rapport);

#endif
