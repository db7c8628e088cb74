// moteur.cpp -- the validation engine of Sondeur (moteur.h): the table's one
// reading (lecture.h), stopped at its first fault, whose report is printed
// for the console.
#include "sondeur/moteur.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "outils/accents.h"
#include "sondeur/lecture.h"
#include "sondeur/rapport.h"

namespace {

// Keeps the first fault in the report: the line counter, the reason and the
// echo line.
class PremiereFaute final : public Observateur {
 public:
  explicit PremiereFaute(Rapport &rapport) : Observateur(false), rapport_(rapport) {}

  void faute(const Faute &faute) override {
    rapport_.ligne = faute.compteur;
    rapport_.raison = faute.raison;
    rapport_.apres_la_fin = faute.apres_la_fin;
    const std::size_t n = std::min<std::size_t>(faute.echo.size(), TAILLE_ECHO - 1);  // at most 254
    std::memcpy(rapport_.echo, faute.echo.data(), n);
    rapport_.echo[n] = '\0';
  }

 private:
  Rapport &rapport_;
};

}  // namespace

Verdict verifie_table(FILE *table, Rapport &rapport) {
  rapport = Rapport{};
  SourceFlux source(table);
  Lecteur lecteur(source);  // 64 KiB of read buffer, the rest small
  PremiereFaute premiere(rapport);
  return lit_table(lecteur, premiere, Etendue::premiere_faute);
}

// The report, all of it converted for the console: "Erreur à la ligne 3
// (valeur incorrecte)\n" then the echo line, which ends with its own line
// end when it had one.
int moteur_principal(FILE *table) {
  Rapport rapport;
  const Verdict verdict = verifie_table(table, rapport);
  if (verdict == ERREUR) {
    char ligne[64 + TAILLE_ECHO];  // the longest reason and a 19-digit number fit in 64
    putsacc("Erreur à ");
    std::snprintf(ligne, sizeof ligne, "la ligne %lld (%s)\n",
                  static_cast<long long>(rapport.ligne), rapport.raison);
    putsacc(ligne);
    putsacc(rapport.echo);
  }
  return verdict;
}
