// fin_de_ligne.cpp -- cutting a read line's end (fin_de_ligne.h).
#include "outils/fin_de_ligne.h"

#include <cstring>

// Cuts the line end (LF, or CR LF) off `ligne`; false when there was none,
// because the line did not fit the read bound or ended the file.
// "HKEY_CLASSES_ROOT\.cl\r\n" becomes "HKEY_CLASSES_ROOT\.cl".
bool coupe_fin_de_ligne(char *ligne) {
  const std::size_t longueur = std::strlen(ligne);
  if (longueur == 0 || ligne[longueur - 1] != '\n') return false;
  ligne[longueur - 1] = '\0';
  if (longueur > 1 && ligne[longueur - 2] == '\r') ligne[longueur - 2] = '\0';
  return true;
}
