// verification_test.cpp -- the whole check of a table, as the batch mode
// makes it: tables written as their authors would, with several mistakes
// each, and every finding they give (line, column, kind, words); clean
// tables that give none; and, on random tables, the first error that the
// interactive report gives.
#include "sondeur/verification.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/generateur.h"
#include "sondeur/rapport.h"
#include "tests/support/support.h"

namespace {

using Constats = std::vector<std::string>;

// Every finding as "LINE:COLUMN: erreur: REASON: TEXT" or "LINE:COLUMN:
// avertissement: MESSAGE" (ISO 8859-1), the hidden errors as "+N".
class Releve final : public SortieConstats {
 public:
  void constat(const Constat &c) override {
    std::string ligne = std::to_string(c.lieu.ligne) + ":" + std::to_string(c.lieu.colonne) + ": ";
    if (c.gravite == Gravite::erreur)
      ligne += "erreur: " + std::string(c.message) +
               (c.code == Code::table_incomplete ? "" : ": " + std::string(c.texte));
    else
      ligne += "avertissement: " + std::string(c.message);
    lignes.push_back(ligne);
  }
  void erreurs_cachees(long n) override { lignes.push_back("+" + std::to_string(n)); }
  Constats lignes;
};

// The findings of a table file holding exactly `texte`, opened as the batch
// mode opens it (in text mode on Windows); checks the count of its bilan.
Constats constats_de(const std::string &texte) {
  std::FILE *table = std::fopen(ecrit_fichier("table.tbl", texte).c_str(), "r");
  if (table == nullptr) {
    ADD_FAILURE() << "cannot open table.tbl";
    return {};
  }
  Releve releve;
  Verification verification(releve);
  SourceFlux source(table);
  const Bilan bilan = verification.verifie(source);
  std::fclose(table);
  EXPECT_TRUE(bilan.lue);
  long montres = 0;
  for (const std::string &l : releve.lignes)
    montres += l.find(": avertissement: ") != std::string::npos;
  EXPECT_EQ(bilan.avertissements, montres);
  return releve.lignes;
}

// The lines of `lignes`, each with its line feed.
std::string joint(const std::vector<std::string> &lignes) {
  std::string texte;
  for (const std::string &ligne : lignes) texte += ligne + "\n";
  return texte;
}

std::string erreur(const std::string &lieu, const std::string &raison, const std::string &texte) {
  return lieu + ": erreur: " + raison + ": " + texte;
}
std::string avertissement(const std::string &lieu, const std::string &message) {
  return lieu + ": avertissement: " + message;
}

const std::string VALEUR = "valeur incorrecte";
const std::string ESPACE =
    "Espace manquant apr\xE8"
    "s mot cl\xE9";
const std::string ENTREE =
    "entr\xE9"
    "e";

// "table incomplète : l'entrée 11 manque (dd12 annonce 12 entrées)"
std::string incomplete(const std::string &lieu, int entree, int taille) {
  return lieu +
         ": erreur: table incompl\xE8"
         "te : l'" +
         ENTREE + " " + std::to_string(entree) + " manque (dd" + std::to_string(taille) +
         " annonce " + std::to_string(taille) + " " + ENTREE + (taille > 1 ? "s" : "") + ")";
}

std::string apres_la_fin(const std::string &lieu, int numero, int taille) {
  return avertissement(lieu, ENTREE + " " + std::to_string(numero) +
                                 " apr\xE8"
                                 "s la fin de la table (dd" +
                                 std::to_string(taille) + " annonce " + std::to_string(taille) +
                                 " " + ENTREE + (taille > 1 ? "s" : "") + ")");
}

std::string trop_long(const std::string &lieu, const std::string &intervalle,
                      const std::string &liste, int taille) {
  return avertissement(lieu, "intervalle " + intervalle + " au-del\xE0 de la fin de la " + liste +
                                 " (dd" + std::to_string(taille) + " annonce " +
                                 std::to_string(taille) + " " + ENTREE + "s)");
}

std::string sans_deux_points(const std::string &lieu, const std::string &quoi,
                             const std::string &suggestion) {
  return avertissement(lieu, quoi + " n'est pas suivi de ':' (" + suggestion + " ?)");
}

std::string ligne_longue(const std::string &lieu, int octets) {
  return avertissement(lieu,
                       "ligne de " + std::to_string(octets) +
                           " octets : Sondeur en lit 254 au plus (fin de ligne comprise) et prend "
                           "la suite pour une autre ligne");
}

const std::string SANS_DD = "en-t\xEAte sans marqueur dd : la table est lue comme vide";
const std::string MARQUE =
    "marque d'ordre des octets (BOM) UTF-8 en t\xEAte du fichier : les tables s'\xE9"
    "crivent en "
    "Latin-1 (ISO 8859-1), sans BOM";
const std::string UTF8 =
    "fichier \xE9"
    "crit en UTF-8 : les tables s'\xE9"
    "crivent en Latin-1 (ISO 8859-1), "
    "enregistrez-le dans ce codage";
const std::string VIDE =
    "fichier vide : une table commence par sa taille et sa premi\xE8"
    "re entr\xE9"
    "e, comme "
    "dd6:1:Gobelin";

struct Cas {
  const char *nom;
  std::string table;
  Constats attendus;
};

void verifie_tous(const std::vector<Cas> &liste) {
  for (const Cas &c : liste) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(constats_de(c.table), c.attendus);
  }
}

