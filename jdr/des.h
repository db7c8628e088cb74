// des.h -- dice and random entries: the list of dice that an expression such
// as 3d6+2d8 names, and one entry drawn at random from a numbered text file.
// Shared state: `chfunc` (each printed line goes through it), `ER` (the dice
// table's allocations), the process-wide random generator (reseeded by
// Ph_jdr). Dice typed at the keyboard come through nomajloc_des.
#ifndef JDR_DES_H
#define JDR_DES_H

// The caller's text buffer of interpret_des: 254 characters and the NUL.
constexpr int TAILLE_TEXTE_DES = 255;
// The dice table starts with this many entries and grows by as many.
constexpr int PAS_TABLE_DES = 100;
// The most dice one expression may name (a table of 4 MB): more is refused
// as memory that cannot be had, rather than taking gigabytes for a typo.
constexpr int MAX_DES = 1000000;

int *interpret_des(const char *expression, char *texte);
void Ph_jdr(const char *chemin);

#endif
