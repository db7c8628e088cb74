// fichiers.h -- opening the suite's files by their names as typed, and
// listing folders. Names are converted for the file system first: UTF-8 and
// '/' separators on Linux; on Windows a file name goes to the source set and
// a folder name is taken as given. A file or folder that cannot be opened,
// or a folder given as a file, ends the program with a French message and
// a pause.
#ifndef OUTILS_FICHIERS_H
#define OUTILS_FICHIERS_H

#include <cstdio>

// The separator of a path's folders.
#ifdef _WIN32
constexpr char SEPARATEUR = '\\';
#else
constexpr char SEPARATEUR = '/';
#endif

// An extension filter holds at most this many entries of 254 characters.
constexpr int MAX_EXTENSIONS = 255;
constexpr int TAILLE_EXTENSION = 255;

FILE *ouvre_fichier(const char *nom, const char *mode);
void listing_doss(const char *dossier, FILE *flux, int recursif, const char *filtre, int dossiers);
void print_doss(const char *dossier, FILE *flux, int recursif, char extensions[][255], int nombre,
                int dossiers);

#endif