TEST(Verification, EveryMistakeOfATableOnItsLineAndColumn) {
  verifie_tous({
      {"an author's table with eight mistakes",
       joint({"dd12:1:Gobelin", "2:Orc", "4:Loup", "5:Ours",
              "6:#Pi\xE8"
              "ges",
              "Voir la table",
              "7:tt+Tr\xE9"
              "sor",
              "8 Un garde", "", "9:dd2:1:Rat", "3:Chat", "10:Ogre", "11:Troll"}),
       {erreur("3:1", VALEUR, "4:Loup"),
        erreur("5:3", ESPACE,
               "6:#Pi\xE8"
               "ges"),
        erreur("7:3", ESPACE + " tt+",
               "7:tt+Tr\xE9"
               "sor"),
        sans_deux_points("8:1", "le num\xE9ro 8", "8:Un garde"), erreur("9:1", VALEUR, ""),
        erreur("11:1", VALEUR, "3:Chat"), incomplete("13:9", 12, 12)}},
      {"one entry missing: one error",
       joint({"dd5:1:a", "2:b", "4:d", "5:e"}),
       {erreur("3:1", VALEUR, "4:d")}},
      {"one entry too many",
       joint({"dd4:1:a", "2:b", "2:c", "3:d", "4:e"}),
       {erreur("3:1", VALEUR, "2:c")}},
      {"a nested list cut by the end of the file",
       joint({"dd3:1:a", "2:dd3:1:x", "2:y"}),
       {incomplete("3:4", 3, 3)}},
      {"the table's last line",
       joint({"dd12:1:a", "2:b", "3:c", "4:d", "5:e", "6:f", "7:g", "8:h", "9:i",
              "10:Le Val-Sombre"}),
       {incomplete("10:17", 11, 12)}},
      {"a title without its table",
       "#Un\ndd1:1:a\n#Deux\n",
       {"3:6: erreur: table incompl\xE8"
        "te : la table manque apr\xE8"
        "s son titre"}},
      {"the last entry of a collection without its space nor its continuation",
       "#Un\ndd1:1:#x\n",
       {erreur("2:7", ESPACE, "dd1:1:#x")}},
      {"a header without dd",
       joint({"Rencontres d6:1:Un", "2:Deux", "3:Trois"}),
       {avertissement("1:1", SANS_DD)}},
      {"a size read at the start of the header",
       joint({"6:1:Un", "2:Deux"}),
       {avertissement("1:1",
                      "en-t\xEAte sans marqueur dd : le nombre 6 en d\xE9"
                      "but de ligne est lu comme la "
                      "taille de la table"),
        "2:7: erreur: table incompl\xE8"
        "te : l'" +
            ENTREE + " 3 manque (l'en-t\xEAte annonce 6 " + ENTREE + "s)"}},
      {"a title line before the header",
       joint({"Rencontres en for\xEAt", "dd6:1:Gobelin", "2:Orc"}),
       {avertissement("1:1", SANS_DD), erreur("1:1", VALEUR, "Rencontres en for\xEAt")}},
      {"tabs after keywords",
       joint({"dd3:1:#\tPi\xE8"
              "ges",
              "suite", "2:tt\tor", "3:c"}),
       {avertissement("1:7",
                      "tabulation apr\xE8"
                      "s le mot cl\xE9 # : une tabulation n'est pas une espace"),
        erreur("1:7", ESPACE,
               "dd3:1:#\tPi\xE8"
               "ges"),
        avertissement("3:3",
                      "tabulation apr\xE8"
                      "s le mot cl\xE9 tt : une tabulation n'est pas une espace"),
        erreur("3:3", ESPACE + " tt", "2:tt\tor")}},
  });
}

