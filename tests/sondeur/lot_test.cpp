// Sondeur's batch mode run as a script, an editor or a CI job runs it: many
// tables and folders, one line a finding on standard output in the format
// asked for, unreadable paths and the summary on standard error, the
// verdict in the exit status.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstring>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/console.h"
#include "tests/support/programme.h"
#include "tests/support/support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

#ifdef _WIN32
#define SEP "\\"
#else
#define SEP "/"
#endif

const std::string PROPRE = "dd2:1:Gobelin\n2:Orc\n";
const std::string FAUTIVE = "dd3:1:Gobelin\n3:Orc\n";
const std::string ERREUR_FAUTIVE = ":2:1: erreur: valeur incorrecte: 3:Orc\n";

// A run of Sondeur from a script, in the folder `dossier` (the current one
// when empty), its CR LF line ends (Windows) read as line feeds.
ExecutionScript sondeur(std::vector<std::string> arguments, const std::string &dossier = "",
                        const std::string &entree = "") {
  arguments.insert(arguments.begin(), std::filesystem::absolute(SONDEUR).string());
  ExecutionScript e = lance_sans_terminal(arguments, dossier, 20, entree);
  for (std::string *texte : {&e.sortie, &e.erreurs})
    for (std::size_t cr; (cr = texte->find("\r\n")) != std::string::npos;) texte->erase(cr, 1);
  return e;
}

// "1 table vérifiée, 0 avec une erreur", "2 tables vérifiées, 1 avec une erreur".
std::string resume(int tables, int fautives) {
  return std::to_string(tables) +
         (tables > 1 ? " tables v" E_AIGU "rifi" E_AIGU "es, "
                     : " table v" E_AIGU "rifi" E_AIGU "e, ") +
         std::to_string(fautives) + " avec une erreur";
}

// The lines of `texte`.
std::vector<std::string> lignes_de(const std::string &texte) {
  std::vector<std::string> lignes;
  std::istringstream flux(texte);
  for (std::string ligne; std::getline(flux, ligne);) lignes.push_back(ligne);
  return lignes;
}

}  // namespace

TEST(Lot, ChecksEveryTableOfTheFoldersInTheByteOrderOfTheirPaths) {
  const std::string lot = dossier_du_test() + "/lot";
  std::filesystem::create_directories(lot + "/x/z");
  ecrit_fichier("lot/propre.tbl", PROPRE);
  ecrit_fichier("lot/x-y.tbl", FAUTIVE);  // before x/...: '-' comes before the separator
  ecrit_fichier("lot/x/ESPACE.TBL",
                "dd2:1:#Pi\xE8"
                "ges\n2:x\n");
  ecrit_fichier("lot/x/notes.txt", FAUTIVE);  // not a table
  ecrit_fichier("lot/x/z/crlf.Tbl", "dd2:1:a\r\n3:b\r\n");

  const ExecutionScript e = sondeur({"--lot", lot, "absente.tbl"});
  const std::string espace = lot + SEP "x" SEP "ESPACE.TBL";
  EXPECT_EQ(e.sortie, lot + SEP "x-y.tbl" + ERREUR_FAUTIVE + espace +
                          ":1:7: erreur: Espace manquant apr" E_GRAVE "s mot cl" E_AIGU
                          ": dd2:1:#Pi" E_GRAVE "ges\n" +
                          espace +
                          ":2:4: erreur: table incompl" E_GRAVE "te : l'entr" E_AIGU
                          "e 2 manque (dd2 annonce 2 entr" E_AIGU "es)\n" +
                          lot +
                          SEP "x" SEP "z" SEP "crlf.Tbl:2:1: erreur: valeur incorrecte: 3:b\n");
  EXPECT_EQ(e.erreurs,
            "absente.tbl: impossible de lire ce chemin (fichier ou dossier introuvable)\n" +
                resume(4, 3) + ", 1 illisible\n");
  EXPECT_EQ(e.statut, 2);

  // Each line reads back as an editor's "%f:%l:%c: %m" pattern reads it.
  const std::regex motif("([^:\n]+):([0-9]+):([0-9]+): ([^\n]+)\n");
  std::vector<std::string> lus;
  for (std::sregex_iterator i(e.sortie.begin(), e.sortie.end(), motif), fin; i != fin; ++i)
    lus.push_back((*i)[1].str() + "|" + (*i)[2].str() + "|" + (*i)[3].str() + "|" +
                  (*i)[4].str().substr(0, 7));
  EXPECT_EQ(lus, (std::vector<std::string>{
                     lot + SEP "x-y.tbl|2|1|erreur:", espace + "|1|7|erreur:",
                     espace + "|2|4|erreur:", lot + SEP "x" SEP "z" SEP "crlf.Tbl|2|1|erreur:"}));
}

