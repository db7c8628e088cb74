// Sondeur run as its user runs it: a table named on the command line or
// typed at the prompt, the banner, the report, the pause, the exit status.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/console.h"
#include "tests/support/programme.h"
#include "tests/support/support.h"

namespace {

const std::string TEXTE =
    "Programme de test de tables al\xE9"
    "atoires";  // 38 bytes

#ifdef _WIN32
// The frame in code page 850 bytes; rows 1 to 4 are 80 columns without a
// line feed (the console wraps them).
std::string banniere() {
  const std::string trait(76, '\xCD'), blanc(76, ' ');
  return "\x1E\xC9" + trait + "\xBB\x1E" + "\xC9\xBC" + blanc + "\xC8\xBB" + "\xBA" +
         std::string(20, ' ') +
         "Programme de test de tables al\x82"
         "atoires" +
         std::string(19, ' ') + " \xBA" + "\xC8\xBB" + blanc + "\xC9\xBC" + "\x1F\xC8" + trait +
         "\xBC\x1F\n" + "< q permet de quitter le programme. >\n";
}
const std::string AUCUNE_ERREUR =
    "La table al\x82"
    "atoire ne contient aucune erreur.\n";
const std::string ERREUR_A = "Erreur \x85 ";
const std::string INVITE =
    "Entrez le nom complet de la table al\x82"
    "atoire \x85 v\x82"
    "rifier\n?: ";
#else
std::string banniere() {
  const std::string trait(76, '-'), blanc(76, ' ');
  return "</" + trait + "\\>\n" + "/ " + blanc + " \\\n" + "|" + std::string(20, ' ') +
         "Programme de test de tables al\xC3\xA9"
         "atoires" +
         std::string(19, ' ') + " |\n" + "\\ " + blanc + " /\n" + "<\\" + trait + "/>\n" +
         "< q permet de quitter le programme. >\n";
}
const std::string AUCUNE_ERREUR =
    "La table al\xC3\xA9"
    "atoire ne contient aucune erreur.\n";
const std::string ERREUR_A = "Erreur \xC3\xA0 ";
const std::string INVITE =
    "Entrez le nom complet de la table al\xC3\xA9"
    "atoire \xC3\xA0 v\xC3\xA9"
    "rifier\n?: ";
#endif

const std::string EN_COURS = "Test de la table en cours.\n";
const std::string PROPRE = "dd3:1:Gobelin\n2-3:Orc\n";
const std::string FAUTIVE = "dd3:1:Gobelin\n3:Orc\n";

// Runs Sondeur. On Windows its standard output is in text mode, so each
// line feed reaches the file as CR LF: the output is given back with line
// feeds alone after checking that none stands without its CR.
Execution sondeur(const std::vector<std::string> &arguments, const std::string &clavier) {
  std::vector<std::string> ligne{SONDEUR};
  ligne.insert(ligne.end(), arguments.begin(), arguments.end());
  Execution e = lance(ligne, clavier);
#ifdef _WIN32
  std::string sortie;
  for (std::size_t i = 0; i < e.sortie.size(); ++i) {
    if (e.sortie.compare(i, 2, "\r\n") == 0) {
      sortie += '\n';
      ++i;
      continue;
    }
    EXPECT_NE(e.sortie[i], '\n') << "a line feed without its CR at byte " << i;
    sortie += e.sortie[i];
  }
  e.sortie = sortie;
#endif
  return e;
}

}  // namespace

TEST(Sondeur, BannerRowsAreEightyColumnsWide) {
  const std::string b = banniere();
#ifdef _WIN32
  EXPECT_EQ(b.find('\n'), 400u);  // rows 1 to 4 and row 5 without its line feed
#else
  EXPECT_EQ(b.find('\n'), 80u);
#endif
  const Execution e = sondeur({ecrit_fichier("propre.tbl", PROPRE)}, "\n");
  EXPECT_EQ(e.sortie.substr(0, b.size()), b);
}

TEST(Sondeur, ACleanTableGivenAsArgument) {
  const Execution e = sondeur({ecrit_fichier("propre.tbl", PROPRE)}, "\n");
  EXPECT_EQ(e.sortie, banniere() + EN_COURS + AUCUNE_ERREUR + "...");
  EXPECT_EQ(e.statut, 0);
}

TEST(Sondeur, ATableWithAnErrorIsReportedWithoutTheSuccessLine) {
  const Execution e = sondeur({ecrit_fichier("fautive.tbl", FAUTIVE)}, "\n");
  EXPECT_EQ(e.sortie,
            banniere() + EN_COURS + ERREUR_A + "la ligne 2 (valeur incorrecte)\n3:Orc\n...");
  EXPECT_EQ(e.statut, 0);
}

TEST(Sondeur, TheReasonIsConvertedForTheConsoleAsTheRestOfTheReport) {
  const Execution e = sondeur({ecrit_fichier("tt.tbl", "dd2:1:Gobelin\n2:ttTr\xE9sor\n")}, "\n");
  EXPECT_EQ(e.sortie, banniere() + EN_COURS + ERREUR_A +
                          "la ligne 2 (Espace manquant apr" E_GRAVE "s mot cl" E_AIGU
                          " tt)\n2:ttTr" E_AIGU "sor\n...");
}

TEST(Sondeur, AMissingFileOrAFolderEndsWithStatusOne) {
  for (const std::string &nom : {std::string("absente.tbl"), dossier_du_test()}) {
    const Execution e = sondeur({nom}, "\n");
    EXPECT_EQ(e.sortie, banniere() +
                            "\n!!! Une erreur est survenue durant l'ouverture du fichier " + nom +
                            ", en mode r...");
    EXPECT_EQ(e.statut, 1);
  }
}

TEST(Sondeur, WithoutArgumentTheTypedNameIsUsed) {
  const std::string table = ecrit_fichier("tapee.tbl", PROPRE);
  const Execution e = sondeur({}, table + "\n\n");
  EXPECT_EQ(e.sortie, banniere() + INVITE + EN_COURS + AUCUNE_ERREUR + "...");
  EXPECT_EQ(e.statut, 0);
}

TEST(Sondeur, OnlyTheFirstArgumentCounts) {
  const Execution e =
      sondeur({ecrit_fichier("propre.tbl", PROPRE), ecrit_fichier("fautive.tbl", FAUTIVE)}, "\n");
  EXPECT_EQ(e.sortie, banniere() + EN_COURS + AUCUNE_ERREUR + "...");
}

TEST(Sondeur, TheSampleTablesAreCleanButOne) {
  for (const char *nom :
       {"rencontres_foret.tbl", "auberges.tbl", "armes.tbl", "tresors.tbl", "meteo.tbl"}) {
    const Execution e = sondeur({std::string(EXEMPLES) + "/" + nom}, "\n");
    EXPECT_EQ(e.sortie.substr(banniere().size()), EN_COURS + AUCUNE_ERREUR + "...") << nom;
  }
  const Execution e = sondeur({std::string(EXEMPLES) + "/rencontres_erreur.tbl"}, "\n");
  EXPECT_EQ(e.sortie.substr(banniere().size()),
            EN_COURS + ERREUR_A + "la ligne 3 (valeur incorrecte)\n4:Un revenant\n...");
}
