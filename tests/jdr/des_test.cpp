// Dice expressions, and entries drawn from numbered files.
#include "jdr/des.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "outils/accents.h"
#include "tests/support/console.h"
#include "tests/support/support.h"

namespace {

struct Des {
  std::vector<int> table;  // entry 0 and the N entries after it
  std::string texte;       // what the caller's buffer holds afterwards
};

Des lance(const std::string &expression) {
  char texte[TAILLE_TEXTE_DES];
  int *table = interpret_des(expression.c_str(), texte);
  Des d{std::vector<int>(table, table + table[0] + 1), texte};
  std::free(table);
  return d;
}

// N copies of `faces` after the count N.
std::vector<int> des_de(int nombre, int faces) {
  std::vector<int> table(nombre + 1, faces);
  table[0] = nombre;
  return table;
}

// Ph_jdr on a file holding `contenu`; what it printed.
std::string tire(const std::string &contenu) {
  const std::string chemin = ecrit_fichier("table.txt", contenu);
  return sortie_de([&] { Ph_jdr(chemin.c_str()); });
}

// The descriptor the next file opened gets: the lowest free one, so it
// moves up while a file is left open.
int prochain_descripteur() {
  FILE *fichier = std::fopen(ecrit_fichier("temoin.txt", "").c_str(), "r");
  const int descripteur = fileno(fichier);
  std::fclose(fichier);
  return descripteur;
}

}  // namespace

TEST(InterpretDes, ListsTheFacesOfEachDieInTheOrderWritten) {
  const Des d = lance("3d6+2d8");
  EXPECT_EQ(d.table, (std::vector<int>{5, 6, 6, 6, 8, 8}));
  EXPECT_EQ(d.texte, "3d6+2d8");
  EXPECT_EQ(lance("1d20 1d4").table, (std::vector<int>{2, 20, 4}));
  EXPECT_EQ(lance("3d0").table, (std::vector<int>{3, 0, 0, 0}));
  EXPECT_EQ(lance("2d6d8").table, (std::vector<int>{2, 6, 6}));  // "d8": no count
  EXPECT_EQ(lance("1d99999999999").table, (std::vector<int>{1, INT_MAX}));
}

TEST(InterpretDes, WhatIsNotACountDFacesGroupAddsNoDie) {
  EXPECT_EQ(lance("3d6+2").table, (std::vector<int>{3, 6, 6, 6}));
  EXPECT_EQ(lance("-3d6").table, (std::vector<int>{3, 6, 6, 6}));
  EXPECT_EQ(lance("2d-6 1d4").table, (std::vector<int>{1, 4}));
  for (const char *texte : {"d6", "2D6", "", "2d", "12", "+-d x"}) {
    const Des d = lance(texte);
    EXPECT_EQ(d.table, (std::vector<int>{0})) << texte;
    EXPECT_EQ(d.texte, texte);
  }
}

TEST(InterpretDes, TheTableGrowsAHundredEntriesAtATime) {
  EXPECT_EQ(lance("250d6").table, des_de(250, 6));
  std::vector<int> attendu = des_de(99, 6);  // the first block exactly full
  EXPECT_EQ(lance("99d6").table, attendu);
  attendu.push_back(4);
  attendu[0] = 100;
  EXPECT_EQ(lance("99d6 1d4").table, attendu);
  EXPECT_EQ(lance("100d12").table, des_de(100, 12));
  EXPECT_EQ(lance("1000000d6").table, des_de(MAX_DES, 6));  // the most allowed
}

TEST(InterpretDes, ALongExpressionIsCutAt254Characters) {
  std::string longue;
  for (int i = 0; i < 75; ++i) longue += "1d6 ";  // 300 characters, 75 dice
  const Des d = lance(longue);
  EXPECT_EQ(d.texte, longue.substr(0, 254));
  EXPECT_EQ(d.table, des_de(63, 6));  // 63 whole groups, then "1d"
}

TEST(InterpretDesDeathTest, ATableBeyondWhatMemoryAllowsEndsTheProgram) {
  const std::string message =
      "\nErreur d'allocation de m" E_AIGU "moire, la m" E_AIGU "moire vive est insuffisante.\n...";
  for (const char *texte :
       {"1000001d6", "300407404d4", "99999999999999999999999d6", "999999d6 1d4 1d8"}) {
    char tampon[TAILLE_TEXTE_DES];
    EXPECT_EQ(sortie_finale([&] { interpret_des(texte, tampon); }, "\n\n", 1, "malloc: "), message)
        << texte;
  }
}

// Keys reach getch from standard input on Linux only: the Windows console
// run-time reads keys from a console, never from a pipe.
#ifndef _WIN32
TEST(InterpretDes, AnExpressionBeginningWithZeroIsTypedInstead) {
  entree_depuis("2d6\r");
  Des d;
  sortie_de([&] { d = lance("0"); });
  EXPECT_EQ(d.table, (std::vector<int>{2, 6, 6}));
  EXPECT_EQ(d.texte, "2d6");
  entree_depuis("1d-\r");  // '-' is the 6 of the top row
  sortie_de([&] { d = lance("0d6"); });
  EXPECT_EQ(d.table, (std::vector<int>{1, 6}));
  EXPECT_EQ(d.texte, "1d6");
  char tampon[TAILLE_TEXTE_DES];
  EXPECT_EQ(sortie_finale([&] { interpret_des("0", tampon); }, "2dq\r", 0), "2dq\n");
}
#endif

