// What the uninstaller reads: the keys of "Uninstall.ini" up to the '#'
// line or the end of the file (only the suite's own are deleted), the path
// in reg's answer whether its fields are parted by tabs or by spaces, and
// the paths it must never remove.
#include "uninstaller/lecture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "medium/suite.h"
#include "tests/support/support.h"

namespace {

// A file of the test's folder holding `contenu`, opened for reading.
std::FILE *fichier(const std::string &contenu) {
  return std::fopen(ecrit_fichier("lu.txt", contenu).c_str(), "rb");
}

// Every answer of lit_cle until the end of the list, the key read with it
// ("trop longue:" before a line refused as too long, "nul:" before one
// holding a NUL byte).
std::vector<std::string> cles(const std::string &contenu) {
  std::FILE *liste = fichier(contenu);
  std::vector<std::string> lues;
  char ligne[TAILLE_LIGNE];
  for (Cle c = lit_cle(liste, ligne); c != Cle::fin; c = lit_cle(liste, ligne))
    lues.push_back((c == Cle::trop_longue ? "trop longue:"
                    : c == Cle::avec_nul  ? "nul:"
                                          : "") +
                   std::string(ligne));
  std::fclose(liste);
  return lues;
}

std::string chemin_de(const std::string &reponse) {
  std::FILE *f = fichier(reponse);
  char chemin[TAILLE_LIGNE];
  std::fill(chemin, chemin + sizeof chemin, 'X');
  lit_chemin(f, chemin);
  std::fclose(f);
  return chemin;
}

}  // namespace

TEST(ListeDesCles, StopsAtTheHashLine) {
  EXPECT_EQ(cles("HKEY_CLASSES_ROOT\\.cl\nHKEY_CLASSES_ROOT\\.tbl\n#\nHKEY_CLASSES_ROOT\\.st\n"),
            (std::vector<std::string>{"HKEY_CLASSES_ROOT\\.cl", "HKEY_CLASSES_ROOT\\.tbl"}));
  EXPECT_EQ(cles("# fin\nHKEY_CLASSES_ROOT\\.st\n"), std::vector<std::string>{});
}

TEST(ListeDesCles, WithoutHashLineTheListEndsWithTheFile) {
  EXPECT_EQ(cles("HKEY_CLASSES_ROOT\\.cl\nHKEY_CLASSES_ROOT\\.tbl"),
            (std::vector<std::string>{"HKEY_CLASSES_ROOT\\.cl", "HKEY_CLASSES_ROOT\\.tbl"}));
  EXPECT_EQ(cles("HKEY_CLASSES_ROOT\\.cl\n"), std::vector<std::string>{"HKEY_CLASSES_ROOT\\.cl"});
  EXPECT_EQ(cles(""), std::vector<std::string>{});
}

TEST(ListeDesCles, LineEndsAreCutWholeAndOnlyThem) {
  EXPECT_EQ(cles("HKEY_CLASSES_ROOT\\.cl\r\nHKEY_CLASSES_ROOT\\.st\r\n#\r\n"),
            (std::vector<std::string>{"HKEY_CLASSES_ROOT\\.cl", "HKEY_CLASSES_ROOT\\.st"}));
}

TEST(ListeDesCles, ALineLongerThanTheBoundIsRefusedWithItsRest) {
  const std::string longue(300, 'k');
  EXPECT_EQ(cles(longue + "\nHKEY_CLASSES_ROOT\\.st\n#\n"),
            (std::vector<std::string>{"trop longue:" + longue.substr(0, TAILLE_LIGNE - 1),
                                      "HKEY_CLASSES_ROOT\\.st"}));
}

TEST(ListeDesCles, ALineHoldingANulByteIsOneLineAndNeverHidesTheHashLine) {
  using namespace std::string_literals;  // the NUL bytes stay in the text
  EXPECT_EQ(cles("HKCR\\.nam\0x\n#\nHKEY_CLASSES_ROOT\\.tbl\n"s),
            std::vector<std::string>{"nul:HKCR\\.nam"});
  EXPECT_EQ(cles("\0#\nHKCR\\.cl\n#\n"s), (std::vector<std::string>{"nul:", "HKCR\\.cl"}));
}

