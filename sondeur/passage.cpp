// passage.cpp -- a run over the paths of the command line (passage.h).
#include "sondeur/passage.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "sondeur/affichage.h"

namespace {

// "1 table vérifiée", "2 tables vérifiées".
std::string nombre_de(long n, const char *singulier, const char *pluriel) {
  return std::to_string(n) + ' ' + (n > 1 ? pluriel : singulier);
}

}  // namespace

int Passage::lance() {
  Parcours parcours(*this);
  for (const char *chemin : options_.chemins) {
    if (std::strcmp(chemin, "-") == 0) {
      SourceDescripteur entree(0);
      table({options_.nom, options_.nom}, entree);
    } else {
      parcours.visite(chemin);
    }
  }
  resume();
  return statut();
}

void Passage::table(const Chemin &chemin, Source &source) {
  const Bilan bilan = verifie(chemin, source);
  if (!bilan.lue) return illisible(chemin, "erreur de lecture");
  ++verifiees_;
  if (bilan.avertissements > 0) ++averties_;
  if (bilan.erreurs > 0) ++fautives_;
}

void Passage::illisible(const Chemin &chemin, const char *raison) {
  ++illisibles_;
  dit_illisible(chemin, raison);
}

// "12 tables vérifiées, 1 avec une erreur", then ", 3 avec un
// avertissement" and ", 2 illisibles" when there are some.
void Passage::resume() const {
  std::string texte = nombre_de(verifiees_, "table vérifiée", "tables vérifiées") + ", " +
                      std::to_string(fautives_) + " avec une erreur";
  if (averties_ > 0) texte += ", " + std::to_string(averties_) + " avec un avertissement";
  if (illisibles_ > 0) texte += ", " + nombre_de(illisibles_, "illisible", "illisibles");
  dit(texte);
}

// With --strict a table with a warning counts as one with an error.
int Passage::statut() const {
  if (illisibles_ > 0) return LOT_IMPOSSIBLE;
  return fautives_ > 0 || (options_.strict && averties_ > 0) ? LOT_FAUTES : LOT_PROPRE;
}

void dit(std::string_view texte, const Chemin *chemin) {
  std::string ligne;
  if (chemin != nullptr) {
    ajoute_chemin(ligne, chemin->affiche);
    ligne += ": ";
  }
  ajoute_texte(ligne, texte);
  ligne += '\n';
  std::fflush(stdout);  // the findings so far come first when both go to one place
  std::fputs(ligne.c_str(), stderr);
}

void dit_illisible(const Chemin &chemin, const char *raison) {
  dit(std::string("impossible de lire ce chemin (") + raison + ")", &chemin);
}

void ConstatsGardes::ecrit(Ecriture &ecriture, const Chemin &chemin) const {
  for (const ConstatGarde &c : liste) ecriture.constat(chemin, c.vue());
  if (cachees > 0) ecriture.erreurs_cachees(chemin, cachees);
}
