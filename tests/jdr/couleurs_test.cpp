// The colour settings lookup: which line is the key line on each platform,
// where the colour code is cut from, where the file is looked for, and the
// default code when the file does not say.
#include "jdr/couleurs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/support.h"

namespace fs = std::filesystem;

namespace {

const char *const CLE = "Desinstallation de Vallorim";

// Runs the test inside its own folder, where the program would stand.
class Couleurs : public DansSonDossier {
 protected:
  // Writes "Couleurs.ini" in the test's folder.
  void fichier(const std::string &contenu, const fs::path &dossier = {}) {
    const fs::path ou = dossier.empty() ? dossier_ : dossier;
    fs::create_directories(ou);
    std::FILE *f = std::fopen((ou / "Couleurs.ini").string().c_str(), "wb");
    std::fwrite(contenu.data(), 1, contenu.size(), f);
    std::fclose(f);
  }

  // color_va for `cle` into a buffer of exactly its documented size, the
  // program started as `programme`.
  std::string couleur(const char *cle, std::string programme = "./vallorim") {
    std::vector<char> resultat(TAILLE_COULEUR, 'X');
    char *argv[] = {programme.data(), nullptr};
    const char *rendu = color_va(cle, resultat.data(), argv);
    EXPECT_EQ(rendu, resultat.data());
    return rendu;
  }
};

// The lines from the key line to the colour line: the colour line comes
// next on Windows, after one free line on Linux.
std::string cle_puis(const std::string &ligne_de_couleur) {
#ifdef _WIN32
  return std::string(CLE) + "\n" + ligne_de_couleur;
#else
  return std::string(CLE) + "\nligne libre\n" + ligne_de_couleur;
#endif
}

}  // namespace

TEST_F(Couleurs, TheCodeIsWhatFollowsTheFirstColon) {
  fichier("Couleurs de la suite\n" + cle_puis("Couleur:1F\n") + "Autre:2E\n");
  EXPECT_EQ(couleur(CLE), "1F");
  fichier(cle_puis("Couleur:DarkBlue:white\n"));
  EXPECT_EQ(couleur(CLE), "DarkBlue:white");
  fichier(cle_puis("1F\n"));
  EXPECT_EQ(couleur(CLE), "1F");
  fichier(cle_puis("Couleur:1F"));  // the file's last line, without its end
  EXPECT_EQ(couleur(CLE), "1F");
}

TEST_F(Couleurs, TheFirstKeyLineCounts) {
  fichier(cle_puis("Couleur:1F\n") + cle_puis("Couleur:2E\n"));
  EXPECT_EQ(couleur(CLE), "1F");
}

TEST_F(Couleurs, WithoutTheKeyTheDefaultCodeComesSilently) {
  fichier("Sondeur\nCouleur:F8\n");
  std::string code;
  EXPECT_EQ(sortie_de([&] { code = couleur(CLE); }), "");
  EXPECT_EQ(code, "0:7");
  fichier("");
  EXPECT_EQ(couleur(CLE), "0:7");
}

// A key line with no line after it gives the default code, not the key
// line's own text.
TEST_F(Couleurs, AKeyLineAtTheEndOfTheFileGivesTheDefaultCode) {
  fichier(std::string("Autre:2E\n") + CLE + "\n");
  EXPECT_EQ(couleur(CLE), "0:7");
  fichier(std::string("Autre:2E\n") + CLE);
  EXPECT_EQ(couleur(CLE), "0:7");
  fichier(std::string("Autre:2E\n") + "Couleurs: " + CLE + "\n");  // a ':' in the key line
  EXPECT_EQ(couleur("Couleurs: Desinstallation de Vallorim"), "0:7");
}

TEST_F(Couleurs, LongLinesNeverPassTheBuffer) {
  const std::string longue(600, 'a');
  fichier(longue + "\n" + cle_puis("Couleur:" + longue + "\n"));
  const std::string code = couleur(CLE);
  EXPECT_EQ(code, std::string(TAILLE_COULEUR - 1 - 8, 'a'));  // 254 bytes less "Couleur:"
}

// Outside the fixture: the death test's child runs the test again from its
// start, and must find the same folders as its parent.
TEST(CouleursSansFichier, AMissingFileEndsTheProgram) {
  const fs::path dossier = fs::absolute(dossier_du_test());
  std::string programme = (dossier / "prog").string();
  char *argv[] = {programme.data(), nullptr};
  const std::string sortie = sortie_finale(
      [&] {
        char resultat[TAILLE_COULEUR];
        color_va(CLE, resultat, argv);
      },
      "\n", 1, "");
#ifdef _WIN32
  const std::string nom = "Couleurs.ini";  // the current folder's, which has none
#else
  const std::string nom = (dossier / "Couleurs.ini").string();
#endif
  EXPECT_EQ(sortie, "\n!!! Une erreur est survenue durant l'ouverture du fichier " + nom +
                        ", en mode r...");
}

#ifdef _WIN32
TEST_F(Couleurs, OnWindowsTheKeyLineIsTheWholeLine) {
  fichier(std::string(CLE) + " \nCouleur:1F\n");  // a trailing space
  EXPECT_EQ(couleur(CLE), "0:7");
  fichier("desinstallation de vallorim\nCouleur:1F\n");  // another case
  EXPECT_EQ(couleur(CLE), "0:7");
  fichier(std::string("[") + CLE + "]\nCouleur:1F\n");
  EXPECT_EQ(couleur(CLE), "0:7");
}

TEST_F(Couleurs, OnWindowsCarriageReturnsAreTolerated) {
  fichier(std::string("Couleurs\r\n") + CLE + "\r\nCouleur:1F\r\n");
  EXPECT_EQ(couleur(CLE), "1F");
}

TEST_F(Couleurs, OnWindowsTheFileIsInTheCurrentFolder) {
  fichier(cle_puis("Couleur:1F\n"));
  fichier(cle_puis("Couleur:2E\n"), dossier_ / "programme");
  EXPECT_EQ(couleur(CLE, (dossier_ / "programme" / "vallorim.exe").string()), "1F");
}
#else
TEST_F(Couleurs, OnLinuxALineHoldingTheKeyIsTheKeyLine) {
  fichier(std::string("[") + CLE + "]\nlibre\nCouleur:1F\n");
  EXPECT_EQ(couleur(CLE), "1F");
}

TEST_F(Couleurs, OnLinuxTheColourLineIsTwoLinesAfterTheKey) {
  fichier(std::string(CLE) + "\nCouleur:1F\nAutre:2E\n");
  EXPECT_EQ(couleur(CLE), "2E");
  fichier(std::string(CLE) + "\nCouleur:1F\n");  // the file ends first: the buffer keeps 1F
  EXPECT_EQ(couleur(CLE), "1F");
}

TEST_F(Couleurs, OnLinuxTheFileIsBesideAProgramStartedByItsFullPath) {
  fichier(cle_puis("Couleur:1F\n"));
  fichier(cle_puis("Couleur:2E\n"), dossier_ / "suite");
  EXPECT_EQ(couleur(CLE, (dossier_ / "suite" / "prog").string()), "2E");
  EXPECT_EQ(couleur(CLE, "./prog"), "1F");
  EXPECT_EQ(couleur(CLE, "suite/prog"), "1F");  // a relative path: the current folder
}

TEST_F(Couleurs, OnLinuxADeepPathIsNoProblem) {
  fs::path profond = dossier_;
  for (int i = 0; i < 60; ++i) profond /= "d";
  fichier(cle_puis("Couleur:2E\n"), profond);
  EXPECT_EQ(couleur(CLE, (profond / "prog").string()), "2E");
}
#endif
