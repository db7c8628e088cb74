// entier.cpp -- a number read as atoi reads it, within an int (entier.h).
#include "outils/entier.h"

int entier_de(const char *texte) { return entier_de(std::string_view(texte)); }
