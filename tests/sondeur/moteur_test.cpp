// moteur_test.cpp -- the table validation engine, run on real table files:
// its return value and every byte it prints.
#include "sondeur/moteur.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/support.h"

namespace {

// The console bytes of the accented letters these tests print ('à', 'è',
// 'é'): UTF-8 on Linux, code page 850 on Windows. Other bytes pass as they are.
std::string console(const std::string &latin1) {
  std::string sortie;
  for (const char c : latin1) {
    switch (static_cast<unsigned char>(c)) {
#ifdef _WIN32
      case 0xE0: sortie += '\x85'; break;
      case 0xE8: sortie += '\x8A'; break;
      case 0xE9: sortie += '\x82'; break;
#else
      case 0xE0: sortie += "\xC3\xA0"; break;
      case 0xE8: sortie += "\xC3\xA8"; break;
      case 0xE9: sortie += "\xC3\xA9"; break;
#endif
      default: sortie += c;
    }
  }
  return sortie;
}

// The reasons, in the source set; the report converts them for the console
// as the rest of it.
const std::string VALEUR = "valeur incorrecte";
const std::string ESPACE =
    "Espace manquant apr\xE8"
    "s mot cl\xE9";
const std::string ESPACE_TT = ESPACE + " tt";
const std::string ESPACE_TT_PLUS = ESPACE + " tt+";

struct Verdict {
  int statut;
  std::string sortie;
  bool operator==(const Verdict &) const = default;
};

void PrintTo(const Verdict &v, std::ostream *os) {
  *os << "{statut " << v.statut << ", sortie " << testing::PrintToString(v.sortie) << "}";
}

const Verdict PROPRE{1, ""};

// An error reported at line `numero`, with `echo` as the echoed line.
Verdict erreur(int numero, const std::string &raison, const std::string &echo) {
  return {2,
          console("Erreur \xE0 la ligne " + std::to_string(numero) + " (" + raison + ")\n" + echo)};
}

// Runs the engine on a table file holding exactly `texte`.
Verdict verifie(const std::string &texte) {
  const std::string chemin = ecrit_fichier("table.tbl", texte);
  FILE *table = std::fopen(chemin.c_str(), "r");
  if (table == nullptr) {
    ADD_FAILURE() << "cannot open " << chemin;
    return {};
  }
  Verdict v{};
  v.sortie = sortie_de([&] { v.statut = moteur_principal(table); });
  std::fclose(table);
  return v;
}

struct Cas {
  const char *nom;
  std::string table;
  Verdict attendu;
};

void verifie_tous(const std::vector<Cas> &liste) {
  for (const Cas &cas : liste) {
    SCOPED_TRACE(cas.nom);
    EXPECT_EQ(verifie(cas.table), cas.attendu);
  }
}

// The lines of `lignes`, each with its line feed.
std::string joint(const std::vector<std::string> &lignes) {
  std::string texte;
  for (const std::string &ligne : lignes) texte += ligne + "\n";
  return texte;
}

const std::vector<std::string> EXEMPLE = {
    "dd6:1:Gobelin",
    "2-3:Orc",
    "4:dd2:1:Loup",
    "2:Ours",
    "5:tt Tr\xE9"
    "sor",
    "6:# Pi\xE8"
    "ges",
    "Voir la table des pi\xE8"
    "ges",
};

// The worked example with its line `numero` (from 1) replaced by `texte`.
std::string exemple_avec(std::size_t numero, const std::string &texte) {
  std::vector<std::string> lignes = EXEMPLE;
  lignes[numero - 1] = texte;
  return joint(lignes);
}

// A single table "dd`taille`" whose entries 1 to `dernier` are "n:a".
std::string entrees(int taille, int dernier) {
  std::string texte = "dd" + std::to_string(taille) + ":1:a\n";
  for (int n = 2; n <= dernier; ++n) texte += std::to_string(n) + ":a\n";
  return texte;
}

// A table nested `profondeur` levels below its outer list: each line after
// the first is the continuation of the entry above it and opens one level.
std::string imbrication(int profondeur) {
  std::string texte = "dd1:1:# x\n";
  for (int n = 1; n <= profondeur; ++n) texte += "dd1:1:# x\n";
  return texte + "fin\n";
}

TEST(MoteurExemple, AcceptsTheWorkedTable) { EXPECT_EQ(verifie(joint(EXEMPLE)), PROPRE); }

TEST(MoteurExemple, EachRejectedVariantReportsItsLine) {
  verifie_tous({
      {"wrong number", exemple_avec(2, "3:Orc"), erreur(2, VALEUR, "3:Orc\n")},
      {"tt glued",
       exemple_avec(5,
                    "5:ttTr\xE9"
                    "sor"),
       erreur(5, ESPACE_TT,
              "5:ttTr\xE9"
              "sor\n")},
      {"tt+ glued",
       exemple_avec(5,
                    "5:tt+Tr\xE9"
                    "sor"),
       erreur(5, ESPACE_TT_PLUS,
              "5:tt+Tr\xE9"
              "sor\n")},
      {"# glued",
       exemple_avec(6,
                    "6:#Pi\xE8"
                    "ges"),
       erreur(6, ESPACE,
              "6:#Pi\xE8"
              "ges\n")},
      {"entry 1 not on the header", exemple_avec(1, "dd6:\n1:Gobelin"),
       erreur(1, VALEUR, "dd6:\n")},
      {"blank line", exemple_avec(4, "\n2:Ours"), erreur(4, VALEUR, "\n")},
  });
}

TEST(MoteurGenres, SingleTablesCheckNothingAfterTheirLastEntry) {
  verifie_tous({
      {"kind 1", "dd2:1:a\n2:b\nn'importe quoi\n7:x\n", PROPRE},
      {"kind 1 error", "dd2:1:a\n3:b\n", erreur(2, VALEUR, "3:b\n")},
      {"kind 5", "%Titre\ndd2:1:a\n2:b\n9\n", PROPRE},
      {"kind 5 error on line 2", "%Titre\ndd2:3:a\n", erreur(2, VALEUR, "dd2:3:a\n")},
      {"kind 5 error on line 3", "%Titre\ndd2:1:a\n3:b\n", erreur(3, VALEUR, "3:b\n")},
  });
}

TEST(MoteurGenres, CollectionsCheckEveryTableWithRealLineNumbers) {
  verifie_tous({
      {"kind 2", "_Recueil\nintro\n#Un\ndd2:1:a\n2:b\nentre\n#Deux\ndd1:1:c\n", PROPRE},
      {"kind 2 error", "_Recueil\nintro\n#Un\ndd2:1:a\n2:b\nentre\n#Deux\ndd1:2:c\n",
       erreur(8, VALEUR, "dd1:2:c\n")},
      {"kind 2 without title", "_Recueil\n3:x\n", PROPRE},
      {"kind 3", "pp Un: dd2:1:a\n2:b\nautre\npp Deux: dd1:1:c\nfin\n", PROPRE},
      {"kind 3 echoes the whole pp line", "pp Un: dd2:1:a\n2:b\nautre\npp Deux: dd1:2:c\n",
       erreur(4, VALEUR, "pp Deux: dd1:2:c\n")},
      {"kind 4",
       "#Rencontres\ndd2:1:Gobelin\n2:Orc\nnotes\n\n#Tr\xE9"
       "sors\ndd1:1:Coffre\n",
       PROPRE},
      {"kind 4 error",
       "#Rencontres\ndd2:1:Gobelin\n2:Orc\nnotes\n\n#Tr\xE9"
       "sors\ndd1:2:Coffre\n",
       erreur(7, VALEUR, "dd1:2:Coffre\n")},
      {"kind 4 title without table", "#Titre\n", erreur(2, VALEUR, "#Titre\n")},
  });
}

TEST(MoteurNumerotation, RangesAndSignsFollowTheScanOfTheNumber) {
  verifie_tous({
      {"range", "dd6:1:a\n2:b\n3-5:c\n6:d\n", PROPRE},
      {"range going back", "dd5:1:a\n2:b\n3:c\n4-2:d\n3:e\n4:f\n5:g\n", PROPRE},
      {"range going back, error", "dd5:1:a\n2:b\n3:c\n4-2:d\n4:f\n", erreur(5, VALEUR, "4:f\n")},
      {"space before a range", "dd5:1:a\n2:b\n 3-5:c\n4:d\n5:e\n", PROPRE},
      {"space before a range, error", "dd5:1:a\n2:b\n 3-5:c\n6:d\n", erreur(4, VALEUR, "6:d\n")},
      {"sign and space", "dd2:+1:a\n 2:b\n", PROPRE},
      {"no colon", "dd2:1\n2\n", PROPRE},
      // The scan stops after as many steps as the shrinking line is long.
      {"range reached", entrees(12, 9) + "10-1\n2-12:b\n", PROPRE},
      {"range out of reach", entrees(101, 99) + "100-1\n101:b\n", PROPRE},
      // Past the largest int the expected number wraps (no overflow).
      {"huge bound", "dd2:1-99999999999:x\n", erreur(2, VALEUR, "x\n")},
  });
}

TEST(MoteurNumerotation, ZeroPrefixesAreDroppedOrRejected) {
  verifie_tous({
      {"0: and 0.", "dd3:0:1:a\n0:0:2:b\n0.3:c\n", PROPRE},
      {"0 then text up to a dot", "dd2:1:a\n0 voir p.2:b\n", PROPRE},
      {"0 without colon or dot", "dd2:1:a\n05:b\n", erreur(2, VALEUR, "05:b\n")},
      {"0 alone", "dd2:1:a\n0\n", erreur(2, VALEUR, "0\n")},
      {"0 alone on the header", "dd2:0\n", erreur(1, VALEUR, "dd2:0\n")},
  });
}

TEST(MoteurMotsCles, TtMustBeFollowedBySpacePlusSpaceOrZero) {
  const auto table = [](const std::string &texte) { return "dd3:1:a\n2:" + texte + "\n3:c\n"; };
  verifie_tous({
      {"tt space", table("tt x"), PROPRE},
      {"tt+ space", table("tt+ x"), PROPRE},
      {"tt0", table("tt0"), PROPRE},
      {"space first: no test", table(" ttX"), PROPRE},
      {"ttX", table("ttX"), erreur(2, ESPACE_TT, "2:ttX\n")},
      {"tt+X", table("tt+X"), erreur(2, ESPACE_TT_PLUS, "2:tt+X\n")},
      {"tt+ at line end", table("tt+"), erreur(2, ESPACE_TT_PLUS, "2:tt+\n")},
      {"tt at line end", table("tt"), erreur(2, ESPACE_TT, "2:tt\n")},
      {"tt at end of file", "dd2:1:a\n2:tt", erreur(2, ESPACE_TT, "2:tt")},
      {"5: tt x", "dd5:1-4:a\n5: tt x\n", PROPRE},
  });
}

TEST(MoteurMotsCles, HashAndGreaterThanTakeAContinuationLine) {
  verifie_tous({
      {"# space", "dd3:1:a\n2:# voir\nsuite\n3:c\n", PROPRE},
      {"> space", "dd3:1:a\n2:> voir\nsuite\n3:c\n", PROPRE},
      {"#X", "dd3:1:a\n2:#voir\n", erreur(2, ESPACE, "2:#voir\n")},
      {">X", "dd3:1:a\n2:>voir\n", erreur(2, ESPACE, "2:>voir\n")},
      {"# at line end", "dd3:1:a\n2:#\n", erreur(2, ESPACE, "2:#\n")},
      {"continuation not numbered", "dd2:1:# a\n99 n'importe quoi\n2:b\n", PROPRE},
      {"# not tested again", "dd3:1:a\n2:# voir\n#suite\n3:c\n", PROPRE},
      {"tt tested on the continuation", "dd3:1:a\n2:# voir\nttX\n", erreur(3, ESPACE_TT, "ttX\n")},
      {"0: prefixes, echo untouched", "dd3:1:a\n2:# voir\n0:0:ttX\n",
       erreur(3, ESPACE_TT, "0:0:ttX\n")},
      {"0 without colon", "dd2:1:# a\n0 sans deux-points\n2:b\n",
       erreur(2, VALEUR, "0 sans deux-points\n")},
  });
}

TEST(MoteurImbrication, NestedListsOpenOnTheirLineAndCloseByNumber) {
  verifie_tous({
      {"nested list resumes the outer numbering", "dd3:1:dd2:1:a\n2:b\n2:c\n3:d\n", PROPRE},
      {"two levels close at once", "dd2:1:a\n2:dd2:1:b\n2:c\npas v\xE9rifi\xE9\n", PROPRE},
      {"first nested entry wrong", "dd6:1:a\n2:dd2:2:b\n", erreur(2, VALEUR, "2:dd2:2:b\n")},
      {"outer number inside", "dd3:1:a\n2:dd2:1:b\n3:c\n", erreur(3, VALEUR, "3:c\n")},
      {"size 0 closes at once", "dd3:1:a\n2:dd0:3:b\n", PROPRE},
      {"no size", "dd3:1:a\n2:dd:3:b\n", PROPRE},
      {"opened by a continuation", "dd3:1:a\n2:> voir\ndd2:1:x\n2:y\n3:c\n", PROPRE},
      {"continuation with 0: prefixes", "dd3:1:a\n2:# voir\n0:0:dd1:1:x\n3:c\n", PROPRE},
      {"error in a continuation's list", "dd3:1:a\n2:> voir\ndd2:2:x\n",
       erreur(3, VALEUR, "dd2:2:x\n")},
  });
}

TEST(MoteurImbrication, LevelsStopAtNinetyNine) {
  verifie_tous({
      {"99 levels", imbrication(99), PROPRE},
      {"100 levels", imbrication(100), erreur(101, VALEUR, "dd1:1:# x\n")},
      {"150 levels", imbrication(150), erreur(101, VALEUR, "dd1:1:# x\n")},
  });
}

TEST(MoteurLecture, LongLinesAreReadIn254CharacterPieces) {
  const std::string x248(248, 'x');
  verifie_tous({
      {"253 characters", "dd2:1:" + std::string(247, 'x') + "\n2:b\n", PROPRE},
      {"254 characters: the line end is line 2", "dd2:1:" + x248 + "\n2:b\n",
       erreur(2, VALEUR, "\n")},
      {"300 characters", "dd3:1:" + x248 + "2:" + std::string(44, 'y') + "\n3:z\n", PROPRE},
      {"300 characters, error on the next line",
       "dd3:1:" + x248 + "2:" + std::string(44, 'y') + "\n4:z\n", erreur(3, VALEUR, "4:z\n")},
      {"300 characters, second piece checked", "dd2:1:" + std::string(294, 'x') + "\n",
       erreur(2, VALEUR, std::string(46, 'x') + "\n")},
  });
}

TEST(MoteurLecture, EndOfFileKeepsTheLeftoverLine) {
  verifie_tous({
      {"empty file", "", erreur(1, VALEUR, "")},
      {"table cut short", joint({EXEMPLE.begin(), EXEMPLE.begin() + 4}),
       erreur(5, VALEUR, "Ours\n")},
      {"leftover holding the next number", "dd3:1:a\n2:3 b\n", PROPRE},
      {"no final line feed", "dd2:1:a\n2:b", PROPRE},
      {"continuation missing", "dd2:1:# a", erreur(3, VALEUR, "# a")},
  });
}

}  // namespace
