// moteur.cpp -- the validation engine of Sondeur (moteur.h).
//
// A table file is a numbered list: a header line with "dd", the list's size
// N, a ':' and entry 1; then entries "n:text" or ranges "a-b:text" up to N.
// An entry "dd K:" opens a nested list whose entry 1 follows on the same
// line; '#' and '>' take the next line as a continuation; "tt" must be
// followed by ' ', "+ " or '0'. The first line fixes the kind of file: a
// single table, or a collection of tables under '#' titles or "pp" lines.
//
// The file is read once, through a large buffer, in pieces of at most 254
// bytes as a 255-byte fgets would give them. The working line is consumed by
// moving its start, never by moving its text: the line read stays whole in
// its array, so the echo line is a mere position in it.
#include "sondeur/moteur.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "outils/accents.h"
#include "sondeur/genre.h"
#include "sondeur/nombre.h"
#include "sondeur/rapport.h"

namespace {

constexpr int TAILLE_LIGNE = TAILLE_ECHO;  // 254 bytes of the file, line end included, and the NUL
// Nesting levels 0 to 99: the size of the per-level maximum and expected arrays.
constexpr int NIVEAUX_MAX = 100;
// The read buffer: large reads, few calls; with the rest of the engine, a few
// pages of memory whatever the size of the table.
constexpr std::size_t TAILLE_TAMPON = 64 * 1024;

// The reasons of the error reports, printed as they are (ISO 8859-1).
constexpr const char *VALEUR_INCORRECTE = "valeur incorrecte";
constexpr const char *ESPACE_MANQUANT = "Espace manquant après mot clé";
constexpr const char *ESPACE_MANQUANT_TT_PLUS = "Espace manquant après mot clé tt+";
constexpr const char *ESPACE_MANQUANT_TT = "Espace manquant après mot clé tt";

enum Statut { EN_COURS = 0, SANS_ERREUR = 1, ERREUR = 2 };

// The file in pieces of at most TAILLE_LIGNE - 1 bytes: up to and including
// a line feed, or the first 254 bytes of a longer line, as fgets gives them.
// A piece is handed out where it lies in the buffer, without a copy, unless
// it spreads over two fills; it stays valid until the next piece is taken,
// and for ever when the file has ended.
struct Lecteur {
  FILE *fichier = nullptr;
  std::size_t debut = 0, fin = 0;       // the bytes of `tampon` not yet handed out
  std::size_t nul = 0;                  // the first NUL byte of `tampon` at or after `debut`, or `fin`
  const char *ligne = assemblee;        // the current piece, without a NUL
  std::size_t longueur = 0;
  char assemblee[TAILLE_LIGNE] = {};    // a piece over two fills, or kept over one
  char tampon[TAILLE_TAMPON];

  // Moves on to the next piece; false at the end of the file, the current
  // piece being then kept as it is.
  bool suivante() {
    const std::size_t reste = fin - debut;
    const char *source = tampon + debut;
    const void *saut = std::memchr(source, '\n', std::min(reste, MAXIMUM));
    if (saut == nullptr && reste < MAXIMUM) return suivante_apres_remplissage();
    donne(source, saut ? static_cast<const char *>(saut) - source + 1 : MAXIMUM);
    debut += longueur;
    return true;
  }

 private:
  static constexpr std::size_t MAXIMUM = TAILLE_LIGNE - 1;  // a piece's bytes at most

  // The next piece when the buffer does not hold it whole.
  bool suivante_apres_remplissage() {
    const std::size_t reste = fin - debut;
    if (reste == 0) {  // nothing left: refill, but never lose the current piece
      garde();
      return remplit() && suivante();
    }
    std::memcpy(assemblee, tampon + debut, reste);  // the piece goes on in the next fill
    std::size_t n = reste;
    debut = fin;
    while (n < MAXIMUM && remplit()) {
      const std::size_t voulu = std::min(fin - debut, MAXIMUM - n);
      const void *saut = std::memchr(tampon + debut, '\n', voulu);
      const std::size_t k = saut ? static_cast<const char *>(saut) - (tampon + debut) + 1 : voulu;
      std::memcpy(assemblee + n, tampon + debut, k);
      n += k;
      debut += k;
      if (saut) break;
    }
    donne(assemblee, n);
    return true;
  }