TEST(Lot, TheExitStatusIsTheVerdict) {
  const std::string propre = ecrit_fichier("propre.tbl", PROPRE);
  const std::string fautive = ecrit_fichier("fautive.tbl", FAUTIVE);
  const std::string averti = ecrit_fichier("averti.tbl", "dd2:1:a\n2-5:b\n");
  struct Cas {
    std::vector<std::string> arguments;
    int statut;
    std::string resume;
  };
  for (const Cas &cas :
       {Cas{{propre}, 0, resume(1, 0)}, Cas{{propre, fautive}, 1, resume(2, 1)},
        Cas{{averti}, 0, resume(1, 0) + ", 1 avec un avertissement"},
        Cas{{"--strict", averti}, 1, resume(1, 0) + ", 1 avec un avertissement"},
        Cas{{fautive, dossier_du_test() + "/absente", dossier_du_test() + "/autre"},
            2,
            resume(1, 1) + ", 2 illisibles"}}) {
    std::vector<std::string> arguments{"-l"};
    arguments.insert(arguments.end(), cas.arguments.begin(), cas.arguments.end());
    const ExecutionScript e = sondeur(arguments);
    EXPECT_EQ(e.statut, cas.statut) << cas.resume;
    EXPECT_EQ(lignes_de(e.erreurs).back(), cas.resume);
  }
}

TEST(Lot, OptionsHelpAndVersion) {
  const ExecutionScript version = sondeur({"--version"});
  EXPECT_EQ(version.sortie, "Sondeur (Vallorim light) 5.3\n");
  EXPECT_EQ(version.statut, 0);
  for (const char *aide : {"--aide", "-h", "--help"}) {
    const ExecutionScript e = sondeur({aide});
    EXPECT_EQ(lignes_de(e.sortie).at(1),
              "        Sondeur --lot [--strict] [--format FORMAT] [--nom NOM] [--] CHEMIN...")
        << aide;
    EXPECT_EQ(e.statut, 0) << aide;
  }
  struct Faute {
    std::vector<std::string> arguments;
    std::string message;
  };
  for (const Faute &f :
       {Faute{{"--lot", "--inconnue", "a.tbl"}, "option inconnue : --inconnue"},
        Faute{{"--lot"}, "aucune table " A_GRAVE " v" E_AIGU "rifier"},
        Faute{{"--lot", "--format", "xml", "a.tbl"},
              "format inconnu : xml (texte, json ou github)"},
        Faute{{"--lot", "a.tbl", "--nom"}, "l'option --nom demande une valeur"},
        Faute{{"--strict", "a.tbl"},
              "les tables se v" E_AIGU "rifient en ligne de commande avec --lot"}}) {
    const ExecutionScript e = sondeur(f.arguments);
    EXPECT_EQ(e.erreurs, "Sondeur: " + f.message + "\nEssayez 'Sondeur --aide'.\n");
    EXPECT_EQ(e.statut, 2);
  }
}

