// avertissements.cpp -- the warnings of Sondeur (avertissements.h).
//
// The table is followed as the engine follows it: the kind of file from line
// 1, the levels and their "dd" sizes, the expected numbers and the ranges,
// the "0:" and "0." prefixes, the continuation lines of '#' and '>', the
// lists opened by "dd" on an entry's line, the free lines of collections;
// and on the very pieces the engine reads (a line, or 254 bytes of a longer
// one). So on a table that the engine accepts, both readings stay in step.
// Where the engine would report an error, or the file ends inside a table,
// the table is faulty or cut anyway: this reading stops following it there,
// and only the checks of whole lines go on.
//
// Lines are counted as the user sees them, up to each line feed whatever
// their length. The file is read once through a large buffer; nothing is
// allocated, so memory stays the same whatever the size of the file.
#include "sondeur/avertissements.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "sondeur/avertissements_suivi.h"
#include "sondeur/genre.h"
#include "sondeur/nombre.h"

namespace {

using Texte = std::string_view;

// The engine reads at most 254 bytes of a line at a time, line end included.
constexpr std::size_t MORCEAU = 254;
// The read buffer: large reads, few calls.
constexpr std::size_t TAILLE_TAMPON = 64 * 1024;
// Nesting levels 0 to 99, as in the engine.
constexpr int NIVEAUX_MAX = 100;
// A message: the longest (a number without its ':') is about 140 bytes.
constexpr std::size_t TAILLE_MESSAGE = 192;
// The warnings that may wait for the verdicts of line 1 (see Rapport).
constexpr int ATTENTE_MAX = 128;
// The text of an entry quoted in a suggestion, at most.
constexpr std::size_t CITATION_MAX = 40;
// A number or a range as written, at most: "-2147483648--2147483648".
constexpr std::size_t NUMERO_MAX = 23;

// The messages, in ISO 8859-1 once compiled.
constexpr const char *APRES_LA_FIN = "entrée %d après la fin de la table (dd%d annonce %d entrée%s)";
constexpr const char *INTERVALLE_TROP_LONG =
    "intervalle %d-%d au-delà de la fin de la %s (dd%d annonce %d entrée%s)";
constexpr const char *INTERVALLE_A_L_ENVERS =
    "intervalle %d-%d à l'envers : la fin est avant le début";
constexpr const char *SANS_DEUX_POINTS = "%s %.*s n'est pas suivi de ':' (%.*s:%.*s%s ?)";
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
bool chiffre(char c) { return c >= '0' && c <= '9'; }
bool fin_de_ligne(char c) { return c == '\n' || c == '\r'; }

char car(Texte t, std::size_t i) { return i < t.size() ? t[i] : '\0'; }

// Whether `t` begins with the two characters of `debut` ("dd", "pp").
bool commence_par(Texte t, const char (&debut)[3]) {
  return car(t, 0) == debut[0] && car(t, 1) == debut[1];
}

// Drops `t` through the first `c`, or the first `c` followed by `puis` when
// `puis` is not NUL; nothing when absent. "dd6:1:x" with 'd', 'd' leaves
// "6:1:x"; "2:Orc" with ':' leaves "Orc".
void efface(Texte &t, char c, char puis = '\0') {
  const char *const fin = t.data() + t.size();
  for (const char *p = t.data(); p < fin; ++p) {
    p = static_cast<const char *>(std::memchr(p, c, static_cast<std::size_t>(fin - p)));
    if (p == nullptr) return;
    if (puis == '\0') return t.remove_prefix(static_cast<std::size_t>(p + 1 - t.data()));
    if (p + 1 < fin && p[1] == puis) return t.remove_prefix(static_cast<std::size_t>(p + 2 - t.data()));
  }
}

// The warnings, handed to the caller in line order. Three of them speak of
// the whole file at line 1: a byte order mark, a file in UTF-8, an empty
// file; they are known only once the bytes that decide them have been read,
// often at the end of the file. Until then the other warnings wait here. Past
// ATTENTE_MAX waiting warnings the verdicts are taken on the bytes read so
// far, so that memory stays bounded: a file whose non-ASCII bytes come after
// that many warnings is judged by those read before them.
class Rapport {
 public:
  explicit Rapport(const SignaleAvertissement &signale) : signale_(signale) {}

