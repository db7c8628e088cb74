// modele.cpp -- what a table gives when it is rolled (modele.h).
#include "sondeur/modele.h"

#include <algorithm>

#include "sondeur/nombre.h"

const char *raison_inaccessible(Inaccessible raison) {
  switch (raison) {
    case Inaccessible::au_dela: return "au-delà de la taille de la liste";
    case Inaccessible::a_l_envers: return "intervalle à l'envers";
    case Inaccessible::deja_prises: return "faces déjà prises par des entrées précédentes";
    case Inaccessible::liste_jamais_tiree: return "sa liste n'est jamais tirée";
    case Inaccessible::non: break;
  }
  return nullptr;
}

Modele::Modele(std::size_t texte_max) : Observateur(true), texte_max_(texte_max) {}

void Modele::commence() {
  sections_.clear();
  elements_.clear();
  listes_.clear();
  faces_.clear();
  textes_.clear();
}

void Modele::section(std::string_view titre, const Lieu &) {
  Section s;
  s.titre.assign(titre);
  s.titree = true;
  s.premier = s.fin = static_cast<std::uint32_t>(elements_.size());
  sections_.push_back(std::move(s));
}

// A list at level 0 begins a table: a single table's has no section yet.
// A nested list is opened by the last entry of the level above.
void Modele::liste(int niveau, std::int32_t taille, bool, const Lieu &) {
  const auto numero = static_cast<std::uint32_t>(listes_.size());
  std::uint32_t parente = AUCUNE;
  if (niveau == 0) {
    if (sections_.empty() || sections_.back().liste != AUCUNE) {
      Section s;
      s.titree = false;
      s.premier = s.fin = static_cast<std::uint32_t>(elements_.size());
      sections_.push_back(std::move(s));
    }
    sections_.back().liste = numero;
  } else if (!elements_.empty()) {
    parente = static_cast<std::uint32_t>(elements_.size() - 1);
    elements_.back().ouvre = numero;
  }
  listes_.push_back({taille, parente, {}});
  ouvertes_[niveau] = numero;
}

void Modele::entree(const Entree &entree) {
  Element e;
  e.ligne = entree.lieu.ligne;
  e.numero = entree.numero;
  e.fin = entree.fin;
  e.intervalle = entree.intervalle;
  e.niveau = entree.niveau;
  e.liste = ouvertes_[entree.niveau];
  e.texte = static_cast<std::uint32_t>(textes_.size());
  gagne(e, listes_[e.liste]);
  if (e.inaccessible == Inaccessible::non && listes_[e.liste].parente != AUCUNE &&
      elements_[listes_[e.liste].parente].inaccessible != Inaccessible::non)
    e.inaccessible = Inaccessible::liste_jamais_tiree;
  elements_.push_back(e);
  ajoute_texte(entree.texte);
  sections_.back().fin = static_cast<std::uint32_t>(elements_.size());
}

// "7:Dragon" or "8-9:Liche" after a single table: an entry past its die.
void Modele::apres_la_fin(std::string_view ligne, const Lieu &lieu) {
  if (sections_.empty() || sections_.back().liste == AUCUNE) return;
  std::int64_t numero;
  std::size_t n = numero_d_entree(ligne, numero);
  if (n == 0) return;
  std::int64_t fin = numero;
  const bool intervalle = n + 1 < ligne.size() && ligne[n] == '-' && est_chiffre(ligne[n + 1]);
  if (intervalle) n += 1 + chiffres(ligne.substr(n + 1), fin);
  Element e;
  e.ligne = lieu.ligne;
  e.numero = borne(numero);
  e.fin = borne(fin);
  e.intervalle = intervalle;
  e.niveau = 0;
  e.liste = sections_.back().liste;
  e.faces = static_cast<std::uint32_t>(faces_.size());
  e.inaccessible = Inaccessible::au_dela;
  e.texte = static_cast<std::uint32_t>(textes_.size());
  elements_.push_back(e);
  const std::size_t deux_points = ligne.find(':');
  ajoute_texte(deux_points == std::string_view::npos ? ligne.substr(n)
                                                     : ligne.substr(deux_points + 1));
  sections_.back().fin = static_cast<std::uint32_t>(elements_.size());
}

