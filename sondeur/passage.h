// passage.h -- one run of Sondeur over the paths of its command line, as
// the batch mode and the odds make it: every table named or found in the
// folders named ("-" for standard input), unreadable paths told on standard
// error, then the summary there, and the verdict in the exit status (as grep
// and diff give theirs). What each table is checked for is the mode's own.
#ifndef SONDEUR_PASSAGE_H
#define SONDEUR_PASSAGE_H

#include <memory>
#include <string_view>
#include <vector>

#include "sondeur/constat.h"
#include "sondeur/ecritures.h"
#include "sondeur/options.h"
#include "sondeur/parcours.h"
#include "sondeur/verification.h"

// The exit statuses of the modes that read many tables.
enum StatutLot { LOT_PROPRE = 0, LOT_FAUTES = 1, LOT_IMPOSSIBLE = 2 };

class Passage : public Visiteur {
 public:
  explicit Passage(const Options &options) : options_(options) {}

  // Every path of the options in their order, then the summary; the status.
  int lance();

  void table(const Chemin &chemin, Source &source) final;
  void illisible(const Chemin &chemin, const char *raison) override;

 protected:
  // Checks one table; its bilan is counted.
  virtual Bilan verifie(const Chemin &chemin, Source &source) = 0;

  const Options &options_;

 private:
  void resume() const;
  int statut() const;

  long verifiees_ = 0, fautives_ = 0, averties_ = 0, illisibles_ = 0;
};

// Tells `texte` (ISO 8859-1, or UTF-8) on a line of standard error, as
// standard output shows text (affichage.h), after the findings written so
// far; after "CHEMIN: " when `chemin` is given.
void dit(std::string_view texte, const Chemin *chemin = nullptr);

// "CHEMIN: impossible de lire ce chemin (RAISON)" on standard error.
void dit_illisible(const Chemin &chemin, const char *raison);

// A finding kept after its table's check (its texts are the check's own
// for the time of the call only).
struct ConstatGarde {
  Lieu lieu;
  Gravite gravite;
  Code code;
  std::string message, texte;
  bool texte_tronque;
  Constat vue() const { return {lieu, gravite, code, message.c_str(), texte, texte_tronque}; }
};

// The findings of one table, kept until it is known whether to show them.
class ConstatsGardes final : public SortieConstats {
 public:
  void constat(const Constat &c) override {
    liste.push_back({c.lieu, c.gravite, c.code, c.message, std::string(c.texte), c.texte_tronque});
  }
  void erreurs_cachees(long n) override { cachees = n; }
  // Writes them all with `ecriture`.
  void ecrit(Ecriture &ecriture, const Chemin &chemin) const;

  std::vector<ConstatGarde> liste;
  long cachees = 0;
};

#endif