TEST(Lot, EveryFindingOfATableInLineOrderWarningsFirst) {
  const std::string averti = ecrit_fichier("averti.tbl", "dd2:1:a\n2-5:b\n");
  const std::string fautive = ecrit_fichier("fautive.tbl", "dd4:1:a\n3 Un garde\n4:c\n5:d\n");
  const ExecutionScript e = sondeur({"--lot", averti, fautive});
  EXPECT_EQ(e.sortie, averti +
                          ":2:3: avertissement: intervalle 2-5 au-del" A_GRAVE
                          " de la fin de la table (dd2 annonce 2 entr" E_AIGU "es)\n" +
                          fautive +
                          ":2:1: avertissement: le num" E_AIGU
                          "ro 3 n'est pas suivi de ':' (3:Un garde ?)\n" +
                          fautive + ":2:1: erreur: valeur incorrecte: 3 Un garde\n" + fautive +
                          ":4:1: avertissement: entr" E_AIGU "e 5 apr" E_GRAVE
                          "s la fin de la table (dd4 annonce 4 entr" E_AIGU "es)\n");
  EXPECT_EQ(e.erreurs, resume(2, 1) + ", 2 avec un avertissement\n");
  EXPECT_EQ(e.statut, 1);
}

TEST(Lot, AfterTwoDashesANameBeginningWithADashIsATable) {
  ecrit_fichier("-fautive.tbl", FAUTIVE);
  const ExecutionScript e = sondeur({"--lot", "--", "-fautive.tbl"},
                                    std::filesystem::absolute(dossier_du_test()).string());
  EXPECT_EQ(e.sortie, "-fautive.tbl" + ERREUR_FAUTIVE);
  EXPECT_EQ(e.statut, 1);
}

TEST(Lot, StandardInputIsATableNamedByNom) {
  const ExecutionScript nomme = sondeur({"--lot", "--nom", "t.tbl", "-"}, "", FAUTIVE);
  EXPECT_EQ(nomme.sortie, "t.tbl" + ERREUR_FAUTIVE);
  EXPECT_EQ(nomme.erreurs, resume(1, 1) + "\n");
  EXPECT_EQ(nomme.statut, 1);
  const ExecutionScript anonyme = sondeur({"--lot", "-"}, "", "dd2:1:a\n3:b\n");
  EXPECT_EQ(anonyme.sortie, "-:2:1: erreur: valeur incorrecte: 3:b\n");
  EXPECT_EQ(anonyme.statut, 1);
}

// The table's text reaches the terminal whole: ISO 8859-1 converted letter
// by letter, a line already in UTF-8 as it is, control characters escaped.
TEST(Lot, TableTextIsShownInTheTerminalsEncoding) {
  const std::string auberge =
      "4:\xC0 l'\xC9"
      "cu d'Or \xAB"
      " Chez \xC6"
      "tienne \xBB, 3\xB0 \xE9tage";
  const std::string latin1 = ecrit_fichier("latin1.tbl", "dd3:1:a\n2:b\n" + auberge + "\n");
  const std::string utf8 = ecrit_fichier("utf8.tbl", "dd2:1:a\n3:Tr\xC3\xA9sor \xE2\x82\xAC\n");
  const char octets[] =
      "dd2:1:a\n3:\x1B]0;titre\x07\r\x9B"
      "31m\0z\\x\n";
  const std::string hostile = ecrit_fichier("hostile.tbl", std::string(octets, sizeof octets - 1));
  const ExecutionScript e = sondeur({"--lot", latin1, utf8, hostile});
#ifdef _WIN32
  const std::string auberge_console =
      "4:\xB7 l'\x90"
      "cu d'Or \xAE Chez \x92tienne \xAF, 3\xF8 \x82tage";
  const std::string tresor = "3:Tr\x82sor ?";
#else
  const std::string auberge_console =
      "4:\xC3\x80 l'\xC3\x89"
      "cu d'Or \xC2\xAB Chez \xC3\x86tienne \xC2\xBB, 3\xC2\xB0 \xC3\xA9tage";
  const std::string tresor = "3:Tr\xC3\xA9sor \xE2\x82\xAC";
#endif
  EXPECT_EQ(e.sortie,
            latin1 + ":3:1: erreur: valeur incorrecte: " + auberge_console + "\n" + utf8 +
                ":1:1: avertissement: fichier " E_AIGU "crit en UTF-8 : les tables s'" E_AIGU
                "crivent en Latin-1 (ISO 8859-1), enregistrez-le dans ce codage\n" +
                utf8 + ":2:1: erreur: valeur incorrecte: " + tresor + "\n" + hostile +
                ":2:1: erreur: valeur incorrecte: 3:\\x1b]0;titre\\x07\\r\\x9b31m\\x00z\\\\x\n");
}

