// ecritures.h -- the three ways the batch mode writes its findings on
// standard output, one finding a line: as compilers write theirs, with
// French words ("CHEMIN:LIGNE:COLONNE: erreur: RAISON: TEXTE"); as JSON
// Lines for programs; as GitHub Actions workflow commands. The two for
// programs are UTF-8 on every system.
#ifndef SONDEUR_ECRITURES_H
#define SONDEUR_ECRITURES_H

#include <cstdio>
#include <memory>
#include <string>

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

// A JSON object as dumped (UTF-8) made one line of JSON Lines: JSON escapes
// the controls below 0x20; those of U+0080 to U+009F, which it leaves as
// they are, are escaped here too, so that none reaches a terminal raw.
std::string ligne_json(const std::string &objet);

// The JSON string of `utf8`, quoted and escaped as ligne_json escapes.
std::string chaine_json(const std::string &utf8);

#endif
