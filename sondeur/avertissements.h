// avertissements.h -- the warnings of Sondeur: a second reading of a random
// table, beside the engine, that finds the mistakes its numbering check lets
// through or explains badly (entries after the end of a single table, ranges
// past the size of their list or reversed, numbers without their ':', lines
// too long for the engine, files in UTF-8, empty files). It prints nothing:
// each warning goes to the caller, who decides where it is shown.
#ifndef SONDEUR_AVERTISSEMENTS_H
#define SONDEUR_AVERTISSEMENTS_H

#include <cstdio>
#include <functional>

// One warning: the number of its line in the file (1 for the first; every
// line counts once, whatever its length) and its message in ISO 8859-1,
// without "avertissement: " and without a line end.
using SignaleAvertissement = std::function<void(long ligne, const char *message)>;

// Reads `table`, open for reading ("rb" or "r") at its start, once to its
// end, and calls `signale` for each warning in line order. Returns the number
// of warnings. Never prints anything itself, never closes the file.
int cherche_avertissements(std::FILE *table, const SignaleAvertissement &signale);

#endif