  // One warning at `ligne`, formatted as by printf.
  void ajoute(long ligne, const char *format, ...) {
    char message[TAILLE_MESSAGE];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    if (ouvert_ && attente_ == ATTENTE_MAX) tranche(false);
    if (!ouvert_) return emet(ligne, message);
    Attente &a = attentes_[attente_++];
    a.ligne = ligne;
    std::memcpy(a.message, message, sizeof message);
  }

  // The bytes of the file, as they are read, in order, each once.
  void examine(const unsigned char *octets, std::size_t n) {
    if (!ouvert_) return;
    std::size_t i = 0;
    if (lus_ == 0 && n >= 3 && octets[0] == 0xEF && octets[1] == 0xBB && octets[2] == 0xBF) {
      marque_ = true;  // a byte order mark: the UTF-8 verdict is taken
      i = 3;
    }
    lus_ += n;
    while (!texte_ && i < n) texte_ = !espace(static_cast<char>(octets[i++]));
    if (!marque_ && !invalide_) examine_utf8(octets, n);
    if (texte_ && (marque_ || invalide_)) tranche(true);
  }

  void fin_du_fichier() {
    invalide_ = invalide_ || suite_ > 0;  // a sequence cut by the end of the file
    tranche(true);
  }

  int nombre() const { return nombre_; }

 private:
  struct Attente {
    long ligne;
    char message[TAILLE_MESSAGE];
  };

  // The bytes that may begin a UTF-8 sequence of two bytes or more: how many
  // bytes follow, and the range of the first of them (the others lie in
  // 0x80-0xBF). Overlong forms, surrogates and values past U+10FFFF fail.
  struct Tete {
    unsigned char premier, dernier;
    int suite;
    unsigned char bas, haut;
  };
  static constexpr Tete TETES[] = {
      {0xC2, 0xDF, 1, 0x80, 0xBF}, {0xE0, 0xE0, 2, 0xA0, 0xBF}, {0xE1, 0xEC, 2, 0x80, 0xBF},
      {0xED, 0xED, 2, 0x80, 0x9F}, {0xEE, 0xEF, 2, 0x80, 0xBF}, {0xF0, 0xF0, 3, 0x90, 0xBF},
      {0xF1, 0xF3, 3, 0x80, 0xBF}, {0xF4, 0xF4, 3, 0x80, 0x8F},
  };

  // Follows the UTF-8 sequences of the non-ASCII bytes; stops at the first
  // byte that cannot belong to one. ASCII goes by eight bytes at a time.
  void examine_utf8(const unsigned char *octets, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
      if (suite_ > 0) {
        const unsigned char c = octets[i++];
        if (c < bas_ || c > haut_) {
          invalide_ = true;
          return;
        }
        bas_ = 0x80;
        haut_ = 0xBF;
        if (--suite_ == 0) utf8_ = true;
        continue;
      }
      for (std::uint64_t mot; i + 8 <= n; i += 8) {
        std::memcpy(&mot, octets + i, 8);
        if (mot & 0x8080808080808080u) break;
      }
      while (i < n && octets[i] < 0x80) ++i;
      if (i == n) return;
      const unsigned char c = octets[i++];
      const Tete *t = std::find_if(std::begin(TETES), std::end(TETES),
                                   [c](const Tete &t) { return c >= t.premier && c <= t.dernier; });
      if (t == std::end(TETES)) {
        invalide_ = true;
        return;
      }
      suite_ = t->suite;
      bas_ = t->bas;
      haut_ = t->haut;
    }
  }

  // Takes the verdicts of line 1 (`entier`: on the whole file, or else on
  // the bytes read so far), hands out their warnings, then those waiting.
  void tranche(bool entier) {
    if (!ouvert_) return;
    ouvert_ = false;
    if (marque_)
      emet(1, MARQUE_UTF8);
    else if (utf8_ && !invalide_)
      emet(1, FICHIER_UTF8);
    if (!texte_ && entier) emet(1, FICHIER_VIDE);
    for (int i = 0; i < attente_; ++i) emet(attentes_[i].ligne, attentes_[i].message);
    attente_ = 0;
  }

