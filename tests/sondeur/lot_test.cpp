// Sondeur's batch mode run as a script or an editor runs it: many tables and
// folders, one line a finding on standard output, unreadable paths and the
// summary on standard error, the verdict in the exit status.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/console.h"
#include "tests/support/programme.h"
#include "tests/support/support.h"

namespace {

#ifdef _WIN32
#define SEP "\\"
#else
#define SEP "/"
#endif

const std::string PROPRE = "dd2:1:Gobelin\n2:Orc\n";
const std::string FAUTIVE = "dd3:1:Gobelin\n3:Orc\n";
const std::string MOT_CLE_COLLE = "dd2:1:#Pi\xE8" "ges\n2:x\n";
const std::string FINS_CRLF = "dd2:1:a\r\n3:b\r\n";

// A run of Sondeur from a script, in the folder `dossier` (the current one
// when empty), its CR LF line ends (Windows) read as line feeds.
ExecutionScript sondeur(std::vector<std::string> arguments, const std::string &dossier = "") {
  arguments.insert(arguments.begin(), std::filesystem::absolute(SONDEUR).string());
  ExecutionScript e = lance_sans_terminal(arguments, dossier);
  for (std::string *texte : {&e.sortie, &e.erreurs})
    for (std::size_t cr; (cr = texte->find("\r\n")) != std::string::npos;) texte->erase(cr, 1);
  return e;
}

std::string resume(int tables, int fautives) {
  return std::to_string(tables) + " tables v" E_AIGU "rifi" E_AIGU "es, " +
         std::to_string(fautives) + " avec une erreur";
}

}  // namespace

TEST(Lot, ChecksEveryTableOfTheFoldersInTheByteOrderOfTheirPaths) {
  const std::string lot = dossier_du_test() + "/lot";
  std::filesystem::create_directories(lot + "/x/z");
  ecrit_fichier("lot/propre.tbl", PROPRE);
  ecrit_fichier("lot/x-y.tbl", FAUTIVE);  // before x/...: '-' comes before the separator
  ecrit_fichier("lot/x/ESPACE.TBL", MOT_CLE_COLLE);
  ecrit_fichier("lot/x/notes.txt", FAUTIVE);  // not a table
  ecrit_fichier("lot/x/z/crlf.Tbl", FINS_CRLF);

  const ExecutionScript e = sondeur({"--lot", lot, "absente.tbl"});
  EXPECT_EQ(e.sortie, lot + SEP "x-y.tbl:2: valeur incorrecte: 3:Orc\n" +
                          lot + SEP "x" SEP "ESPACE.TBL:1: Espace manquant apr" E_GRAVE "s mot cl" E_AIGU
                                ": dd2:1:#Pi" E_GRAVE "ges\n" +
                          lot + SEP "x" SEP "z" SEP "crlf.Tbl:2: valeur incorrecte: 3:b\n");
  EXPECT_EQ(e.erreurs, std::string("absente.tbl: impossible de lire ce chemin (") +
                           std::strerror(ENOENT) + ")\n" + resume(4, 3) + ", 1 illisibles\n");
  EXPECT_EQ(e.statut, 2);

  // Each line reads back as an editor's "%f:%l: %m" pattern reads it.
  const std::regex motif("([^:\n]+):([0-9]+): ([^\n]+)\n");
  std::vector<std::string> lus;
  for (std::sregex_iterator i(e.sortie.begin(), e.sortie.end(), motif), fin; i != fin; ++i)
    lus.push_back((*i)[1].str() + "|" + (*i)[2].str() + "|" + (*i)[3].str().substr(0, 6));
  EXPECT_EQ(lus, (std::vector<std::string>{lot + SEP "x-y.tbl|2|valeur",
                                           lot + SEP "x" SEP "ESPACE.TBL|1|Espace",
                                           lot + SEP "x" SEP "z" SEP "crlf.Tbl|2|valeur"}));
}

TEST(Lot, TheExitStatusIsTheVerdict) {
  const std::string propre = ecrit_fichier("propre.tbl", PROPRE);
  const std::string fautive = ecrit_fichier("fautive.tbl", FAUTIVE);
  struct Cas {
    std::vector<std::string> chemins;
    int statut;
    std::string resume;
  };
  for (const Cas &cas : {Cas{{propre}, 0, resume(1, 0)},
                         Cas{{propre, fautive}, 1, resume(2, 1)},
                         Cas{{fautive, dossier_du_test() + "/absente"}, 2, resume(1, 1) + ", 1 illisibles"}}) {
    std::vector<std::string> arguments{"-l"};
    arguments.insert(arguments.end(), cas.chemins.begin(), cas.chemins.end());
    const ExecutionScript e = sondeur(arguments);
    EXPECT_EQ(e.statut, cas.statut) << cas.resume;
    EXPECT_EQ(e.erreurs.substr(e.erreurs.find('\n') == e.erreurs.rfind('\n') ? 0 : e.erreurs.find('\n') + 1),
              cas.resume + "\n");
  }
}

