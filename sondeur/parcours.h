// parcours.h -- the tables of a batch run: each path named on the command
// line, and under each folder named, every file whose name ends with ".tbl"
// (in any case), sub-folders included, in the byte order of their paths.
// The walk stays in its tree: a path named on the command line is followed
// when it is a link, a link found inside a folder is not (as grep -r does);
// each folder is walked once in a run, and a folder deeper than
// PROFONDEUR_MAX is not entered but told. A file is opened without waiting
// (a FIFO never blocks the run) and read only once the open file is known to
// be a regular one.
// A path is kept twice: as given, to be shown, and as the file system takes
// it (on Windows, a name typed in the console's code page is converted as for
// any file the suite opens).
#ifndef SONDEUR_PARCOURS_H
#define SONDEUR_PARCOURS_H

#include <memory>
#include <string>

#include "sondeur/lecteur.h"

struct Chemin {
  std::string affiche;  // as given, joined with '/' ('\' on Windows) under a folder
  std::string systeme;  // as opened
};

// Folders deeper than this, under a folder named, are not entered.
constexpr int PROFONDEUR_MAX = 100;

// What the walk finds, told as it goes.
class Visiteur {
 public:
  virtual ~Visiteur() = default;
  // A table, open: `source` reads it from its start.
  virtual void table(const Chemin &chemin, Source &source) = 0;
  // A path that cannot be read, and why (ISO 8859-1).
  virtual void illisible(const Chemin &chemin, const char *raison) = 0;
};

// Walks the paths of one run; remembers the folders already walked.
class Parcours {
 public:
  explicit Parcours(Visiteur &visiteur);
  ~Parcours();
  // Tells the visitor of the file `argument`, or of the tables under the
  // folder `argument`. A file named on the command line is a table whatever
  // its name.
  void visite(const char *argument);

 private:
  struct Etat;
  std::unique_ptr<Etat> etat_;
};

// Text typed at the console (a path, a title) as the suite's files write
// it: on Windows converted from the console's code page to the source set,
// as any file name the suite opens; on Linux as it is.
std::string depuis_la_console(const char *tape);

// Why a path cannot be read, in French for the common failures of the
// system, in the system's own words otherwise.
const char *raison_systeme(int erreur);

#endif
