// chances.cpp -- the odds of every entry (chances.h).
//
// Each table is checked whole and its model built in the same reading; the
// odds are written once the check has found no error. A report holds a line
// an entry, often many thousands: each line's fields are written once into
// one text, then padded to their columns' widths; nothing is allocated a
// line.
#include "sondeur/chances.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sondeur/affichage.h"
#include "sondeur/fraction.h"
#include "sondeur/modele.h"
#include "sondeur/passage.h"
#include "sondeur/presentation.h"

namespace {

// The text of an entry kept for its line: more than a line shows.
constexpr std::size_t TEXTE_MAX = 160;
// The width of a line of the text report, the entry's text cut to fit.
constexpr std::size_t LARGEUR_LIGNE = 100;
// The least room left to an entry's text.
constexpr std::size_t TEXTE_MIN = 20;
constexpr int NIVEAUX = 101;  // the nesting levels and one

// The columns of the text report, before the entry's text.
enum Colonne { LIGNE, ENTREE, FACES, CHANCE, PART, TOTALE, PART_TOTALE, COLONNES };

// A percentage's width: "100,0 %".
constexpr std::size_t LARGEUR_PART = 7;

void ecrit(std::string_view texte) { std::fwrite(texte.data(), 1, texte.size(), stdout); }

class Chances final : public Passage {
 public:
  explicit Chances(const Options &options)
      : Passage(options),
        ecriture_(ecriture_pour(options.format, stdout)),
        verification_(gardes_),
        modele_(options.format == Format::json ? 0 : TEXTE_MAX) {}

 private:
  Bilan verifie(const Chemin &chemin, Source &source) override {
    gardes_.liste.clear();
    gardes_.cachees = 0;
    modele_.commence();
    const Bilan bilan = verification_.verifie(source, &modele_);
    if (!bilan.lue) return bilan;
    if (bilan.erreurs > 0) {
      gardes_.ecrit(*ecriture_, chemin);
      return bilan;
    }
    for (const Modele::Section &s : modele_.sections()) {
      if (options_.format == Format::json)
        ecrit_json(chemin, s);
      else
        ecrit_texte(chemin, s);
    }
    return bilan;
  }

  void remplit_champs(const Modele::Element &e, const Fraction &totale);
  void mesure(const Modele::Section &section, std::size_t (&l)[COLONNES]);
  void ecrit_rangee(const Modele::Element &e, const Fraction &totale,
                    const std::size_t (&l)[COLONNES], std::size_t place);
  void ecrit_total(const Modele::Liste &liste, int niveau, std::size_t retrait);
  void ecrit_texte(const Chemin &chemin, const Modele::Section &section);
  void ecrit_json(const Chemin &chemin, const Modele::Section &section);

