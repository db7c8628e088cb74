// programme.h -- runs a program of the suite as its user would, and keeps
// every byte it prints. On Linux the program gets a pseudo-terminal in raw
// mode (so it sees a terminal and its bytes pass untranslated); on Windows
// its standard input and output are files, as with a redirected console.
// On Linux a run may also change the program's environment: "NOM=valeur"
// sets a variable, "NOM" alone removes it, the first of a name wins.
#ifndef TESTS_PROGRAMME_H
#define TESTS_PROGRAMME_H

#ifndef _WIN32
#include <sys/types.h>
#endif

#include <chrono>
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

// A run from a script, in the folder `dossier` (the current one when
// empty): no terminal, `entree` as standard input (empty by default),
// standard output and standard error kept apart (on Windows, as the program
// wrote them: CR LF line ends).
struct ExecutionScript {
  std::string sortie, erreurs;
  int statut;  // -1 when the program did not end by itself
};
ExecutionScript lance_sans_terminal(const std::vector<std::string> &arguments,
                                    const std::string &dossier = "", int secondes = 20,
                                    const std::string &entree = "");

#ifndef _WIN32
// The same run with the environment changed by `environnement`.
ExecutionScript lance_sans_terminal(const std::vector<std::string> &arguments,
                                    const std::string &dossier, int secondes,
                                    const std::string &entree,
                                    const std::vector<std::string> &environnement);

// Starts that run and returns at once, the program still running; its
// outputs go to the files sortie.txt and erreurs.txt of the test's folder.
// Its process id, which also names its process group: kill(-pid, ...)
// stops whatever it started.
pid_t demarre_sans_terminal(const std::vector<std::string> &arguments, const std::string &dossier,
                            const std::vector<std::string> &environnement,
                            const std::string &entree = "");

// The exit status of the program `pid` so started, once it ends; after
// `secondes` it is killed, and the status is -1.
int attend_la_fin(pid_t pid, int secondes);

// A program on a pseudo-terminal, typed at key by key: what it shows can be
// awaited before the next key goes, as a user waits for the echo.
class Session {
 public:
  explicit Session(const std::vector<std::string> &arguments);
  // From the folder `dossier` (the current one when empty), the environment
  // changed by `environnement`.
  Session(const std::vector<std::string> &arguments, const std::string &dossier,
          const std::vector<std::string> &environnement);
  ~Session();
  Session(const Session &) = delete;
  Session &operator=(const Session &) = delete;

  void tape(const std::string &touches);
  // Reads the program's output until it ends with `fin`; false when that
  // does not come within `secondes`.
  bool attend(const std::string &fin, int secondes);
  // Reads until the program ends; after `secondes` it is killed (status -1,
  // as for any end other than exit).
  Execution termine(int secondes);

 private:
  // Reads what comes before `limite`; false at the end of output or once
  // the time is up.
  bool lit(std::chrono::steady_clock::time_point limite);

  int maitre_ = -1;
  int pid_ = -1;
  std::string sortie_;
};
#endif

#endif
