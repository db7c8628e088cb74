// lot.cpp -- the batch mode of Sondeur (lot.h).
// Each table is read once, as the walk opens it, then closed, its findings
// written as they are found: memory stays the same whatever the number of
// tables.
#include "sondeur/lot.h"

#include <cstdio>
#include <memory>

#include "sondeur/passage.h"

namespace {

class Lot final : public Passage, public SortieConstats {
 public:
  explicit Lot(const Options &options)
      : Passage(options), ecriture_(ecriture_pour(options.format, stdout)), verification_(*this) {}

  void constat(const Constat &constat) override { ecriture_->constat(*chemin_, constat); }
  void erreurs_cachees(long n) override { ecriture_->erreurs_cachees(*chemin_, n); }

 private:
  Bilan verifie(const Chemin &chemin, Source &source) override {
    chemin_ = &chemin;
    return verification_.verifie(source);
  }

  std::unique_ptr<Ecriture> ecriture_;
  Verification verification_;
  const Chemin *chemin_ = nullptr;  // the table being checked
};

}  // namespace

int verifie_en_lot(const Options &options) { return Lot(options).lance(); }
