// alea.h -- random numbers for the dice: seeding the standard generator from
// the clock and drawing whole numbers in a range. Every draw uses rand(), so
// all of them share one process-wide generator; its RAND_MAX differs by
// platform (2^31 - 1 on Linux, 2^15 - 1 on Windows).
#ifndef JDR_ALEA_H
#define JDR_ALEA_H

void Init_srand();
int NbAlea1bf(int n);
int NbAlea1b(int n);
int NbAlea2bf(int bas, int haut);
int NbAlea2b(int bas, int haut);

#endif