TEST(ListeDesCles, OnlyTheKeysThatTheInstallerWritesMayBeDeleted) {
  for (const char *cle :
       {"HKEY_CLASSES_ROOT\\.cl", "HKEY_CLASSES_ROOT\\tblt_auto_file", "HKCR\\.TBL",
        "hkey_classes_root\\Nam_Auto_File", "HKLM\\Software\\Vallorim_light",
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\vallorim_light"})
    EXPECT_TRUE(cle_de_la_suite(cle)) << cle;
  for (const char *cle :
       {"HKEY_CLASSES_ROOT\\.cl\" /f & mkdir C:\\INJ3 & rem ", "HKEY_CLASSES_ROOT\\.txt",
        "HKEY_CLASSES_ROOT", "HKLM\\Software", "HKCU\\Software\\Vallorim_light",
        "HKEY_CLASSES_ROOT\\.cl\\shell", "HKEY_CLASSES_ROOT\\.cl ", ""})
    EXPECT_FALSE(cle_de_la_suite(cle)) << cle;
}

// The medium's key list (copied beside this program) names, after its line
// of free text, every extension, every class and then the class without
// extension of the types that the installer registers: a type added to the
// one and not to the other would be left behind by the uninstaller.
TEST(ListeDesCles, TheMediumsListNamesEveryTypeThatTheInstallerRegisters) {
  std::vector<std::string> lues = cles(lit_fichier("Uninstall.ini")), attendues;
  ASSERT_FALSE(lues.empty());
  EXPECT_FALSE(cle_de_la_suite(lues[0].c_str())) << "line 1, never deleted: " << lues[0];
  lues.erase(lues.begin());
  for (const TypeDeFichier &t : TYPES_DE_FICHIERS)
    attendues.push_back(std::string("HKEY_CLASSES_ROOT\\") + t.extension);
  for (const TypeDeFichier &t : TYPES_DE_FICHIERS)
    attendues.push_back(std::string("HKEY_CLASSES_ROOT\\") + t.classe);
  attendues.push_back(std::string("HKEY_CLASSES_ROOT\\") + CLASSE_SANS_EXTENSION);
  EXPECT_EQ(lues, attendues);
}

TEST(ReponseDeReg, FindsTheValueLineWithSpacesOrTabs) {
  // Current Windows and Wine: no header lines, fields parted by spaces.
  EXPECT_EQ(chemin_de("\r\nHKEY_LOCAL_MACHINE\\Software\\Vallorim_light\r\n"
                      "    Chemin    REG_SZ    C:\\Jeux\\Vallorim light (v5.3)\\\r\n\r\n"),
            "C:\\Jeux\\Vallorim light (v5.3)\\");
  // Older Windows: four header lines, then the value with tabs.
  EXPECT_EQ(chemin_de("\n! REG.EXE VERSION 3.0\n\nHKEY_LOCAL_MACHINE\\Software\\Vallorim_light\n"
                      "\tChemin\tREG_SZ\tC:\\Jeux\\Vallorim light (v5.3)\\\n\n"),
            "C:\\Jeux\\Vallorim light (v5.3)\\");
}

TEST(ReponseDeReg, TheDataKeepsItsOwnSpaces) {
  EXPECT_EQ(chemin_de("    Chemin    REG_SZ    C:\\Mes jeux\\REG_SZ \\x\\\n"),
            "C:\\Mes jeux\\REG_SZ \\x\\");
}

TEST(ReponseDeReg, WithoutValueLineThePathIsEmpty) {
  EXPECT_EQ(chemin_de("reg: Unable to find the specified registry key\r\n"), "");
  EXPECT_EQ(chemin_de(""), "");
  EXPECT_EQ(chemin_de("    Chemin    REG_SZX    C:\\Jeux\\\n"), "");
  EXPECT_EQ(chemin_de("    Chemin    REG_EXPAND_SZ    C:\\Jeux\\\n"), "");
}

TEST(RefusDuChemin, OnlyTheShapeOfAnInstallationPasses) {
  for (const char *chemin :
       {"C:\\Jeux\\Vallorim light (v5.3)", "D:\\Jeux vid\xE9o\\Vallorim light (v5.3)",
        "C:\\Vallorim light (v5.3)", "C:\\a.b\\Vallorim light (v5.3)"})
    EXPECT_EQ(refus_du_chemin(chemin), nullptr) << chemin;
  struct Cas {
    const char *chemin, *debut_de_la_raison;
  };
  for (const Cas &cas :
       {Cas{"", "ce chemin est la racine"}, Cas{"C:", "ce chemin est la racine"},
        Cas{"C:\\", "ce chemin est la racine"}, Cas{".", "ce chemin est la racine"},
        Cas{"D:\\.", "ce chemin passe par"}, Cas{"..", "ce chemin ne commence pas"},
        Cas{"C:\\Jeux\\..\\Vallorim light (v5.3)", "ce chemin passe par"},
        Cas{"%USERPROFILE%", "ce chemin contient"},
        Cas{"C:\\Jeux\\x\" & mkdir C:\\INJ1 & rem ", "ce chemin contient"},
        Cas{"C:\\Jeux\tx\\Vallorim light (v5.3)", "ce chemin contient"},
        Cas{"Jeux\\Vallorim light (v5.3)", "ce chemin ne commence pas"},
        Cas{"C:\\Jeux", "ce dossier n'est pas"},
        Cas{"C:\\xVallorim light (v5.3)", "ce dossier n'est pas"}}) {
    const char *raison = refus_du_chemin(cas.chemin);
    ASSERT_NE(raison, nullptr) << cas.chemin;
    EXPECT_EQ(std::string(raison).rfind(cas.debut_de_la_raison, 0), 0u)
        << cas.chemin << ": " << raison;
  }
}
