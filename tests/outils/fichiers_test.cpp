// Opening files by their typed names, and listing folders.
#include "outils/fichiers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "outils/accents.h"
#include "tests/support/support.h"

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
const std::string SEP = "\\";
#else
const std::string SEP = "/";
#endif

// Makes the files (and their folders) under the test's folder; its path.
std::string arbre(const std::vector<std::string> &fichiers) {
  std::string racine = dossier_du_test() + "/arbre";
  fs::create_directories(racine);
  for (const std::string &f : fichiers) {
    const fs::path chemin = fs::path(racine) / f;
    if (f.back() == '/') {
      fs::create_directories(chemin);
    } else {
      fs::create_directories(chemin.parent_path());
      std::FILE *fichier = std::fopen(chemin.string().c_str(), "w");
      std::fclose(fichier);
    }
  }
  return racine;
}

// The lines that listing_doss writes, in the order written.
std::vector<std::string> liste(const std::string &racine, int recursif, const char *filtre,
                               int dossiers) {
  const std::string sortie = dossier_du_test() + "/liste.txt";
  std::FILE *flux = std::fopen(sortie.c_str(), "wb");  // lines end in '\n' alone
  listing_doss(racine.c_str(), flux, recursif, filtre, dossiers);
  std::fclose(flux);
  std::vector<std::string> lignes;
  std::istringstream texte(lit_fichier(sortie));
  for (std::string ligne; std::getline(texte, ligne);) lignes.push_back(ligne);
  return lignes;
}

std::vector<std::string> trie(std::vector<std::string> lignes) {
  std::sort(lignes.begin(), lignes.end());
  return lignes;
}

}  // namespace

TEST(OuvreFichier, OpensANameWithEitherSeparator) {
  ecrit_fichier("t.tbl", "dd1:1:x\n");
  const std::string nom = dossier_du_test() + "\\t.tbl";
  std::FILE *fichier = ouvre_fichier(nom.c_str(), "r");
  char ligne[16] = "";
  std::fgets(ligne, sizeof ligne, fichier);
  std::fclose(fichier);
  EXPECT_STREQ(ligne, "dd1:1:x\n");
}

#ifndef _WIN32
TEST(OuvreFichier, WritesAccentedNamesInUtf8OnLinux) {
  fs::create_directories(dossier_du_test() +
                         "/Donn\xC3\xA9"
                         "es");
  const std::string nom = dossier_du_test() +
                          "\\Donn\xE9"
                          "es\\temp.tmp";
  std::fclose(ouvre_fichier(nom.c_str(), "w"));
  EXPECT_TRUE(fs::exists(dossier_du_test() + "/Donn\xC3\xA9"
                                             "es/temp.tmp"));
}
#endif

TEST(OuvreFichierDeathTest, AFileThatCannotBeOpenedEndsTheProgram) {
  EXPECT_EQ(sortie_finale([] { ouvre_fichier("absent\\table.tbl", "r"); }, "\n", 1),
            "\n!!! Une erreur est survenue durant l'ouverture du fichier absent" + SEP +
                "table.tbl, en mode r...");
  // A folder is no file, though Linux's fopen opens one for reading.
  const std::string dossier = dossier_du_test();
  EXPECT_EQ(
      sortie_finale([&] { ouvre_fichier(dossier.c_str(), "r"); }, "\n", 1),
      "\n!!! Une erreur est survenue durant l'ouverture du fichier " + dossier + ", en mode r...");
}

TEST(OuvreFichierDeathTest, AnEmptyNameFails) {
  EXPECT_EQ(sortie_finale([] { ouvre_fichier("", "r"); }, "\n", 1),
            "\n!!! Une erreur est survenue durant l'ouverture du fichier , en mode r...");
}

TEST(ListingDoss, AnEmptyFilterListsEveryFileButNotFolders) {
  const std::string r = arbre({"a.tbl", "b.nam", "sous/", "sous/c.tbl"});
  EXPECT_EQ(trie(liste(r, 0, "", 0)), trie({r + SEP + "a.tbl", r + SEP + "b.nam"}));
  EXPECT_EQ(trie(liste(r, 0, "", 1)),
            trie({r + SEP + "a.tbl", r + SEP + "b.nam", r + SEP + "sous"}));
}

