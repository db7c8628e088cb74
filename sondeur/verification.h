// verification.h -- the whole check of one table, as the batch mode makes
// it: the table's one reading to the end of its file, every error on its
// line and column, and the warnings, all in line order. The file is read
// once; memory stays the same whatever the number and the size of the
// tables checked with one Verification.
#ifndef SONDEUR_VERIFICATION_H
#define SONDEUR_VERIFICATION_H

#include "sondeur/avertissements.h"
#include "sondeur/constats.h"
#include "sondeur/lecteur.h"
#include "sondeur/lecture.h"

struct Bilan {
  long erreurs = 0;  // shown or not
  long avertissements = 0;
  bool lue = true;  // false: the file could not be read to its end
};

class Verification {
 public:
  explicit Verification(SortieConstats &sortie) : constats_(sortie), avertissements_(constats_) {}

  // Checks the table that `source` reads from its start; its findings go to
  // the sortie as they are found. `detail`, when given, is told everything
  // the reading finds as well (its faults included).
  Bilan verifie(Source &source, Observateur *detail = nullptr);

 private:
  Constats constats_;
  Avertissements avertissements_;
};

#endif
