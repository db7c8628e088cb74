// couleurs.h -- each program's console colours, looked up under its own key
// in the suite's colour settings file "Couleurs.ini", so that the user can
// change them with a text editor. Windows reads the file of the current
// folder and wants the key line whole; Linux reads the file beside the
// program and takes the first line that holds the key anywhere.
#ifndef JDR_COULEURS_H
#define JDR_COULEURS_H

// The result buffer of color_va: a line of 254 bytes and the NUL.
constexpr int TAILLE_COULEUR = 255;
// The code given when the file has no key line, or no line after it.
constexpr const char *COULEUR_PAR_DEFAUT = "0:7";

char *color_va(const char *cle, char *resultat, char **argv);

#endif
