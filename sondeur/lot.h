// lot.h -- Sondeur's batch mode: every table named, and every .tbl file of
// the folders named, checked whole (verification.h), without banner, window,
// prompt or pause. Each finding on one line of standard output, in the
// format asked for (ecritures.h), so that editors and programs read it back;
// unreadable paths and the summary on standard error; the verdict in the
// exit status (passage.h).
#ifndef SONDEUR_LOT_H
#define SONDEUR_LOT_H

#include "sondeur/options.h"

// Checks the paths of `options` in their order; the exit status.
int verifie_en_lot(const Options &options);

#endif
