// desinstallation.cpp -- fuzzes what the uninstaller reads: the input up to
// its first NUL is the key list "Uninstall.ini", read key by key to its end;
// what follows the NUL is reg's answer, from which the path is taken and
// judged. Each key read is judged too. Both are read from memory streams.
#include <cstdio>
#include <cstdlib>

#include "fuzz/commun.h"
#include "uninstaller/lecture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  auto [liste, reponse] = coupe_au_nul(donnees, taille);
  char ligne[TAILLE_LIGNE];
  std::FILE *flux = flux_de(liste);
  // Each key consumes one line at least: more reads than bytes is a loop.
  std::size_t lectures = 0;
  for (Cle c; (c = lit_cle(flux, ligne)) != Cle::fin;) {
    if (++lectures > liste.size() + 1) std::abort();
    if (c == Cle::lue) cle_de_la_suite(ligne);
  }
  std::fclose(flux);

  char chemin[TAILLE_LIGNE];
  flux = flux_de(reponse);
  lit_chemin(flux, chemin);
  refus_du_chemin(chemin);
  std::fclose(flux);
  return 0;
}
