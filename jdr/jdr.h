// jdr.h -- the dice and character-sheet library: random numbers and dice.
// Includes every subject header.
#ifndef JDR_JDR_H
#define JDR_JDR_H

#include "jdr/alea.h"
#include "jdr/couleurs.h"
#include "jdr/des.h"

#endif
