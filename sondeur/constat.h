// constat.h -- a finding of Sondeur's check of a table: an error that the
// interactive run would report, or a warning, with its place in the file,
// its stable code for the programs that read the reports, its message and
// the line it stands on.
#ifndef SONDEUR_CONSTAT_H
#define SONDEUR_CONSTAT_H

#include <cstdint>
#include <string_view>

// A place in a file: its line (from 1, as the user counts them, whatever
// their length) and its column (from 1, in bytes of that line).
struct Lieu {
  std::int64_t ligne = 1;
  std::int64_t colonne = 1;
};

enum class Gravite { avertissement, erreur };

// What a finding is about; the order of the list is free, the names that
// nom_du_code gives are the reports' own and never change.
enum class Code {
  numerotation,          // an entry's number is not the one expected
  espace_mot_cle,        // '#' or '>' not followed by a space
  espace_tt_plus,        // "tt+" not followed by a space
  espace_tt,             // "tt" followed by neither '+', a space nor '0'
  table_incomplete,      // the file ends before the table's list is complete
  entree_apres_fin,      // an entry after the end of a single table
  intervalle_apres_fin,  // a range past the size of its list
  intervalle_inverse,    // a range whose end is before its start
  deux_points,           // a number not followed by ':'
  ligne_longue,          // a line longer than the 254 bytes read at a time
  utf8,                  // a file written in UTF-8
  bom,                   // a UTF-8 byte order mark
  fichier_vide,          // nothing but white space
  sans_dd,               // a header without its "dd" marker
  tabulation,            // a tab where a keyword wants a space
};

// "numerotation", "espace-mot-cle", "table-incomplete"...
const char *nom_du_code(Code code);

struct Constat {
  Lieu lieu;
  Gravite gravite;
  Code code;
  const char *message;     // ISO 8859-1, without line end: the reason of an error, a warning's text
  std::string_view texte;  // the line it stands on, without its line end (see Ligne)
  bool texte_tronque;      // the line goes on past `texte`
};

#endif
