// parcours.h -- the tables of a batch run: each path named on the command
// line, and under each folder named, every file whose name ends with ".tbl"
// (in any case), sub-folders included, in the byte order of their paths.
// A path is kept twice: as given, to be shown, and as the file system
// takes it (on Windows, a name typed in the console's code page is
// converted as for any file the suite opens).
#ifndef SONDEUR_PARCOURS_H
#define SONDEUR_PARCOURS_H

#include <string>

struct Chemin {
  std::string affiche;  // as given, joined with '/' ('\' on Windows) under a folder
  std::string systeme;  // as opened
};

// What the walk finds, told as it goes.
class Visiteur {
 public:
  virtual ~Visiteur() = default;
  virtual void table(const Chemin &chemin) = 0;
  // A path that cannot be read, and why (ISO 8859-1, or the system's words).
  virtual void illisible(const Chemin &chemin, const char *raison) = 0;
};

// Tells `visiteur` of the file `argument`, or of the tables under the folder
// `argument`. A file named on the command line is a table whatever its name.
void parcourt(const char *argument, Visiteur &visiteur);

#endif
