// constats.cpp -- the findings of one table, in line order (constats.h).
#include "sondeur/constats.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

// The most findings one line keeps; past them its errors are only counted.
// A line of the file holds few entries, each of a fault or two.
constexpr std::size_t PAR_LIGNE_MAX = 256;

}  // namespace

Constats::Constats(SortieConstats &sortie) : sortie_(sortie) {
  ligne_.reserve(PAR_LIGNE_MAX);
  attente_.reserve(ATTENTE_MAX + PAR_LIGNE_MAX);
  premiere_.reserve(CITATION_MAX);
}

void Constats::commence() {
  ligne_.clear();
  attente_.clear();
  en_attente_ = true;
  ligne_finie_ = false;
  premiere_.clear();
  premiere_tronquee_ = false;
  erreurs_ = avertissements_ = 0;
}

void Constats::ajoute(Gravite gravite, Code code, const Lieu &lieu, const char *format, ...) {
  if (ligne_.size() == PAR_LIGNE_MAX) {
    if (gravite == Gravite::erreur) ++erreurs_;
    return;
  }
  Trouve &t = ligne_.emplace_back();
  t.lieu = lieu;
  t.gravite = gravite;
  t.code = code;
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(t.message, sizeof t.message, format, arguments);
  va_end(arguments);
}

void Constats::ajoute_en_tete(Code code, const char *message) {
  Trouve t{{1, 1}, Gravite::avertissement, code, {}};
  std::snprintf(t.message, sizeof t.message, "%s", message);
  if (!ligne_finie_)  // line 1 is still the current line, or the file holds none
    ligne_.insert(ligne_.begin(), t);
  else
    attente_.insert(attente_.begin(), {t, premiere_, premiere_tronquee_});
}

// Warnings first, each kind in the order of its columns; at one place, in
// the order found.
void Constats::range_la_ligne() {
  std::stable_sort(ligne_.begin(), ligne_.end(), [](const Trouve &a, const Trouve &b) {
    if (a.gravite != b.gravite) return a.gravite == Gravite::avertissement;
    return a.lieu.colonne < b.lieu.colonne;
  });
}

void Constats::ligne_finie(const Ligne &ligne) {
  if (en_attente_ && !ligne_finie_) {
    premiere_.assign(ligne.texte);
    premiere_tronquee_ = ligne.tronquee;
  }
  ligne_finie_ = true;
  if (ligne_.empty()) return;
  range_la_ligne();
  for (const Trouve &t : ligne_) {
    if (en_attente_)
      attente_.push_back({t, std::string(ligne.texte), ligne.tronquee});
    else
      emet(t, ligne.texte, ligne.tronquee);
  }
  ligne_.clear();
}

void Constats::libere() {
  if (!en_attente_) return;
  en_attente_ = false;
  for (const Attente &a : attente_) emet(a.trouve, a.texte, a.tronque);
  attente_.clear();
}

void Constats::termine() {
  if (!ligne_.empty()) ligne_finie({1, 0, {}, false});  // a file without any line
  libere();
  if (erreurs_ > ERREURS_MONTREES) sortie_.erreurs_cachees(erreurs_ - ERREURS_MONTREES);
}

void Constats::emet(const Trouve &trouve, std::string_view texte, bool tronque) {
  if (trouve.gravite == Gravite::erreur) {
    if (++erreurs_ > ERREURS_MONTREES) return;
  } else {
    ++avertissements_;
  }
  sortie_.constat({trouve.lieu, trouve.gravite, trouve.code, trouve.message, texte, tronque});
}
