// String search, marker deletion, line ends and numbers as text.
#include "outils/chaines.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/support.h"

TEST(IndexCh, ReportsEveryOccurrenceOverlapsIncluded) {
  int positions[MAX_OCCURRENCES + 1] = {};
  char abc[] = "a:b:c";
  ASSERT_EQ(index_ch(abc, ":", positions), 2);
  EXPECT_EQ(positions[0], 1);
  EXPECT_EQ(positions[1], 3);

  char aaaa[] = "aaaa";
  ASSERT_EQ(index_ch(aaaa, "aa", positions), 3);
  EXPECT_EQ(positions[0], 0);
  EXPECT_EQ(positions[1], 1);
  EXPECT_EQ(positions[2], 2);
  EXPECT_STREQ(aaaa, "aaaa");
}

TEST(IndexCh, NoOccurrenceLeavesTheArrayUntouched) {
  int positions[MAX_OCCURRENCES + 1];
  positions[0] = 77;
  char abc[] = "a:b:c";
  EXPECT_EQ(index_ch(abc, "x", positions), 0);
  EXPECT_EQ(positions[0], 77);
}

TEST(IndexCh, FiftyOccurrencesFit) {
  int positions[MAX_OCCURRENCES + 1] = {};
  std::string ligne(50, '/');
  EXPECT_EQ(index_ch(ligne.data(), "/", positions), 50);
  EXPECT_EQ(positions[49], 49);
}

TEST(IndexChDeathTest, TheFiftyFirstOccurrenceStopsTheProgram) {
  std::string ligne(51, '/');
  int positions[MAX_OCCURRENCES + 1];
  EXPECT_EQ(sortie_finale([&] { index_ch(ligne.data(), "/", positions); }, "\n\n", 1),
            "\nDepassement de capacite du tableau d'index dans index_ch.\n\n...");
}

TEST(IndexChDeathTest, AnEmptyPatternAlwaysOverflows) {
  char texte[] = "abc";
  int positions[MAX_OCCURRENCES + 1];
  EXPECT_EQ(sortie_finale([&] { index_ch(texte, "", positions); }, "", 1),
            "\nDepassement de capacite du tableau d'index dans index_ch.\n\n...");
}

TEST(IndexCh, FirstAndLast) {
  char chemin[] = "a/b/c";
  EXPECT_EQ(index_ch_first(chemin, "/"), 1);
  EXPECT_EQ(index_ch_last(chemin, "/"), 3);
  char aaa[] = "aaa";
  EXPECT_EQ(index_ch_last(aaa, "aa"), 1);
  EXPECT_EQ(index_ch_first(chemin, "x"), -1);
  EXPECT_EQ(index_ch_last(chemin, "x"), -1);
}

TEST(IndexCh, LongLinesAreSearchedWithinTheCopyOnly) {
  std::string ligne(5000, 'a');
  ligne[10] = ':';
  ligne[4500] = ':';  // beyond the 4095 bytes searched
  int positions[MAX_OCCURRENCES + 1] = {};
  EXPECT_EQ(index_ch(ligne.data(), ":", positions), 1);
  EXPECT_EQ(positions[0], 10);
}

TEST(EffaceChar, KeepsOnlyWhatFollowsTheFirstMarker) {
  char chemin[] = "D:\\Jeux\\anne";
  Efface_char(chemin, "\\");
  EXPECT_STREQ(chemin, "Jeux\\anne");
  Efface_char(chemin, "\\");
  EXPECT_STREQ(chemin, "anne");

  char valeur[] = "Nom : Arwen";
  Efface_char(valeur, ":");
  Efface_char(valeur, " ");
  EXPECT_STREQ(valeur, "Arwen");

  char fin[] = "abc:";
  Efface_char(fin, ":");
  EXPECT_STREQ(fin, "");
}

TEST(EffaceChar, AbsentOrEmptyMarkerChangesNothing) {
  char ligne[] = "abc";
  Efface_char(ligne, ":");
  EXPECT_STREQ(ligne, "abc");
  Efface_char(ligne, "");
  EXPECT_STREQ(ligne, "abc");
}

TEST(EffaceN, CutsTheLineEndWithinTheLastFiveCharacters) {
  struct Cas {
    std::string avant, apres;
  } cas[] = {
      {"abc\r\n", "abc"},         {"abc\n", "abc"}, {"abc", "abc"},
      {"a\nbcdefg", "a\nbcdefg"}, {"ab\ncd", "ab"}, {"", ""},
  };
  for (const Cas &c : cas) {
    std::string ligne = c.avant;
    Efface_n(ligne.data());
    EXPECT_STREQ(ligne.c_str(), c.apres.c_str()) << "from " << c.avant;
  }
}

TEST(Inttochar, WritesDecimalCutAtElevenBytes) {
  char sortie[TAILLE_INTTOCHAR + 1];
  sortie[TAILLE_INTTOCHAR] = 'X';  // the byte past the bound stays
  EXPECT_STREQ(inttochar(-42, sortie), "-42");
  EXPECT_STREQ(inttochar(0, sortie), "0");
  EXPECT_STREQ(inttochar(-2147483647 - 1, sortie), "-214748364");
  EXPECT_EQ(sortie[TAILLE_INTTOCHAR], 'X');
}

TEST(Changeslash, TurnsBackslashesIntoSlashesOnLinuxOnly) {
  char chemin[] = "Tables\\Noms\\elfes.nam";
  changeslash(chemin);
#ifdef _WIN32
  EXPECT_STREQ(chemin, "Tables\\Noms\\elfes.nam");
#else
  EXPECT_STREQ(chemin, "Tables/Noms/elfes.nam");
#endif
}
