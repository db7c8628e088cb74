// chaines.h -- cutting and searching the lines of the suite's text files.
// Every routine works in place on a NUL-terminated line that the caller owns,
// never allocates, and never writes past the size its interface states.
// Only `changeslash` differs by platform (it is a no-op on Windows).
#ifndef OUTILS_CHAINES_H
#define OUTILS_CHAINES_H

// index_ch searches a private copy of at most this many bytes, NUL included.
constexpr int TAILLE_INDEX_CH = 4096;
// The most occurrences index_ch reports; its array needs one entry more.
constexpr int MAX_OCCURRENCES = 50;
// inttochar's output: "-2147483647" cut to 10 characters, and the NUL.
constexpr int TAILLE_INTTOCHAR = 11;

int index_ch(char *chaine, const char *motif, int *positions);
int index_ch_first(char *chaine, const char *motif);
int index_ch_last(char *chaine, const char *motif);
void Efface_char(char *chaine, const char *marqueur);
void Efface_n(char *chaine);
char *inttochar(int valeur, char *sortie);
void changeslash(char *chemin);

#endif
