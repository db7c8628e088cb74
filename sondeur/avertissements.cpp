// avertissements.cpp -- the warnings of Sondeur (avertissements.h).
//
// Three warnings speak of the whole file at line 1: a byte order mark, a
// file in UTF-8, an empty file. They are known only once the bytes that
// decide them have been read, often at the end of the file; until then the
// table's findings wait (constats.h), and when too many wait, the verdicts
// are taken on the bytes read so far.
#include "sondeur/avertissements.h"

#include <algorithm>
#include <cstring>

#include "sondeur/nombre.h"

namespace {

using Texte = std::string_view;

// The reading takes at most 254 bytes of a line at a time, line end included.
constexpr std::int64_t MORCEAU = 254;
// The text of an entry quoted in a suggestion, at most.
constexpr std::size_t CITATION_MAX_SUGGESTION = 40;
// A number or a range as written, at most: "-2147483648--2147483648".
constexpr std::size_t NUMERO_MAX = 23;

// The messages, in ISO 8859-1 once compiled.
constexpr const char *APRES_LA_FIN =
    "entrée %d après la fin de la table (dd%d annonce %d entrée%s)";
constexpr const char *INTERVALLE_TROP_LONG =
    "intervalle %d-%d au-delà de la fin de la %s (dd%d annonce %d entrée%s)";
constexpr const char *INTERVALLE_A_L_ENVERS =
    "intervalle %d-%d à l'envers : la fin est avant le début";
constexpr const char *SANS_DEUX_POINTS = "%s %.*s n'est pas suivi de ':' (%.*s:%.*s%s ?)";
constexpr const char *SANS_DD_VIDE = "en-tête sans marqueur dd : la table est lue comme vide";
constexpr const char *SANS_DD_TAILLE =
    "en-tête sans marqueur dd : le nombre %d en début de ligne est lu comme la taille de la table";
constexpr const char *TABULATION =
    "tabulation après le mot clé %s : une tabulation n'est pas une espace";
constexpr const char *LIGNE_LONGUE =
    "ligne de %lld octets : Sondeur en lit 254 au plus (fin de ligne comprise) et prend la "
    "suite pour une autre ligne";
constexpr const char *MARQUE_UTF8 =
    "marque d'ordre des octets (BOM) UTF-8 en tête du fichier : les tables s'écrivent en "
    "Latin-1 (ISO 8859-1), sans BOM";
constexpr const char *FICHIER_UTF8 =
    "fichier écrit en UTF-8 : les tables s'écrivent en Latin-1 (ISO 8859-1), enregistrez-le "
    "dans ce codage";
constexpr const char *FICHIER_VIDE =
    "fichier vide : une table commence par sa taille et sa première entrée, comme "
    "dd6:1:Gobelin";

// "s" after a count of entries that takes the plural: 2 entrées, 1 entrée.
const char *pluriel(std::int32_t n) { return n > 1 ? "s" : ""; }

bool blanc(char c) { return c == ' ' || c == '\t'; }
bool fin_de_ligne(char c) { return c == '\n' || c == '\r'; }

char car(Texte t, std::size_t i) { return i < t.size() ? t[i] : '\0'; }

// An entry's number as its author wrote it, from the start of the entry:
// white space and a sign, digits, maybe '-' and the digits of a range's end,
// then what follows (blanks skipped).
struct Ecrit {
  bool nombre = false;      // digits were found
  bool intervalle = false;  // "a-b" with digits on both sides
  Texte numero;             // "2" or "2-4", from its first digit
  Texte suite;              // the rest of the line after the number and its blanks
};

Ecrit lit_ecrit(Texte t) {
  Ecrit e;
  std::size_t i = 0;
  while (i < t.size() && est_espace(t[i])) ++i;
  if (car(t, i) == '+' || car(t, i) == '-') ++i;
  const std::size_t debut = i;
  while (est_chiffre(car(t, i))) ++i;
  if (i == debut) return e;
  e.nombre = true;
  if (car(t, i) == '-') {
    std::size_t j = i + 1;
    while (blanc(car(t, j))) ++j;
    if (car(t, j) == '+' || car(t, j) == '-') ++j;
    const std::size_t chiffres_fin = j;
    while (est_chiffre(car(t, j))) ++j;
    if (j > chiffres_fin) {
      e.intervalle = true;
      i = j;
    }
  }
  e.numero = t.substr(debut, i - debut);
  while (blanc(car(t, i))) ++i;
  e.suite = t.substr(std::min(i, t.size()));
  return e;
}

}  // namespace

void Avertissements::commence() {
  taille_ = 0;
  marquee_ = true;
  ouvert_ = debut_ = true;
  marque_ = texte_ = false;
  utf8_ = SuiviUtf8();
}

// A header without "dd": its size is read from the start of the line.
void Avertissements::liste(int niveau, std::int32_t taille, bool marquee, const Lieu &lieu) {
  if (niveau != 0) return;
  taille_ = taille;
  marquee_ = marquee;
  if (marquee) return;
  if (taille > 0)
    constats_.ajoute(Gravite::avertissement, Code::sans_dd, lieu, SANS_DD_TAILLE, taille);
  else
    constats_.ajoute(Gravite::avertissement, Code::sans_dd, lieu, "%s", SANS_DD_VIDE);
}

