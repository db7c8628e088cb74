// The banner that opens every program, and the Windows console commands.
#include "outils/titre.h"

#include <gtest/gtest.h>

#include <string>

#include "outils/titre_interne.h"
#include "tests/support/support.h"

namespace {

std::string espaces(int n) { return std::string(n, ' '); }

#ifdef _WIN32
const std::string E_AIGU = "\x82";  // code page 850

// The frame around the text row's 77 inner columns: rows 1 to 4 fill the
// 80-column console without a line feed.
std::string cadre_attendu(const std::string &interieur) {
  return "\x1E\xC9" + std::string(76, '\xCD') + "\xBB\x1E" +  //
         "\xC9\xBC" + espaces(76) + "\xC8\xBB" +              //
         "\xBA" + interieur + " \xBA" +                       //
         "\xC8\xBB" + espaces(76) + "\xC9\xBC" +              //
         "\x1F\xC8" + std::string(76, '\xCD') + "\xBC\x1F\n" +
         "< q permet de quitter le programme. >\n";
}
#else
const std::string E_AIGU = "\xC3\xA9";  // UTF-8

std::string cadre_attendu(const std::string &interieur) {
  return "</" + std::string(76, '-') + "\\>\n" +  //
         "/ " + espaces(76) + " \\\n" +           //
         "|" + interieur + " |\n" +               //
         "\\ " + espaces(76) + " /\n" +           //
         "<\\" + std::string(76, '-') + "/>\n" +  //
         "< q permet de quitter le programme. >\n";
}
#endif

std::string cadre_de(const std::string &texte) {
  return sortie_de([&] { affiche_cadre(texte.c_str()); });
}

}  // namespace

TEST(Cadre, CentresTheTextOnItsLengthInTheSourceSet) {
  // 38, 40 and 42 bytes in the source set, the accented ones longer once converted.
  EXPECT_EQ(cadre_de("Programme de test de tables aléatoires"),
            cadre_attendu(espaces(20) + "Programme de test de tables al" + E_AIGU + "atoires" +
                          espaces(19)));
  EXPECT_EQ(cadre_de("Programme de désinstallation de Vallorim"),
            cadre_attendu(espaces(19) + "Programme de d" + E_AIGU + "sinstallation de Vallorim" +
                          espaces(18)));
  EXPECT_EQ(
      cadre_de("Programme d'installation de Vallorim light"),
      cadre_attendu(espaces(18) + "Programme d'installation de Vallorim light" + espaces(17)));
  EXPECT_EQ(cadre_de(""), cadre_attendu(espaces(77)));
}

TEST(Cadre, LongTextsKeepTheTextRowAt80Columns) {
  std::string alphabet;  // distinct letters, so that the kept part shows
  for (int i = 0; i < 120; ++i) alphabet += static_cast<char>('a' + i % 26);
  EXPECT_EQ(cadre_de(alphabet.substr(0, 76)), cadre_attendu(" " + alphabet.substr(0, 76)));
  EXPECT_EQ(cadre_de(alphabet.substr(0, 77)), cadre_attendu(alphabet.substr(0, 77)));
  EXPECT_EQ(cadre_de(alphabet), cadre_attendu(alphabet.substr(0, 77)));
}

TEST(CommandesConsole, ColorTakesOnlyTwoHexadecimalDigits) {
  char commande[TAILLE_COMMANDE_COLOR];
  EXPECT_TRUE(commande_color("F8", commande));
  EXPECT_STREQ(commande, "color F8");
  EXPECT_TRUE(commande_color("1f", commande));
  EXPECT_STREQ(commande, "color 1f");
  // "0" keeps the console's colours; the others would not be a colour, or
  // would carry a command with them.
  for (const char *refuse : {"0", "0:7", "G8", "1F ", "1F&md \\INJ2", "0123456789abc", ""}) {
    EXPECT_FALSE(commande_color(refuse, commande)) << refuse;
    EXPECT_STREQ(commande, "") << refuse;
  }
}

TEST(CommandesConsole, TitleKeepsItsSourceBytesWithin83) {
  char commande[TAILLE_COMMANDE_TITLE];
  commande_title("Testeur de tables aléatoires", commande);
  EXPECT_STREQ(commande,
               "title Testeur de tables al\xE9"
               "atoires");
  const std::string long_titre = std::string(83, 't') + "XYZ";
  commande_title(long_titre.c_str(), commande);
  EXPECT_EQ(commande, "title " + std::string(83, 't'));
}

#ifdef _WIN32
TEST(TitreWindows, PrintsTheFrameAfterSettingTheConsoleUp) {
  char nom[] = "Sondeur.exe";
  char *argv[] = {nom, nullptr};
  for (const char *couleur : {"F8", "0"}) {
    const std::string sortie = sortie_de([&] {
      Titre(1, argv, "Testeur de tables aléatoires", "Programme de test de tables aléatoires",
            couleur);
    });
    const std::string cadre = cadre_attendu(espaces(20) + "Programme de test de tables al" +
                                            E_AIGU + "atoires" + espaces(19));
    // Whatever `color` and `title` may print comes first (Wine's cmd prints
    // nothing when the output is a file): the output ends with the frame.
    ASSERT_GE(sortie.size(), cadre.size()) << couleur;
    EXPECT_EQ(sortie.substr(sortie.size() - cadre.size()), cadre) << couleur;
  }
}
#endif
