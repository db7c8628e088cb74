// ecritures.h -- the three ways the batch mode writes its findings on
// standard output, one finding a line: as compilers write theirs, with
// French words ("CHEMIN:LIGNE:COLONNE: erreur: RAISON: TEXTE"); as JSON
// Lines for programs; as GitHub Actions workflow commands. The two for
// programs are UTF-8 on every system.
#ifndef SONDEUR_ECRITURES_H
#define SONDEUR_ECRITURES_H

#include <cstdio>
#include <memory>

#include "sondeur/constat.h"
#include "sondeur/options.h"
#include "sondeur/parcours.h"

class Ecriture {
 public:
  virtual ~Ecriture() = default;
  virtual void constat(const Chemin &chemin, const Constat &constat) = 0;
  // The table `chemin` had `n` errors more than it showed.
  virtual void erreurs_cachees(const Chemin &chemin, long n) = 0;
};

std::unique_ptr<Ecriture> ecriture_pour(Format format, std::FILE *flux);

#endif
