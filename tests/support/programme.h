// programme.h -- runs a program of the suite as its user would, and keeps
// every byte it prints. On Linux the program gets a pseudo-terminal in raw
// mode (so it sees a terminal and its bytes pass untranslated); on Windows
// its standard input and output are files, as with a redirected console.
#ifndef TESTS_PROGRAMME_H
#define TESTS_PROGRAMME_H

#include <string>
#include <vector>

struct Execution {
  std::string sortie;  // standard output (and, on a terminal, standard error)
  int statut;          // the exit status; -1 when the program did not end by itself
};

// Runs `arguments` (the program's path first) with `clavier` as what the
// user types, in the current folder, for at most `secondes`.
Execution lance(const std::vector<std::string> &arguments, const std::string &clavier,
                int secondes = 20);

#endif
