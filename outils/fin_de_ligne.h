// fin_de_ligne.h -- the line end of a line read with fgets, for the
// installation tools' lists: cut it and tell whether there was one. An
// internal header of the library, which the umbrella header leaves out.
#ifndef OUTILS_FIN_DE_LIGNE_H
#define OUTILS_FIN_DE_LIGNE_H

bool coupe_fin_de_ligne(char *ligne);

#endif
