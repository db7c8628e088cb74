// descente.cpp -- the folders on the way down a walk (descente.h).
#include "outils/descente.h"

bool Descente::deja_vu(const struct stat &etat) const {
  if (etat.st_ino == 0) return false;
  for (const Identite &id : chemin_)
    if (id.disque == etat.st_dev && id.noeud == etat.st_ino) return true;
  return false;
}
