// commande.cpp -- what command lines share on every platform (commande.h):
// their composition in a fixed buffer.
#include "outils/commande.h"

#include <cstdarg>
#include <cstdio>

bool compose_commande(char *commande, std::size_t taille, const char *format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int n = std::vsnprintf(commande, taille, format, arguments);
  va_end(arguments);
  if (n >= 0 && static_cast<std::size_t>(n) < taille) return true;
  if (taille > 0) commande[0] = '\0';
  return false;
}
