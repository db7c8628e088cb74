// lot.cpp -- the batch mode of Sondeur (lot.h).
// Each table is read once by the engine, in the engine's own buffer, then
// closed: memory stays the same whatever the number of tables.
#include "sondeur/lot.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "outils/accents.h"
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
  void table(const Chemin &chemin) override {
    std::FILE *fichier = std::fopen(chemin.systeme.c_str(), "r");
    if (fichier == nullptr) {
      illisible(chemin, std::strerror(errno));
      return;
    }
    Rapport rapport;
    const bool fautive = verifie_table(fichier, rapport) == 2;
    const bool lue = !std::ferror(fichier);
    std::fclose(fichier);
    if (!lue) {
      illisible(chemin, "erreur de lecture");
      return;
    }
    ++verifiees_;
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

  // "12 tables vérifiées, 1 avec une erreur", and ", 2 illisibles" when
  // some could not be read.
  void resume() const {
    std::string ligne = std::to_string(verifiees_) + " tables vérifiées, " +
                        std::to_string(fautives_) + " avec une erreur";
    if (illisibles_ > 0) ligne += ", " + std::to_string(illisibles_) + " illisibles";
    std::fflush(stdout);
    ecrit_converti((ligne + "\n").c_str(), stderr);
  }

  int statut() const {
    if (illisibles_ > 0) return LOT_IMPOSSIBLE;
    return fautives_ > 0 ? LOT_FAUTES : LOT_PROPRE;
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

  long verifiees_ = 0, fautives_ = 0, illisibles_ = 0;
};

}  // namespace

int verifie_en_lot(const Options &options) {
  Lot lot;
  for (const char *chemin : options.chemins) parcourt(chemin, lot);
  lot.resume();
  return lot.statut();
}
