// lecture.cpp -- the one reading of a random table (lecture.h).
//
// The table is read in the reader's pieces (a line, or 254 bytes of a longer
// one), each counted as a line by the interactive report's counter, while
// the places told to the observer are the file's own lines and columns. The
// working line is the current piece from `debut_` to `fin_`, consumed by
// moving its start: the piece stays whole in the reader's buffer until the
// next read, so the echo line is a mere position in it. At the end of the
// file a read keeps the current piece: the interactive walk then goes on with
// what is left of it, as the report has always done, while a walk of the
// whole file says that the table is cut.
//
// Past a fault, a walk of the whole file goes on as an author would have
// meant: an entry that holds a number takes it as the number expected, so
// that one missing or extra entry makes one fault; a line without a number
// is passed over, the number expected unchanged; a keyword without its space
// is read as if it had it.
#include "sondeur/lecture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "sondeur/genre.h"
#include "sondeur/nombre.h"

namespace {

// Nesting levels 0 to 99: the size of the per-level maximum and expected arrays.
constexpr int NIVEAUX_MAX = 100;

// The reasons of the faults, printed as they are (ISO 8859-1).
constexpr const char *VALEUR_INCORRECTE = "valeur incorrecte";
constexpr const char *ESPACE_MANQUANT = "Espace manquant après mot clé";
constexpr const char *ESPACE_MANQUANT_TT_PLUS = "Espace manquant après mot clé tt+";
constexpr const char *ESPACE_MANQUANT_TT = "Espace manquant après mot clé tt";
constexpr const char *ENTREE_MANQUANTE =
    "table incomplète : l'entrée %d manque (dd%d annonce %d entrée%s)";
constexpr const char *ENTREE_MANQUANTE_SANS_DD =
    "table incomplète : l'entrée %d manque (l'en-tête annonce %d entrée%s)";
constexpr const char *TABLE_MANQUANTE = "table incomplète : la table manque après son titre";

// `Entier`: the whole file is read (the batch mode); the interactive walk
// is compiled apart, without the checks that only a whole reading makes.
template <bool Entier>
class Lecture {
 public:
  Lecture(Lecteur &lecteur, Observateur &observateur)
      : lecteur_(lecteur),
        observateur_(observateur),
        detail_(Entier && observateur.detail),
        toutes_les_entrees_(observateur.toutes_les_entrees),
        piece_(lecteur.piece()) {}

  Verdict lance();

 private:
  // The detail asked for, and the end of the file met by a whole reading,
  // where it stops: both false in the interactive walk, at compile time.
  bool detail() const { return Entier && detail_; }
  bool epuise() const { return Entier && au_dela_; }

  // The working line.
  const char *texte() const { return piece_ + debut_; }
  int reste() const { return fin_ - debut_; }
  char car(int i) const { return i < reste() ? texte()[i] : '\0'; }
  std::string_view vue() const { return {texte(), static_cast<std::size_t>(reste())}; }
  // The place of the byte `position` of the current piece.
  Lieu lieu(int position) const {
    return {std::max<std::int64_t>(lecteur_.ligne(), 1), lecteur_.decalage() + position + 1};
  }

  // The reads of every line: inlined, for the speed of the whole walk.
  [[gnu::always_inline]] bool lit_ligne();
  [[gnu::always_inline]] void ligne_suivante();
  bool saute_ligne();
  bool commence_par(const char *debut) const;
  const char *cherche(char c) const;
  void efface(const char *marqueur);

  bool signale(Code code, const char *raison, int position);
  bool signale_coupure(const char *raison);
  bool signale_entree_manquante();
  bool resynchronise(bool a_un_numero, std::int32_t numero);

  bool trouve_entete();
  void section(std::string_view titre);
  void ouvre_liste();
  [[gnu::always_inline]] bool retire_zeros();
  bool retire_zeros_suite();
  int debut_du_nombre(int depuis) const;
  [[gnu::always_inline]] bool consomme_nombre(int en_tete);
  [[gnu::always_inline]] const char *faute_tt() const;
  void annonce_entree(int debut, std::int32_t numero, bool intervalle);
  bool verifie_entree();
  bool verifie_entrees();
  void lit_apres_la_fin();

  Lecteur &lecteur_;
  Observateur &observateur_;
  const bool detail_;
  const bool toutes_les_entrees_;

