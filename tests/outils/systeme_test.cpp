// The system queries: the user's name and the system drive, read back from
// the scratch file c:\temp.tmp that the command interpreter writes.
#include "outils/systeme.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/support.h"

namespace fs = std::filesystem;

namespace {

// Runs the test inside its own folder: on Linux the scratch file's name is
// an ordinary file name of the current folder.
class RequetesSysteme : public DansSonDossier {};

std::string utilisateur() {
  char buffer[TAILLE_LOCAL_USER];
  std::snprintf(buffer, sizeof buffer, "ancien contenu");
  return Local_user(buffer);
}

std::string disque() {
  char buffer[TAILLE_DISK_SYSTEM] = {'X', 'X'};
  return Disk_system(buffer);
}

}  // namespace

#ifdef _WIN32
// Wine's own profile and system folders, C:\users\<user> and C:\windows,
// asked from the test's folder on drive D:. Both queries in one case, since
// both write the same scratch file.
TEST_F(RequetesSysteme, AnswerForTheProfileAndSystemFolders) {
  const char *nom = std::getenv("USERNAME");
  ASSERT_NE(nom, nullptr);
  ASSERT_STRNE(nom, "");
  EXPECT_EQ(utilisateur(), nom);
  EXPECT_EQ(disque(), "C");
  // The scratch file stays, holding the last answer.
  EXPECT_EQ(lit_fichier("c:\\temp.tmp"), "C:\\windows\r\n");
  EXPECT_EQ(utilisateur(), nom);
  EXPECT_EQ(lit_fichier("c:\\temp.tmp"), std::string("C:\\users\\") + nom + "\r\n");
}
#else
// The Linux shell expands no %userprofile% and writes no c:\temp.tmp: with
// no scratch file, both answers are empty, whatever the buffers held.
TEST_F(RequetesSysteme, AnswerEmptyWithoutAScratchFile) {
  EXPECT_EQ(utilisateur(), "");
  EXPECT_EQ(disque(), "");
  EXPECT_FALSE(fs::exists("c:\\temp.tmp"));
}

// The same commands fail on Linux and leave a scratch file written here
// untouched, which the queries then read: the reading rules on Linux.
TEST_F(RequetesSysteme, ReadTheLastComponentAndTheFirstLetter) {
  const struct {
    const char *ligne, *utilisateur, *disque;
  } cas[] = {
      {"C:\\Users\\Marie\n", "Marie", "C"},
      {"D:\\Profils\\Jean Dupont\\\n", "", "D"},  // a last '\' leaves the line end alone
      {"C:\\Users\\Marie", "Mari", "C"},          // no line end: the last letter goes
      {"Marie\n", "Marie", "M"},
      {"\n", "", "\n"},
      {"", "", ""},
  };
  for (const auto &k : cas) {
    std::ofstream("c:\\temp.tmp", std::ios::binary) << k.ligne;
    EXPECT_EQ(utilisateur(), k.utilisateur) << k.ligne;
    EXPECT_EQ(disque(), k.disque) << k.ligne;
  }
}
#endif
