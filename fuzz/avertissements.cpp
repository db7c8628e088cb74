// avertissements.cpp -- fuzzes the warnings' reading of a table: the input
// is the table, read from a memory stream. Beyond the sanitizers, each
// warning must stand on a line of the input, in line order, with a message
// of at most 150 bytes; the count returned must be the count reported; and
// where the reading reaches a verdict on the table, it must be the engine's.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/commun.h"
#include "sondeur/avertissements_suivi.h"
#include "sondeur/moteur.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  std::string copie(reinterpret_cast<const char *>(donnees), taille);
  long lignes = 1;  // the lines of the input: a warning stands on one of them
  for (std::size_t i = 0; i + 1 < taille; ++i) lignes += donnees[i] == '\n';

  std::FILE *table = flux_de(copie);
  long precedente = 1;
  int recus = 0;
  const SuiviAvertissements suivi =
      suit_avertissements(table, [&](long ligne, const char *message) {
        if (ligne < precedente || ligne > lignes) std::abort();
        const std::size_t longueur = std::strlen(message);
        if (longueur == 0 || longueur > 150 || std::strchr(message, '\n') != nullptr) std::abort();
        precedente = ligne;
        ++recus;
      });
  if (suivi.avertissements != recus) std::abort();

  std::rewind(table);
  const int verdict = moteur_principal(table);
  std::fclose(table);
  if (suivi.verdict != 0 && suivi.verdict != verdict) std::abort();
  return 0;
}
