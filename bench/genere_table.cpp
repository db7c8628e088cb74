// genere_table.cpp -- writes a large valid random table, or one with an
// error near its end, for the speed measures of the table checks.
// Usage: genere_table FICHIER OCTETS [GENRE] [--plate] [--erreur] [--graine N]
// The table comes close to OCTETS bytes; --plate keeps it one flat list.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/generateur.h"

namespace {

// Changes the first digit of the last entry line within the file's last
// 64 KiB, so that its number is wrong.
bool abime_la_fin(const char *nom) {
  std::FILE *fichier = std::fopen(nom, "r+b");
  if (fichier == nullptr) return false;
  std::fseek(fichier, 0, SEEK_END);
  const long taille = std::ftell(fichier);
  const long debut = taille > 65536 ? taille - 65536 : 0;
  std::string fin(static_cast<std::size_t>(taille - debut), '\0');
  std::fseek(fichier, debut, SEEK_SET);
  fin.resize(std::fread(fin.data(), 1, fin.size(), fichier));
  for (std::size_t i = fin.size(); i-- > 1;) {
    if (fin[i - 1] == '\n' && fin[i] >= '1' && fin[i] <= '9') {
      const char faux = fin[i] == '9' ? '1' : static_cast<char>(fin[i] + 1);
      std::fseek(fichier, debut + static_cast<long>(i), SEEK_SET);
      std::fputc(faux, fichier);
      return std::fclose(fichier) == 0;
    }
  }
  std::fclose(fichier);
  return false;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FICHIER OCTETS [GENRE] [--plate] [--erreur] [--graine N]\n", argv[0]);
    return 2;
  }
  Forme forme;
  forme.longues = true;
  bool erreur = false;
  const double octets = std::atof(argv[2]);
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plate") == 0) forme.profondeur = 0;
    else if (std::strcmp(argv[i], "--erreur") == 0) erreur = true;
    else if (std::strcmp(argv[i], "--graine") == 0 && i + 1 < argc) forme.graine = static_cast<unsigned>(std::atoi(argv[++i]));
    else forme.genre = std::atoi(argv[i]);
  }
  // About 32 bytes an entry (measured on this generator's words and keywords).
  forme.tables = (forme.genre >= 2 && forme.genre <= 4) ? 4 : 1;
  forme.entrees = static_cast<std::int64_t>(octets / 32.0 / forme.tables) + 1;
  std::FILE *sortie = std::fopen(argv[1], "wb");
  if (sortie == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  ecrit_table(sortie, forme);
  if (std::fclose(sortie) != 0 || (erreur && !abime_la_fin(argv[1]))) {
    std::fprintf(stderr, "%s: cannot write the table\n", argv[1]);
    return 1;
  }
  return 0;
}