  void donne(const char *piece, std::size_t n) {
    ligne = piece;
    longueur = n;
  }

 public:
  // The length of the current piece's text: up to its first NUL byte, which
  // ends it as it ends any string. NUL bytes are looked for once a fill, not
  // once a line.
  std::size_t texte() {
    if (ligne != assemblee) {
      const std::size_t ici = static_cast<std::size_t>(ligne - tampon);
      if (nul < ici) cherche_nul(ici);
      return nul < ici + longueur ? nul - ici : longueur;
    }
    const void *n = std::memchr(ligne, '\0', longueur);
    return n ? static_cast<std::size_t>(static_cast<const char *>(n) - ligne) : longueur;
  }

 private:
  void cherche_nul(std::size_t depuis) {
    const void *n = std::memchr(tampon + depuis, '\0', fin - depuis);
    nul = n ? static_cast<std::size_t>(static_cast<const char *>(n) - tampon) : fin;
  }

  // Moves the current piece out of the buffer before a fill that may find
  // nothing more to read.
  void garde() {
    if (ligne != assemblee) {
      std::memcpy(assemblee, ligne, longueur);
      ligne = assemblee;
    }
  }

  bool remplit() {
    debut = 0;
    fin = std::fread(tampon, 1, sizeof tampon, fichier);
    cherche_nul(0);
    return fin > 0;
  }
};

// Everything one check keeps. The working line is the current piece from
// `debut` to `fin` (a NUL byte read from the file ends it, as it ends any
// string); the echo line is the piece from `echo` to `fin`. Before any read
// the piece is empty, so that an empty file is checked as a file whose line
// 1 is empty.
struct Moteur {
  Lecteur lecteur;
  int debut = 0, fin = 0;  // the working line: what is left to check
  int echo = 0;            // where the echo line starts
  Genre genre = TABLE_SEULE;
  int niveau = 0;                          // -1 once the outermost list is complete
  std::int32_t maximum[NIVEAUX_MAX] = {};  // each level's size
  std::int32_t attendu[NIVEAUX_MAX] = {};  // the number each level's next entry must carry
  int compteur = 1;                        // number of the line being checked
  Statut statut = EN_COURS;
  Rapport *rapport = nullptr;              // where the fault is told

