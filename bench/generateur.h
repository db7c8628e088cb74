// generateur.h -- random tables for the table checks: valid tables of every
// kind, as large as wanted (written as they are made, never held in memory),
// and small faulty ones made by damaging valid ones.
#ifndef BENCH_GENERATEUR_H
#define BENCH_GENERATEUR_H

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

struct Forme {
  int genre = 1;              // 1 to 5, as the first line decides
  std::int64_t entrees = 10;  // size of each outermost list
  int tables = 1;             // tables of a collection (kinds 2, 3, 4)
  int profondeur = 3;         // deepest nesting of lists
  bool intervalles = true;    // entries "a-b:"
  bool suites = true;         // '#' and '>' with a continuation line
  bool mots_cles = true;      // tt, tt+ and tt0, "0:" prefixes
  bool longues = false;       // some lines close to 253 characters
  unsigned graine = 1;
};

// A random form for the tests: any kind, 1 to 12 entries, 1 to 3 tables,
// nesting 0 to 3 deep, long lines one time in four, every option on.
Forme forme_au_hasard(std::mt19937 &hasard);

// Writes a valid table of this form into `sortie`.
void ecrit_table(std::FILE *sortie, const Forme &forme);

// A valid table of this form, as text.
std::string table_valide(const Forme &forme);

// The table damaged at one or a few random places: a character changed,
// added or removed, a line dropped or doubled, the end cut off.
std::string abime(std::string table, std::mt19937 &hasard);

// A short random text made of the pieces of the table grammar ("dd", digits,
// ':', '-', '#', "> ", "tt", "0:", "pp", line ends, NUL...).
std::string charabia(std::mt19937 &hasard);

#endif
