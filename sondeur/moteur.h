// moteur.h -- the validation engine of Sondeur, the random table tester.
// moteur_principal reads a table file (.tbl) once from its first line and
// prints, on standard output, the first line whose numbering or keywords are
// wrong ("Erreur à la ligne ..." then the line itself). It keeps no state
// between calls; the accented part of the report is converted for the console.
#ifndef SONDEUR_MOTEUR_H
#define SONDEUR_MOTEUR_H

#include <cstdio>

// Checks the table `table`, open for reading at its start; never closes it.
// Returns 1 when the table holds no error, 2 when an error was reported.
int moteur_principal(FILE *table);

#endif
