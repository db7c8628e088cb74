// avertissements_test.cpp -- the warnings of Sondeur: each mistake written as
// a table author would, with the exact lines and messages it gives; clean
// tables (the samples, the worked example, generated ones of every kind)
// that must give none; and the reading of the structure that must reach the
// engine's verdict.
#include "sondeur/avertissements.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/generateur.h"
#include "sondeur/avertissements_suivi.h"
#include "sondeur/moteur.h"
#include "tests/support/support.h"

namespace {

using Avertissements = std::vector<std::pair<long, std::string>>;

// The warnings of a table file holding exactly `texte`, opened as Sondeur
// opens it; checks that the count returned is the count reported.
Avertissements avertissements_de(const std::string &texte) {
  const std::string chemin = ecrit_fichier("table.tbl", texte);
  std::FILE *table = std::fopen(chemin.c_str(), "r");
  if (table == nullptr) {
    ADD_FAILURE() << "cannot open " << chemin;
    return {};
  }
  Avertissements recus;
  const int nombre = cherche_avertissements(
      table, [&](long ligne, const char *message) { recus.emplace_back(ligne, message); });
  std::fclose(table);
  EXPECT_EQ(nombre, static_cast<int>(recus.size()));
  return recus;
}

// The expected messages, in ISO 8859-1.
std::string entrees(int n) { return std::to_string(n) + (n > 1 ? " entr\xE9" "es" : " entr\xE9" "e"); }

std::string apres_la_fin(int numero, int taille) {
  return "entr\xE9" "e " + std::to_string(numero) + " apr\xE8" "s la fin de la table (dd" +
         std::to_string(taille) + " annonce " + entrees(taille) + ")";
}

std::string trop_long(const std::string &intervalle, const std::string &liste, int taille) {
  return "intervalle " + intervalle + " au-del\xE0 de la fin de la " + liste + " (dd" +
         std::to_string(taille) + " annonce " + entrees(taille) + ")";
}

std::string a_l_envers(const std::string &intervalle) {
  return "intervalle " + intervalle + " \xE0 l'envers : la fin est avant le d\xE9" "but";
}

std::string sans_deux_points(const std::string &quoi, const std::string &suggestion) {
  return quoi + " n'est pas suivi de ':' (" + suggestion + " ?)";
}

std::string ligne_longue(int octets) {
  return "ligne de " + std::to_string(octets) +
         " octets : Sondeur en lit 254 au plus (fin de ligne comprise) et prend la suite pour "
         "une autre ligne";
}

const std::string MARQUE =
    "marque d'ordre des octets (BOM) UTF-8 en t\xEAte du fichier : les tables s'\xE9" "crivent en "
    "Latin-1 (ISO 8859-1), sans BOM";
const std::string UTF8 =
    "fichier \xE9" "crit en UTF-8 : les tables s'\xE9" "crivent en Latin-1 (ISO 8859-1), "
    "enregistrez-le dans ce codage";
const std::string VIDE =
    "fichier vide : une table commence par sa taille et sa premi\xE8" "re entr\xE9" "e, comme "
    "dd6:1:Gobelin";

// The lines of `lignes`, each with its line feed.
std::string joint(const std::vector<std::string> &lignes) {
  std::string texte;
  for (const std::string &ligne : lignes) texte += ligne + "\n";
  return texte;
}

const std::string EXEMPLE = joint({
    "dd6:1:Gobelin", "2-3:Orc", "4:dd2:1:Loup", "2:Ours", "5:tt Tr\xE9" "sor", "6:# Pi\xE8" "ges",
    "Voir la table des pi\xE8" "ges",
});

struct Cas {
  const char *nom;
  std::string table;
  Avertissements attendus;
};

TEST(Avertissements, EachMistakeIsReportedAtItsLineInLineOrder) {
  const std::string x(300, 'x');
  const std::vector<Cas> cas = {
      {"dd6 followed by eight entries",
       joint({"dd6:1:Gobelin", "2:Orc", "3:Loup", "4:Ours", "5:Troll", "6:Ogre", "7:Dragon",
              "8-9:Liche"}),
       {{7, apres_la_fin(7, 6)}, {8, apres_la_fin(8, 6)}}},
      {"after a titled table, notes are free",
       joint({"%Rencontres", "dd1:1:Gobelin", "Notes : 2 gobelins", "2:Orc"}),
       {{4, apres_la_fin(2, 1)}}},
      {"range past the size", joint({"dd10:1-3:Gobelin", "4-12:Orc"}),
       {{2, trop_long("4-12", "table", 10)}}},
      {"range past the size of a nested list", joint({"dd3:1:a", "2:dd2:1-3:b", "3:c"}),
       {{2, trop_long("1-3", "sous-table", 2)}}},
      {"reversed range, then the engine's error",
       joint({"dd6:1:a", "2:b", "3:c", "4-2:d", "5:e", "6:f", "7:g"}),
       {{4, a_l_envers("4-2")}}},
      {"numbers without their ':'",
       joint({"dd5:1:Gobelin", "2 Un garde", "3.Un garde", "4 - Un garde arm\xE9 : un long texte "
              "qui n'entre pas dans le message", "5) dd"}),
       {{2, sans_deux_points("le num\xE9ro 2", "2:Un garde")},
        {3, sans_deux_points("le num\xE9ro 3", "3:Un garde")},
        {4, sans_deux_points("le num\xE9ro 4",
                             "4:Un garde arm\xE9 : un long texte qui n'entr...")},
        {5, sans_deux_points("le num\xE9ro 5", "5:dd")}}},
      {"a number without its ':' in a file with CR LF line ends", "dd2:1:a\r\n2 Un garde\r\n",
       {{2, sans_deux_points("le num\xE9ro 2", "2:Un garde")}}},
      {"a range and a header entry without their ':'", joint({"dd3:1 Gobelin", "2-3 Orc"}),
       {{1, sans_deux_points("le num\xE9ro 1", "1:Gobelin")},
        {2, sans_deux_points("l'intervalle 2-3", "2-3:Orc")}}},
      {"a long entry: the engine's error falls on its second piece",
       joint({"dd3:1:a", "2:" + x, "3:c"}), {{2, ligne_longue(303)}}},
      {"a long line whose second piece the engine takes for an entry",
       "dd2:1:" + std::string(248, 'x') + "2 y\n", {{1, ligne_longue(258)}}},
      {"a long free line between tables", "#Un\ndd1:1:a\n" + x + "\n#Deux\ndd1:1:b\n",
       {{3, ligne_longue(301)}}},
      {"a line of 254 characters and its line feed",
       "dd2:1:" + std::string(248, 'x') + "\n2:b\n", {{1, ligne_longue(255)}}},
      {"a last line of 255 bytes without line feed", "dd1:1:a\n" + std::string(255, 'y'),
       {{2, ligne_longue(255)}}},
      {"a byte order mark", "\xEF\xBB\xBF#Butin\ndd1:1:Tr\xC3\xA9sor\n", {{1, MARQUE}}},
      {"UTF-8 without mark, before the other warnings",
       joint({"dd1:1:Tr\xC3\xA9sor", "2:Pi\xC3\xA8ge"}),
       {{1, UTF8}, {2, apres_la_fin(2, 1)}}},
      {"a three-byte UTF-8 sequence", "dd1:1:\xE2\x82\xAC\n", {{1, UTF8}}},
      {"empty file", "", {{1, VIDE}}},
      {"blank lines only", "\n   \n\t\n", {{1, VIDE}}},
      {"a byte order mark alone", "\xEF\xBB\xBF", {{1, MARQUE}, {1, VIDE}}},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(avertissements_de(c.table), c.attendus);
  }
}

TEST(Avertissements, CorrectTablesGiveNone) {
  const std::vector<Cas> cas = {
      {"the worked example", EXEMPLE, {}},
      {"CR LF line ends", "dd3:1:a\r\n2\r\n3-3 :c\r\n", {}},
      {"empty entries, blanks and signs", joint({"dd4:+1", " 2 :b", "3-4 :c", ""}), {}},
      {"zero prefixes", joint({"dd3:0:1:a", "0:0:2:b", "0 voir p.3:c"}), {}},
      {"ranges at the size and of one number", joint({"dd6:1-1:a", "2-6:b"}), {}},
      {"notes after a single table", EXEMPLE + "Notes : 3 gobelins, 2-3 orcs\n-4:x\n0:y\n", {}},
      {"numbered free lines in a collection", "#Un\ndd1:1:a\n2:pas une entr\xE9" "e\n#Deux\ndd1:1:b\n",
       {}},
      {"numbered free lines after pp tables", "pp Un:dd1:1:a\n2:x\n3 y\npp Deux:dd1:1:b\n4:z\n",
       {}},
      {"a continuation is not numbered", joint({"dd2:1:# a", "2 Un garde", "2:b"}), {}},
      {"a NUL ends the engine's line", std::string("dd2:1:a\0 b\n2:b\n", 15), {}},
      {"Latin-1 accents read as UTF-8 lead bytes", "dd1:1:\xC3" "a \xE9t\xE9 \xF0\n", {}},
      {"UTF-8 then Latin-1", "dd2:1:Tr\xC3\xA9sor\n2:Pi\xE8ge\n", {}},
      {"UTF-8 then a sequence cut by the end of the file", "dd1:1:\xC3\xA9 \xC3", {}},
      {"253 characters and the line feed", "dd1:1:" + std::string(247, 'x') + "\n", {}},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(avertissements_de(c.table), c.attendus);
  }
}

TEST(Avertissements, SampleTablesGiveNone) {
  int tables = 0;
  for (const auto &fichier : std::filesystem::directory_iterator(EXEMPLES)) {
    if (fichier.path().extension() != ".tbl") continue;
    SCOPED_TRACE(fichier.path().string());
    EXPECT_EQ(avertissements_de(lit_fichier(fichier.path().string())), Avertissements{});
    ++tables;
  }
  EXPECT_GE(tables, 6);
}

TEST(Avertissements, GeneratedTablesOfEveryFormGiveNone) {
  std::mt19937 hasard(15);
  for (int i = 0; i < 400; ++i) {
    Forme f;
    f.genre = 1 + i % 5;
    f.entrees = 1 + hasard() % 30;
    f.tables = 1 + static_cast<int>(hasard() % 3);
    f.profondeur = static_cast<int>(hasard() % 5);
    f.intervalles = hasard() % 4 != 0;
    f.suites = hasard() % 4 != 0;
    f.mots_cles = hasard() % 4 != 0;
    f.longues = hasard() % 3 == 0;
    f.graine = static_cast<unsigned>(hasard());
    const std::string table = table_valide(f);
    ASSERT_EQ(avertissements_de(table), Avertissements{}) << testing::PrintToString(table);
  }
}

// Past the warnings that may wait for the verdicts of line 1, the others
// still come, all of them and in order.
TEST(Avertissements, ManyWarningsAllComeInOrder) {
  std::string table = "dd1:1:a\n";
  Avertissements attendus;
  for (int n = 2; n <= 400; ++n) {
    table += std::to_string(n) + ":x\n";
    attendus.emplace_back(n, apres_la_fin(n, 1));
  }
  EXPECT_EQ(avertissements_de(table), attendus);
}

// On any table, where this reading follows the structure to a verdict, it
// is the engine's: damaged tables, random pieces of the grammar, and inputs
// that once set them apart. The engine's reports are captured once for the
// whole run and thrown away.
TEST(Avertissements, TheStructureIsFollowedAsTheEngineFollowsIt) {
  int verdicts = 0;
  std::string desaccord;  // the first table where the verdicts differ
  const auto compare = [&](const std::string &texte) {
    std::FILE *table = std::fopen(ecrit_fichier("table.tbl", texte).c_str(), "rb");
    const SuiviAvertissements suivi = suit_avertissements(table, [](long, const char *) {});
    std::rewind(table);
    const int moteur = moteur_principal(table);
    std::fclose(table);
    verdicts += suivi.verdict != 0;
    if (suivi.verdict != 0 && suivi.verdict != moteur && desaccord.empty())
      desaccord = std::to_string(suivi.verdict) + " for " + std::to_string(moteur) + ": " +
                  testing::PrintToString(texte);
  };
  std::mt19937 hasard(1515);
  sortie_de([&] {
    // A last line without line feed comes after the buffer is refilled; its
    // text still ends at its NUL, before the ':' that would open a list.
    compare(std::string("dd3:1:a\n2:b\n3;x\0:dd3", 20));
    for (int i = 0; i < 2000; ++i)
      compare(i % 2 ? abime(table_valide(forme_au_hasard(hasard)), hasard) : charabia(hasard));
  });
  EXPECT_EQ(desaccord, "");
  EXPECT_GT(verdicts, 1300);  // most tables reach a verdict: the comparison is not idle
}

}  // namespace
