// erreurs.cpp -- pauses, clock and the fatal-error routine (erreurs.h).
#include "outils/erreurs.h"

#include <sys/time.h>

#include <cstdio>
#include <cstdlib>

#include "outils/accents.h"
#include "outils/commande.h"

void *ER = nullptr;

// Prints "..." and waits for one key (or the end of input), which it returns.
int Pause() {
  std::printf("...");
  std::fflush(stdout);
  return std::getchar();
}

// Prints "..." and reads two characters: the first is usually the end of a
// line typed earlier, so the second really waits.
void DPause() {
  std::printf("...");
  std::fflush(stdout);
  std::getchar();
  std::getchar();
}

// Seconds since the epoch, with the microseconds as a fraction; -1.0 (and a
// note on the error stream) when the system cannot tell the time.
double GetClock() {
  timeval maintenant{};
  if (gettimeofday(&maintenant, nullptr) != 0) {
    std::fputs("\nCLOCK ERROR !!!\n", stderr);
    return -1.0;
  }
  return static_cast<double>(maintenant.tv_sec) + maintenant.tv_usec / 1000000.0;
}

// Returns at once while ER holds an allocation. Otherwise tells the user what
// failed (code 1: memory, 2: keyboard), pauses and ends with status 1.
void Erreur(int code) {
  if (ER != nullptr) return;
#ifdef _WIN32
  lance_commande("color FC");
#endif
  if (code == 1) {
    putsacc("\nErreur d'allocation de mémoire, la mémoire vive est insuffisante.\n");
    std::perror("malloc");
  } else if (code == 2) {
    putsacc("\nErreur lors de la saisie au clavier.\n");
    std::perror("gets");
  }
  DPause();
  std::exit(1);
}
