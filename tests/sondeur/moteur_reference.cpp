// moteur_reference.cpp -- the table rules read as plainly as they are
// written, one fgets of 255 bytes a line and the working line consumed in
// place: the oracle that the fast engine of Sondeur is compared with.
//
// A table file is a numbered list: a header line with "dd", the list's size
// N, a ':' and entry 1; then entries "n:text" or ranges "a-b:text" up to N.
// An entry "dd K:" opens a nested list whose entry 1 follows on the same
// line; '#' and '>' take the next line as a continuation; "tt" must be
// followed by ' ', "+ " or '0'. The first line fixes the kind of file: a
// single table, or a collection of tables under '#' titles or "pp" lines.
// The engine consumes the working line in place as it checks it.
#include "tests/sondeur/moteur_reference.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "outils/accents.h"
#include "outils/chaines.h"

namespace {

// A table line: 254 bytes of the file, line end included, and the NUL.
constexpr int TAILLE_LIGNE = 255;
// Nesting levels 0 to 99: the size of the per-level maximum and expected arrays.
constexpr int NIVEAUX_MAX = 100;

// The reasons of the error reports, printed as they are (ISO 8859-1).
constexpr const char *VALEUR_INCORRECTE = "valeur incorrecte";
constexpr const char *ESPACE_MANQUANT = "Espace manquant après mot clé";
constexpr const char *ESPACE_MANQUANT_TT_PLUS = "Espace manquant après mot clé tt+";
constexpr const char *ESPACE_MANQUANT_TT = "Espace manquant après mot clé tt";

// The kind of file, fixed by the first characters of line 1.
enum Genre {
  TABLE_SEULE = 1,       // a single table from line 1
  RECUEIL_SOULIGNE = 2,  // '_': tables under '#' titles, line 1 ignored
  RECUEIL_PP = 3,        // "pp": each table starts on a "pp" line
  RECUEIL_DIESE = 4,     // '#': tables under '#' titles, line 1 the first title
  TABLE_TITREE = 5,      // '%': a heading line, then a single table
};

enum Statut { EN_COURS = 0, SANS_ERREUR = 1, ERREUR = 2 };

// Everything one check keeps. The lines start zero-filled, so that an empty
// file is checked as a file whose line 1 is empty.
struct Moteur {
  FILE *table;
  char ligne[TAILLE_LIGNE] = {};  // the working line, consumed as it is checked
  char echo[TAILLE_LIGNE] = {};   // untouched copy of the last line read
  Genre genre = TABLE_SEULE;
  int niveau = 0;                          // -1 once the outermost list is complete
  std::int32_t maximum[NIVEAUX_MAX] = {};  // each level's size
  std::int32_t attendu[NIVEAUX_MAX] = {};  // the number each level's next entry must carry
  int compteur = 1;                        // number of the line in `ligne`
  Statut statut = EN_COURS;
};

// Reads the next piece of the table into the working line: one line, or the
// first 254 characters of a longer one, line end kept. At end of file the
// working line keeps what was left of the previous line, and false is
// returned. The piece goes through a buffer of its own so that a failed read
// can never touch the working line.
bool lit_ligne(Moteur &m) {
  char lu[TAILLE_LIGNE];
  if (std::fgets(lu, TAILLE_LIGNE, m.table) == nullptr) return false;
  std::memcpy(m.ligne, lu, std::strlen(lu) + 1);
  return true;
}

void copie_echo(Moteur &m) {
  std::memcpy(m.echo, m.ligne, std::strlen(m.ligne) + 1);  // both TAILLE_LIGNE
}

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

bool commence_par(const char *texte, const char *debut) {
  return std::strncmp(texte, debut, std::strlen(debut)) == 0;
}

// The number leading `texte`, read as atoi does: white space, a sign, digits
// up to the first other character; no digit reads 0. Out of the range of a
// 32-bit int the value is clamped, where atoi itself is undefined, so that
// every build reads the same number. "  +12:x" -> 12.
std::int32_t lit_nombre(const char *texte) {
  const long valeur = std::strtol(texte, nullptr, 10);
  return static_cast<std::int32_t>(std::clamp<long>(valeur, INT32_MIN, INT32_MAX));
}

// One more than `valeur`; past the largest int it wraps to the smallest, as a
// 32-bit counter does, instead of overflowing. The result always differs
// from `valeur`, which the checks rely on to end (see verifie_entrees).
std::int32_t suivant(std::int32_t valeur) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(valeur) + 1u);
}

// Error report: "Erreur à ", the line number and the reason, then the echo
// line, all converted for the console. Always false, for the caller to
// return.
bool signale(Moteur &m, const char *raison) {
  putsacc("Erreur à ");
  char ligne[128];
  std::snprintf(ligne, sizeof ligne, "la ligne %d (%s)\n", m.compteur, raison);
  putsacc(ligne);
  putsacc(m.echo);
  m.statut = ERREUR;
  return false;
}

Genre genre_du_fichier(const char *ligne) {
  if (ligne[0] == '_') return RECUEIL_SOULIGNE;
  if (commence_par(ligne, "pp")) return RECUEIL_PP;
  if (ligne[0] == '#') return RECUEIL_DIESE;
  if (ligne[0] == '%') return TABLE_TITREE;
  return TABLE_SEULE;
}

