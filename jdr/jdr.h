// jdr.h -- the dice and character-sheet library: random numbers, dice, the
// character record with its txtp reader, entry and display, and the colours.
// Includes every subject header.
#ifndef JDR_JDR_H
#define JDR_JDR_H

#include "jdr/affichage_feuille.h"
#include "jdr/alea.h"
#include "jdr/couleurs.h"
#include "jdr/des.h"
#include "jdr/feuille.h"
#include "jdr/saisie_feuille.h"

#endif