  const char *texte() const { return lecteur.ligne + debut; }
  int reste() const { return fin - debut; }
  char car(int i) const { return i < reste() ? texte()[i] : '\0'; }
};

// Reads the next piece of the table into the working line. At end of file
// the working line keeps what was left of the previous line, and false is
// returned.
bool lit_ligne(Moteur &m) {
  if (!m.lecteur.suivante()) return false;
  m.debut = 0;
  m.fin = static_cast<int>(m.lecteur.texte());
  return true;
}

// The echo line takes the working line as it now stands. The piece is never
// changed before the next read, so a position is as good as a copy.
void copie_echo(Moteur &m) { m.echo = m.debut; }

// A read of the checks: whatever it finds, even the end of file, the line
// counter advances and the echo line takes the working line.
void ligne_suivante(Moteur &m) {
  lit_ligne(m);
  ++m.compteur;
  copie_echo(m);
}

// A read of the search for the next table: only the counter advances.
// False at end of file.
bool saute_ligne(Moteur &m) {
  if (!lit_ligne(m)) return false;
  ++m.compteur;
  return true;
}

bool commence_par(const Moteur &m, const char *debut) {
  for (int i = 0; debut[i] != '\0'; ++i)
    if (m.car(i) != debut[i]) return false;
  return true;
}

// Where `c` first stands in the working line, or nullptr.
const char *cherche(const Moteur &m, char c) {
  return static_cast<const char *>(std::memchr(m.texte(), c, static_cast<std::size_t>(m.reste())));
}

// Drops the working line through the first `marqueur`; nothing when absent.
// "dd6:1:x" with "dd" leaves "6:1:x".
void efface(Moteur &m, const char *marqueur) {
  const char *const fin = m.texte() + m.reste();
  for (const char *trouve = cherche(m, marqueur[0]); trouve != nullptr;
       trouve = static_cast<const char *>(std::memchr(trouve + 1, marqueur[0], fin - trouve - 1))) {
    int n = 1;
    while (marqueur[n] != '\0' && trouve + n < fin && trouve[n] == marqueur[n]) ++n;
    if (marqueur[n] == '\0') {
      m.debut = static_cast<int>(trouve + n - m.lecteur.ligne);
      return;
    }
  }
}

// The working line as a view, for the number readings of nombre.h.
std::string_view vue(const Moteur &m) {
  return {m.texte(), static_cast<std::size_t>(m.reste())};
}

// Keeps the fault in the report: the line counter, the reason and the echo
// line. Always false, for the caller to return.
bool signale(Moteur &m, const char *raison) {
  m.rapport->ligne = m.compteur;
  m.rapport->raison = raison;
  const std::size_t n = static_cast<std::size_t>(m.fin - m.echo);  // at most 254
  std::memcpy(m.rapport->echo, m.lecteur.ligne + m.echo, n);
  m.rapport->echo[n] = '\0';
  m.statut = ERREUR;
  return false;
}

// Brings the header of the next table into the working line. Collections
// skip to the next '#' title (the header is the line after it) or "pp" line
// (the header is the rest of it, after its first ':'); single tables stand on
// the working line already. False when the file ends before a title.
bool trouve_entete(Moteur &m) {
  switch (m.genre) {
    case RECUEIL_SOULIGNE:
    case RECUEIL_DIESE:
      while (m.car(0) != '#')
        if (!saute_ligne(m)) return false;
      ligne_suivante(m);
      return true;
    case RECUEIL_PP:
      while (!commence_par(m, "pp"))
        if (!saute_ligne(m)) return false;
      copie_echo(m);
      efface(m, ":");
      return true;
    default:
      return true;
  }
}

// Opens the list of the current level from its "dd" marker: its size, 1 as
// the expected number, and the working line left on its first entry.
// "dd6:1:Gobelin" -> size 6, "1:Gobelin". Without "dd" the size is read from
// the start of the line; without ':' the whole rest is the first entry.
void ouvre_liste(Moteur &m) {
  efface(m, "dd");
  m.maximum[m.niveau] = lit_nombre(vue(m));
  m.attendu[m.niveau] = 1;
  efface(m, ":");
}

bool contient(const Moteur &m, char c) { return cherche(m, c) != nullptr; }

// Drops the "0:" and "0." prefixes of an entry: "0:0.3:x" -> "3:x".
// False for a line that starts with '0' followed by neither ':' nor any '.'
// further on ("05:x"): no prefix can be dropped from it.
bool retire_zeros(Moteur &m) {
  while (m.car(0) == '0') {
    if (m.car(1) == ':')
      efface(m, ":");
    else if (contient(m, '.'))
      efface(m, ".");
    else
      return false;
  }
  return true;
}

// Drops the "0...:" prefixes of a continuation line: "0:0:dd2:x" -> "dd2:x".
// False for a line that starts with '0' and holds no ':'.
bool retire_zeros_suite(Moteur &m) {
  while (m.car(0) == '0') {
    if (!contient(m, ':')) return false;
    efface(m, ":");
  }
  return true;
}

// Removes the entry's number from the front of the working line. A range
// "a-b" loses "a-" and makes b the level's expected number. The scan removes
// one digit a step and takes at most as many steps as the line is long at
// that step, so of a line of L characters it removes at most (L + 1) / 2
// leading digits, and looks at a '-' only if it has steps left: "12:x" keeps
// ":x"; "10-1\n" is a range; "100-1\n" stops on "-1" (the number is too long
// for its line to reach the '-'); " 3-5:x" and "+3-5:x" keep all their text.
// `en_tete` is the number of digits at the very front of the line.
void consomme_nombre(Moteur &m, int en_tete) {
  const int longueur = m.reste();
  const int retires = std::min(en_tete, (longueur + 1) / 2);
  m.debut += retires;
  if (retires == en_tete && 2 * retires < longueur && m.car(0) == '-') {
    ++m.debut;
    m.attendu[m.niveau] = lit_nombre(vue(m));
  }
}

// The fault of a "tt" keyword leading the working line, or nullptr when
// there is none: "tt" must go on with a space, with '+' and a space, or '0'.
const char *faute_tt(const Moteur &m) {
  if (m.car(0) != 't' || m.car(1) != 't' || m.car(2) == '0') return nullptr;
  if (m.car(2) == '+') return m.car(3) == ' ' ? nullptr : ESPACE_MANQUANT_TT_PLUS;
  return m.car(2) == ' ' ? nullptr : ESPACE_MANQUANT_TT;
}

// Checks the entry at the front of the working line against the current
// level, then moves on: into a nested list opened by its text (same line), or
// to the next line. False after an error report.
bool verifie_entree(Moteur &m) {
  if (!retire_zeros(m)) return signale(m, VALEUR_INCORRECTE);
  std::int64_t valeur;  // the digits at the front: most entries start with their number
  const int en_tete = static_cast<int>(chiffres(vue(m), valeur));
  const std::int32_t numero = en_tete > 0 ? borne(valeur) : lit_nombre(vue(m));
  if (numero != m.attendu[m.niveau]) return signale(m, VALEUR_INCORRECTE);
  consomme_nombre(m, en_tete);
  m.attendu[m.niveau] = suivant(m.attendu[m.niveau]);
  if (m.car(0) == ':')  // the entry text is what follows; usually right here
    ++m.debut;
  else
    efface(m, ":");

  // '#' and '>' hand the keyword tests and the "dd" test to the next line.
  if (m.car(0) == '#' || m.car(0) == '>') {
    if (m.car(1) != ' ') return signale(m, ESPACE_MANQUANT);
    ligne_suivante(m);
    if (!retire_zeros_suite(m)) return signale(m, VALEUR_INCORRECTE);
  }
  if (const char *faute = faute_tt(m)) return signale(m, faute);

  if (commence_par(m, "dd")) {
    if (m.niveau + 1 >= NIVEAUX_MAX) return signale(m, VALEUR_INCORRECTE);  // no room
    ++m.niveau;
    ouvre_liste(m);
  } else {
    ligne_suivante(m);
  }
  return true;
}

// Checks the entries of one table, from its first entry on the working line
// to the end of its outermost list, closing each level whose expected number
// has passed its size. False after an error report.
//
// The checks end even when the file ends first: reads at end of file keep
// the leftover working line, which then only shrinks. A pass that removes
// nothing from it leaves its level expecting one past the line's unchanged
// number (see suivant), so that level cannot accept the line again, and no
// level opens without removing its "dd": a bounded number of passes follows.
bool verifie_entrees(Moteur &m) {
  while (m.niveau >= 0) {
    if (!verifie_entree(m)) return false;
    while (m.niveau >= 0 && m.attendu[m.niveau] > m.maximum[m.niveau]) --m.niveau;
  }
  return true;
}

}  // namespace