// Brings the header of the next table into the working line. Collections
// skip to the next '#' title (the header is the line after it) or "pp" line
// (the header is the rest of it, after its first ':'); single tables stand on
// the working line already. False when the file ends before a title.
bool trouve_entete(Moteur &m) {
  switch (m.genre) {
    case RECUEIL_SOULIGNE:
    case RECUEIL_DIESE:
      while (m.ligne[0] != '#')
        if (!saute_ligne(m)) return false;
      ligne_suivante(m);
      return true;
    case RECUEIL_PP:
      while (!commence_par(m.ligne, "pp"))
        if (!saute_ligne(m)) return false;
      copie_echo(m);
      Efface_char(m.ligne, ":");
      return true;
    default: return true;
  }
}

// Opens the list of the current level from its "dd" marker: its size, 1 as
// the expected number, and the working line left on its first entry.
// "dd6:1:Gobelin" -> size 6, "1:Gobelin". Without "dd" the size is read from
// the start of the line; without ':' the whole rest is the first entry.
void ouvre_liste(Moteur &m) {
  Efface_char(m.ligne, "dd");
  m.maximum[m.niveau] = lit_nombre(m.ligne);
  m.attendu[m.niveau] = 1;
  Efface_char(m.ligne, ":");
}

// Drops the "0:" and "0." prefixes of an entry: "0:0.3:x" -> "3:x".
// False for a line that starts with '0' followed by neither ':' nor any '.'
// further on ("05:x"): no prefix can be dropped from it.
bool retire_zeros(char *ligne) {
  while (ligne[0] == '0') {
    if (ligne[1] == ':')
      Efface_char(ligne, ":");
    else if (std::strchr(ligne, '.') != nullptr)
      Efface_char(ligne, ".");
    else
      return false;
  }
  return true;
}

// Drops the "0...:" prefixes of a continuation line: "0:0:dd2:x" -> "dd2:x".
// False for a line that starts with '0' and holds no ':'.
bool retire_zeros_suite(char *ligne) {
  while (ligne[0] == '0') {
    if (std::strchr(ligne, ':') == nullptr) return false;
    Efface_char(ligne, ":");
  }
  return true;
}

// Removes the entry's number from the front of the working line. A range
// "a-b" loses "a-" and makes b the level's expected number. The scan takes at
// most as many steps as the line is long at that step, and only digits and
// the '-' are removed: "12:x" keeps ":x"; " 3-5:x" and "+3-5:x" keep all
// their text (no range); "100-1" stops on "-1" (the number is too long for
// its line to reach the '-').
void consomme_nombre(Moteur &m) {
  std::size_t longueur = std::strlen(m.ligne);
  for (std::size_t pas = 0; pas < longueur; ++pas) {
    const char c = m.ligne[0];
    if (c >= '0' && c <= '9') {
      std::memmove(m.ligne, m.ligne + 1, longueur--);  // NUL included
    } else if (c == '-') {
      std::memmove(m.ligne, m.ligne + 1, longueur);
      m.attendu[m.niveau] = lit_nombre(m.ligne);
      return;
    } else if (c == ':') {
      return;
    }
  }
}

// The fault of a "tt" keyword leading `texte`, or nullptr when there is none:
// "tt" must go on with a space, with '+' and a space, or with '0'.
const char *faute_tt(const char *texte) {
  if (texte[0] != 't' || texte[1] != 't' || texte[2] == '0') return nullptr;
  if (texte[2] == '+') return texte[3] == ' ' ? nullptr : ESPACE_MANQUANT_TT_PLUS;
  return texte[2] == ' ' ? nullptr : ESPACE_MANQUANT_TT;
}

// Checks the entry at the front of the working line against the current
// level, then moves on: into a nested list opened by its text (same line), or
// to the next line. False after an error report.
bool verifie_entree(Moteur &m) {
  if (!retire_zeros(m.ligne)) return signale(m, VALEUR_INCORRECTE);
  if (lit_nombre(m.ligne) != m.attendu[m.niveau]) return signale(m, VALEUR_INCORRECTE);
  consomme_nombre(m);
  m.attendu[m.niveau] = suivant(m.attendu[m.niveau]);
  Efface_char(m.ligne, ":");  // the entry text is what follows

  // '#' and '>' hand the keyword tests and the "dd" test to the next line.
  if (m.ligne[0] == '#' || m.ligne[0] == '>') {
    if (m.ligne[1] != ' ') return signale(m, ESPACE_MANQUANT);
    ligne_suivante(m);
    if (!retire_zeros_suite(m.ligne)) return signale(m, VALEUR_INCORRECTE);
  }
  if (const char *faute = faute_tt(m.ligne)) return signale(m, faute);

  if (commence_par(m.ligne, "dd")) {
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

int moteur_reference(FILE *table) {
  Moteur m{table};
  lit_ligne(m);  // an empty file leaves line 1 empty
  copie_echo(m);
  m.genre = genre_du_fichier(m.ligne);
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