  void emet(long ligne, const char *message) {
    if (nombre_ < INT_MAX) ++nombre_;
    signale_(ligne, message);
  }

  const SignaleAvertissement &signale_;
  int nombre_ = 0;
  bool ouvert_ = true;      // the verdicts of line 1 are not taken yet
  long long lus_ = 0;       // bytes examined
  bool marque_ = false;     // the file starts with a UTF-8 byte order mark
  bool texte_ = false;      // a byte other than white space, past the mark
  bool utf8_ = false;       // a whole UTF-8 sequence of two bytes or more
  bool invalide_ = false;   // a non-ASCII byte outside any UTF-8 sequence
  int suite_ = 0;           // bytes still due in the current sequence
  unsigned char bas_ = 0x80, haut_ = 0xBF;  // range of the next of them
  int attente_ = 0;
  Attente attentes_[ATTENTE_MAX];
};

// The file in the pieces the engine reads: up to and including a line feed,
// or the first 254 bytes of a longer line. Each piece lies whole in the
// buffer and stays there until the next one is taken, even when the file
// has ended. Every byte read goes through the Rapport's examination, and
// each line longer than the engine's pieces is reported at its number.
class Lecteur {
 public:
  Lecteur(std::FILE *fichier, Rapport &rapport) : fichier_(fichier), rapport_(rapport) {}

  // Moves on to the next piece; false at the end of the file.
  bool suivante() {
    std::size_t reste = fin_ - debut_;
    const char *saut;
    for (;;) {
      saut = static_cast<const char *>(std::memchr(tampon_ + debut_, '\n', std::min(reste, MORCEAU)));
      if (saut != nullptr || reste >= MORCEAU || !remplit()) break;
      reste = fin_ - debut_;
    }
    if (reste == 0) {
      ferme_ligne();
      return false;
    }
    const std::size_t n = saut ? static_cast<std::size_t>(saut - (tampon_ + debut_)) + 1
                               : std::min(reste, MORCEAU);
    debut_de_ligne_ = !ouverte_;
    if (debut_de_ligne_) {
      if (ligne_ < LONG_MAX) ++ligne_;
      longueur_ = 0;
      ouverte_ = true;
    }
    longueur_ += static_cast<long long>(n);
    if (nul_ < debut_) cherche_nul(debut_);
    piece_ = Texte(tampon_ + debut_, std::min(n, nul_ - debut_));
    debut_ += n;
    if (saut != nullptr) ferme_ligne();
    return true;
  }

  // The current piece up to its first NUL byte, which ends it as it ends
  // any string in the engine.
  Texte texte() const { return piece_; }
  // True when the current piece begins a line of the file.
  bool debut_de_ligne() const { return debut_de_ligne_; }
  // The number of the line of the current piece.
  long ligne() const { return ligne_; }

 private:
  // Reads more of the file after the bytes not yet handed out, moved to
  // the front. False when nothing more comes.
  bool remplit() {
    if (fin_du_fichier_) return false;
    const std::size_t reste = fin_ - debut_;
    if (reste > 0) std::memmove(tampon_, tampon_ + debut_, reste);
    debut_ = 0;
    fin_ = reste;
    const std::size_t lus = std::fread(tampon_ + fin_, 1, sizeof tampon_ - fin_, fichier_);
    rapport_.examine(reinterpret_cast<const unsigned char *>(tampon_ + fin_), lus);
    fin_ += lus;
    cherche_nul(0);  // the bytes have moved, even when none were read
    fin_du_fichier_ = lus == 0;
    return !fin_du_fichier_;
  }

  void cherche_nul(std::size_t depuis) {
    const void *n = std::memchr(tampon_ + depuis, '\0', fin_ - depuis);
    nul_ = n ? static_cast<std::size_t>(static_cast<const char *>(n) - tampon_) : fin_;
  }

