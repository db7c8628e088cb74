// The checks on text from outside a program, before a command line holds it.
#include "outils/surete.h"

#include <gtest/gtest.h>

#include <string>

TEST(Surete, CharactersThatTheCommandInterpreterReads) {
  for (const char *texte :
       {"C:\\Jeux vid\xE9o", "a (b) [c] {d} $e @f #g !h", "Tables aleatoires.reg", ""})
    EXPECT_TRUE(sans_caractere_special(texte)) << texte;
  for (const char *texte :
       {"%OS%.reg", "C:\\x\" & rem", "a&b", "a|b", "a<b", "a>b", "a^b", "a\tb", "a\nb",
        "a\x7F"
        "b"})
    EXPECT_FALSE(sans_caractere_special(texte)) << texte;
}

TEST(Surete, AbsolutePathsAndRelativeFolders) {
  EXPECT_TRUE(chemin_absolu("C:\\Jeux"));
  EXPECT_TRUE(chemin_absolu("d:\\"));
  for (const char *chemin : {"C:", "C:Jeux", "C:/Jeux", "\\Jeux", "Jeux", "1:\\Jeux", ""})
    EXPECT_FALSE(chemin_absolu(chemin)) << chemin;
  for (const char *chemin : {"C:\\Jeux\\.config", "C:\\a..b", "C:\\Jeux\\"})
    EXPECT_TRUE(sans_dossier_relatif(chemin)) << chemin;
  for (const char *chemin : {"D:\\.\\", "D:\\.", "C:\\Jeux\\..\\x", "..", ".\\x", "C:/Jeux/../x"})
    EXPECT_FALSE(sans_dossier_relatif(chemin)) << chemin;
}
