// avertissements_suivi.h -- what the warnings' reading of a table knows of
// its structure once done: whether the engine finds the table clean or
// faulty. Only the tests use it, to check that this reading follows the
// engine; Sondeur calls cherche_avertissements (avertissements.h).
#ifndef SONDEUR_AVERTISSEMENTS_SUIVI_H
#define SONDEUR_AVERTISSEMENTS_SUIVI_H

#include <cstdio>

#include "sondeur/avertissements.h"

struct SuiviAvertissements {
  int avertissements = 0;  // as cherche_avertissements returns
  // What moteur_principal returns on the same file: 1 clean, 2 an error;
  // 0 when the file ends inside a table, where the engine goes on with the
  // rest of its last line and this reading stops.
  int verdict = 0;
};

// cherche_avertissements, with the verdict it reached on the way.
SuiviAvertissements suit_avertissements(std::FILE *table, const SignaleAvertissement &signale);

#endif
