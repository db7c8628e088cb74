// regupdater run on Linux as its user runs it, from a folder two levels
// below the data folder: it explains, waits, runs the Windows listing
// command (which the shell cannot carry out), finds its list empty, imports
// nothing and closes with its message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/programme.h"
#include "tests/support/support.h"

namespace fs = std::filesystem;

namespace {

const std::string EXPLICATION =
    "\nCe programme va mettre \xC3\xA0 jour la base de donn\xC3\xA9"
    "e du registre de ce PC, afin que\n"
    "les fichiers de donn\xC3\xA9"
    "es du programme puissent \xC3\xAA"
    "tre l\xC3\xBB directement par le\n"
    "bloc-notes.\n(Et ceci est sans danger !!!)\n...";
const std::string FIN =
    "\nMise \xC3\xA0 jour du registre termin\xC3\xA9"
    "e !...";

// Runs regupdater in `dossier`, the keys typed being two line ends.
Execution regupdater_dans(const fs::path &dossier) {
  const fs::path avant = fs::current_path();
  fs::current_path(dossier);
  Execution e = lance({REGUPDATER}, "\n\n");
  fs::current_path(avant);
  return e;
}

}  // namespace

TEST(Regupdater, OnLinuxTheListStaysEmptyAndNothingIsImported) {
  const fs::path racine = fs::absolute(dossier_du_test());
  const fs::path donnees = racine /
                           "Donn\xC3\xA9"
                           "es";  // the data folder, named in UTF-8
  const fs::path registre = racine / "Utilitaires" / "Registre";
  fs::create_directories(donnees);
  fs::create_directories(registre);
  for (const char *nom : {"a.reg", "b c.reg"})
    std::fclose(std::fopen((registre / nom).c_str(), "w"));
  std::FILE *ancienne = std::fopen((donnees / "temp.tmp").c_str(), "w");
  std::fputs("vieux.reg\n", ancienne);  // a list left by an earlier run is emptied
  std::fclose(ancienne);

  const Execution e = regupdater_dans(registre);
  EXPECT_EQ(e.statut, 0);
  EXPECT_EQ(e.sortie.substr(0, EXPLICATION.size()), EXPLICATION);
  ASSERT_GE(e.sortie.size(), FIN.size());
  EXPECT_EQ(e.sortie.substr(e.sortie.size() - FIN.size()), FIN);
  EXPECT_EQ(e.sortie.find("ajout"), std::string::npos);
  EXPECT_TRUE(fs::exists(donnees / "temp.tmp"));
  EXPECT_EQ(lit_fichier((donnees / "temp.tmp").string()), "");
}

TEST(Regupdater, WithoutTheDataFolderItStopsWithStatusOne) {
  const fs::path registre = fs::absolute(dossier_du_test()) / "Utilitaires" / "Registre";
  fs::create_directories(registre);
  const Execution e = regupdater_dans(registre);
  EXPECT_EQ(e.statut, 1);
  EXPECT_EQ(e.sortie, EXPLICATION +
                          "\n!!! Une erreur est survenue durant l'ouverture du fichier "
                          "../../Donn\xC3\xA9"
                          "es/temp.tmp, en mode w...");
}