#ifndef _WIN32
// Every byte from 0x80 to 0xFF of a Latin-1 line comes out as its own
// character in UTF-8 (the controls 0x80 to 0x9F as escapes).
TEST(Lot, EveryLatin1ByteBecomesItsUtf8Character) {
  std::string octets;
  for (int c = 0x80; c <= 0xFF; ++c) octets += static_cast<char>(c);
  const ExecutionScript e =
      sondeur({"--lot", ecrit_fichier("latin1.tbl", "dd2:1:a\n3:" + octets + "\n")});
  const std::string ligne = e.sortie.substr(e.sortie.find(": 3:") + 4);
  std::string attendu;
  for (int c = 0x80; c <= 0x9F; ++c)
    attendu += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
  std::vector<unsigned> points;  // the characters of the rest, decoded
  for (std::size_t i = attendu.size(); i + 1 < ligne.size(); i += 2) {
    const unsigned char a = static_cast<unsigned char>(ligne[i]),
                        b = static_cast<unsigned char>(ligne[i + 1]);
    ASSERT_TRUE((a == 0xC2 || a == 0xC3) && (b & 0xC0) == 0x80) << i;
    points.push_back(((a & 0x1Fu) << 6) | (b & 0x3Fu));
  }
  EXPECT_EQ(ligne.substr(0, attendu.size()), attendu);
  ASSERT_EQ(points.size(), 0x60u);
  for (unsigned c = 0xA0; c <= 0xFF; ++c) EXPECT_EQ(points[c - 0xA0], c);
  EXPECT_EQ(ligne.back(), '\n');
}

// A name that holds a line feed, a carriage return, escape sequences or a
// backslash still gives one line a finding, the name escaped; a name in
// UTF-8 or in Latin-1 is shown as given.
TEST(Lot, HostileNamesGiveOneEscapedLineEach) {
  const std::string lot = dossier_du_test() + "/lot";
  std::filesystem::create_directories(lot);
  const std::vector<std::pair<std::string, std::string>> noms = {
      {"a\nfaux.tbl:99: valeur incorrecte: forged.tbl",
       "a\\nfaux.tbl:99: valeur incorrecte: forged.tbl"},
      {"b\r.tbl", "b\\r.tbl"},
      {"c\x1B]0;titre\x07.tbl", "c\\x1b]0;titre\\x07.tbl"},
      {"d\x9B"
       "31m.tbl",
       "d\\x9b31m.tbl"},
      {"e\\x41.tbl", "e\\\\x41.tbl"},
      {"\xC3\xA9t\xC3\xA9.tbl", "\xC3\xA9t\xC3\xA9.tbl"},
      {"\xE9t\xE9.tbl", "\xE9t\xE9.tbl"},
  };
  std::string attendu;
  for (const auto &[nom, montre] : noms) {
    ecrit_fichier("lot/" + nom, FAUTIVE);
    attendu += lot;
    attendu += "/" + montre;
    attendu += ERREUR_FAUTIVE;
  }
  const ExecutionScript e = sondeur({"--lot", lot});
  EXPECT_EQ(e.sortie, attendu);
  const ExecutionScript json = sondeur({"--lot", "--format", "json", lot});
  const std::vector<std::string> lignes = lignes_de(json.sortie);
  ASSERT_EQ(lignes.size(), noms.size());
  EXPECT_EQ(nlohmann::json::parse(lignes[0])["file"], lot + "/" + noms[0].first);
  EXPECT_EQ(nlohmann::json::parse(lignes[3])["file"], lot +
                                                          "/d\xC2\x9B"
                                                          "31m.tbl");  // Latin-1 0x9B
  EXPECT_EQ(lignes[3].find('\x9B'), std::string::npos);                // no raw control character
  EXPECT_EQ(nlohmann::json::parse(lignes[6])["file"], lot + "/\xC3\xA9t\xC3\xA9.tbl");
}
#endif

