// chances.cpp -- fuzzes the model of what a table gives when it is rolled:
// the input is the table. Beyond the sanitizers: in each list the faces won
// are within its die and never more than it has, a roll of any face lands
// on the entry that wins it (or on none), and the chances overall of a
// table's entries never sum past 1.
#include <cstdlib>
#include <string>

#include "fuzz/commun.h"
#include "sondeur/modele.h"
#include "sondeur/verification.h"

namespace {

class Rien final : public SortieConstats {
 public:
  void constat(const Constat &) override {}
  void erreurs_cachees(long) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  std::string copie(reinterpret_cast<const char *>(donnees), taille);
  std::FILE *table = flux_de(copie);
  Rien rien;
  Verification verification(rien);
  Modele modele(64);
  SourceFlux source(table);
  verification.verifie(source, &modele);
  std::fclose(table);

  const auto &elements = modele.elements();
  for (std::uint32_t l = 0; l < modele.listes().size(); ++l) {
    const Modele::Liste &liste = modele.listes()[l];
    std::uint64_t gagnees = 0;
    for (const auto &[faces, element] : liste.gains) {
      if (faces.premiere < 1 || faces.derniere > liste.taille || faces.premiere > faces.derniere)
        std::abort();
      if (modele.entree_de(l, faces.premiere) != element ||
          modele.entree_de(l, faces.derniere) != element)
        std::abort();
      gagnees += static_cast<std::uint64_t>(faces.derniere - faces.premiere + 1);
    }
    if (liste.taille > 0 && gagnees > static_cast<std::uint64_t>(liste.taille)) std::abort();
    if (modele.entree_de(l, 0) != AUCUNE) std::abort();
  }
  for (const Modele::Section &section : modele.sections()) {
    ChancesTotales chances;
    double somme = 0;
    for (std::uint32_t i = section.premier; i < section.fin; ++i) {
      const Fraction &f = chances.de(modele, elements[i]);
      if (elements[i].ouvre == AUCUNE) somme += f.valeur();
    }
    if (somme > 1.0 + 1e-9) std::abort();
  }
  return 0;
}