// A range reversed or past the size of its list (only where the reading
// takes a range too), and a number followed by text without its ':'. A piece
// that goes on a longer line is no entry of its author's.
void Avertissements::entree(const Entree &e) {
  if (!e.debut_de_ligne) return;
  // Most entries: "12:Orc", or a range "3-6:Orc" whose end the reading took.
  std::size_t i = 0;
  while (est_chiffre(car(e.ecrit, i))) ++i;
  if (i > 0 && e.intervalle && car(e.ecrit, i) == '-' && est_chiffre(car(e.ecrit, i + 1))) {
    std::size_t j = i + 1;
    while (est_chiffre(car(e.ecrit, j))) ++j;
    if (car(e.ecrit, j) == ':') return intervalle(e);
  }
  if (i > 0 && !e.intervalle && car(e.ecrit, i) == ':') return;
  const Ecrit ecrit = lit_ecrit(e.ecrit);
  if (!ecrit.nombre) return;
  if (ecrit.intervalle && e.intervalle) intervalle(e);
  const char c = car(ecrit.suite, 0);
  if (c == ':' || c == '\0' || fin_de_ligne(c)) return;
  // "le numéro 2 n'est pas suivi de ':' (2:Un garde ?)": the suggestion is
  // the number, ':' and the text after the separator the author used.
  Texte texte = ecrit.suite;
  while (!texte.empty() && (blanc(texte[0]) || Texte(".)-/=;,:").find(texte[0]) != Texte::npos))
    texte.remove_prefix(1);
  std::size_t n = 0;
  while (n < texte.size() && !fin_de_ligne(texte[n])) ++n;
  const int cite = static_cast<int>(std::min(n, CITATION_MAX_SUGGESTION));
  const int numero = static_cast<int>(std::min(ecrit.numero.size(), NUMERO_MAX));
  constats_.ajoute(Gravite::avertissement, Code::deux_points, e.lieu, SANS_DEUX_POINTS,
                   ecrit.intervalle ? "l'intervalle" : "le numéro", numero, ecrit.numero.data(),
                   numero, ecrit.numero.data(), cite, texte.data(),
                   n > CITATION_MAX_SUGGESTION ? "..." : "");
}

// A range that the reading took as its author wrote it: reversed, or past
// the size of its list.
void Avertissements::intervalle(const Entree &e) {
  if (e.fin < e.numero)
    constats_.ajoute(Gravite::avertissement, Code::intervalle_inverse, e.lieu_fin,
                     INTERVALLE_A_L_ENVERS, e.numero, e.fin);
  else if (e.fin > e.taille)
    constats_.ajoute(Gravite::avertissement, Code::intervalle_apres_fin, e.lieu_fin,
                     INTERVALLE_TROP_LONG, e.numero, e.fin, e.niveau == 0 ? "table" : "sous-table",
                     e.taille, e.taille, pluriel(e.taille));
}

// A line after a single table that begins with a number followed by ':' or
// '-' is an entry its author meant to be part of it. Entries are numbered
// from 1: a "0:" line is a prefix, not an entry. After a header without
// "dd" its own warning says why.
void Avertissements::apres_la_fin(std::string_view ligne, const Lieu &lieu) {
  if (!marquee_) return;
  std::int64_t valeur;
  if (numero_d_entree(ligne, valeur) > 0)
    constats_.ajoute(Gravite::avertissement, Code::entree_apres_fin, lieu, APRES_LA_FIN,
                     borne(valeur), taille_, taille_, pluriel(taille_));
}

// A keyword followed by a tab: its error says a space is missing, this
// warning says why the author's eye did not see it.
void Avertissements::faute(const Faute &f) {
  const char *mot = nullptr;
  std::size_t apres = 1;
  if (f.code == Code::espace_mot_cle) {
    mot = car(f.ici, 0) == '#' ? "#" : ">";
  } else if (f.code == Code::espace_tt) {
    mot = "tt";
    apres = 2;
  } else if (f.code == Code::espace_tt_plus) {
    mot = "tt+";
    apres = 3;
  }
  if (mot != nullptr && car(f.ici, apres) == '\t')
    constats_.ajoute(Gravite::avertissement, Code::tabulation, f.lieu, TABULATION, mot);
}

void Avertissements::ligne_finie(const Ligne &ligne) {
  if (ligne.longueur > MORCEAU)
    constats_.ajoute(Gravite::avertissement, Code::ligne_longue, {ligne.numero, MORCEAU + 1},
                     LIGNE_LONGUE, static_cast<long long>(ligne.longueur));
}

void Avertissements::octets(const unsigned char *octets, std::size_t n) {
  if (!ouvert_) return;
  std::size_t i = 0;
  if (debut_ && n >= 3 && octets[0] == 0xEF && octets[1] == 0xBB && octets[2] == 0xBF) {
    marque_ = true;  // a byte order mark: the UTF-8 verdict is taken
    i = 3;
  }
  debut_ = debut_ && n == 0;
  while (!texte_ && i < n) texte_ = !est_espace(static_cast<char>(octets[i++]));
  if (!marque_) utf8_.examine(octets, n);
  if (texte_ && (marque_ || utf8_.invalide())) tranche(true);
}

void Avertissements::fin_du_fichier() { tranche(true); }

// Takes the verdicts of line 1 (`entier`: on the whole file, or else on the
// bytes read so far) and lets the findings that waited for them go.
void Avertissements::tranche(bool entier) {
  if (!ouvert_) return;
  ouvert_ = false;
  if (!texte_ && entier) constats_.ajoute_en_tete(Code::fichier_vide, FICHIER_VIDE);
  if (marque_)
    constats_.ajoute_en_tete(Code::bom, MARQUE_UTF8);
  else if (utf8_.au_dela_d_ascii() && !utf8_.invalide() && !(entier && utf8_.coupe()))
    constats_.ajoute_en_tete(Code::utf8, FICHIER_UTF8);
  constats_.libere();
}
