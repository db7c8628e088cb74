// Shortcut.exe: the link it makes is a real shell link that the shell reads
// back with its target, working folder and icon; a path of the installer's
// batch file, which the command interpreter reads in code page 437, still
// lands in the folder meant; a failure says so with a non-zero status.
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/programme.h"
#include "tests/support/support.h"

namespace {

// The full Windows path of a file of the test's folder.
std::string complet(const std::string &nom) {
  char chemin[MAX_PATH];
  GetFullPathNameA((dossier_du_test() + "\\" + nom).c_str(), sizeof chemin, chemin, nullptr);
  return chemin;
}

// What the shell reads back from the link `fichier`.
struct Lien {
  std::wstring cible, dossier, icone;
};
Lien lit_lien(const std::wstring &fichier) {
  Lien lien;
  CoInitialize(nullptr);
  IShellLinkW *shell = nullptr;
  IPersistFile *persistant = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void **>(&shell))) &&
      SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&persistant))) &&
      SUCCEEDED(persistant->Load(fichier.c_str(), STGM_READ))) {
    wchar_t texte[MAX_PATH] = L"";
    int index = 0;
    if (SUCCEEDED(shell->GetPath(texte, MAX_PATH, nullptr, SLGP_RAWPATH))) lien.cible = texte;
    if (SUCCEEDED(shell->GetWorkingDirectory(texte, MAX_PATH))) lien.dossier = texte;
    if (SUCCEEDED(shell->GetIconLocation(texte, MAX_PATH, &index))) lien.icone = texte;
  }
  if (persistant) persistant->Release();
  if (shell) shell->Release();
  CoUninitialize();
  return lien;
}

std::wstring large(const std::string &texte, UINT page = 1252) {
  std::wstring resultat(texte.size(), L'\0');
  resultat.resize(MultiByteToWideChar(page, 0, texte.data(), static_cast<int>(texte.size()),
                                      resultat.data(), static_cast<int>(resultat.size())));
  return resultat;
}

// Runs a batch file holding `ligne` (source-set bytes) through the command
// interpreter, as the installer does.
Execution par_batch(const std::string &ligne) {
  ecrit_fichier("essai.bat", ligne);
  char systeme[MAX_PATH];
  GetSystemDirectoryA(systeme, sizeof systeme);
  return lance({std::string(systeme) + "\\cmd.exe", "/c", complet("essai.bat")}, "");
}

}  // namespace

TEST(Shortcut, MakesALinkThatTheShellReadsBack) {
  const std::string lien = complet("Vallorim light (v5.3).lnk");
  const Execution e = lance({SHORTCUT, "/F:" + lien, "/A:c", "/T:C:\\Jeux\\Vallorim_5.3.exe",
                             "/W:C:\\Jeux", "/I:C:\\Jeux\\Utilitaires\\VA l.ico"},
                            "");
  EXPECT_EQ(e.statut, 0) << e.sortie;
  const Lien lu = lit_lien(large(lien));
  EXPECT_EQ(lu.cible, L"C:\\Jeux\\Vallorim_5.3.exe");
  EXPECT_EQ(lu.dossier, L"C:\\Jeux");
  EXPECT_EQ(lu.icone, L"C:\\Jeux\\Utilitaires\\VA l.ico");
}

TEST(Shortcut, AnAccentedFolderOfABatchFileIsFoundAsWritten) {
  const std::string menu = complet("Menu D\xE9marrer");
  ASSERT_TRUE(CreateDirectoryA(menu.c_str(), nullptr));
  const std::string cible = complet(
      "Donn\xE9"
      "es");
  ASSERT_TRUE(CreateDirectoryA(cible.c_str(), nullptr));
  std::string programme = SHORTCUT;  // from the test's working folder
  for (char &c : programme)
    if (c == '/') c = '\\';
  const Execution e =
      par_batch("\"" + programme + "\" /F:\"" + menu + "\\lien.lnk\" /A:c /T:\"" + cible +
                "\\Sondeur.exe\" /W:\"" + cible + "\" /I:\"" + cible + "\\VA l.ico\"");
  EXPECT_EQ(e.statut, 0) << e.sortie;
  const Lien lu = lit_lien(large(menu + "\\lien.lnk"));
  EXPECT_EQ(lu.cible, large(cible + "\\Sondeur.exe"));
  EXPECT_EQ(lu.dossier, large(cible));
  EXPECT_EQ(lu.icone, large(cible + "\\VA l.ico"));
}

TEST(Shortcut, FailuresAreToldWithANonZeroStatus) {
  const std::string absent = complet("absent\\lien.lnk");
  Execution e = lance({SHORTCUT, "/F:" + absent, "/A:c", "/T:C:\\x.exe"}, "");
  EXPECT_EQ(e.statut, 1);
  EXPECT_NE(e.sortie.find("Shortcut: le dossier du raccourci n'existe pas: "), std::string::npos)
      << e.sortie;
  EXPECT_EQ(GetFileAttributesA(absent.c_str()), INVALID_FILE_ATTRIBUTES);

  e = lance({SHORTCUT, "/F:" + complet("l.lnk"), "/A:c", "/T:C:\\x.exe", "/Z:1"}, "");
  EXPECT_EQ(e.statut, 2);
  EXPECT_NE(e.sortie.find("Shortcut: option inconnue /Z:1"), std::string::npos) << e.sortie;
  e = lance({SHORTCUT, "/F:" + complet("l.lnk"), "/A:c"}, "");  // no target
  EXPECT_EQ(e.statut, 2);
  EXPECT_NE(e.sortie.find("Usage: Shortcut /F:"), std::string::npos) << e.sortie;
  EXPECT_EQ(GetFileAttributesA(complet("l.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}
