// chances.cpp -- the odds of every entry (chances.h).
//
// Each table is checked whole and its model built in the same reading; the
// odds are written once the check has found no error. A report holds a line
// an entry, often many thousands: each line's fields are written once into
// one text, then padded to their columns' widths; nothing is allocated a
// line.
#include "sondeur/chances.h"

#include <charconv>
#include <cstdio>
#include <cstring>
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

// A line of the text report, written at once: a field a column, padded.
class Rangee {
 public:
  explicit Rangee(char *debut) : debut_(debut), fin_(debut) {}

  // `n` in decimal, right-aligned in `largeur` characters.
  void nombre(std::int64_t n, std::size_t largeur) {
    char chiffres[24];  // a sign and 19 digits
    champ(chiffres, std::to_chars(chiffres, chiffres + sizeof chiffres, n).ptr, largeur, '>');
  }
  // The bytes from `debut` to `fin` aligned in `largeur` characters.
  void champ(const char *debut, const char *fin, std::size_t largeur, char sens) {
    const auto n = static_cast<std::size_t>(fin - debut);
    const std::size_t blancs = n < largeur ? largeur - n : 0;
    if (sens == '>') blancs_(blancs);
    std::memcpy(fin_, debut, n);
    fin_ += n;
    if (sens == '<') blancs_(blancs);
  }
  void texte(std::string_view t) {
    std::memcpy(fin_, t.data(), t.size());
    fin_ += t.size();
  }
  void blancs_(std::size_t n) {
    std::memset(fin_, ' ', n);
    fin_ += n;
  }
  char *fin() { return fin_; }
  std::string_view vue() const { return {debut_, static_cast<std::size_t>(fin_ - debut_)}; }

 private:
  char *debut_, *fin_;
};

// The characters of a number in decimal.
std::size_t chiffres(std::int64_t n) {
  std::size_t c = n < 0 ? 2 : 1;
  for (std::uint64_t v = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
       v >= 10; v /= 10)
    ++c;
  return c;
}

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

  void mesure(const Modele::Section &section, std::size_t (&l)[COLONNES]);
  void ecrit_rangee(const Modele::Element &e, const Fraction &totale, std::size_t taille,
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
};

// The widths of the columns: each field's, the widest of the section.
void Chances::mesure(const Modele::Section &section, std::size_t (&l)[COLONNES]) {
  const auto &listes = modele_.listes();
  ChancesTotales chances;
  char fraction[48];  // two 20-digit terms and the slash
  for (std::uint32_t i = section.premier; i < section.fin; ++i) {
    const Modele::Element &e = modele_.elements()[i];
    const std::int64_t taille = std::max(listes[e.liste].taille, 0);
    const Fraction &totale = chances.de(modele_, e);
    l[LIGNE] = std::max(l[LIGNE], chiffres(e.ligne));
    l[ENTREE] = std::max(l[ENTREE], 2 * static_cast<std::size_t>(e.niveau) + chiffres(e.numero) +
                                        (e.intervalle ? 1 + chiffres(e.fin) : 0));
    std::size_t faces = e.runs == 0 ? 1 : e.runs - 1;
    for (std::uint32_t r = 0; r < e.runs; ++r) {
      const Faces &f = modele_.faces()[e.faces + r];
      faces += chiffres(f.premiere) + (f.derniere > f.premiere ? 1 + chiffres(f.derniere) : 0);
    }
    l[FACES] = std::max(l[FACES], faces);
    l[CHANCE] =
        std::max(l[CHANCE], chiffres(static_cast<std::int64_t>(e.gagnees)) + 1 + chiffres(taille));
    const char *fin = totale.ecrit_petite(fraction);
    l[TOTALE] = std::max(l[TOTALE], fin != nullptr ? static_cast<std::size_t>(fin - fraction)
                                                   : totale.texte().size());
  }
}

// One entry's line; `place` the room left to its text.
void Chances::ecrit_rangee(const Modele::Element &e, const Fraction &totale, std::size_t taille,
                           const std::size_t (&l)[COLONNES], std::size_t place) {
  char ligne[512];  // the columns, each a few dozen bytes at most, but a grand fraction's
  Rangee r(ligne);
  const std::size_t retrait = 2 * static_cast<std::size_t>(e.niveau);
  std::string grande;  // a fraction past 64 bits, rare
  char nombres[48];
  char *fin = totale.ecrit_petite(nombres);
  if (fin == nullptr || l[TOTALE] > 200 || l[FACES] > 200) {  // wide columns: written the slow way
    grande = totale.texte();
  }
  r.blancs_(2);
  r.nombre(e.ligne, l[LIGNE]);
  r.blancs_(2 + retrait);
  fin = std::to_chars(nombres, nombres + 20, e.numero).ptr;
  if (e.intervalle) {
    *fin++ = '-';
    fin = std::to_chars(fin, nombres + sizeof nombres, e.fin).ptr;
  }
  r.champ(nombres, fin, l[ENTREE] - retrait, '<');
  r.blancs_(2);
  sortie_.append(r.vue());
  std::string faces;
  ajoute_faces(faces, modele_, e);
  ajoute_cadre(sortie_, faces, l[FACES], '<');
  Rangee s(ligne);
  s.blancs_(2);
  fin = std::to_chars(nombres, nombres + 20, e.gagnees).ptr;
  *fin++ = '/';
  fin = std::to_chars(fin, nombres + sizeof nombres, taille).ptr;
  s.champ(nombres, fin, l[CHANCE], '>');
  s.blancs_(1);
  std::string part;
  ajoute_pourcentage(
      part, taille > 0 ? static_cast<double>(e.gagnees) / static_cast<double>(taille) : 0.0);
  s.champ(part.data(), part.data() + part.size(), LARGEUR_PART, '>');
  s.blancs_(2);
  sortie_.append(s.vue());
  if (grande.empty()) {
    fin = totale.ecrit_petite(nombres);
    ajoute_cadre(sortie_, std::string_view(nombres, static_cast<std::size_t>(fin - nombres)),
                 l[TOTALE], '>');
  } else {
    ajoute_cadre(sortie_, grande, l[TOTALE], '>');
  }
  sortie_ += ' ';
  part.clear();
  ajoute_pourcentage(part, totale.valeur());
  ajoute_cadre(sortie_, part, LARGEUR_PART, '>');
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
    const std::size_t taille = static_cast<std::size_t>(std::max(listes[e.liste].taille, 0));
    ecrit_rangee(e, chances.de(modele_, e), taille, l, place);
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
