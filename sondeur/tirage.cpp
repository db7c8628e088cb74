// tirage.cpp -- trial draws in a table (tirage.h).
#include "sondeur/tirage.h"

#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "jdr/alea.h"
#include "sondeur/affichage.h"
#include "sondeur/modele.h"
#include "sondeur/passage.h"
#include "sondeur/presentation.h"

namespace {

// An entry's text and its continuation line: two pieces of 254 bytes.
constexpr std::size_t TEXTE_MAX = 512;
// The text of an entry in the tally, cut to fit its line.
constexpr std::size_t TEXTE_COMPTE = 60;

// One roll of a die.
struct Jet {
  std::int32_t de;
  std::int64_t face;
  std::uint32_t element;  // the entry that holds the face, or AUCUNE
};

// `texte` without its surrounding blanks: " Armes de poing" -> "Armes de poing".
std::string sans_blancs(const std::string &texte) {
  const std::size_t debut = texte.find_first_not_of(' ');
  if (debut == std::string::npos) return "";
  return texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
}

void ecrit(const std::string &texte) { std::fwrite(texte.data(), 1, texte.size(), stdout); }

class Tirage final : public Visiteur {
 public:
  explicit Tirage(const Options &options)
      : options_(options),
        modele_(options.compte ? (options.format == Format::json ? 0 : TEXTE_COMPTE) : TEXTE_MAX) {}

  int statut = LOT_PROPRE;

  void table(const Chemin &chemin, Source &source) override {
    ConstatsGardes gardes;
    Verification verification(gardes);
    const Bilan bilan = verification.verifie(source, &modele_);
    if (!bilan.lue) return illisible(chemin, "erreur de lecture");
    if (bilan.erreurs > 0) {
      gardes.ecrit(*ecriture_pour(options_.format, stdout), chemin);
      statut = LOT_FAUTES;
      return;
    }
    const Modele::Section *section = trouve_section();
    if (section == nullptr) return;
    if (section->liste == AUCUNE || modele_.listes()[section->liste].taille <= 0) {
      dit("Sondeur: la table est vide : rien à tirer");
      statut = LOT_FAUTES;
      return;
    }
    if (options_.graine_donnee)
      std::srand(options_.graine);
    else
      Init_srand();
    if (options_.compte)
      compte(chemin, *section);
    else
      tire_et_montre(*section);
  }

  void illisible(const Chemin &chemin, const char *raison) override {
    dit_illisible(chemin, raison);
    statut = LOT_IMPOSSIBLE;
  }

 private:
  // The section asked for, the first by default; nullptr, said, when none
  // has that title.
  const Modele::Section *trouve_section() {
    const auto &sections = modele_.sections();
    if (options_.section == nullptr) return sections.empty() ? nullptr : &sections.front();
    const std::string voulu = sans_blancs(en_utf8(depuis_la_console(options_.section)));
    for (const Modele::Section &s : sections)
      if (s.titree && sans_blancs(en_utf8(s.titre)) == voulu) return &s;
    dit(std::string("Sondeur: section inconnue : ") + options_.section);
    statut = LOT_IMPOSSIBLE;
    return nullptr;
  }

  // One draw: the rolls from the section's outermost list down the nested
  // lists that the entries rolled open. At most one roll a level.
  void tire(const Modele::Section &section, std::vector<Jet> &jets) const {
    jets.clear();
    std::uint32_t liste = section.liste;
    while (liste != AUCUNE) {
      const std::int32_t taille = modele_.listes()[liste].taille;
      const std::int64_t face = NbAlea1bf(taille);
      const std::uint32_t element = modele_.entree_de(liste, face);
      jets.push_back({taille, face, element});
      if (element == AUCUNE) break;
      const std::uint32_t sous_liste = modele_.elements()[element].ouvre;
      liste = sous_liste != AUCUNE && modele_.listes()[sous_liste].taille > 0 ? sous_liste : AUCUNE;
    }
  }

  // Each draw on a line: "d6=4 → ligne 3 (dd2) → d2=1 → ligne 3 : Loup".
  void tire_et_montre(const Modele::Section &section) {
    const std::string fleche = sortie_en_utf8() ? " \xE2\x86\x92 " : " -> ";
    std::vector<Jet> jets;
    for (long long n = 1; n <= options_.tirages; ++n) {
      tire(section, jets);
      if (options_.format == Format::json) {
        ecrit_json(n, jets);
        continue;
      }
      std::string ligne;
      for (const Jet &j : jets) {
        if (!ligne.empty()) ligne += fleche;
        ligne += "d" + std::to_string(j.de) + "=" + std::to_string(j.face) + fleche;
        if (j.element == AUCUNE) {
          ligne += en_utf8("aucune entrée");
          break;
        }
        const Modele::Element &e = modele_.elements()[j.element];
        ligne += "ligne " + std::to_string(e.ligne);
        if (&j != &jets.back())
          ligne += " (dd" + std::to_string(modele_.listes()[e.ouvre].taille) + ")";
        else
          ligne += " : " + affichable(modele_.texte(e));
      }
      ecrit(pour_la_sortie(ligne + '\n'));
    }
  }

