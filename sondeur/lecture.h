// lecture.h -- the one reading of a random table's grammar. Every check of
// Sondeur walks a table here, and only here: the interactive report, which
// stops at the first fault; the batch mode, which goes on to the end of the
// file and adds its warnings; the odds of the entries. The walk tells an
// observer what it finds as it goes.
//
// A table file is a numbered list: a header line with "dd", the list's size
// N, a ':' and entry 1; then entries "n:text" or ranges "a-b:text" up to N.
// An entry "ddK:" opens a nested list whose entry 1 follows on the same
// line; '#' and '>' take the next line as a continuation; "tt" must be
// followed by ' ', "+ " or '0'. The first line fixes the kind of file: a
// single table, or a collection of tables under '#' titles or "pp" lines.
#ifndef SONDEUR_LECTURE_H
#define SONDEUR_LECTURE_H

#include <cstdint>
#include <string_view>

#include "sondeur/constat.h"
#include "sondeur/lecteur.h"
#include "sondeur/rapport.h"

// An entry of a list, as the walk accepts it (after a numbering fault, with
// the number it carries).
struct Entree {
  int niveau;              // 0 for the outermost list
  std::int32_t taille;     // its list's size
  std::int32_t numero;     // its number, or its range's start
  std::int32_t fin;        // its range's end, or its number
  bool intervalle;         // read as a range "a-b"
  Lieu lieu;               // where its number stands
  Lieu lieu_fin;           // where its range's end stands (its number's place otherwise)
  bool debut_de_ligne;     // its piece begins its line (not the rest of a longer line)
  std::string_view ecrit;  // as written, from its number to the end of its piece
  std::string_view texte;  // after its ':', without the line end
};

// A fault of the table: the error that the interactive report prints.
struct Faute {
  Code code;
  const char *raison;  // ISO 8859-1: "valeur incorrecte"..., or the whole message
  Lieu lieu;
  std::int64_t compteur;  // the line counter of the interactive report
  std::string_view echo;  // the line it echoes, line end included when it had one
  std::string_view ici;   // the text from the fault to the end of its piece
  bool apres_la_fin;      // found after a read at the end of the file, on what was left
};

// What the walk finds. The detail (every method but faute) is told only to
// an observer that asks for it, so that a plain check pays nothing for it;
// and of the entries, unless it asks for all of them, only those written
// otherwise than a number at the start of its line and its ':' ("12:Orc"):
// a range, a number without ':', a number after blanks or a sign.
class Observateur {
 public:
  explicit Observateur(bool detail, bool toutes_les_entrees = true)
      : detail(detail), toutes_les_entrees(toutes_les_entrees) {}
  virtual ~Observateur() = default;
  const bool detail;
  const bool toutes_les_entrees;

  // A table of a collection begins: its title (the '#' line without its '#',
  // or what stands between "pp" and the first ':'), without line end.
  virtual void section(std::string_view, const Lieu &) {}
  // A list opens: `marquee` is false for a header without "dd".
  virtual void liste(int, std::int32_t, bool, const Lieu &) {}
  virtual void entree(const Entree &) {}
  // The continuation line of a '#' or '>' entry, without line end.
  virtual void suite(std::string_view, const Lieu &) {}
  // A line after a single table (to the end of the file, each piece that
  // begins a line), its text without line end.
  virtual void apres_la_fin(std::string_view, const Lieu &) {}
  virtual void faute(const Faute &faute) = 0;
};

enum class Etendue {
  premiere_faute,  // the interactive report: the walk stops at the first fault
  tout_le_fichier  // the batch mode: every fault, then every line to the end
};

// Walks the table that `lecteur` reads from its first line. The verdict:
// SANS_ERREUR, or ERREUR when a fault was told.
Verdict lit_table(Lecteur &lecteur, Observateur &observateur, Etendue etendue);

#endif
