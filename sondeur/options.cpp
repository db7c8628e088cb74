// options.cpp -- the options of Sondeur's command line (options.h).
#include "sondeur/options.h"

#include <cstring>
#include <string_view>

#include "outils/entier.h"

const char *const AIDE =
    "Usage : Sondeur [TABLE]\n"
    "        Sondeur --lot [--strict] [--format FORMAT] [--nom NOM] [--] CHEMIN...\n"
    "        Sondeur --chances [--format FORMAT] [--nom NOM] [--] CHEMIN...\n"
    "        Sondeur --tirer [-n N] [--graine G] [--section TITRE] [--compte]\n"
    "                [--format FORMAT] [--nom NOM] [--] TABLE\n"
    "\n"
    "Sans option, Sondeur vérifie une table dans sa fenêtre : il montre la\n"
    "première ligne fautive, ou dit que la table ne contient aucune erreur, puis\n"
    "attend la touche Entrée. Sans TABLE, il en demande le nom.\n"
    "\n"
    "  -l, --lot      vérifie chaque table nommée et chaque fichier .tbl des\n"
    "                 dossiers nommés (sous-dossiers compris), sans fenêtre ni\n"
    "                 pause ; chaque erreur et chaque avertissement sur une ligne\n"
    "                 de la sortie standard, le résumé sur la sortie d'erreur\n"
    "      --strict   compte une table avec un avertissement comme une table\n"
    "                 fautive : le statut de sortie est alors 1\n"
    "      --format FORMAT\n"
    "                 texte (par défaut) : CHEMIN:LIGNE:COLONNE: erreur: RAISON: TEXTE\n"
    "                 ou CHEMIN:LIGNE:COLONNE: avertissement: MESSAGE ;\n"
    "                 json : un objet JSON par ligne (file, line, column, severity,\n"
    "                 code, message, text) ;\n"
    "                 github : les commandes ::error et ::warning de GitHub Actions\n"
    "                 (--lot seulement)\n"
    "      --nom NOM  le nom montré pour la table lue sur l'entrée standard\n"
    "      --chances  montre chaque entrée des tables nommées (et des dossiers\n"
    "                 nommés) avec ses faces, sa chance sur son dé et sa chance\n"
    "                 totale ; une table fautive montre ses erreurs à la place\n"
    "      --tirer    tire au hasard dans TABLE, comme le ferait un dé, et montre\n"
    "                 chaque résultat et comment il est venu\n"
    "  -n N           le nombre de tirages (1 par défaut)\n"
    "      --graine G la graine du hasard, pour refaire les mêmes tirages\n"
    "      --section TITRE\n"
    "                 la table du recueil qui porte ce titre (la première par\n"
    "                 défaut)\n"
    "      --compte   compte les tirages de chaque entrée, à côté de sa chance\n"
    "  -h, --aide, --help   affiche cette aide\n"
    "      --version  affiche la version\n"
    "  --             la fin des options : ce qui suit est un chemin\n"
    "  -              (comme CHEMIN) lit une table sur l'entrée standard\n"
    "\n"
    "Avertissements : entrée après la fin de la table, intervalle au-delà de la\n"
    "fin ou à l'envers, numéro sans ':', en-tête sans marqueur dd, tabulation\n"
    "après un mot clé, ligne de plus de 254 octets, fichier en UTF-8, marque\n"
    "d'ordre des octets (BOM), fichier vide.\n"
    "\n"
    "Statut de sortie avec une option : 0 quand toutes les tables sont lues et\n"
    "propres, 1 quand une table au moins a une erreur (ou un avertissement, avec\n"
    "--strict), 2 quand un chemin est illisible ou que la ligne de commande est\n"
    "fausse (une section inconnue de --tirer aussi).\n"
    "\n"
    "Exemple : Sondeur --lot mes_tables/ && echo \"Toutes les tables sont bonnes.\"\n";

bool avec_options(int argc, char **argv) {
  return argc > 1 && argv[1][0] == '-' && argv[1][1] != '\0';
}

namespace {

bool lit_format(std::string_view valeur, Options &o) {
  if (valeur == "texte")
    o.format = Format::texte;
  else if (valeur == "json")
    o.format = Format::json;
  else if (valeur == "github")
    o.format = Format::github;
  else
    return false;
  return true;
}

// The command line, read one argument at a time.
class Lecture {
 public:
  Lecture(int argc, char **argv) : argc_(argc), argv_(argv) {}

