// titre_interne.h -- the pieces of Titre that its tests reach one by one: the
// frame, and the Windows console commands. Not part of the library's
// interface: outils.h does not include it.
#ifndef OUTILS_TITRE_INTERNE_H
#define OUTILS_TITRE_INTERNE_H

#include "outils/titre.h"

// Prints the banner framing `texte` (source set) and the reminder line.
void affiche_cadre(const char *texte);

// "color " and the code into `commande`; false, with nothing to run, for the
// code "0" (colours kept) and for a code too long for the command.
bool commande_color(const char *couleur, char (&commande)[TAILLE_COMMANDE_COLOR]);

// "title " and the title into `commande`, the title cut to 83 bytes.
void commande_title(const char *titre, char (&commande)[TAILLE_COMMANDE_TITLE]);

#endif