TEST(Lot, JsonLinesOneObjectAFinding) {
  const std::string table = ecrit_fichier("t.tbl", "dd4:1:a\n3 Tr\xE9sor\n");
  const ExecutionScript e = sondeur({"--lot", "--format", "json", table});
  const std::vector<std::string> lignes = lignes_de(e.sortie);
  ASSERT_EQ(lignes.size(), 3u);
  const nlohmann::json avertissement = nlohmann::json::parse(lignes[0]);
  const nlohmann::json erreur = nlohmann::json::parse(lignes[1]);
  EXPECT_EQ(avertissement,
            nlohmann::json::parse(R"j({"file": ")j" + table + R"j(", "line": 2, "column": 1,
      "severity": "warning", "code": "deux-points",
      "message": "le num\u00e9ro 3 n'est pas suivi de ':' (3:Tr\u00e9sor ?)", "text": "3 Tr\u00e9sor"})j"));
  EXPECT_EQ(erreur, nlohmann::json::parse(R"j({"file": ")j" + table + R"j(", "line": 2, "column": 1,
      "severity": "error", "code": "numerotation", "message": "valeur incorrecte", "text": "3 Tr\u00e9sor"})j"));
  EXPECT_EQ(nlohmann::json::parse(lignes[2])["code"], "table-incomplete");
  EXPECT_EQ(nlohmann::json::parse(lignes[2])["column"], 9);
  EXPECT_EQ(lignes[1].substr(0, 9), "{\"file\":\"");  // the fields in their order
  EXPECT_EQ(e.erreurs, resume(1, 1) + ", 1 avec un avertissement\n");
  EXPECT_EQ(e.statut, 1);
}

TEST(Lot, GithubWorkflowCommandsEscapeTheirData) {
  const std::string dossier = std::filesystem::absolute(dossier_du_test()).string();
  ecrit_fichier("t,a%.tbl", "dd4:1:a\n3:50% de chance\r\n");
  const ExecutionScript e = sondeur({"--lot", "--format", "github", "t,a%.tbl"}, dossier);
  EXPECT_EQ(e.sortie,
            "::error file=t%2Ca%25.tbl,line=2,col=1,title=numerotation::valeur incorrecte: 3:50%25 "
            "de chance\n"
            "::error file=t%2Ca%25.tbl,line=2,col=16,title=table-incomplete::table "
            "incompl\xC3\xA8te : l'entr\xC3\xA9"
            "e 4 manque (dd4 annonce 4 entr\xC3\xA9"
            "es)\n");
}

#ifndef _WIN32
// The help and the manual page tell of the same options, formats and
// exit statuses; the manual page lists every code of the findings.
TEST(Lot, TheHelpAndTheManualPageAgree) {
  std::string manuel = lit_fichier(MANUEL);
  for (std::size_t i; (i = manuel.find("\\-")) != std::string::npos;) manuel.erase(i, 1);
  const std::string aide = sondeur({"--aide"}).sortie;
  const std::regex option("(^|[ ,\\[])(--?[a-z]+)");
  int options = 0;
  for (std::sregex_iterator i(aide.begin(), aide.end(), option), fin; i != fin; ++i, ++options)
    EXPECT_NE(manuel.find((*i)[2].str()), std::string::npos) << (*i)[2].str();
  EXPECT_GE(options, 10);
  for (const char *mot :
       {"texte", "json", "github", "numerotation", "espace-mot-cle", "espace-tt-plus", "espace-tt",
        "table-incomplete", "entree-apres-fin", "intervalle-apres-fin", "intervalle-inverse",
        "deux-points", "ligne-longue", "utf8", "bom", "fichier-vide", "sans-dd", "tabulation",
        "erreurs-cachees"})
    EXPECT_NE(manuel.find(mot), std::string::npos) << mot;
  for (const char *statut : {"0 quand", "1 quand", "2 quand"})
    EXPECT_NE(aide.find(statut), std::string::npos);
}
#endif

