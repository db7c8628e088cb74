// verification.cpp -- fuzzes the whole check of a table, as the batch mode
// makes it: the input is the table, read from a memory stream. Beyond the
// sanitizers, each finding must stand on a line of the input and a column
// of that line, in line order, with a message of one line; at most a hundred
// errors are shown; and the verdict must be the interactive engine's, but
// where the table is cut by the end of the input or the interactive report
// reads on past it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/commun.h"
#include "sondeur/moteur.h"
#include "sondeur/rapport.h"
#include "sondeur/verification.h"

namespace {

class Controle final : public SortieConstats {
 public:
  explicit Controle(const std::vector<std::size_t> &longueurs) : longueurs_(longueurs) {}

  void constat(const Constat &c) override {
    const std::size_t lignes = longueurs_.size();
    if (c.lieu.ligne < precedente_ || c.lieu.ligne < 1 ||
        static_cast<std::size_t>(c.lieu.ligne) > lignes)
      std::abort();
    // A column stands in its line, or just past it (the end of a cut table).
    if (c.lieu.colonne < 1 ||
        static_cast<std::size_t>(c.lieu.colonne) > longueurs_[c.lieu.ligne - 1] + 1)
      std::abort();
    const std::size_t longueur = std::strlen(c.message);
    if (longueur == 0 || longueur > 190 || std::strchr(c.message, '\n') != nullptr) std::abort();
    precedente_ = c.lieu.ligne;
    if (c.gravite == Gravite::erreur) {
      if (++erreurs_ > ERREURS_MONTREES) std::abort();
      if (erreurs_ == 1) {
        premiere_ = c.message;
        coupee_ = c.code == Code::table_incomplete;
      }
    }
  }
  void erreurs_cachees(long) override {}

  long erreurs_ = 0;
  std::string premiere_;  // the first error's reason
  bool coupee_ = false;   // the first error is the end of a cut table

 private:
  const std::vector<std::size_t> &longueurs_;
  std::int64_t precedente_ = 1;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  std::string copie(reinterpret_cast<const char *>(donnees), taille);
  std::vector<std::size_t> longueurs{0};  // each line's bytes, line end included
  for (std::size_t i = 0; i < taille; ++i) {
    ++longueurs.back();
    if (donnees[i] == '\n' && i + 1 < taille) longueurs.push_back(0);
  }

  std::FILE *table = flux_de(copie);
  Controle controle(longueurs);
  Verification verification(controle);
  SourceFlux source(table);
  const Bilan bilan = verification.verifie(source);

  std::rewind(table);
  Rapport rapport;
  const Verdict verdict = verifie_table(table, rapport);
  std::fclose(table);
  // The interactive report reads on past the end of the file; the whole
  // check tells a cut table instead, or nothing when the table was complete.
  if (controle.coupee_ || rapport.apres_la_fin) return 0;
  if ((bilan.erreurs > 0) != (verdict == ERREUR)) std::abort();
  if (verdict == ERREUR && controle.premiere_ != rapport.raison) std::abort();
  return 0;
}
