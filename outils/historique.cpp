// historique.cpp -- the input history (historique.h).
// Moves go by slot number, not by age, and never wrap around.
#include "outils/historique.h"

#include <cassert>
#include <cstring>

historique_saisie historique;

namespace {

constexpr int DERNIER_EMPLACEMENT = LIGNES_HISTORIQUE - 1;
// The most further steps a move takes looking for a filled slot: enough to
// go up to slot 9 and back down to slot 0 from anywhere.
constexpr int MAX_RECHERCHE = 19;

}  // namespace

// Empties the ten slots; the next line goes into slot 0.
void init_historique_saisie() {
  historique.prochain = 0;
  historique.courant = 0;
  for (char *ligne : historique.lignes) ligne[0] = '\0';
}

// Stores `ligne`, cut at 254 characters, in the next slot (after slot 9
// comes slot 0 again, overwriting the oldest line), and puts the browsing
// position there. An empty line takes its slot too.
void ajout_historique(const char *ligne) {
  assert(historique.prochain >= 0 && historique.prochain <= DERNIER_EMPLACEMENT);
  char *emplacement = historique.lignes[historique.prochain];
  const std::size_t longueur = strnlen(ligne, TAILLE_LIGNE_HISTORIQUE - 1);
  std::memcpy(emplacement, ligne, longueur);
  emplacement[longueur] = '\0';
  historique.prochain = (historique.prochain + 1) % LIGNES_HISTORIQUE;
  historique.courant = historique.prochain;
}

// Moves `pas` slots (-1 Up, 1 Down, -9 Page Up, 9 Page Down), stopping at
// slots 0 and 9, then on past empty slots: towards slot 0, where it stays,
// or towards slot 9, from which it turns back down. A step of 9 searches
// downwards, so Page Down ends on the highest filled slot. Returns the slot
// reached, inside `historique`: empty when no filled slot was found.
// Example: after "11", "22", "33", Up gives "33", "22", "11", "11", then
// Down "22" and Page Down "33".
const char *parcours_historique(int pas) {
  int &courant = historique.courant;
  courant += pas;
  if (courant < 0) courant = 0;
  if (courant > DERNIER_EMPLACEMENT) courant = DERNIER_EMPLACEMENT;
  if (pas == 9) pas = -1;
  for (int essai = 0; essai < MAX_RECHERCHE && historique.lignes[courant][0] == '\0'; ++essai) {
    courant += pas;
    if (courant < 0) courant = 0;
    if (courant > DERNIER_EMPLACEMENT) {
      courant = DERNIER_EMPLACEMENT;
      pas = -1;  // turn back from the last slot
    }
  }
  return historique.lignes[courant];
}
