// saisie.h -- digit entry without the Shift key on a French AZERTY keyboard:
// the top row's unshifted signs (& é " ' ( - è _ ç à) are stored as the
// digits 1 to 0, an entry mode lets some other signs and letters through,
// the line can be edited and the input history brought back.
// Shared state: `historique` (every line typed is stored) and `chfunc`
// (chiffre_lettre reads into it). Keys come from getch on Linux (UTF-8
// bytes, escape sequences) and from _getch on Windows (code page 850, 0xE0).
#ifndef OUTILS_SAISIE_H
#define OUTILS_SAISIE_H

// The destination of nomajloc and of its wrappers: 254 characters and the NUL.
constexpr int TAILLE_SAISIE = 255;

// chiffre_lettre's answer for an empty line and for a quit request.
constexpr int SAISIE_VIDE = 12345678;
constexpr int SAISIE_QUITTER = -12345678;

char *nomajloc(char *dest, int mode);
int chiffre_lettre(int quitter);
char *nomajloc_des(char *dest, int quitter);
char *nomajloc_attaque(char *dest, int quitter);
char *nomajloc_calc(char *dest, int quitter);
char *nomajloc_interpret_calc(char *dest, int quitter);
char *nomajloc_gestion_combattant(char *dest, int quitter);
char *nomajloc_choix_arme(char *dest, int quitter);

#endif