  const char *piece_;        // the current piece (the reader's; empty before the first)
  int debut_ = 0, fin_ = 0;  // the working line: what is left to check of the current piece
  int echo_ = 0;             // where the echo line starts in the current piece
  int fin_intervalle_ = 0;   // where the last range's end was read
  Genre genre_ = TABLE_SEULE;
  int niveau_ = 0;                          // -1 once the outermost list is complete
  std::int32_t maximum_[NIVEAUX_MAX] = {};  // each level's size
  std::int32_t attendu_[NIVEAUX_MAX] = {};  // the number each level's next entry must carry
  bool marquee_ = true;                     // the outermost list has its "dd"
  std::int64_t compteur_ = 1;               // the interactive report's line counter
  bool au_dela_ = false;                    // a read has found the end of the file
  bool a_examiner_ = false;  // the current piece was read after an entry, not looked at yet
  bool fini_ = false;        // the walk stops: its first fault, or the table cut
  long fautes_ = 0;
  char message_[128];  // the message of a cut table: the longest takes some 90 bytes
};

// Reads the next piece into the working line. At end of file the working
// line keeps what was left of the previous piece, and false is returned.
template <bool Entier>
inline bool Lecture<Entier>::lit_ligne() {
  if (!lecteur_.suivante()) {
    au_dela_ = true;
    return false;
  }
  piece_ = lecteur_.piece();
  debut_ = 0;
  fin_ = static_cast<int>(lecteur_.texte());
  return true;
}

// A read of the checks: whatever it finds, even the end of file, the line
// counter advances and the echo line takes the working line.
template <bool Entier>
inline void Lecture<Entier>::ligne_suivante() {
  const bool lue = lit_ligne();
  if (Entier) a_examiner_ = lue;
  ++compteur_;
  echo_ = debut_;
}

// A read of the search for the next table: only the counter advances.
// False at end of file.
template <bool Entier>
bool Lecture<Entier>::saute_ligne() {
  if (!lit_ligne()) return false;
  ++compteur_;
  return true;
}

template <bool Entier>
bool Lecture<Entier>::commence_par(const char *debut) const {
  for (int i = 0; debut[i] != '\0'; ++i)
    if (car(i) != debut[i]) return false;
  return true;
}

// Where `c` first stands in the working line, or nullptr.
template <bool Entier>
const char *Lecture<Entier>::cherche(char c) const {
  return static_cast<const char *>(std::memchr(texte(), c, static_cast<std::size_t>(reste())));
}

// Drops the working line through the first `marqueur`; nothing when absent.
// "dd6:1:x" with "dd" leaves "6:1:x".
template <bool Entier>
void Lecture<Entier>::efface(const char *marqueur) {
  const char *const fin = texte() + reste();
  for (const char *trouve = cherche(marqueur[0]); trouve != nullptr;
       trouve = static_cast<const char *>(std::memchr(trouve + 1, marqueur[0], fin - trouve - 1))) {
    int n = 1;
    while (marqueur[n] != '\0' && trouve + n < fin && trouve[n] == marqueur[n]) ++n;
    if (marqueur[n] == '\0') {
      debut_ = static_cast<int>(trouve + n - piece_);
      return;
    }
  }
}

// Tells the fault found at `position` of the current piece. Whether the walk
// goes on: only when it reads the whole file.
template <bool Entier>
bool Lecture<Entier>::signale(Code code, const char *raison, int position) {
  const char *piece = piece_;
  observateur_.faute({code, raison, lieu(position), compteur_,
                      std::string_view(piece + echo_, static_cast<std::size_t>(fin_ - echo_)),
                      std::string_view(piece + position, static_cast<std::size_t>(fin_ - position)),
                      au_dela_});
  ++fautes_;
  fini_ = !Entier;
  return Entier;
}

// The file ends inside a table: told at the end of its last line, and the
// walk stops. Always false.
template <bool Entier>
bool Lecture<Entier>::signale_coupure(const char *raison) {
  const std::string_view derniere = sans_fin_de_ligne({piece_, lecteur_.texte()});
  observateur_.faute({Code::table_incomplete,
                      raison,
                      lieu(static_cast<int>(derniere.size())),
                      compteur_,
                      {},
                      {},
                      true});
  ++fautes_;
  fini_ = true;
  return false;
}

// "l'entrée 11 manque (dd12 annonce 12 entrées)"; a header without "dd"
// announces its size all the same.
template <bool Entier>
bool Lecture<Entier>::signale_entree_manquante() {
  const std::int32_t taille = maximum_[niveau_];
  const char *pluriel = taille > 1 ? "s" : "";
  if (niveau_ == 0 && !marquee_)
    std::snprintf(message_, sizeof message_, ENTREE_MANQUANTE_SANS_DD, attendu_[0], taille,
                  pluriel);
  else
    std::snprintf(message_, sizeof message_, ENTREE_MANQUANTE, attendu_[niveau_], taille, taille,
                  pluriel);
  return signale_coupure(message_);
}

// After a numbering fault: an entry that holds a number takes it as the
// number expected (true: it is checked on); a line without one is passed
// over (false), the number expected unchanged.
template <bool Entier>
bool Lecture<Entier>::resynchronise(bool a_un_numero, std::int32_t numero) {
  if (!a_un_numero || numero <= 0) {
    ligne_suivante();
    return false;
  }
  attendu_[niveau_] = numero;
  return true;
}

// Brings the header of the next table into the working line. Collections
// skip to the next '#' title (the header is the line after it) or "pp" line
// (the header is the rest of it, after its first ':'); single tables stand on
// the working line already. False when the file ends before a title, or,
// read whole, right after one; read whole, what is left of the last line
// after the end of the file is no title.
template <bool Entier>
bool Lecture<Entier>::trouve_entete() {
  if (epuise() && genre_ != TABLE_SEULE && genre_ != TABLE_TITREE) return false;
  switch (genre_) {
    case RECUEIL_SOULIGNE:
    case RECUEIL_DIESE:
      while (car(0) != '#')
        if (!saute_ligne()) return false;
      if (detail()) section(vue().substr(1));
      ligne_suivante();
      return !epuise() || signale_coupure(TABLE_MANQUANTE);
    case RECUEIL_PP:
      while (!commence_par("pp"))
        if (!saute_ligne()) return false;
      echo_ = debut_;
      if (detail()) {
        const std::string_view titre = vue().substr(2);
        section(titre.substr(0, std::min(titre.find(':'), titre.size())));
      }
      efface(":");
      return true;
    default: return true;
  }
}

template <bool Entier>
void Lecture<Entier>::section(std::string_view titre) {
  observateur_.section(sans_fin_de_ligne(titre), lieu(debut_));
}

// Opens the list of the current level from its "dd" marker: its size, 1 as
// the expected number, and the working line left on its first entry.
// "dd6:1:Gobelin" -> size 6, "1:Gobelin". Without "dd" the size is read from
// the start of the line; without ':' the whole rest is the first entry.
template <bool Entier>
void Lecture<Entier>::ouvre_liste() {
  const int avant = debut_;
  efface("dd");
  const bool marquee = debut_ != avant;
  if (niveau_ == 0) marquee_ = marquee;
  maximum_[niveau_] = lit_nombre(vue());
  attendu_[niveau_] = 1;
  if (detail())
    observateur_.liste(niveau_, maximum_[niveau_], marquee, lieu(marquee ? debut_ - 2 : avant));
  efface(":");
}

// Drops the "0:" and "0." prefixes of an entry: "0:0.3:x" -> "3:x".
// False for a line that starts with '0' followed by neither ':' nor any '.'
// further on ("05:x"): no prefix can be dropped from it.
template <bool Entier>
inline bool Lecture<Entier>::retire_zeros() {
  while (car(0) == '0') {
    if (car(1) == ':')
      efface(":");
    else if (cherche('.') != nullptr)
      efface(".");
    else
      return false;
  }
  return true;
}

// Drops the "0...:" prefixes of a continuation line: "0:0:dd2:x" -> "dd2:x".
// False for a line that starts with '0' and holds no ':'.
template <bool Entier>
bool Lecture<Entier>::retire_zeros_suite() {
  while (car(0) == '0') {
    if (cherche(':') == nullptr) return false;
    efface(":");
  }
  return true;
}

// Where the number read from `depuis` in the current piece starts, as atoi
// reads it (past white space, at its sign); -1 when there is none.
template <bool Entier>
int Lecture<Entier>::debut_du_nombre(int depuis) const {
  const char *piece = piece_;
  int i = depuis;
  while (i < fin_ && est_espace(piece[i])) ++i;
  const int chiffre = i < fin_ && (piece[i] == '+' || piece[i] == '-') ? i + 1 : i;
  return chiffre < fin_ && est_chiffre(piece[chiffre]) ? i : -1;
}

// Removes the entry's number from the front of the working line. A range
// "a-b" loses "a-" and makes b the level's expected number. The scan removes
// one digit a step and takes at most as many steps as the line is long at
// that step, so of a line of L characters it removes at most (L + 1) / 2
// leading digits, and looks at a '-' only if it has steps left: "12:x" keeps
// ":x"; "10-1\n" is a range; "100-1\n" stops on "-1" (the number is too long
// for its line to reach the '-'); " 3-5:x" and "+3-5:x" keep all their text.
// `en_tete` is the number of digits at the very front of the line. True for
// a range.
template <bool Entier>
inline bool Lecture<Entier>::consomme_nombre(int en_tete) {
  const int longueur = reste();
  const int retires = std::min(en_tete, (longueur + 1) / 2);
  debut_ += retires;
  if (retires == en_tete && 2 * retires < longueur && car(0) == '-') {
    fin_intervalle_ = ++debut_;
    attendu_[niveau_] = lit_nombre(vue());
    return true;
  }
  return false;
}

// The fault of a "tt" keyword leading the working line, or nullptr when
// there is none: "tt" must go on with a space, with '+' and a space, or '0'.
template <bool Entier>
inline const char *Lecture<Entier>::faute_tt() const {
  if (car(0) != 't' || car(1) != 't' || car(2) == '0') return nullptr;
  if (car(2) == '+') return car(3) == ' ' ? nullptr : ESPACE_MANQUANT_TT_PLUS;
  return car(2) == ' ' ? nullptr : ESPACE_MANQUANT_TT;
}

// Tells the entry whose number was read from `debut` and whose text now
// leads the working line.
template <bool Entier>
void Lecture<Entier>::annonce_entree(int debut, std::int32_t numero, bool intervalle) {
  const char *piece = piece_;
  if (!est_chiffre(piece[debut])) {  // most numbers start the entry
    const int nombre = debut_du_nombre(debut);
    if (nombre >= 0) debut = nombre;
  }
  int fin = debut;
  if (intervalle) {
    fin = fin_intervalle_;
    if (fin < fin_ && !est_chiffre(piece[fin])) fin = std::max(debut_du_nombre(fin), fin);
  }
  Entree e;
  e.niveau = niveau_;
  e.taille = maximum_[niveau_];
  e.numero = numero;
  e.fin = intervalle ? attendu_[niveau_] : numero;
  e.intervalle = intervalle;
  e.lieu = lieu(debut);
  e.lieu_fin = lieu(fin);
  e.debut_de_ligne = lecteur_.decalage() == 0;
  e.ecrit = std::string_view(piece + debut, static_cast<std::size_t>(fin_ - debut));
  e.texte = sans_fin_de_ligne(vue());
  observateur_.entree(e);
}

// Checks the entry at the front of the working line against the current
// level, then moves on: into a nested list opened by its text (same line), or
// to the next line. False when the walk stops.
template <bool Entier>
bool Lecture<Entier>::verifie_entree() {
  if (Entier) a_examiner_ = false;
  const bool prefixes = retire_zeros();
  const int debut = debut_;
  std::int64_t valeur;  // the digits at the front: most entries start with their number
  const int en_tete = static_cast<int>(chiffres(vue(), valeur));
  const std::int32_t numero = en_tete > 0 ? borne(valeur) : lit_nombre(vue());
  if (!prefixes || numero != attendu_[niveau_]) {
    const int nombre = debut_du_nombre(debut);
    if (!signale(Code::numerotation, VALEUR_INCORRECTE, nombre >= 0 ? nombre : debut)) return false;
    if (!resynchronise(nombre >= 0, numero)) return true;
  }
  const bool intervalle = consomme_nombre(en_tete);
  const bool simple = en_tete > 0 && !intervalle && car(0) == ':';  // "12:Orc"
  if (car(0) == ':')  // the entry text is what follows; usually right here
    ++debut_;
  else
    efface(":");
  if (detail() && (toutes_les_entrees_ || (!simple && lecteur_.decalage() == 0)))
    annonce_entree(debut, numero, intervalle);
  attendu_[niveau_] = suivant(attendu_[niveau_]);

  // '#' and '>' hand the keyword tests and the "dd" test to the next line.
  if (car(0) == '#' || car(0) == '>') {
    if (car(1) != ' ' && !signale(Code::espace_mot_cle, ESPACE_MANQUANT, debut_)) return false;
    ligne_suivante();
    if (Entier) a_examiner_ = false;  // the continuation belongs to the entry
    if (epuise()) return true;        // the caller sees the end of the table
    if (detail()) observateur_.suite(sans_fin_de_ligne(vue()), lieu(debut_));
    if (!retire_zeros_suite()) {
      if (!signale(Code::numerotation, VALEUR_INCORRECTE, debut_)) return false;
      ligne_suivante();
      return true;
    }
  }
  if (const char *faute = faute_tt()) {
    const Code code = faute == ESPACE_MANQUANT_TT ? Code::espace_tt : Code::espace_tt_plus;
    if (!signale(code, faute, debut_)) return false;
  }

  if (commence_par("dd")) {
    if (niveau_ + 1 >= NIVEAUX_MAX) {  // no room for one more level
      if (!signale(Code::numerotation, VALEUR_INCORRECTE, debut_)) return false;
      ligne_suivante();
      return true;
    }
    ++niveau_;
    ouvre_liste();
  } else {
    ligne_suivante();
  }
  return true;
}

// Checks the entries of one table, from its first entry on the working line
// to the end of its outermost list, closing each level whose expected number
// has passed its size. False when the walk stops.
//
// The interactive checks end even when the file ends first: reads at end of
// file keep the leftover working line, which then only shrinks. A pass that
// removes nothing from it leaves its level expecting one past the line's
// unchanged number (see suivant), so that level cannot accept the line
// again, and no level opens without removing its "dd": a bounded number of
// passes follows. A walk of the whole file stops at the end of the file.
template <bool Entier>
bool Lecture<Entier>::verifie_entrees() {
  while (niveau_ >= 0) {
    if (epuise()) return signale_entree_manquante();
    if (!verifie_entree()) return false;
    while (niveau_ >= 0 && attendu_[niveau_] > maximum_[niveau_]) --niveau_;
  }
  return true;
}

// The lines after a single table, each that begins a line of the file: the
// one read after the last entry, if any, then the rest of the file.
template <bool Entier>
void Lecture<Entier>::lit_apres_la_fin() {
  for (bool courante = a_examiner_; courante || lit_ligne(); courante = false)
    if (lecteur_.decalage() == 0) observateur_.apres_la_fin(sans_fin_de_ligne(vue()), lieu(0));
}

template <bool Entier>
Verdict Lecture<Entier>::lance() {
  if (!lit_ligne() && Entier) {  // an empty file: its line 1 is empty
    signale(Code::numerotation, VALEUR_INCORRECTE, 0);
    return ERREUR;
  }
  echo_ = debut_;
  genre_ = genre_de(car(0), car(1));
  if (genre_ == TABLE_TITREE) {  // past the heading
    ligne_suivante();
    if (epuise()) signale_coupure(TABLE_MANQUANTE);
  }

  // One table per pass. A collection goes on after each table to the next
  // title, and ends cleanly when none is left. At end of file a title found
  // on the leftover line must remove its "dd" or ':' to pass its first
  // check, so this loop ends too.
  while (!fini_) {
    niveau_ = 0;
    if (!trouve_entete()) break;
    ouvre_liste();
    if (!verifie_entrees()) break;
    if (genre_ == TABLE_SEULE || genre_ == TABLE_TITREE) {
      if (detail()) lit_apres_la_fin();
      break;
    }
  }
  return fautes_ > 0 ? ERREUR : SANS_ERREUR;
}

}  // namespace

Verdict lit_table(Lecteur &lecteur, Observateur &observateur, Etendue etendue) {
  if (etendue == Etendue::tout_le_fichier) return Lecture<true>(lecteur, observateur).lance();
  return Lecture<false>(lecteur, observateur).lance();
}