  std::unique_ptr<Ecriture> ecriture_;
  ConstatsGardes gardes_;
  Verification verification_;
  Modele modele_;
  std::string sortie_;                    // the report of a section
  const Chemin *fichier_json_ = nullptr;  // the table whose name nom_json_ holds
  std::string nom_json_;                  // its JSON string
  std::string raisons_json_[5];           // the reasons of the unreachable entries
  std::uint64_t totaux_[NIVEAUX] = {};    // the faces won so far at each open level
  std::string champs_[COLONNES];          // the fields of the line being written
};

// The fields of the line of `e`, whose chance overall is `totale`: "3",
// "2-3", "2-3", "2/6", "33,3 %", "1/3", "33,3 %".
void Chances::remplit_champs(const Modele::Element &e, const Fraction &totale) {
  for (std::string &champ : champs_) champ.clear();
  const std::int64_t taille = std::max(modele_.listes()[e.liste].taille, 0);
  ajoute_nombre(champs_[LIGNE], e.ligne);
  ajoute_libelle(champs_[ENTREE], e);
  ajoute_faces(champs_[FACES], modele_, e);
  ajoute_nombre(champs_[CHANCE], static_cast<std::int64_t>(e.gagnees));
  champs_[CHANCE] += '/';
  ajoute_nombre(champs_[CHANCE], taille);
  ajoute_pourcentage(
      champs_[PART],
      taille > 0 ? static_cast<double>(e.gagnees) / static_cast<double>(taille) : 0.0);
  totale.ajoute_a(champs_[TOTALE]);
  ajoute_pourcentage(champs_[PART_TOTALE], totale.valeur());
}

// The widths of the columns: each field's, the widest of the section.
void Chances::mesure(const Modele::Section &section, std::size_t (&l)[COLONNES]) {
  ChancesTotales chances;
  for (std::uint32_t i = section.premier; i < section.fin; ++i) {
    const Modele::Element &e = modele_.elements()[i];
    remplit_champs(e, chances.de(modele_, e));
    for (int c = 0; c < COLONNES; ++c) l[c] = std::max(l[c], largeur(champs_[c]));
    l[ENTREE] =
        std::max(l[ENTREE], 2 * static_cast<std::size_t>(e.niveau) + champs_[ENTREE].size());
  }
}

// One entry's line; `place` the room left to its text.
void Chances::ecrit_rangee(const Modele::Element &e, const Fraction &totale,
                           const std::size_t (&l)[COLONNES], std::size_t place) {
  remplit_champs(e, totale);
  const std::size_t retrait = 2 * static_cast<std::size_t>(e.niveau);
  sortie_ += "  ";
  ajoute_cadre(sortie_, champs_[LIGNE], l[LIGNE], '>');
  sortie_ += "  ";
  sortie_.append(retrait, ' ');
  ajoute_cadre(sortie_, champs_[ENTREE], l[ENTREE] - retrait, '<');
  sortie_ += "  ";
  ajoute_cadre(sortie_, champs_[FACES], l[FACES], '<');
  for (const int c : {CHANCE, TOTALE}) {  // each a fraction and its percentage
    sortie_ += "  ";
    ajoute_cadre(sortie_, champs_[c], l[c], '>');
    sortie_ += ' ';
    ajoute_cadre(sortie_, champs_[c + 1], l[c + 1], '>');
  }
  sortie_ += "  ";
  if (const char *raison = raison_inaccessible(e.inaccessible)) {
    const std::string marque = en_utf8("jamais tirée (") + en_utf8(raison) + ") : ";
    sortie_ += marque;
    place = place > largeur(marque) + 10 ? place - largeur(marque) : 10;
  }
  ajoute_raccourci(sortie_, modele_.texte(e), place);
  sortie_ += '\n';
}

// "total dd6 : 6/6  100,0 %", and the faces that no entry holds.
void Chances::ecrit_total(const Modele::Liste &liste, int niveau, std::size_t retrait) {
  const std::int64_t taille = liste.taille > 0 ? liste.taille : 0;
  sortie_.append(retrait, ' ');
  sortie_ += "total dd";
  ajoute_nombre(sortie_, liste.taille);
  sortie_ += " : ";
  ajoute_nombre(sortie_, static_cast<std::int64_t>(totaux_[niveau]));
  sortie_ += '/';
  ajoute_nombre(sortie_, taille);
  sortie_ += "  ";
  if (taille == 0) {
    sortie_ += "aucune face\n";
    return;
  }
  ajoute_pourcentage(sortie_, static_cast<double>(totaux_[niveau]) / static_cast<double>(taille));
  if (static_cast<std::int64_t>(totaux_[niveau]) < taille) {
    sortie_ += en_utf8("  faces sans entrée : ");
    std::int64_t face = 1;
    bool premiere = true;
    const auto libres = [&](std::int64_t jusqu_a) {  // the faces from `face` to `jusqu_a`
      if (face > jusqu_a) return;
      if (!premiere) sortie_ += ',';
      premiere = false;
      ajoute_nombre(sortie_, face);
      if (jusqu_a == face) return;
      sortie_ += '-';
      ajoute_nombre(sortie_, jusqu_a);
    };
    for (const auto &g : liste.gains) {
      libres(g.first.premiere - 1);
      face = g.first.derniere + 1;
    }
    libres(taille);
  }
  sortie_ += '\n';
}

// The section's title line, the columns' names, a line an entry and a
// line a list's total once its last entry is passed, the entry's text cut
// to fit.
void Chances::ecrit_texte(const Chemin &chemin, const Modele::Section &section) {
  std::size_t l[COLONNES] = {5, 6, 5, 1, LARGEUR_PART, 1, LARGEUR_PART};  // at least their names
  mesure(section, l);
  std::size_t avant_texte = 2 + 2 * (COLONNES - 2) + 1 + 2;
  for (const std::size_t n : l) avant_texte += n;
  const std::size_t place =
      LARGEUR_LIGNE > avant_texte + TEXTE_MIN ? LARGEUR_LIGNE - avant_texte : TEXTE_MIN;

  sortie_.clear();
  std::string tete;
  ajoute_chemin(tete, chemin.affiche);
  if (section.titree) {
    ajoute_texte(tete, " « ");
    ajoute_texte(tete, section.titre);
    ajoute_texte(tete, " »");
  }
  tete += '\n';
  sortie_ += "  ";
  ajoute_cadre(sortie_, "ligne", l[LIGNE], '>');
  sortie_ += "  ";
  ajoute_cadre(sortie_, en_utf8("entrée"), l[ENTREE], '<');
  sortie_ += "  ";
  ajoute_cadre(sortie_, "faces", l[FACES], '<');
  sortie_ += "  ";
  ajoute_cadre(sortie_, "chance", l[CHANCE] + 1 + l[PART], '<');
  sortie_ += "  ";
  ajoute_cadre(sortie_, "totale", l[TOTALE] + 1 + l[PART_TOTALE], '<');
  sortie_ += "  texte\n";

  const auto &listes = modele_.listes();
  std::uint32_t ouvertes[NIVEAUX];  // the lists open, outermost first
  int profondeur = 0;
  const auto ferme_jusqu_a = [&](int niveau) {
    for (; profondeur > niveau; --profondeur)
      ecrit_total(listes[ouvertes[profondeur - 1]], profondeur - 1,
                  2 + l[LIGNE] + 2 + 2 * static_cast<std::size_t>(profondeur - 1));
  };
  ChancesTotales chances;
  ouvertes[profondeur++] = section.liste;
  totaux_[0] = 0;
  for (std::uint32_t i = section.premier; i < section.fin; ++i) {
    const Modele::Element &e = modele_.elements()[i];
    ferme_jusqu_a(e.niveau + 1);
    ecrit_rangee(e, chances.de(modele_, e), l, place);
    totaux_[e.niveau] += e.gagnees;
    if (e.ouvre != AUCUNE) {
      totaux_[e.niveau + 1] = 0;
      ouvertes[profondeur++] = e.ouvre;
    }
  }
  ferme_jusqu_a(0);
  sortie_ += '\n';
  ecrit(tete);
  ecrit_sur_la_sortie(sortie_);
}

// {"file": ..., "section": ..., "line": 2, "entry": "2-3", "level": 0,
// "faces": [2, 3], "chance": "2/6", "overall": "1/3", "unreachable": null}.
// The strings are written by the JSON library once a section; the faces as
// they are counted, however many (a range of a large die holds millions).
void Chances::ecrit_json(const Chemin &chemin, const Modele::Section &section) {
  const auto &elements = modele_.elements();
  const auto &listes = modele_.listes();
  if (fichier_json_ != &chemin) {  // once a table
    fichier_json_ = &chemin;
    nom_json_ = chaine_json(nom_utf8(chemin));
  }
  const std::string tete = "{\"file\":" + nom_json_ + ",\"section\":" +
                           (section.titree ? chaine_json(en_utf8(section.titre)) : "null") +
                           ",\"line\":";
  if (raisons_json_[1].empty())
    for (int i = 1; i < 5; ++i)
      raisons_json_[i] = chaine_json(en_utf8(raison_inaccessible(static_cast<Inaccessible>(i))));
  const std::string(&raisons)[5] = raisons_json_;
  ChancesTotales chances;
  sortie_.clear();
  for (std::uint32_t i = section.premier; i < section.fin; ++i) {
    const Modele::Element &e = elements[i];
    const Fraction &totale = chances.de(modele_, e);
    sortie_ += tete;
    ajoute_nombre(sortie_, e.ligne);
    sortie_ += ",\"entry\":\"";
    ajoute_libelle(sortie_, e);
    sortie_ += "\",\"level\":";
    ajoute_nombre(sortie_, e.niveau);
    sortie_ += ",\"faces\":[";
    bool premiere = true;
    for (std::uint32_t run = 0; run < e.runs; ++run) {
      const Faces &f = modele_.faces()[e.faces + run];
      for (std::int64_t face = f.premiere; face <= f.derniere; ++face, premiere = false) {
        if (!premiere) sortie_ += ',';
        ajoute_nombre(sortie_, face);
        if (sortie_.size() > (1u << 20)) {  // a run of millions of faces goes out as it comes
          ecrit(sortie_);
          sortie_.clear();
        }
      }
    }
    sortie_ += "],\"chance\":\"";
    ajoute_nombre(sortie_, static_cast<std::int64_t>(e.gagnees));
    sortie_ += '/';
    ajoute_nombre(sortie_, listes[e.liste].taille > 0 ? listes[e.liste].taille : 0);
    sortie_ += "\",\"overall\":\"";
    totale.ajoute_a(sortie_);
    sortie_ += "\",\"unreachable\":";
    sortie_ +=
        e.inaccessible == Inaccessible::non ? "null" : raisons[static_cast<int>(e.inaccessible)];
    sortie_ += "}\n";
  }
  ecrit(sortie_);
}

}  // namespace

int montre_les_chances(const Options &options) {
  static char tampon[64 * 1024];  // standard output's buffer: the reports are long
  std::setvbuf(stdout, tampon, _IOFBF, sizeof tampon);
  return Chances(options).lance();
}
