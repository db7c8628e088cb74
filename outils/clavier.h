// clavier.h -- the lowest layer of keyboard input: one key without echo, a
// line of any length in a heap block that grows 100 bytes at a time, a line
// into a fixed buffer of the caller's, and throwing away the rest of a line.
// Shared state: the terminal settings that getch captures at its first call.
// getch exists in the Linux build only; Windows reads keys with _getch.
#ifndef OUTILS_CLAVIER_H
#define OUTILS_CLAVIER_H

#include <cstdio>

// getsdyn's block grows by this many bytes, and the block it returns is this
// much larger than the last capacity reached: 200 bytes for a line of up to
// 100 characters, 300 for 101 to 200.
constexpr int PAS_GETSDYN = 100;

#ifndef _WIN32
int getch();
#endif
char *getsdyn(char *inutilise, FILE *flux, char fin);
char *tabch_dyn(char **table, int index, FILE *flux, char fin);
char *getsfix(char *buffer, int taille);
int fclean(char *chaine, FILE *flux);
int fpurge(FILE *flux);

#endif
