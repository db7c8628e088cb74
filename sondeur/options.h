// options.h -- the command line of Sondeur when it starts with an option:
// the batch mode (--lot) with its --strict, --format and --nom, the odds of
// the entries (--chances), trial draws (--tirer with -n, --graine,
// --section and --compte), the help and the version. A command line that
// starts with a table name, or with nothing, is the interactive run, which
// reads no option.
#ifndef SONDEUR_OPTIONS_H
#define SONDEUR_OPTIONS_H

#include <string>
#include <vector>

enum class Mode { lot, chances, tirage, aide, version, erreur };

// How the findings are written: lines as compilers write theirs, JSON
// Lines, or GitHub Actions workflow commands.
enum class Format { texte, json, github };

struct Options {
  Mode mode = Mode::lot;
  bool strict = false;  // a warning counts as an error
  Format format = Format::texte;
  std::string nom = "-";              // the name shown for the table read from standard input
  std::vector<const char *> chemins;  // the tables and folders, in their order; "-" standard input
  long long tirages = 1;              // -n: the draws of --tirer
  bool graine_donnee = false;         // --graine: the generator's seed, to repeat draws
  unsigned graine = 0;
  const char *section = nullptr;  // --section: the title of the section drawn
  bool compte = false;            // --compte: the draws tallied per entry
  std::string faute;              // why the command line is wrong (ISO 8859-1)
};

// Whether the command line is one of options: its first argument begins with
// '-' (a lone "-" is a table's name).
bool avec_options(int argc, char **argv);

// Reads the options anywhere before "--"; every other argument is a path.
// "--lot a.tbl --strict dossier" -> lot, strict, {a.tbl, dossier}.
Options lit_options(int argc, char **argv);

// The usage printed by --aide, -h and --help (ISO 8859-1).
extern const char *const AIDE;

#endif
