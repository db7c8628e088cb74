// commande_posix.cpp -- command lines on Linux (commande.h): /bin/sh runs
// them through system(), and the Windows commands that the installation
// tools share with Linux go to it as they are.
#include "outils/commande.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

int lance_commande(const char *ligne) {
  std::fflush(stdout);
  const int etat = std::system(ligne);
  return etat != -1 && WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
}

int lance_systeme(const char *commande) { return lance_commande(commande); }