  // {"draw": 1, "rolls": [{"die": 6, "face": 4, "line": 3}, ...], "line": 3, "text": "Loup"}
  void ecrit_json(long long n, const std::vector<Jet> &jets) const {
    nlohmann::ordered_json objet;
    objet["draw"] = n;
    objet["rolls"] = nlohmann::ordered_json::array();
    for (const Jet &j : jets) {
      nlohmann::ordered_json jet;
      jet["die"] = j.de;
      jet["face"] = j.face;
      jet["line"] = j.element == AUCUNE
                        ? nlohmann::ordered_json()
                        : nlohmann::ordered_json(modele_.elements()[j.element].ligne);
      objet["rolls"].push_back(jet);
    }
    const std::uint32_t fin = jets.back().element;
    objet["line"] = fin == AUCUNE ? nlohmann::ordered_json()
                                  : nlohmann::ordered_json(modele_.elements()[fin].ligne);
    objet["text"] = fin == AUCUNE
                        ? nlohmann::ordered_json()
                        : nlohmann::ordered_json(en_utf8(modele_.texte(modele_.elements()[fin])));
    ecrit(ligne_json(objet.dump()));
  }

  // The draws tallied per entry that a draw can end on, beside its chance.
  void compte(const Chemin &chemin, const Modele::Section &section) {
    std::vector<std::uint64_t> comptes(section.fin - section.premier, 0);
    std::uint64_t sans_entree = 0;
    std::vector<Jet> jets;
    for (long long n = 1; n <= options_.tirages; ++n) {
      tire(section, jets);
      if (jets.back().element == AUCUNE)
        ++sans_entree;
      else
        ++comptes[jets.back().element - section.premier];
    }
    const bool json = options_.format == Format::json;
    std::string sortie;
    if (!json) {
      ajoute_chemin(sortie, chemin.affiche);
      sortie += pour_la_sortie(" : " + std::to_string(options_.tirages) + " tirage" +
                               (options_.tirages > 1 ? "s" : "") +
                               "\n  ligne  entr\xC3\xA9"
                               "e       tirages      part  chance totale\n");
      ecrit(sortie);
    }
    // A line an entry, written into one text that goes out by large pieces.
    ChancesTotales chances;
    std::string lignes;
    for (std::uint32_t i = section.premier; i < section.fin; ++i) {
      const Modele::Element &e = modele_.elements()[i];
      const Fraction &totale = chances.de(modele_, e);
      if (e.ouvre != AUCUNE && modele_.listes()[e.ouvre].taille > 0)
        continue;  // its list's entries end the draws
      const std::uint64_t n = comptes[i - section.premier];
      if (json) {  // numbers and digits only: nothing to escape
        lignes += "{\"line\":";
        ajoute_nombre(lignes, e.ligne);
        lignes += ",\"entry\":\"";
        ajoute_libelle(lignes, e);
        lignes += "\",\"count\":";
        ajoute_nombre(lignes, static_cast<std::int64_t>(n));
        lignes += ",\"overall\":\"";
        totale.ajoute_a(lignes);
        lignes += "\"}\n";
      } else {
        std::string champ;
        lignes += "  ";
        ajoute_nombre(champ, e.ligne);
        ajoute_cadre(lignes, champ, 5, '>');
        lignes += "  ";
        champ.assign(2 * static_cast<std::size_t>(e.niveau), ' ');
        ajoute_libelle(champ, e);
        ajoute_cadre(lignes, champ, 9, '<');
        lignes += ' ';
        champ.clear();
        ajoute_nombre(champ, static_cast<std::int64_t>(n));
        ajoute_cadre(lignes, champ, 10, '>');
        lignes += "  ";
        champ.clear();
        ajoute_pourcentage(champ, static_cast<double>(n) / static_cast<double>(options_.tirages));
        ajoute_cadre(lignes, champ, 8, '>');
        lignes += "  ";
        champ.clear();
        totale.ajoute_a(champ);
        ajoute_cadre(lignes, champ, 8, '>');
        lignes += ' ';
        champ.clear();
        ajoute_pourcentage(champ, totale.valeur());
        ajoute_cadre(lignes, champ, 8, '>');
        lignes += "  ";
        ajoute_raccourci(lignes, modele_.texte(e), TEXTE_COMPTE);
        lignes += '\n';
      }
      if (lignes.size() > (1u << 16)) {
        json ? ecrit(lignes) : ecrit_sur_la_sortie(lignes);
        lignes.clear();
      }
    }
    json ? ecrit(lignes) : ecrit_sur_la_sortie(lignes);
    if (sans_entree > 0 && !json)
      ecrit(pour_la_sortie(en_utf8("  aucune entrée : ") + std::to_string(sans_entree) + "\n"));
  }

  const Options &options_;
  Modele modele_;
};

}  // namespace

int tire(const Options &options) {
  Tirage tirage(options);
  const char *chemin = options.chemins.front();
  if (std::string(chemin) == "-") {
    SourceDescripteur entree(0);
    tirage.table({options.nom, options.nom}, entree);
    return tirage.statut;
  }
  struct stat etat {};
  if (stat(chemin, &etat) == 0 && S_ISDIR(etat.st_mode)) {
    dit(std::string("Sondeur: --tirer tire dans une table, pas dans un dossier : ") + chemin);
    return LOT_IMPOSSIBLE;
  }
  Parcours(tirage).visite(chemin);
  return tirage.statut;
}
