// main.cpp -- Sondeur, the random table tester: checks the table named on
// its command line (or typed at its prompt) and tells where its first error
// stands, or that it holds none. On Linux, started without a terminal, it
// reopens itself in an xterm window first. A command line that starts with
// an option is the batch mode, the help or the version instead.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "jdr/jdr.h"
#include "medium/suite.h"
#include "outils/outils.h"
#include "sondeur/affichage.h"
#include "sondeur/chances.h"
#include "sondeur/lot.h"
#include "sondeur/moteur.h"
#include "sondeur/options.h"
#include "sondeur/passage.h"
#include "sondeur/rapport.h"
#include "sondeur/tirage.h"

namespace {

// The mark that the relaunch in a new window puts first; it names no table.
constexpr const char *MARQUE_RELANCE = "swxterm";

// The table's name: a heap copy of the first argument (twice its length,
// never less than the argument and its NUL), or the line typed at the
// prompt. The caller frees it.
char *nom_de_la_table(int argc, char **argv) {
  int premier = 1;
  if (argc > premier && std::strcmp(argv[premier], MARQUE_RELANCE) == 0) ++premier;
  if (argc <= premier) {
    putsacc("Entrez le nom complet de la table aléatoire à vérifier\n?: ");
    std::fflush(stdout);
    return getsdyn(nullptr, stdin, 0);
  }
  const std::size_t longueur = std::strlen(argv[premier]);
  const std::size_t taille = longueur * 2 > longueur + 1 ? longueur * 2 : longueur + 1;
  char *nom = static_cast<char *>(std::calloc(taille, 1));
  ER = nom;
  Erreur(1);
  std::memcpy(nom, argv[premier], longueur);
  return nom;
}

// The run of a command line of options: the batch mode, or the help, the
// version, or why the command line is wrong. Nothing waits, nothing is read
// from standard input.
int execute_options(int argc, char **argv) {
  const Options options = lit_options(argc, argv);
  switch (options.mode) {
    case Mode::aide: std::fputs(acc(AIDE, chfunc), stdout); return LOT_PROPRE;
    case Mode::version: std::puts("Sondeur (Vallorim light) " VERSION_VALLORIM); return LOT_PROPRE;
    case Mode::erreur:
      dit("Sondeur: " + options.faute);
      dit("Essayez 'Sondeur --aide'.");
      return LOT_IMPOSSIBLE;
    case Mode::chances: return montre_les_chances(options);
    case Mode::tirage: return tire(options);
    case Mode::lot: break;
  }
  return verifie_en_lot(options);
}

}  // namespace

int main(int argc, char **argv) {
  if (avec_options(argc, argv)) return execute_options(argc, argv);
  Init_srand();
  init_historique_saisie();
  Titre(argc, argv, "Testeur de tables aléatoires", "Programme de test de tables aléatoires", "F8");
  char *nom = nom_de_la_table(argc, argv);
  std::FILE *table = ouvre_fichier(nom, "r");
  std::puts("Test de la table en cours.");
  const int resultat = moteur_principal(table);
  std::fclose(table);
  if (resultat != ERREUR) putsacc("La table aléatoire ne contient aucune erreur.\n");
  std::free(nom);
  Pause();
  return 0;
}