  Options lit() {
    for (i_ = 1; i_ < argc_; ++i_) {
      const char *argument = argv_[i_];
      if (!fin_des_options_ && std::strcmp(argument, "--") == 0)
        fin_des_options_ = true;
      else if (!fin_des_options_ && argument[0] == '-' && argument[1] != '\0')
        option(argument);
      else
        o_.chemins.push_back(argument);
    }
    if (o_.mode == Mode::aide || o_.mode == Mode::version) return o_;  // whatever else is there
    o_.mode = choisi_;
    verifie_le_mode();
    if (!o_.faute.empty()) o_.mode = Mode::erreur;
    return o_;
  }

 private:
  void faute(const std::string &pourquoi) {
    if (o_.faute.empty()) o_.faute = pourquoi;
  }

  // The value of the option `nom`: after its '=', or the next argument.
  const char *valeur(std::string_view option, std::string_view nom) {
    if (option.size() > nom.size()) return option.data() + nom.size() + 1;
    if (i_ + 1 < argc_) return argv_[++i_];
    faute("l'option " + std::string(nom) + " demande une valeur");
    return nullptr;
  }

  // One mode, and what it needs.
  void verifie_le_mode() {
    if (modes_ == 0) faute("les tables se vérifient en ligne de commande avec --lot");
    if (modes_ > 1) faute("une seule des options --lot, --chances et --tirer");
    if (o_.chemins.empty()) faute("aucune table à vérifier");
    if (o_.mode == Mode::tirage && o_.chemins.size() > 1)
      faute("--tirer tire dans une seule table");
    if (o_.mode != Mode::tirage && (tirage_ || o_.compte || o_.section != nullptr))
      faute("-n, --graine, --section et --compte vont avec --tirer");
    if (o_.mode != Mode::lot && o_.format == Format::github)
      faute("le format github ne vaut que pour --lot");
  }

  void mode(Mode m) {
    if (modes_ > 0 && choisi_ == m) return;  // the same mode again
    if (++modes_ == 1) choisi_ = m;
  }

  // A whole number from `texte`, within [1, plafond]; false when it is none.
  static bool lit_entier(const char *texte, long long plafond, long long &valeur) {
    if (texte == nullptr || *texte == '\0') return false;
    valeur = 0;
    for (const char *c = texte; *c != '\0'; ++c) {
      if (!est_chiffre(*c)) return false;
      valeur = valeur * 10 + (*c - '0');
      if (valeur > plafond) return false;
    }
    return true;
  }

  // Takes one option (the first of --aide and --version wins).
  void option(std::string_view option) {
    const bool premiere = o_.mode == Mode::lot;  // no --aide nor --version yet
    const std::string_view nom = option.substr(0, option.find('='));
    if (option == "--lot" || option == "-l") {
      mode(Mode::lot);
    } else if (option == "--chances") {
      mode(Mode::chances);
    } else if (option == "--tirer") {
      mode(Mode::tirage);
    } else if (nom == "-n") {
      tirage_ = true;
      const char *n = valeur(option, nom);
      if (n != nullptr && !lit_entier(n, 1000000000000LL, o_.tirages))
        faute(std::string("-n demande un nombre de tirages de 1 à 1000000000000 : ") + n);
      if (o_.tirages == 0) faute("-n demande un nombre de tirages de 1 à 1000000000000 : 0");
    } else if (nom == "--graine") {
      tirage_ = true;
      long long g = 0;
      const char *texte = valeur(option, nom);
      if (texte != nullptr && !lit_entier(texte, 4294967295LL, g))
        faute(std::string("--graine demande un nombre de 0 à 4294967295 : ") + texte);
      o_.graine = static_cast<unsigned>(g);
      o_.graine_donnee = true;
    } else if (nom == "--section") {
      o_.section = valeur(option, nom);
    } else if (option == "--compte") {
      o_.compte = true;
    } else if (option == "--strict") {
      o_.strict = true;
    } else if (nom == "--format") {
      const char *format = valeur(option, nom);
      if (format != nullptr && !lit_format(format, o_))
        faute(std::string("format inconnu : ") + format + " (texte, json ou github)");
    } else if (nom == "--nom") {
      if (const char *n = valeur(option, nom)) o_.nom = n;
    } else if (option == "--aide" || option == "-h" || option == "--help") {
      if (premiere) o_.mode = Mode::aide;
    } else if (option == "--version") {
      if (premiere) o_.mode = Mode::version;
    } else {
      faute("option inconnue : " + std::string(option));
    }
  }

  int argc_;
  char **argv_;
  int i_ = 1;
  Options o_;
  int modes_ = 0;  // the modes given among --lot, --chances and --tirer
  Mode choisi_ = Mode::lot;
  bool tirage_ = false;  // -n or --graine given
  bool fin_des_options_ = false;
};

}  // namespace

Options lit_options(int argc, char **argv) { return Lecture(argc, argv).lit(); }
