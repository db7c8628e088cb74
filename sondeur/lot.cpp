// lot.cpp -- the batch mode of Sondeur (lot.h).
// Each table is read twice, by the warnings' reading then by the engine,
// each in its own buffer, then closed: memory stays the same whatever the
// number of tables.
#include "sondeur/lot.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "outils/accents.h"
#include "sondeur/avertissements.h"
#include "sondeur/parcours.h"
#include "sondeur/rapport.h"

namespace {

// Writes `texte` (ISO 8859-1) converted for the console into `flux`.
void ecrit_converti(const char *texte, std::FILE *flux) { std::fputs(acc(texte, chfunc), flux); }

// The echo line without its line end: "4:Un revenant\r\n" -> "4:Un revenant".
void retire_fin_de_ligne(char *ligne) {
  std::size_t n = std::strlen(ligne);
  if (n > 0 && ligne[n - 1] == '\n') --n;
  if (n > 0 && ligne[n - 1] == '\r') --n;
  ligne[n] = '\0';
}

class Lot : public Visiteur {
 public:
  explicit Lot(bool strict) : strict_(strict) {}

  // The table's warnings, in line order, then its error if it has one.
  void table(const Chemin &chemin) override {
    std::FILE *fichier = std::fopen(chemin.systeme.c_str(), "r");
    if (fichier == nullptr) {
      illisible(chemin, std::strerror(errno));
      return;
    }
    const int avertissements = cherche_avertissements(fichier, [&](long ligne, const char *message) {
      std::printf("%s:%ld: avertissement: ", chemin.affiche.c_str(), ligne);
      ecrit_converti(message, stdout);
      std::fputc('\n', stdout);
    });
    std::rewind(fichier);
    Rapport rapport;
    const bool fautive = verifie_table(fichier, rapport) == 2;
    const bool lue = !std::ferror(fichier);
    std::fclose(fichier);
    if (!lue) {
      illisible(chemin, "erreur de lecture");
      return;
    }
    ++verifiees_;
    if (avertissements > 0) ++averties_;
    if (fautive) {
      ++fautives_;
      signale(chemin, rapport);
    }
  }

  void illisible(const Chemin &chemin, const char *raison) override {
    ++illisibles_;
    std::fflush(stdout);  // the findings so far come first when both go to one place
    std::fprintf(stderr, "%s: ", chemin.affiche.c_str());
    ecrit_converti("impossible de lire ce chemin (", stderr);
    ecrit_converti(raison, stderr);
    std::fputs(")\n", stderr);
  }

  // "12 tables vérifiées, 1 avec une erreur", then ", 3 avec un
  // avertissement" and ", 2 illisibles" when there are some.
  void resume() const {
    std::string ligne = std::to_string(verifiees_) + " tables vérifiées, " +
                        std::to_string(fautives_) + " avec une erreur";
    if (averties_ > 0) ligne += ", " + std::to_string(averties_) + " avec un avertissement";
    if (illisibles_ > 0) ligne += ", " + std::to_string(illisibles_) + " illisibles";
    std::fflush(stdout);
    ecrit_converti((ligne + "\n").c_str(), stderr);
  }

  // With --strict a table with a warning counts as one with an error.
  int statut() const {
    if (illisibles_ > 0) return LOT_IMPOSSIBLE;
    return fautives_ > 0 || (strict_ && averties_ > 0) ? LOT_FAUTES : LOT_PROPRE;
  }

 private:
  // "exemples/rencontres_erreur.tbl:3: valeur incorrecte: 4:Un revenant"
  static void signale(const Chemin &chemin, Rapport &rapport) {
    retire_fin_de_ligne(rapport.echo);
    std::printf("%s:%d: ", chemin.affiche.c_str(), rapport.ligne);
    ecrit_converti(rapport.raison, stdout);
    std::fputs(": ", stdout);
    ecrit_converti(rapport.echo, stdout);
    std::fputc('\n', stdout);
  }

  bool strict_;
  long verifiees_ = 0, fautives_ = 0, averties_ = 0, illisibles_ = 0;
};

}  // namespace

int verifie_en_lot(const Options &options) {
  Lot lot(options.strict);
  for (const char *chemin : options.chemins) parcourt(chemin, lot);
  lot.resume();
  return lot.statut();
}
