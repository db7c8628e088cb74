// options.cpp -- the options of Sondeur's command line (options.h).
#include "sondeur/options.h"

#include <cstring>
#include <string_view>

const char *const AIDE =
    "Usage : Sondeur [TABLE]\n"
    "        Sondeur --lot [--strict] [--] CHEMIN...\n"
    "\n"
    "Sans option, Sondeur vérifie une table dans sa fenêtre : il montre la\n"
    "première ligne fautive, ou dit que la table ne contient aucune erreur, puis\n"
    "attend la touche Entrée. Sans TABLE, il en demande le nom.\n"
    "\n"
    "  -l, --lot      vérifie chaque table nommée et chaque fichier .tbl des\n"
    "                 dossiers nommés (sous-dossiers compris), sans fenêtre ni\n"
    "                 pause ; une ligne par table fautive, sur la sortie standard :\n"
    "                 CHEMIN:LIGNE: RAISON: LIGNE_LUE\n"
    "      --strict   compte une table avec un avertissement comme une table fautive\n"
    "  -h, --aide, --help   affiche cette aide\n"
    "      --version  affiche la version\n"
    "  --             la fin des options : ce qui suit est un chemin\n"
    "\n"
    "Statut de sortie en lot : 0 quand toutes les tables sont lues et propres,\n"
    "1 quand une table au moins a une erreur, 2 quand un fichier est illisible ou\n"
    "que la ligne de commande est fausse.\n"
    "\n"
    "Exemple : Sondeur --lot mes_tables/ && echo \"Toutes les tables sont bonnes.\"\n";

bool avec_options(int argc, char **argv) {
  return argc > 1 && argv[1][0] == '-' && argv[1][1] != '\0';
}

namespace {

// Takes one option into `o` (the first of --aide and --version wins); false
// when it is none of Sondeur's.
bool prend_option(std::string_view option, Options &o, bool &lot) {
  const bool premiere = o.action == Action::lot;  // no --aide nor --version yet
  if (option == "--lot" || option == "-l")
    lot = true;
  else if (option == "--strict")
    o.strict = true;
  else if (option == "--aide" || option == "-h" || option == "--help")
    o.action = premiere ? Action::aide : o.action;
  else if (option == "--version")
    o.action = premiere ? Action::version : o.action;
  else
    return false;
  return true;
}

}  // namespace

Options lit_options(int argc, char **argv) {
  Options o;
  o.action = Action::lot;
  bool lot = false, fin_des_options = false;
  for (int i = 1; i < argc; ++i) {
    const char *argument = argv[i];
    if (!fin_des_options && std::strcmp(argument, "--") == 0) {
      fin_des_options = true;
    } else if (!fin_des_options && argument[0] == '-' && argument[1] != '\0') {
      if (!prend_option(argument, o, lot) && o.faute.empty())
        o.faute = std::string("option inconnue : ") + argument;
    } else {
      o.chemins.push_back(argument);
    }
  }
  if (o.action != Action::lot) return o;  // help and version, whatever else is there
  if (o.faute.empty() && !lot) o.faute = "les tables se vérifient en ligne de commande avec --lot";
  if (o.faute.empty() && o.chemins.empty()) o.faute = "aucune table à vérifier";
  if (!o.faute.empty()) o.action = Action::erreur;
  return o;
}
