// modele.h -- what a table gives when it is rolled, built from its one
// reading (lecture.h). Each list is a die of as many faces as its "dd"
// says; an entry holds the faces of its number or range, and wins those
// that no earlier entry of its list holds (a roll takes the first entry, in
// file order, that holds the face rolled); an entry whose text, or whose
// continuation line, opens a nested list rolls that list's die in turn. In
// a collection each section is a table of its own. A line after a single
// table that its author numbered as an entry ("7:Dragon" after a dd6 list)
// is an entry of its outermost list that no roll reaches.
// Memory grows with the table (its entries, and their texts when asked
// for), never with the number of rolls.
#ifndef SONDEUR_MODELE_H
#define SONDEUR_MODELE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sondeur/fraction.h"
#include "sondeur/lecture.h"

// A run of faces, first to last.
struct Faces {
  std::int64_t premiere, derniere;
};

// Why no roll can give an entry.
enum class Inaccessible { non, au_dela, a_l_envers, deja_prises, liste_jamais_tiree };

// "au-delà de la taille de la liste"... (ISO 8859-1); nullptr for non.
const char *raison_inaccessible(Inaccessible raison);

constexpr std::uint32_t AUCUNE = UINT32_MAX;

class Modele final : public Observateur {
 public:
  // An entry of a list, as a roll sees it.
  struct Element {
    std::int64_t ligne;
    std::int32_t numero, fin;
    bool intervalle;
    int niveau;
    std::uint32_t liste;                // its list
    std::uint32_t ouvre = AUCUNE;       // the list it opens
    std::uint64_t gagnees = 0;          // the faces it wins
    std::uint32_t faces = 0, runs = 0;  // its runs of faces won, in faces()
    Inaccessible inaccessible = Inaccessible::non;
    std::uint32_t texte = 0, longueur = 0;  // in textes()
  };
  struct Liste {
    std::int32_t taille;
    std::uint32_t parente;  // the entry that opens it, or AUCUNE for a table's own
    std::vector<std::pair<Faces, std::uint32_t>>
        gains;  // runs of faces won and their entry, in order
  };
  struct Section {
    std::string titre;                   // without its '#' or "pp", as written
    bool titree;                         // a section of a collection (a single table has no title)
    std::uint32_t liste = AUCUNE;        // its outermost list
    std::uint32_t premier = 0, fin = 0;  // its elements, [premier, fin)
  };

  // `texte_max`: the bytes of each entry's text kept (0: none).
  explicit Modele(std::size_t texte_max);

  // A new table.
  void commence();

  const std::vector<Section> &sections() const { return sections_; }
  const std::vector<Element> &elements() const { return elements_; }
  const std::vector<Liste> &listes() const { return listes_; }
  const std::vector<Faces> &faces() const { return faces_; }
  std::string_view texte(const Element &e) const { return {textes_.data() + e.texte, e.longueur}; }

  // The entry that a roll of `face` on the list `liste` gives, or AUCUNE
  // when no entry holds that face.
  std::uint32_t entree_de(std::uint32_t liste, std::int64_t face) const;

  void section(std::string_view titre, const Lieu &lieu) override;
  void liste(int niveau, std::int32_t taille, bool marquee, const Lieu &lieu) override;
  void entree(const Entree &entree) override;
  void suite(std::string_view texte, const Lieu &lieu) override;
  void apres_la_fin(std::string_view ligne, const Lieu &lieu) override;
  void faute(const Faute &) override {}

 private:
  void ajoute_texte(std::string_view texte);
  void gagne(Element &e, Liste &liste);

  std::size_t texte_max_;
  std::vector<Section> sections_;
  std::vector<Element> elements_;
  std::vector<Liste> listes_;
  std::vector<Faces> faces_;
  std::string textes_;
  std::uint32_t ouvertes_[100] = {};                       // the list open at each level
  std::vector<std::pair<Faces, std::uint32_t>> nouveaux_;  // an entry's runs, being won
};

// The chance overall of each entry of a section, asked in file order: its
// list's own (that of the entry that opens the list, 1 for the section's
// outermost list) times its faces over its die's.
class ChancesTotales {
 public:
  const Fraction &de(const Modele &modele, const Modele::Element &e);

 private:
  Fraction niveaux_[101];  // each level's chance overall, its list's
  Fraction courante_;
};

#endif
