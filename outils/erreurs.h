// erreurs.h -- the pauses that end every program, the wall clock, and the
// fatal-error routine with its allocation check.
// Shared state: `ER`, the latest heap allocation, checked by Erreur(1) right
// after each allocation. On Windows Erreur first turns the console red on white.
#ifndef OUTILS_ERREURS_H
#define OUTILS_ERREURS_H

extern void *ER;

int Pause();
void DPause();
double GetClock();
void Erreur(int code);

#endif
