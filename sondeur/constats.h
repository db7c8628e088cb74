// constats.h -- the findings of one table on their way out, in line order:
// those of a line are kept until it ends (its text is known only then, and
// its warnings may come after its errors are found), then go out warnings
// first, each kind by column. A table shows at most ERREURS_MONTREES errors;
// the others are only counted. While the verdicts that stand at line 1 of
// the whole file (its encoding) are not taken, the lines that end wait, up
// to ATTENTE_MAX findings. Memory stays bounded whatever the table.
#ifndef SONDEUR_CONSTATS_H
#define SONDEUR_CONSTATS_H

#include <string>
#include <vector>

#include "sondeur/constat.h"
#include "sondeur/lecteur.h"

// Where the findings go.
class SortieConstats {
 public:
  virtual ~SortieConstats() = default;
  virtual void constat(const Constat &constat) = 0;
  // The table had `n` errors more than it showed.
  virtual void erreurs_cachees(long n) = 0;
};

constexpr long ERREURS_MONTREES = 100;

// A message: the longest (a number without its ':') is about 140 bytes.
constexpr std::size_t TAILLE_CONSTAT = 192;

class Constats {
 public:
  static constexpr std::size_t ATTENTE_MAX = 128;

  explicit Constats(SortieConstats &sortie);

  // A new table; its lines wait until libere.
  void commence();
  // A finding at the current line, its message formatted as by printf.
  void ajoute(Gravite gravite, Code code, const Lieu &lieu, const char *format, ...);
  // The current line has ended: its findings go out, or wait.
  void ligne_finie(const Ligne &ligne);
  // A warning on the whole file, at line 1 before any other finding.
  void ajoute_en_tete(Code code, const char *message);
  // The verdicts of line 1 are taken: the lines that wait go out, in order.
  void libere();
  bool attente_pleine() const { return attente_.size() >= ATTENTE_MAX; }
  // The end of the table: what is left goes out, then the count of the
  // errors not shown.
  void termine();

  // Whether the end of the current line matters: it has findings, or line
  // 1 is still to come while the lines wait.
  bool ligne_voulue() const { return !ligne_.empty() || (en_attente_ && !ligne_finie_); }

  long erreurs() const { return erreurs_; }
  long avertissements() const { return avertissements_; }

 private:
  struct Trouve {
    Lieu lieu;
    Gravite gravite;
    Code code;
    char message[TAILLE_CONSTAT];
  };
  struct Attente {
    Trouve trouve;
    std::string texte;
    bool tronque;
  };

  void emet(const Trouve &trouve, std::string_view texte, bool tronque);
  void range_la_ligne();

  SortieConstats &sortie_;
  std::vector<Trouve> ligne_;  // the current line's findings
  std::vector<Attente> attente_;
  bool en_attente_ = true;
  bool ligne_finie_ = false;  // a line of this table has ended
  std::string premiere_;      // line 1, while the lines wait
  bool premiere_tronquee_ = false;
  long erreurs_ = 0, avertissements_ = 0;
};

#endif