TEST(Lot, OptionsHelpAndVersion) {
  const ExecutionScript version = sondeur({"--version"});
  EXPECT_EQ(version.sortie, "Sondeur (Vallorim light) 5.3\n");
  EXPECT_EQ(version.statut, 0);
  for (const char *aide : {"--aide", "-h", "--help"}) {
    const ExecutionScript e = sondeur({aide});
    EXPECT_EQ(e.sortie.substr(0, 58), "Usage : Sondeur [TABLE]\n        Sondeur --lot [--strict] [") << aide;
    EXPECT_EQ(e.statut, 0) << aide;
  }
  struct Faute {
    std::vector<std::string> arguments;
    std::string message;
  };
  for (const Faute &f : {Faute{{"--lot", "--inconnue", "a.tbl"}, "option inconnue : --inconnue"},
                         Faute{{"--lot"}, "aucune table " A_GRAVE " v" E_AIGU "rifier"},
                         Faute{{"--strict", "a.tbl"}, "les tables se v" E_AIGU "rifient en ligne de commande avec --lot"}}) {
    const ExecutionScript e = sondeur(f.arguments);
    EXPECT_EQ(e.erreurs, "Sondeur: " + f.message + "\nEssayez 'Sondeur --aide'.\n");
    EXPECT_EQ(e.statut, 2);
  }
}

TEST(Lot, WarningsComeBeforeTheErrorOfTheirTableAndCountAsOneOnlyWhenStrict) {
  const std::string averti = ecrit_fichier("averti.tbl", "dd2:1:a\n2-5:b\n");
  const std::string fautive = ecrit_fichier("fautive.tbl", "dd6:1:a\n2 Un garde\n4:c\n");
  const ExecutionScript e = sondeur({"--lot", averti, fautive});
  EXPECT_EQ(e.sortie, averti + ":2: avertissement: intervalle 2-5 au-del" A_GRAVE
                               " de la fin de la table (dd2 annonce 2 entr" E_AIGU "es)\n" +
                          fautive + ":2: avertissement: le num" E_AIGU "ro 2 n'est pas suivi de ':' (2:Un garde ?)\n" +
                          fautive + ":3: valeur incorrecte: 4:c\n");
  EXPECT_EQ(e.erreurs, resume(2, 1) + ", 2 avec un avertissement\n");
  EXPECT_EQ(e.statut, 1);
  EXPECT_EQ(sondeur({"--lot", averti}).statut, 0);
  EXPECT_EQ(sondeur({"--lot", "--strict", averti}).statut, 1);
}

TEST(Lot, AfterTwoDashesANameBeginningWithADashIsATable) {
  ecrit_fichier("-fautive.tbl", FAUTIVE);
  const ExecutionScript e =
      sondeur({"--lot", "--", "-fautive.tbl"}, std::filesystem::absolute(dossier_du_test()).string());
  EXPECT_EQ(e.sortie, "-fautive.tbl:2: valeur incorrecte: 3:Orc\n");
  EXPECT_EQ(e.statut, 1);
}

#ifdef _WIN32
TEST(Lot, ANameTypedInTheConsolesCodePageIsFound) {
  ecrit_fichier("caf\xE9.tbl", FAUTIVE);  // the file system's name
  const std::string tape = dossier_du_test() + "/caf\x82.tbl";  // as the console types it
  const ExecutionScript e = sondeur({"--lot", tape});
  EXPECT_EQ(e.sortie, tape + ":2: valeur incorrecte: 3:Orc\n");  // shown as given
  EXPECT_EQ(e.statut, 1);
}
#else
TEST(Lot, OnATerminalNeitherBannerNorPause) {
  const Execution e = lance({SONDEUR, "--lot", ecrit_fichier("propre.tbl", PROPRE)}, "", 10);
  EXPECT_EQ(e.sortie, resume(1, 0) + "\n");
  EXPECT_EQ(e.statut, 0);
}
#endif
