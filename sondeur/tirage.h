// tirage.h -- Sondeur --tirer: trial draws in one table, as a die would make
// them (modele.h), with the suite's random generator, seeded with --graine
// so that a draw can be made again. Each result with its text and how it
// came ("d6=4 → ligne 3 (dd2) → d2=1 → ligne 3 : Loup"); with --compte, the
// draws tallied per entry beside its chance. A table with an error is not
// drawn from: its findings come instead, as in the batch mode. The table is
// read once; memory grows with the table, never with the number of draws.
#ifndef SONDEUR_TIRAGE_H
#define SONDEUR_TIRAGE_H

#include "sondeur/options.h"

// The exit status: 0, 1 for a table with an error (or with nothing to
// draw), 2 when it cannot be read or has no section of that title.
int tire(const Options &options);

#endif
