// lot.h -- Sondeur's batch mode: every table named, and every .tbl file of
// the folders named, checked by the same engine as the interactive run,
// without banner, window, prompt or pause. One line a finding on standard
// output, "table:line: reason: line read" or "table:line: avertissement:
// message" (the warnings' reading, beside the engine), as compilers write
// theirs, so that editors jump to it; unreadable files and the summary on
// standard error; the verdict in the exit status.
#ifndef SONDEUR_LOT_H
#define SONDEUR_LOT_H

#include "sondeur/options.h"

// The exit statuses of the batch mode, as grep and diff give theirs.
enum StatutLot { LOT_PROPRE = 0, LOT_FAUTES = 1, LOT_IMPOSSIBLE = 2 };

// Checks the paths of `options` in their order; the exit status.
int verifie_en_lot(const Options &options);

#endif
