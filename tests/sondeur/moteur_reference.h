// moteur_reference.h -- the oracle of the table checks (see its .cpp).
#ifndef TESTS_MOTEUR_REFERENCE_H
#define TESTS_MOTEUR_REFERENCE_H

#include <cstdio>

// Same contract as moteur_principal: 1 for a clean table, 2 after a report.
int moteur_reference(FILE *table);

#endif