int verifie_table(FILE *table, Rapport &rapport) {
  rapport = Rapport{};
  Moteur m;  // 64 KiB of read buffer, the rest small
  m.lecteur.fichier = table;
  m.rapport = &rapport;
  lit_ligne(m);  // an empty file leaves line 1 empty
  copie_echo(m);
  m.genre = genre_de(m.car(0), m.car(1));
  if (m.genre == TABLE_TITREE) ligne_suivante(m);  // past the heading

  // One table per pass. A collection goes on after each table to the next
  // title, and ends cleanly when none is left. At end of file a title found
  // on the leftover line must remove its "dd" or ':' to pass its first
  // check, so this loop ends too.
  while (m.statut == EN_COURS) {
    m.niveau = 0;
    if (!trouve_entete(m)) return SANS_ERREUR;
    ouvre_liste(m);
    if (!verifie_entrees(m)) break;
    if (m.genre == TABLE_SEULE || m.genre == TABLE_TITREE) m.statut = SANS_ERREUR;
  }
  return m.statut;
}

// The report, all of it converted for the console: "Erreur à la ligne 3
// (valeur incorrecte)\n" then the echo line, which ends with its own line
// end when it had one.
int moteur_principal(FILE *table) {
  Rapport rapport;
  const int statut = verifie_table(table, rapport);
  if (statut == ERREUR) {
    char ligne[64 + TAILLE_ECHO];  // the longest reason and a 10-digit number fit in 64
    putsacc("Erreur à ");
    std::snprintf(ligne, sizeof ligne, "la ligne %d (%s)\n", rapport.ligne, rapport.raison);
    putsacc(ligne);
    putsacc(rapport.echo);
  }
  return statut;
}
