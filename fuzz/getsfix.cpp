// getsfix.cpp -- fuzzes the fixed-buffer line reader: the first byte is the
// buffer's size, the rest standard input (a file of the scratch folder),
// read line by line to its end into a buffer of exactly that size.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/commun.h"
#include "outils/clavier.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
  if (taille == 0) return 0;
  const int octets = donnees[0];
  const std::string chemin = dossier_de_travail() + "/entree.txt";
  if (!ecrit_fichier(chemin, donnees + 1, taille - 1)) return 0;
  if (std::freopen(chemin.c_str(), "r", stdin) == nullptr) std::abort();
  // The buffer holds no NUL at first: the caller's text left by a read that
  // found the end of input.
  char *buffer = static_cast<char *>(std::malloc(octets > 0 ? octets : 1));
  std::memset(buffer, 'x', octets > 0 ? octets : 1);
  for (std::size_t i = 0; i <= taille && !std::feof(stdin); ++i) getsfix(buffer, octets);
  getsfix(buffer, octets);  // once more at the end of input
  std::free(buffer);
  if (std::freopen("/dev/null", "r", stdin) == nullptr) std::abort();
  return 0;
}