TEST(Verification, LongLinesAreOneLineOfTheFile) {
  const std::string x(300, 'x');
  verifie_tous({
      {"the misread rest of a long entry: one error, on its line",
       joint({"dd3:1:a", "2:" + x, "3:c"}),
       {ligne_longue("2:255", 303), erreur("2:255", VALEUR, "2:" + x)}},
      {"a second piece that reads as the next entry",
       "dd2:1:" + std::string(248, 'x') + "2 y\n",
       {ligne_longue("1:255", 258)}},
      {"254 characters and the line feed",
       "dd2:1:" + std::string(248, 'x') + "\n2:b\n",
       {ligne_longue("1:255", 255), erreur("1:255", VALEUR, "dd2:1:" + std::string(248, 'x'))}},
      {"a long free line between tables",
       "#Un\ndd1:1:a\n" + x + "\n#Deux\ndd1:1:b\n",
       {ligne_longue("3:255", 301)}},
      {"a last line of 255 bytes without line feed",
       "dd1:1:a\n" + std::string(255, 'y'),
       {ligne_longue("2:255", 255)}},
  });
}

TEST(Verification, WarningsOfEntriesThatTheNumberingLetsThrough) {
  verifie_tous({
      {"dd6 followed by eight entries",
       joint({"dd6:1:Gobelin", "2:Orc", "3:Loup", "4:Ours", "5:Troll", "6:Ogre", "7:Dragon",
              "8-9:Liche"}),
       {apres_la_fin("7:1", 7, 6), apres_la_fin("8:1", 8, 6)}},
      {"after a titled table, notes are free",
       joint({"%Rencontres", "dd1:1:Gobelin", "Notes : 2 gobelins", "2:Orc"}),
       {apres_la_fin("4:1", 2, 1)}},
      {"range past the size",
       joint({"dd10:1-3:Gobelin", "4-12:Orc"}),
       {trop_long("2:3", "4-12", "table", 10)}},
      {"range past the size of a nested list",
       joint({"dd3:1:a", "2:dd2:1-3:b", "3:c"}),
       {trop_long("2:9", "1-3", "sous-table", 2)}},
      {"reversed range, its error, then an entry after the end",
       joint({"dd6:1:a", "2:b", "3:c", "4-2:d", "5:e", "6:f", "7:g"}),
       {avertissement("4:3",
                      "intervalle 4-2 \xE0 l'envers : la fin est avant le d\xE9"
                      "but"),
        erreur("5:1", VALEUR, "5:e"), apres_la_fin("7:1", 7, 6)}},
      {"numbers without their ':'",
       joint({"dd5:1:Gobelin", "2 Un garde", "3.Un garde",
              "4 - Un garde arm\xE9 : un long texte qui n'entre pas dans le message", "5) dd"}),
       {sans_deux_points("2:1", "le num\xE9ro 2", "2:Un garde"),
        sans_deux_points("3:1", "le num\xE9ro 3", "3:Un garde"),
        sans_deux_points("4:1", "le num\xE9ro 4",
                         "4:Un garde arm\xE9 : un long texte qui n'entr..."),
        sans_deux_points("5:1", "le num\xE9ro 5", "5:dd")}},
      {"CR LF line ends",
       "dd2:1:a\r\n2 Un garde\r\n",
       {sans_deux_points("2:1", "le num\xE9ro 2", "2:Un garde")}},
      {"a range and a header entry without their ':'",
       joint({"dd3:1 Gobelin", "2-3 Orc"}),
       {sans_deux_points("1:5", "le num\xE9ro 1", "1:Gobelin"),
        sans_deux_points("2:1", "l'intervalle 2-3", "2-3:Orc")}},
  });
}

