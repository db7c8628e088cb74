// lot.cpp -- the batch mode of Sondeur (lot.h).
// Each table is read once, as the walk opens it, then closed: memory stays
// the same whatever the number of tables.
#include "sondeur/lot.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "sondeur/affichage.h"
#include "sondeur/ecritures.h"
#include "sondeur/parcours.h"
#include "sondeur/verification.h"

namespace {

// "1 table vérifiée", "2 tables vérifiées".
std::string nombre_de(long n, const char *singulier, const char *pluriel) {
  return std::to_string(n) + ' ' + (n > 1 ? pluriel : singulier);
}

class Lot final : public Visiteur, public SortieConstats {
 public:
  explicit Lot(const Options &options)
      : strict_(options.strict), ecriture_(ecriture_pour(options.format, stdout)), verification_(*this) {}

  // The table's findings go out as they are found.
  void table(const Chemin &chemin, Source &source) override {
    chemin_ = &chemin;
    const Bilan bilan = verification_.verifie(source);
    chemin_ = nullptr;
    if (!bilan.lue) return illisible(chemin, "erreur de lecture");
    ++verifiees_;
    if (bilan.avertissements > 0) ++averties_;
    if (bilan.erreurs > 0) ++fautives_;
  }

  void illisible(const Chemin &chemin, const char *raison) override {
    ++illisibles_;
    std::string ligne;
    ajoute_chemin(ligne, chemin.affiche);
    ligne += ": ";
    ajoute_texte(ligne, std::string("impossible de lire ce chemin (") + raison + ")");
    ligne += '\n';
    std::fflush(stdout);  // the findings so far come first when both go to one place
    std::fputs(ligne.c_str(), stderr);
  }

  void constat(const Constat &constat) override { ecriture_->constat(*chemin_, constat); }
  void erreurs_cachees(long n) override { ecriture_->erreurs_cachees(*chemin_, n); }

  // "12 tables vérifiées, 1 avec une erreur", then ", 3 avec un
  // avertissement" and ", 2 illisibles" when there are some.
  void resume() const {
    std::string texte = nombre_de(verifiees_, "table vérifiée", "tables vérifiées") + ", " +
                        std::to_string(fautives_) + " avec une erreur";
    if (averties_ > 0) texte += ", " + std::to_string(averties_) + " avec un avertissement";
    if (illisibles_ > 0) texte += ", " + nombre_de(illisibles_, "illisible", "illisibles");
    std::string ligne;
    ajoute_texte(ligne, texte);
    ligne += '\n';
    std::fflush(stdout);
    std::fputs(ligne.c_str(), stderr);
  }

  // With --strict a table with a warning counts as one with an error.
  int statut() const {
    if (illisibles_ > 0) return LOT_IMPOSSIBLE;
    return fautives_ > 0 || (strict_ && averties_ > 0) ? LOT_FAUTES : LOT_PROPRE;
  }

 private:
  bool strict_;
  std::unique_ptr<Ecriture> ecriture_;
  Verification verification_;
  const Chemin *chemin_ = nullptr;  // the table being checked
  long verifiees_ = 0, fautives_ = 0, averties_ = 0, illisibles_ = 0;
};

}  // namespace

int verifie_en_lot(const Options &options) {
  Lot lot(options);
  Parcours parcours(lot);
  for (const char *chemin : options.chemins) {
    if (std::strcmp(chemin, "-") == 0) {
      SourceDescripteur entree(0);
      lot.table({options.nom, options.nom}, entree);
    } else {
      parcours.visite(chemin);
    }
  }
  lot.resume();
  return lot.statut();
}