  // The line being read has ended (line feed or end of file).
  void ferme_ligne() {
    if (ouverte_ && longueur_ > static_cast<long long>(MORCEAU))
      rapport_.ajoute(ligne_, LIGNE_LONGUE, longueur_);
    ouverte_ = false;
  }

  std::FILE *fichier_;
  Rapport &rapport_;
  std::size_t debut_ = 0, fin_ = 0;  // the bytes of `tampon_` not yet handed out
  std::size_t nul_ = 0;              // the first NUL at or after `debut_`, or `fin_`
  bool fin_du_fichier_ = false;
  Texte piece_;
  bool debut_de_ligne_ = false;
  bool ouverte_ = false;   // a line has begun and its line feed is still to come
  long ligne_ = 0;         // number of the line of the current piece
  long long longueur_ = 0; // bytes of that line so far, line feed included
  char tampon_[TAILLE_TAMPON];
};

// Where the reading of the structure stands; the first three are the
// verdicts of SuiviAvertissements.
enum Etat { COUPEE = 0, SANS_ERREUR = 1, ERREUR = 2, EN_COURS = 3 };

// An entry's number as its author wrote it, from the start of the entry:
// white space and a sign, digits, maybe '-' and the digits of a range's end,
// then what follows (blanks skipped).
struct Ecrit {
  bool nombre = false;       // digits were found
  bool intervalle = false;   // "a-b" with digits on both sides
  Texte numero;              // "2" or "2-4", from its first digit
  Texte suite;               // the rest of the line after the number and its blanks
};