TEST(Verification, WarningsOnTheWholeFileComeFirst) {
  verifie_tous({
      {"a byte order mark",
       "\xEF\xBB\xBF"
       "dd1:1:Tr\xC3\xA9sor\n",
       {avertissement("1:1", MARQUE)}},
      {"UTF-8 without mark, before the other warnings",
       joint({"dd1:1:Tr\xC3\xA9sor", "2:Pi\xC3\xA8ge"}),
       {avertissement("1:1", UTF8), apres_la_fin("2:1", 2, 1)}},
      {"empty file", "", {avertissement("1:1", VIDE), erreur("1:1", VALEUR, "")}},
      {"a byte order mark alone",
       "\xEF\xBB\xBF",
       {avertissement("1:1", MARQUE), avertissement("1:1", VIDE), avertissement("1:1", SANS_DD),
        erreur("1:1", VALEUR, "\xEF\xBB\xBF")}},
  });
  // Past the findings that may wait for these verdicts, the others still
  // come, all of them and in order, the verdict first.
  std::string table = "dd1:1:Tr\xC3\xA9sor\n";
  Constats attendus{avertissement("1:1", UTF8)};
  for (int n = 2; n <= 400; ++n) {
    table += std::to_string(n) + ":x" + std::string(200, 'y') + "\n";  // more than one read
    attendus.push_back(apres_la_fin(std::to_string(n) + ":1", n, 1));
  }
  EXPECT_EQ(constats_de(table), attendus);
}

TEST(Verification, AHundredErrorsATableAreShownThenCounted) {
  std::string table = "dd2:1:a\n";
  for (int n = 0; n < 130; ++n) table += "\n";
  const Constats constats = constats_de(table + "2:b\n");
  ASSERT_EQ(constats.size(), 101u);
  EXPECT_EQ(constats[99], erreur("101:1", VALEUR, ""));
  EXPECT_EQ(constats[100], "+30");
}

