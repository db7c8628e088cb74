// fin_de_ligne.h -- the line end of a line read with fgets, for the
// installation tools' lists: cut it and tell whether there was one. The
// umbrella header leaves it out: those tools include it themselves.
#ifndef OUTILS_FIN_DE_LIGNE_H
#define OUTILS_FIN_DE_LIGNE_H

bool coupe_fin_de_ligne(char *ligne);

#endif
