// affichage_feuille.h -- printing a whole character record on standard
// output in the layout of a txtp sheet, to inspect what was read or typed.
// Texts are printed as they stand, without the console conversion; the
// record is left unchanged. The same on Linux and Windows.
#ifndef JDR_AFFICHAGE_FEUILLE_H
#define JDR_AFFICHAGE_FEUILLE_H

#include "jdr/feuille.h"

void afficheur_struct_debug(feuille_perso *fiche);

#endif