#ifdef _WIN32
TEST(Lot, ANameTypedInTheConsolesCodePageIsFound) {
  ecrit_fichier("caf\xE9.tbl", FAUTIVE);                        // the file system's name
  const std::string tape = dossier_du_test() + "/caf\x82.tbl";  // as the console types it
  const ExecutionScript e = sondeur({"--lot", tape});
  EXPECT_EQ(e.sortie, tape + ERREUR_FAUTIVE);  // shown as given
  EXPECT_EQ(e.statut, 1);
}
#else
TEST(Lot, OnATerminalNeitherBannerNorPause) {
  const Execution e = lance({SONDEUR, "--lot", ecrit_fichier("propre.tbl", PROPRE)}, "", 10);
  EXPECT_EQ(e.sortie, resume(1, 0) + "\n");
  EXPECT_EQ(e.statut, 0);
}

// Links inside a folder are not followed: not to a file outside, not to the
// process's environment, not to a folder (so a tree of links ends); a path
// named on the command line is. A FIFO never blocks the run; a folder too
// deep is told.
TEST(Lot, TheWalkStaysInItsTree) {
  namespace fs = std::filesystem;
  const fs::path racine = fs::absolute(dossier_du_test());
  fs::create_directories(racine / "t/sous");
  ecrit_fichier("dehors.tbl", FAUTIVE);
  ecrit_fichier("t/vraie.tbl", FAUTIVE);
  ecrit_fichier("t/sous/s.tbl", FAUTIVE);
  fs::create_symlink(racine / "dehors.tbl", racine / "t/lien.tbl");
  fs::create_symlink("/proc/self/environ", racine / "t/env.tbl");
  fs::create_directory_symlink(racine / "t", racine / "t/boucle");
  fs::create_directory_symlink(racine / "t", racine / "t/sous/retour");
  const std::string t = (racine / "t").string();
  const ExecutionScript e = sondeur({"--lot", t, t + "/lien.tbl"});
  EXPECT_EQ(e.sortie, t + "/sous/s.tbl" + ERREUR_FAUTIVE + t + "/vraie.tbl" + ERREUR_FAUTIVE + t +
                          "/lien.tbl" + ERREUR_FAUTIVE);
  EXPECT_EQ(e.statut, 1);

  ASSERT_EQ(mkfifo((racine / "t/sous/tube.tbl").c_str(), 0600), 0);
  const ExecutionScript tube = sondeur({"--lot", t + "/sous"});
  EXPECT_EQ(
      tube.erreurs,
      t +
          "/sous/tube.tbl: impossible de lire ce chemin (ce n'est ni un fichier ordinaire ni un "
          "dossier)\n" +
          resume(1, 1) + ", 1 illisible\n");
  EXPECT_EQ(tube.statut, 2);

  fs::path profond = racine / "p";
  for (int i = 0; i < 100; ++i) profond /= "d";
  fs::create_directories(profond);
  const ExecutionScript trop = sondeur({"--lot", (racine / "p").string()});
  EXPECT_EQ(trop.erreurs, profond.string() + ": impossible de lire ce chemin (trop profond)\n" +
                              resume(0, 0) + ", 1 illisible\n");
  EXPECT_EQ(trop.statut, 2);
}
#endif
