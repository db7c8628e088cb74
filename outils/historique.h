// historique.h -- the last ten lines typed through the digit entry, which the
// browsing keys (Up, Down, Page Up, Page Down) bring back.
// Shared state: `historique`, one process-wide record, unguarded; it lives as
// long as the process and only init_historique_saisie empties it again.
#ifndef OUTILS_HISTORIQUE_H
#define OUTILS_HISTORIQUE_H

// The history keeps this many lines, in slots numbered from 0.
constexpr int LIGNES_HISTORIQUE = 10;
// A slot: a line of 254 characters and its NUL.
constexpr int TAILLE_LIGNE_HISTORIQUE = 255;

struct historique_saisie {
  int prochain;  // the slot that receives the next line
  int courant;   // the slot reached by the last move; prochain after a store
  char lignes[LIGNES_HISTORIQUE][TAILLE_LIGNE_HISTORIQUE];  // first byte NUL: empty
};

extern historique_saisie historique;

void init_historique_saisie();
void ajout_historique(const char *ligne);
const char *parcours_historique(int pas);

#endif