TEST(ListingDoss, KeepsTheExtensionsOfTheFilter) {
  const std::string r =
      arbre({"a.tbl", "b.nam", "c.txt", "a.b.tbl", "maj.TBL", "point.", "sans", "x.tbl/", "y/"});
  EXPECT_EQ(trie(liste(r, 0, "*.tbl:.nam", 0)),
            trie({r + SEP + "a.tbl", r + SEP + "a.b.tbl", r + SEP + "b.nam"}));
  EXPECT_EQ(trie(liste(r, 0, "tbl", 1)),
            trie({r + SEP + "a.tbl", r + SEP + "a.b.tbl", r + SEP + "x.tbl"}));
  // A filter is read up to 254 characters: "txt" past them is not kept.
  const std::string long_filtre = std::string(246, 'z') + ":nam:tbl:txt";
  EXPECT_EQ(trie(liste(r, 0, long_filtre.c_str(), 0)),
            trie({r + SEP + "a.tbl", r + SEP + "a.b.tbl", r + SEP + "b.nam"}));
#ifndef _WIN32  // Windows drops a name's final '.'
  // A trailing ':' (or a lone '*') gives the empty extension of "point.".
  EXPECT_EQ(trie(liste(r, 0, "txt:", 0)), trie({r + SEP + "c.txt", r + SEP + "point."}));
  EXPECT_EQ(liste(r, 0, "*", 0), std::vector<std::string>{r + SEP + "point."});
#endif
}

TEST(ListingDoss, WritesASubFolderContentsBeforeItsOwnLine) {
  const std::string r = arbre({"sous/", "sous/c.tbl", "sous/d.tbl", "sous/bas/", "sous/bas/e.tbl"});
  const std::vector<std::string> lignes = liste(r, 1, "", 1);
  const std::string sous = r + SEP + "sous";
  ASSERT_EQ(lignes.size(), 5u);
  EXPECT_EQ(lignes.back(), sous);
  const auto bas = std::find(lignes.begin(), lignes.end(), sous + SEP + "bas");
  const auto e = std::find(lignes.begin(), lignes.end(), sous + SEP + "bas" + SEP + "e.tbl");
  ASSERT_NE(bas, lignes.end());
  EXPECT_LT(e, bas);
  // Without a listed extension a folder is not listed, but still walked.
  EXPECT_EQ(trie(liste(r, 1, "tbl", 1)),
            trie({sous + SEP + "c.tbl", sous + SEP + "d.tbl", sous + SEP + "bas" + SEP + "e.tbl"}));
}

TEST(ListingDoss, AnAccentedFolderNameReachesTheSystem) {
  // Linux writes the name in UTF-8; Windows takes it as given, its letters
  // being already the system's (code page 1252 under Wine), and leaves
  // chfunc alone.
#ifdef _WIN32
  const std::string systeme = "L\xE4";
#else
  const std::string systeme = "L\xC3\xA4";
#endif
  const std::string r = arbre({});
  const fs::path dossier = fs::path(r) / fs::path(u8"L\u00E4");  // either system's own letter
  fs::create_directories(dossier);
  std::ofstream(dossier / "a.tbl").put('\n');
  std::snprintf(chfunc, sizeof chfunc, "%s", "t\xE9moin");
  EXPECT_EQ(liste(r + SEP + "L\xE4", 0, "", 0),
            std::vector<std::string>{r + SEP + systeme + SEP + "a.tbl"});
#ifdef _WIN32
  EXPECT_STREQ(chfunc, "t\xE9moin");
#endif
}

TEST(ListingDossDeathTest, AFolderThatCannotBeOpenedEndsTheProgram) {
  EXPECT_EQ(sortie_finale([] { listing_doss("absent", stdout, 0, "", 0); }, "\n", 1),
            "\n!!! Une erreur est survenue durant l'ouverture du dossier absent.\n...");
}

#ifndef _WIN32
TEST(ListingDoss, ACycleOfLinksEnds) {
  const std::string r = arbre({"a/", "a/f.tbl"});
  fs::create_directory_symlink("..", r + "/a/retour");
  const std::vector<std::string> lignes = liste(r, 1, "tbl", 0);
  EXPECT_EQ(lignes, std::vector<std::string>{r + "/a/f.tbl"});
}
#endif
