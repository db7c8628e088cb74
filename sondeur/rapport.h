// rapport.h -- the verdict of one check of a table and the first fault it
// found, for the callers that tell it their own way: moteur_principal prints
// the console report, the tests and the fuzzers compare it.
#ifndef SONDEUR_RAPPORT_H
#define SONDEUR_RAPPORT_H

#include <cstdint>
#include <cstdio>

// What moteur_principal returns.
enum Verdict { SANS_ERREUR = 1, ERREUR = 2 };

// The echo line: 254 bytes of the table and the NUL.
constexpr int TAILLE_ECHO = 255;

struct Rapport {
  std::int64_t ligne = 0;        // the line counter at the fault
  const char *raison = nullptr;  // ISO 8859-1 ("valeur incorrecte"...); null: no fault
  char echo[TAILLE_ECHO] = "";   // the line read, with its line end when it had one
  // The fault was found after the end of the file, on what the last read
  // left: the batch mode, which reads nothing past the end, tells a table
  // cut there, or nothing when the table was complete.
  bool apres_la_fin = false;
};

// Checks `table`, open for reading at its start, as moteur_principal does,
// printing nothing: SANS_ERREUR, or ERREUR with `rapport` telling the first
// fault. The file is never closed.
Verdict verifie_table(std::FILE *table, Rapport &rapport);

#endif
