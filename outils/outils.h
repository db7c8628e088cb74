// outils.h -- the common library of every program of the suite: console,
// keyboard and accented text, strings, files, the calculator and the system
// queries. Includes every subject header.
#ifndef OUTILS_OUTILS_H
#define OUTILS_OUTILS_H

#include "outils/accents.h"
#include "outils/calcul.h"
#include "outils/chaines.h"
#include "outils/clavier.h"
#include "outils/erreurs.h"
#include "outils/fichiers.h"
#include "outils/historique.h"
#include "outils/relance.h"
#include "outils/saisie.h"
#include "outils/systeme.h"
#include "outils/titre.h"

#endif