Ecrit lit_ecrit(Texte t) {
  Ecrit e;
  std::size_t i = 0;
  while (i < t.size() && espace(t[i])) ++i;
  if (car(t, i) == '+' || car(t, i) == '-') ++i;
  const std::size_t debut = i;
  while (chiffre(car(t, i))) ++i;
  if (i == debut) return e;
  e.nombre = true;
  if (car(t, i) == '-') {
    std::size_t j = i + 1;
    while (blanc(car(t, j))) ++j;
    if (car(t, j) == '+' || car(t, j) == '-') ++j;
    const std::size_t chiffres_fin = j;
    while (chiffre(car(t, j))) ++j;
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

// The whole reading: the engine's walk through the table with the warnings
// of its entries, then the lines after a single table, then the rest of the
// file for the checks of whole lines.
class Lecture {
 public:
  Lecture(std::FILE *fichier, const SignaleAvertissement &signale)
      : rapport_(signale), lecteur_(fichier, rapport_) {}

  SuiviAvertissements lance() {
    const Etat verdict = suit_la_table();
    while (lecteur_.suivante()) {
    }
    rapport_.fin_du_fichier();
    return {rapport_.nombre(), verdict};
  }

 private:
  // The next piece into the working line. At the end of the file the
  // working line keeps its text, `fin_` is set and false returned.
  bool lit() {
    if (!lecteur_.suivante()) {
      fin_ = true;
      return false;
    }
    t_ = lecteur_.texte();
    return true;
  }

  Etat suit_la_table() {
    if (!lit()) return COUPEE;
    genre_ = genre_de(car(t_, 0), car(t_, 1));
    if (genre_ == TABLE_TITREE && !lit()) return COUPEE;  // past the heading
    for (;;) {
      niveau_ = 0;
      if (const Etat e = trouve_entete(); e != EN_COURS) return e;
      ouvre_liste();
      if (const Etat e = verifie_entrees(); e != SANS_ERREUR) return e;
      if (genre_ == TABLE_SEULE || genre_ == TABLE_TITREE) {
        cherche_entrees_apres_la_fin();
        return SANS_ERREUR;
      }
    }
  }

  // Brings the header of the next table into the working line (EN_COURS).
  // A collection that ends before its next title is clean; a title whose
  // header the end of the file cuts off is not followed further.
  Etat trouve_entete() {
    switch (genre_) {
      case RECUEIL_SOULIGNE:
      case RECUEIL_DIESE:
        while (car(t_, 0) != '#')
          if (!lit()) return SANS_ERREUR;
        return lit() ? EN_COURS : COUPEE;
      case RECUEIL_PP:
        while (!commence_par(t_, "pp"))
          if (!lit()) return SANS_ERREUR;
        if (fin_) return COUPEE;
        efface(t_, ':');
        return EN_COURS;
      default:
        return EN_COURS;
    }
  }

  // The size of the current level from its "dd" marker, 1 expected, and
  // the working line left on its first entry: "dd6:1:Gobelin" -> "1:Gobelin".
  void ouvre_liste() {
    efface(t_, 'd', 'd');
    maximum_[niveau_] = lit_nombre(t_);
    attendu_[niveau_] = 1;
    efface(t_, ':');
  }

  // The entries of one table, to the end of its outermost list. SANS_ERREUR
  // when the table is complete, ERREUR where the engine reports one, COUPEE
  // when the file ends first.
  Etat verifie_entrees() {
    while (niveau_ >= 0) {
      if (fin_) return COUPEE;
      if (const Etat e = verifie_entree(); e != EN_COURS) return e;
      while (niveau_ >= 0 && attendu_[niveau_] > maximum_[niveau_]) --niveau_;
    }
    return SANS_ERREUR;
  }

  // The entry at the front of the working line, checked as the engine does,
  // then its warnings; then on into a list opened on its line, or to the
  // next line.
  Etat verifie_entree() {
    assert(niveau_ >= 0 && niveau_ < NIVEAUX_MAX);
    if (!retire_zeros()) return ERREUR;
    const Texte entree = t_;
    std::int64_t valeur;
    const std::size_t en_tete = chiffres(t_, valeur);
    const std::int32_t numero = en_tete > 0 ? borne(valeur) : lit_nombre(t_);
    if (numero != attendu_[niveau_]) return ERREUR;
    const bool intervalle = consomme_nombre(en_tete);
    // A piece that goes on a longer line is no entry of its author's.
    if (lecteur_.debut_de_ligne()) verifie_numero(entree, numero, intervalle);
    attendu_[niveau_] = suivant(attendu_[niveau_]);
    efface(t_, ':');

    if (car(t_, 0) == '#' || car(t_, 0) == '>') {  // the next line continues the entry
      if (car(t_, 1) != ' ') return ERREUR;
      if (!lit()) return COUPEE;
      if (!retire_zeros_suite()) return ERREUR;
    }
    if (faute_tt()) return ERREUR;
    if (commence_par(t_, "dd")) {
      if (niveau_ + 1 >= NIVEAUX_MAX) return ERREUR;
      ++niveau_;
      ouvre_liste();
    } else {
      lit();  // at the end of the file the lists may all be complete
    }
    return EN_COURS;
  }

  // Drops the "0:" and "0." prefixes of an entry: "0:0.3:x" -> "3:x".
  // False where the engine reports the line ("05:x": nothing to drop).
  bool retire_zeros() {
    while (car(t_, 0) == '0') {
      if (car(t_, 1) == ':')
        efface(t_, ':');
      else if (t_.find('.') != Texte::npos)
        efface(t_, '.');
      else
        return false;
    }
    return true;
  }

  // Drops the "0...:" prefixes of a continuation line: "0:dd2:x" -> "dd2:x".
  bool retire_zeros_suite() {
    while (car(t_, 0) == '0') {
      if (t_.find(':') == Texte::npos) return false;
      efface(t_, ':');
    }
    return true;
  }

  // Removes the entry's number as the engine does (see its consomme_nombre:
  // at most as many steps as the line is long); a range "a-b" makes b the
  // level's expected number. True for a range.
  bool consomme_nombre(std::size_t en_tete) {
    const std::size_t longueur = t_.size();
    const std::size_t retires = std::min(en_tete, (longueur + 1) / 2);
    t_.remove_prefix(retires);
    if (retires == en_tete && 2 * retires < longueur && car(t_, 0) == '-') {
      t_.remove_prefix(1);
      attendu_[niveau_] = lit_nombre(t_);
      return true;
    }
    return false;
  }

  // "tt" must go on with a space, with '+' and a space, or with '0'.
  bool faute_tt() const {
    if (car(t_, 0) != 't' || car(t_, 1) != 't' || car(t_, 2) == '0') return false;
    if (car(t_, 2) == '+') return car(t_, 3) != ' ';
    return car(t_, 2) != ' ';
  }

  // The warnings of an entry the engine accepts: a range reversed or past
  // the size of its list (only where the engine reads a range too), and a
  // number followed by text without its ':'. `entree` starts at the number;
  // the level's expected number is still the range's end.
  void verifie_numero(Texte entree, std::int32_t numero, bool intervalle) {
    if (!intervalle && chiffre(car(entree, 0)) && car(t_, 0) == ':') return;  // "12:x", most entries
    const Ecrit e = lit_ecrit(entree);
    if (!e.nombre) return;
    if (e.intervalle && intervalle) {
      const std::int32_t fin = attendu_[niveau_], taille = maximum_[niveau_];
      if (fin < numero)
        ajoute(INTERVALLE_A_L_ENVERS, numero, fin);
      else if (fin > taille)
        ajoute(INTERVALLE_TROP_LONG, numero, fin, niveau_ == 0 ? "table" : "sous-table", taille,
               taille, pluriel(taille));
    }
    const char c = car(e.suite, 0);
    if (c != ':' && c != '\0' && !fin_de_ligne(c)) sans_deux_points(e);
  }

  // "le numéro 2 n'est pas suivi de ':' (2:Un garde ?)": the suggestion is
  // the number, ':' and the text after the separator the author used.
  void sans_deux_points(const Ecrit &e) {
    Texte texte = e.suite;
    while (!texte.empty() && (blanc(texte[0]) || Texte(".)-/=;,:").find(texte[0]) != Texte::npos))
      texte.remove_prefix(1);
    std::size_t n = 0;
    while (n < texte.size() && !fin_de_ligne(texte[n])) ++n;
    const int cite = static_cast<int>(std::min<std::size_t>(n, CITATION_MAX));
    const int numero = static_cast<int>(std::min<std::size_t>(e.numero.size(), NUMERO_MAX));
    ajoute(SANS_DEUX_POINTS, e.intervalle ? "l'intervalle" : "le numéro", numero, e.numero.data(),
           numero, e.numero.data(), cite, texte.data(), n > CITATION_MAX ? "..." : "");
  }

  // Lines after a single table: each that begins with a number followed by
  // ':' or '-' is an entry the author meant to be part of it. Entries are
  // numbered from 1: a "0:" line is a prefix, not an entry.
  void cherche_entrees_apres_la_fin() {
    const std::int32_t taille = maximum_[0];
    // The line after the last entry, when already read whole.
    bool entiere = !fin_ && t_.data() == lecteur_.texte().data();
    for (; entiere || lecteur_.suivante(); entiere = false) {
      if (!lecteur_.debut_de_ligne()) continue;
      const Texte ligne = lecteur_.texte();
      std::int64_t valeur;
      const std::size_t n = chiffres(ligne, valeur);
      if (n > 0 && valeur > 0 && (car(ligne, n) == ':' || car(ligne, n) == '-'))
        ajoute(APRES_LA_FIN, borne(valeur), taille, taille, pluriel(taille));
    }
  }

  // A warning at the line of the current piece.
  template <typename... Valeurs>
  void ajoute(const char *format, Valeurs... valeurs) {
    rapport_.ajoute(lecteur_.ligne(), format, valeurs...);
  }

  Rapport rapport_;
  Lecteur lecteur_;
  Texte t_;      // the working line: what is left to check of the current piece
  bool fin_ = false;
  Genre genre_ = TABLE_SEULE;
  int niveau_ = 0;
  std::int32_t maximum_[NIVEAUX_MAX] = {};  // each level's size
  std::int32_t attendu_[NIVEAUX_MAX] = {};  // the number each level's next entry must carry
};

}  // namespace

SuiviAvertissements suit_avertissements(std::FILE *table, const SignaleAvertissement &signale) {
  Lecture lecture(table, signale);
  return lecture.lance();
}

int cherche_avertissements(std::FILE *table, const SignaleAvertissement &signale) {
  return suit_avertissements(table, signale).avertissements;
}