TEST(Verification, CorrectTablesGiveNone) {
  verifie_tous({
      {"the worked example",
       joint({"dd6:1:Gobelin", "2-3:Orc", "4:dd2:1:Loup", "2:Ours",
              "5:tt Tr\xE9"
              "sor",
              "6:# Pi\xE8"
              "ges",
              "Voir la table des pi\xE8"
              "ges"}),
       {}},
      {"CR LF line ends", "dd3:1:a\r\n2\r\n3-3 :c\r\n", {}},
      {"empty entries, blanks and signs", joint({"dd4:+1", " 2 :b", "3-4 :c", ""}), {}},
      {"zero prefixes", joint({"dd3:0:1:a", "0:0:2:b", "0 voir p.3:c"}), {}},
      {"notes after a single table",
       joint({"dd1:1:a", "Notes : 3 gobelins, 2-3 orcs", "-4:x", "0:y"}),
       {}},
      {"numbered free lines in a collection",
       "#Un\ndd1:1:a\n2:pas une entr\xE9"
       "e\n#Deux\ndd1:1:b\n",
       {}},
      {"numbered free lines after pp tables",
       "pp Un:dd1:1:a\n2:x\n3 y\npp Deux:dd1:1:b\n4:z\n",
       {}},
      {"a continuation is not numbered", joint({"dd2:1:# a", "2 Un garde", "2:b"}), {}},
      {"a NUL ends the reading's line", std::string("dd2:1:a\0 b\n2:b\n", 15), {}},
      {"Latin-1 accents read as UTF-8 lead bytes",
       "dd1:1:\xC3"
       "a \xE9t\xE9 \xF0\n",
       {}},
      {"UTF-8 then a sequence cut by the end of the file", "dd1:1:\xC3\xA9 \xC3", {}},
      {"253 characters and the line feed", "dd1:1:" + std::string(247, 'x') + "\n", {}},
  });
  int tables = 0;
  for (const auto &fichier : std::filesystem::directory_iterator(EXEMPLES)) {
    if (fichier.path().extension() != ".tbl" || fichier.path().stem() == "rencontres_erreur")
      continue;
    SCOPED_TRACE(fichier.path().string());
    EXPECT_EQ(constats_de(lit_fichier(fichier.path().string())), Constats{});
    ++tables;
  }
  EXPECT_GE(tables, 5);
  std::mt19937 hasard(15);
  for (int i = 0; i < 300; ++i) {
    Forme f = forme_au_hasard(hasard);
    f.longues = false;  // a long line is a warning
    const std::string table = table_valide(f);
    ASSERT_EQ(constats_de(table), Constats{}) << testing::PrintToString(table);
  }
}

// Both modes give every table the same verdict, and the first error of the
// whole check is the interactive report's (its reason; its line too when no
// line is read in pieces), but where the file ends inside the table or
// before a title that the interactive report makes of what is left of the
// last line: that report goes on past the end of the file.
TEST(Verification, TheFirstErrorIsTheInteractiveReportsOne) {
  std::mt19937 hasard(1515);
  int erreurs = 0;
  for (int i = 0; i < 2000; ++i) {
    const std::string texte =
        i % 2 ? abime(table_valide(forme_au_hasard(hasard)), hasard) : charabia(hasard);
    const std::string chemin = ecrit_fichier("table.tbl", texte);
    std::FILE *table = std::fopen(chemin.c_str(), "r");
    Rapport rapport;
    const Verdict verdict = verifie_table(table, rapport);
    std::fclose(table);
    std::string premiere;
    for (const std::string &c : constats_de(texte)) {
      if (premiere.empty() && c.find(": erreur: ") != std::string::npos) premiere = c;
    }
    if (premiere.find(": erreur: table incompl") != std::string::npos || rapport.apres_la_fin)
      continue;
    ASSERT_EQ(premiere.empty(), verdict == SANS_ERREUR) << testing::PrintToString(texte);
    if (verdict == SANS_ERREUR) continue;
    ++erreurs;
    const std::string raison = premiere.substr(premiere.find(": erreur: ") + 10);
    ASSERT_EQ(raison.substr(0, raison.find(": ")), rapport.raison) << testing::PrintToString(texte);
    bool longue = false;
    for (std::size_t debut = 0, fin; (fin = texte.find('\n', debut)) != std::string::npos;
         debut = fin + 1)
      longue = longue || fin - debut >= 254;
    if (!longue && texte.size() - texte.rfind('\n') < 254) {
      ASSERT_EQ(premiere.substr(0, premiere.find(':')), std::to_string(rapport.ligne))
          << testing::PrintToString(texte);
    }
  }
  EXPECT_GT(erreurs, 800);  // most tables are faulty: the comparison is not idle
}

}  // namespace