TEST(PhJdr, PrintsTheEntryWithTheDrawnNumber) {
  // One entry announced: the draw is always 1, and the first header numbered
  // 1 is used wherever it stands.
  EXPECT_EQ(tire("#1\n"
                 "#2 Pas celle-ci.\n"
                 "#1 Le pr\xEAtre ment.\n"
                 "Il cache une cl\xE9.\n"
                 "#1 Ni celle-ci.\n"),
            "Le pr" E_CIRC "tre ment.\nIl cache une cl" E_AIGU ".\n\n");
  EXPECT_EQ(tire("x1\n#1:deux-points\n#10 dix\n"), "deux-points\n\n");
  EXPECT_EQ(tire("#1\n#1\nsans texte d'en-t\xEAte\n#2\n"), "sans texte d'en-t" E_CIRC "te\n\n");
}

TEST(PhJdr, AnEntryEndsAtTheEndOfTheFile) {
  EXPECT_EQ(tire("#1\n#1 derni\xE8re\nligne sans fin"), "derni" E_GRAVE "re\nligne sans fin\n");
  EXPECT_EQ(tire("#1\n#1 seule"), "seule\n");
}

TEST(PhJdr, PrintsOneOfTheEntriesAndEachComesOut) {
  const std::string contenu = "#3\n#1 un\nsuite de un\n#2 deux\n#3 trois\n";
  const std::set<std::string> possibles = {"un\nsuite de un\n\n", "deux\n\n", "trois\n\n"};
  std::set<std::string> vues;
  // Each call reseeds from the clock: a pause between calls moves the seed.
  for (int essai = 0; essai < 2000 && vues.size() < possibles.size(); ++essai) {
    const std::string sortie = tire(contenu);
    ASSERT_EQ(possibles.count(sortie), 1u) << sortie;
    vues.insert(sortie);
    std::this_thread::sleep_for(std::chrono::microseconds(300));
  }
  EXPECT_EQ(vues, possibles);
}

TEST(PhJdr, PrintsWhatTheDrawFindsAndClosesTheFile) {
  // Descriptors are compared while the output is captured, as Ph_jdr runs:
  // the capture holds descriptors of its own.
  int libre = -1;
  sortie_de([&] { libre = prochain_descripteur(); });
  // A count of 0, -1 or none still draws, and the draw is then 1.
  const std::pair<const char *, const char *> cas[] = {
      {"#0\n#1 un\n", "un\n\n"}, {"#-1\n#0 z\xE9ro\n#1 un\n", "un\n\n"}, {"", ""},
      {"#\n#1 un\n", "un\n\n"},  {"#1\n#2 deux\n#3 trois\n", ""},        {"#1\n#1 un\n", "un\n\n"}};
  for (const auto &[contenu, attendu] : cas) {
    const std::string chemin = ecrit_fichier("table.txt", contenu);
    int apres = -1;
    EXPECT_EQ(sortie_de([&] {
                Ph_jdr(chemin.c_str());
                apres = prochain_descripteur();
              }),
              attendu)
        << contenu;
    EXPECT_EQ(apres, libre) << contenu;
  }
}

TEST(PhJdr, TheSampleFileIsNumberedForIt) {
  // exemples/rumeurs.txt announces 12 entries "#n ", numbered in order, and
  // holds no capital accented letter (the consoles' conversions leave them
  // as they are); a draw prints one of them.
  const std::string contenu = lit_fichier("exemples/rumeurs.txt");
  ASSERT_EQ(contenu.substr(0, 4), "#12\n");
  for (const char c : contenu) ASSERT_FALSE(c >= '\xC0' && c <= '\xDF');
  std::set<std::string> possibles;
  std::size_t debut = contenu.find("\n#");
  for (int numero = 1; numero <= 12; ++numero) {
    const std::string en_tete = "\n#" + std::to_string(numero) + " ";
    ASSERT_EQ(contenu.substr(debut, en_tete.size()), en_tete);
    const std::size_t suivant = contenu.find("\n#", debut + 1);
    const std::size_t texte = debut + en_tete.size();
    const std::string entree = contenu.substr(
        texte, (suivant == std::string::npos ? contenu.size() - 1 : suivant) + 1 - texte);
    possibles.insert(acc(entree.c_str(), chfunc) + std::string("\n"));
    debut = suivant;
  }
  EXPECT_EQ(debut, std::string::npos);
  const std::string sortie = sortie_de([] { Ph_jdr("exemples/rumeurs.txt"); });
  EXPECT_EQ(possibles.count(sortie), 1u) << sortie;
}
