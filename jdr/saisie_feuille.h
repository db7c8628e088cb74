// saisie_feuille.h -- filling a character record at the keyboard, question
// by question in French, when the character has no txtp sheet. Numbers go
// through the expression calculator, hit dice through the digit entry,
// texts and lists through line input. Shared state: `chfunc` and the input
// history (through the digit entry). Keys reach the digit entry through
// getch on Linux and _getch on Windows.
#ifndef JDR_SAISIE_FEUILLE_H
#define JDR_SAISIE_FEUILLE_H

#include "jdr/feuille.h"

void saisie_feuille_perso(feuille_perso *fiche);

#endif
