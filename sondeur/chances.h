// chances.h -- Sondeur --chances: what each table can give. For every
// table named or found in the folders named, and every section of a
// collection under its title, each entry in file order with its faces, its
// chance on its own die, its chance overall (down the nested lists) and its
// text, an entry that opens a nested list before that list's entries; the
// entries that no roll can reach marked with why; each list ended by its
// total. A table with an error is not analysed: its findings come instead,
// as in the batch mode. As text, or one JSON object a line.
#ifndef SONDEUR_CHANCES_H
#define SONDEUR_CHANCES_H

#include "sondeur/options.h"

// The exit status, as the batch mode's.
int montre_les_chances(const Options &options);

#endif