// The continuation line is part of its entry's text, after a space.
void Modele::suite(std::string_view texte, const Lieu &) {
  if (elements_.empty()) return;
  ajoute_texte(" ");
  ajoute_texte(texte);
}

void Modele::ajoute_texte(std::string_view texte) {
  Element &e = elements_.back();
  const std::size_t place = texte_max_ > e.longueur ? texte_max_ - e.longueur : 0;
  texte = texte.substr(0, std::min(place, texte.size()));
  textes_.append(texte);
  e.longueur += static_cast<std::uint32_t>(texte.size());
}

// The faces of `e` within its die that no earlier entry holds: the gaps
// between the runs already won, inside [first, last].
void Modele::gagne(Element &e, Liste &liste) {
  const std::int64_t premiere = std::max<std::int64_t>(e.numero, 1);
  const std::int64_t derniere = std::min<std::int64_t>(e.fin, liste.taille);
  e.faces = static_cast<std::uint32_t>(faces_.size());
  if (e.intervalle && e.fin < e.numero) {
    e.inaccessible = Inaccessible::a_l_envers;
    return;
  }
  if (premiere > derniere) {
    e.inaccessible = Inaccessible::au_dela;
    return;
  }
  auto &gains = liste.gains;
  const auto numero = static_cast<std::uint32_t>(elements_.size());
  // The first run won that ends at or after `premiere`; most entries come
  // after every run already won.
  auto i =
      gains.empty() || gains.back().first.derniere < premiere
          ? gains.end()
          : std::lower_bound(gains.begin(), gains.end(), premiere,
                             [](const auto &g, std::int64_t f) { return g.first.derniere < f; });
  std::int64_t face = premiere;
  auto &nouveaux = nouveaux_;
  nouveaux.clear();
  for (; face <= derniere && i != gains.end() && i->first.premiere <= derniere; ++i) {
    if (i->first.premiere > face) nouveaux.push_back({{face, i->first.premiere - 1}, numero});
    face = std::max(face, i->first.derniere + 1);
  }
  if (face <= derniere) nouveaux.push_back({{face, derniere}, numero});
  for (const auto &n : nouveaux) {
    faces_.push_back(n.first);
    e.gagnees += static_cast<std::uint64_t>(n.first.derniere - n.first.premiere + 1);
    if (gains.empty() || gains.back().first.premiere < n.first.premiere) {  // most runs come last
      gains.push_back(n);
      continue;
    }
    const auto ou =
        std::lower_bound(gains.begin(), gains.end(), n.first.premiere,
                         [](const auto &g, std::int64_t f) { return g.first.premiere < f; });
    gains.insert(ou, n);
  }
  e.runs = static_cast<std::uint32_t>(nouveaux.size());
  if (e.gagnees == 0) e.inaccessible = Inaccessible::deja_prises;
}

std::uint32_t Modele::entree_de(std::uint32_t liste, std::int64_t face) const {
  const auto &gains = listes_[liste].gains;
  const auto i =
      std::upper_bound(gains.begin(), gains.end(), face,
                       [](std::int64_t f, const auto &g) { return f < g.first.premiere; });
  if (i == gains.begin() || std::prev(i)->first.derniere < face) return AUCUNE;
  return std::prev(i)->second;
}

const Fraction &ChancesTotales::de(const Modele &modele, const Modele::Element &e) {
  const std::int32_t taille = modele.listes()[e.liste].taille;
  courante_ = niveaux_[e.niveau];
  courante_.multiplie(static_cast<std::uint32_t>(e.gagnees),
                      taille > 0 ? static_cast<std::uint32_t>(taille) : 1);
  if (e.ouvre != AUCUNE) niveaux_[e.niveau + 1] = courante_;
  return courante_;
}
