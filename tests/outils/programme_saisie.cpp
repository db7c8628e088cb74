// programme_saisie.cpp -- the digit entry reduced to its keys, for the tests
// that type on a real Windows console: `programme_saisie FILE MODE...` reads
// one line with nomajloc in each MODE in turn, after the prompt "saisie N: "
// (N counting from 1), and writes each line's bytes
// in hexadecimal, one line of FILE per entry ("32 37 39 30" for "2790"),
// then "fin". FILE is written only when every entry is done, under a
// temporary name first, so that its presence means the whole result.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "outils/saisie.h"

int main(int argc, char **argv) {
  if (argc < 3) return 2;
  // Fully buffered, so that what shows on the screen is what the entry
  // flushes itself, whatever the C library does for a terminal.
  std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);
  std::string resultat;
  for (int i = 2; i < argc; ++i) {
    char ligne[TAILLE_SAISIE];
    std::printf("saisie %d: ", i - 1);
    nomajloc(ligne, std::atoi(argv[i]));
    for (const char *c = ligne; *c != '\0'; ++c) {
      char octet[4];  // two hexadecimal digits, a blank and the NUL
      std::snprintf(octet, sizeof octet, "%02X ", static_cast<unsigned char>(*c));
      resultat += octet;
    }
    if (!resultat.empty() && resultat.back() == ' ') resultat.pop_back();
    resultat += '\n';
  }
  resultat += "fin\n";

  const std::string provisoire = std::string(argv[1]) + ".tmp";
  std::FILE *fichier = std::fopen(provisoire.c_str(), "wb");
  if (fichier == nullptr) return 3;
  std::fwrite(resultat.data(), 1, resultat.size(), fichier);
  std::fclose(fichier);
  std::remove(argv[1]);
  return std::rename(provisoire.c_str(), argv[1]) == 0 ? 0 : 4;
}
