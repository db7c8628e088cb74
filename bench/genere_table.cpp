// genere_table.cpp -- writes a large valid random table, or one with an
// error near its end, for the speed measures of the table checks; or a
// tree of many small tables, as a game master's collection.
// Usage: genere_table FICHIER OCTETS [GENRE] [--plate] [--erreur] [--graine N]
//        genere_table --arbre DOSSIER NOMBRE OCTETS
// The table comes close to OCTETS bytes; --plate keeps it one flat list.
// The tree holds NOMBRE tables of about OCTETS bytes each, a hundred a
// folder, of every kind in turn; every tenth has an error near its end.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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

// Writes a valid table of this form, of about `octets` bytes, into `nom`.
bool ecrit_fichier_table(const char *nom, Forme forme, double octets) {
  // About 32 bytes an entry (measured on this generator's words and keywords).
  forme.tables = (forme.genre >= 2 && forme.genre <= 4) ? 4 : 1;
  forme.entrees = static_cast<std::int64_t>(octets / 32.0 / forme.tables) + 1;
  std::FILE *sortie = std::fopen(nom, "wb");
  if (sortie == nullptr) {
    std::perror(nom);
    return false;
  }
  ecrit_table(sortie, forme);
  return std::fclose(sortie) == 0;
}

// The tree of --arbre: DOSSIER/d000/t00000.tbl and so on.
int ecrit_arbre(const std::string &dossier, long nombre, double octets) {
  for (long n = 0; n < nombre; ++n) {
    char sous_dossier[32], fichier[48];  // "/d" and 3 digits, "/t" and 5 digits, ".tbl"
    std::snprintf(sous_dossier, sizeof sous_dossier, "/d%03ld", n / 100);
    std::snprintf(fichier, sizeof fichier, "/t%05ld.tbl", n);
    const std::string chemin = dossier + sous_dossier;
    std::error_code erreur;
    if (n % 100 == 0 && !std::filesystem::create_directories(chemin, erreur) && erreur) return 1;
    Forme forme;
    forme.longues = true;
    forme.genre = 1 + static_cast<int>(n % 5);
    forme.graine = static_cast<unsigned>(n + 1);
    const std::string nom = chemin + fichier;
    if (!ecrit_fichier_table(nom.c_str(), forme, octets) ||
        (n % 10 == 9 && !abime_la_fin(nom.c_str()))) {
      std::fprintf(stderr, "%s: cannot write the table\n", nom.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc == 5 && std::strcmp(argv[1], "--arbre") == 0)
    return ecrit_arbre(argv[2], std::atol(argv[3]), std::atof(argv[4]));
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: %s FICHIER OCTETS [GENRE] [--plate] [--erreur] [--graine N]\n"
                 "       %s --arbre DOSSIER NOMBRE OCTETS\n",
                 argv[0], argv[0]);
    return 2;
  }
  Forme forme;
  forme.longues = true;
  bool erreur = false;
  const double octets = std::atof(argv[2]);
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plate") == 0)
      forme.profondeur = 0;
    else if (std::strcmp(argv[i], "--erreur") == 0)
      erreur = true;
    else if (std::strcmp(argv[i], "--graine") == 0 && i + 1 < argc)
      forme.graine = static_cast<unsigned>(std::atoi(argv[++i]));
    else
      forme.genre = std::atoi(argv[i]);
  }
  if (!ecrit_fichier_table(argv[1], forme, octets) || (erreur && !abime_la_fin(argv[1]))) {
    std::fprintf(stderr, "%s: cannot write the table\n", argv[1]);
    return 1;
  }
  return 0;
}
