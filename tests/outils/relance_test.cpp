// The relaunch of a program started without a terminal inside xterm: the
// suite's stand-in program is run as a user runs it, without a terminal or on
// a pseudo-terminal, with a recording stand-in `xterm` first on PATH, and
// once with the real xterm on a virtual X display.
#include "outils/relance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/programme.h"
#include "tests/support/support.h"

#ifdef _WIN32

TEST(StartxtermWindows, LeavesTheConsoleAndTheArgumentsAlone) {
  char nom[] = "C:\\Vallorim\\Sondeur.exe", marqueur[] = "swxterm";
  char *argv[] = {nom, marqueur, nullptr};
  EXPECT_EQ(sortie_de([&] { startxterm(2, argv, "Titre", "F8"); }), "");
  EXPECT_EQ(argv[0], nom);
}

#else

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "outils/titre_interne.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Horloge = std::chrono::steady_clock;
using Lignes = std::vector<std::string>;

namespace {

const fs::path PROGRAMME = PROGRAMME_RELANCE;
const std::string TITRE_UTF8 =
    "Testeur de tables al\xC3\xA9"
    "atoires";
const std::string AVIS_SANS_XTERM =
    "\nxterm n'a pas \xC3\xA9t\xC3\xA9 trouv\xC3\xA9, il est conseill\xC3\xA9 d'installer xterm.\n";

// The banner that the stand-in program prints once it goes on.
std::string banniere() {
  return sortie_de([] { affiche_cadre("Programme de test de tables aléatoires"); });
}

Lignes lignes_de(const fs::path &fichier) {
  Lignes lignes;
  std::istringstream texte(lit_fichier(fichier));
  for (std::string ligne; std::getline(texte, ligne);) lignes.push_back(ligne);
  return lignes;
}

// Runs `commande` from `dossier` to its end (killed after 20 seconds), on a
// pseudo-terminal when `terminal`, in this process's environment changed by
// `env` (see tests/support/programme.h) and without the re-execution mark
// of a program without xterm.
Execution lance(const fs::path &dossier, const Lignes &commande, Lignes env, bool terminal) {
  env.push_back("VALLORIM_SANS_XTERM");  // a name alone: removed
  if (terminal) return Session(commande, dossier.string(), env).termine(20);
  const ExecutionScript e = lance_sans_terminal(commande, dossier.string(), 20, "", env);
  return {e.sortie, e.statut};
}

// A test's folder with a `bin` folder that stands first (alone) on PATH:
// an `xterm` and an `xdg-open` that record their arguments, and `rm`.
class Relance : public testing::Test {
 protected:
  void SetUp() override {
    dossier = fs::canonical(dossier_du_test());
    bin = dossier / "bin";
    fs::create_directories(bin);
    script("xterm", "for a; do printf '%s\\n' \"$a\"; done >> '" + fichier("xterm.txt") + "'");
    script("xdg-open", "printf '%s\\n' \"$*\" >> '" + fichier("xdg-open.txt") + "'\n" +
                           "/bin/cat \"$1\" >> '" + fichier("vu.txt") + "'");
    fs::create_symlink("/bin/rm", bin / "rm");
    // A login shell that does not read quotes as sh does: never to be used.
    script("poisson", "touch '" + fichier("poisson.txt") + "'; exit 1");
  }

  std::string fichier(const std::string &nom) const { return (dossier / nom).string(); }

  void script(const std::string &nom, const std::string &corps) {
    std::ofstream(bin / nom) << "#!/bin/sh\n" << corps << "\n";
    fs::permissions(bin / nom, fs::perms::owner_all);
  }

  Execution programme(const Lignes &arguments, bool terminal, Lignes env = {}) {
    Lignes commande = {PROGRAMME.string()};
    commande.insert(commande.end(), arguments.begin(), arguments.end());
    return avec(commande, terminal, std::move(env));
  }

  // A display is named unless `env` says otherwise ("DISPLAY" alone drops it).
  Execution avec(const Lignes &commande, bool terminal, Lignes env = {}) {
    env.push_back("PATH=" + bin.string());
    env.push_back("DISPLAY=:99");
    env.push_back("RELANCE_ARGUMENTS=" + fichier("arguments.txt"));
    return lance(dossier, commande, env, terminal);
  }

  // What xterm received: its options, then "-e", "/bin/sh", "-c" and the
  // command line.
  Lignes xterm() const { return lignes_de(dossier / "xterm.txt"); }
  std::string commande_xterm() const {
    const Lignes options = xterm();
    const auto e = std::find(options.begin(), options.end(), "-e");
    return options.end() - e > 3 ? e[3] : "";
  }
  // What the stand-in program recorded: its folder, argv[0], its arguments.
  Lignes recu() const { return lignes_de(dossier / "arguments.txt"); }

  fs::path dossier, bin;
};

std::string dossier_programme() { return fs::canonical(PROGRAMME).parent_path().string(); }

TEST_F(Relance, WithoutATerminalXtermRunsTheProgramFromItsFolderWithItsArguments) {
  const std::string table = "/home/mj/Mes tables/donjon;1.tbl";
  const Execution depart = programme({table}, false);
  EXPECT_EQ(depart.statut, 0);
  EXPECT_EQ(depart.sortie, "");  // the window ran: nothing printed here
  const std::string ligne =
      "cd '" + dossier_programme() + "' && './programme_relance' '" + table + "'";
  EXPECT_EQ(xterm(), (Lignes{"-sb", "-rightbar", "-T", TITRE_UTF8, "-bg", "white", "-fg", "grey50",
                             "-e", "/bin/sh", "-c", ligne}));

  // The window's shell runs the command line: the program starts on its terminal.
  const Execution fenetre = avec({"/bin/sh", "-c", commande_xterm()}, true);
  EXPECT_EQ(fenetre.sortie, banniere());
  EXPECT_EQ(recu(), (Lignes{dossier_programme(), "./programme_relance", table}));
}

TEST_F(Relance, NoFolderNameOrArgumentIsReadByTheShell) {
  const fs::path ailleurs = dossier / "Jeux d'\xE9t\xE9; $(touch pris) `touch pris`";
  fs::create_directories(ailleurs);
  fs::copy_file(PROGRAMME, ailleurs / "programme_relance");
  fs::permissions(ailleurs / "programme_relance", fs::perms::owner_all);
  const Lignes arguments = {"a  b", "$(touch pris)", "l'autre", "\"cit\xE9\"", "", "*", "c'\\'d"};
  Lignes commande = {(ailleurs / "programme_relance").string()};
  commande.insert(commande.end(), arguments.begin(), arguments.end());
  avec(commande, false);
  avec({"/bin/sh", "-c", commande_xterm()}, true);
  Lignes attendu = {ailleurs.string(), "./programme_relance"};
  attendu.insert(attendu.end(), arguments.begin(), arguments.end());
  EXPECT_EQ(recu(), attendu);
  EXPECT_FALSE(fs::exists(ailleurs / "pris"));
  EXPECT_FALSE(fs::exists(dossier / "pris"));
}

TEST_F(Relance, TheProgramRunsOnlyIfItsFolderIsReached) {
  const fs::path ailleurs = dossier / "ailleurs";
  fs::create_directories(ailleurs);
  for (const fs::path &copie : {ailleurs / "programme_relance", dossier / "programme_relance"})
    fs::copy_file(PROGRAMME, copie);
  avec({(ailleurs / "programme_relance").string()}, false);
  fs::remove_all(ailleurs);
  avec({"/bin/sh", "-c", commande_xterm()}, true);  // from `dossier`, which has a copy too
  EXPECT_EQ(recu(), Lignes{});
}

TEST_F(Relance, ARelativePathOfAnExistingFileIsMadeAbsolute) {
  std::ofstream(dossier / "t.tbl") << "dd1:1:x\n";
  programme({"t.tbl", "absente.tbl"}, false);
  EXPECT_EQ(commande_xterm(), "cd '" + dossier_programme() + "' && './programme_relance' '" +
                                  dossier.string() + "/t.tbl' 'absente.tbl'");
}

TEST_F(Relance, WithoutADisplayTheProgramGoesOnWhereItIs) {
  const Execution e = programme({"swxterm", "t.tbl"}, false, {"DISPLAY", "WAYLAND_DISPLAY"});
  EXPECT_EQ(e.sortie, banniere());  // no notice either
  EXPECT_FALSE(fs::exists(dossier / "xterm.txt"));
  EXPECT_EQ(recu(), (Lignes{dossier.string(), PROGRAMME.string(), "swxterm", "t.tbl"}));
  programme({}, false, {"DISPLAY", "WAYLAND_DISPLAY=wayland-0"});
  EXPECT_EQ(xterm().size(), 12u);  // a Wayland display alone is enough
}

TEST_F(Relance, TheMarkerRelaunchesFromATerminalAndIsNotPassedOn) {
  EXPECT_EQ(programme({"swxterm", "table.tbl"}, true).sortie, "");
  EXPECT_EQ(programme({"swxterm"}, true).sortie, "");
  const std::string debut = "cd '" + dossier_programme() + "' && './programme_relance'";
  const Lignes options = xterm();
  ASSERT_EQ(options.size(), 24u);
  EXPECT_EQ(options[11], debut + " 'table.tbl'");
  EXPECT_EQ(options[23], debut);
}

TEST_F(Relance, InATerminalTheProgramGoesOnUntouched) {
  const Execution e = programme({"table.tbl"}, true);
  EXPECT_EQ(e.statut, 0);
  EXPECT_EQ(e.sortie, banniere());
  EXPECT_FALSE(fs::exists(dossier / "xterm.txt"));
  EXPECT_EQ(recu(), (Lignes{dossier.string(), PROGRAMME.string(), "table.tbl"}));
}

// A colour code, the xterm colour options it gives, and the case's name.
struct CasCouleur {
  const char *code;
  Lignes options;
  const char *nom;
};

void PrintTo(const CasCouleur &cas, std::ostream *flux) { *flux << '"' << cas.code << '"'; }

class Couleurs : public Relance, public testing::WithParamInterface<CasCouleur> {};

TEST_P(Couleurs, GiveXtermItsColourOptions) {
  programme({}, false, {std::string("RELANCE_COULEUR=") + GetParam().code});
  Lignes attendu = {"-sb", "-rightbar", "-T", TITRE_UTF8};
  attendu.insert(attendu.end(), GetParam().options.begin(), GetParam().options.end());
  attendu.insert(attendu.end(), {"-e", "/bin/sh", "-c",
                                 "cd '" + dossier_programme() + "' && './programme_relance'"});
  EXPECT_EQ(xterm(), attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Relance, Couleurs,
    testing::Values(CasCouleur{"F8", {"-bg", "white", "-fg", "grey50"}, "F8"},
                    CasCouleur{"f8", {"-bg", "white", "-fg", "grey50"}, "LowerCase"},
                    CasCouleur{"01", {"-bg", "black", "-fg", "navy"}, "Zero1"},
                    CasCouleur{"5c", {"-bg", "DarkMagenta", "-fg", "red1"}, "FiveC"},
                    CasCouleur{"black:white", {"-bg", "black", "-fg", "white"}, "TwoNames"},
                    CasCouleur{"black:", {"-bg", "black"}, "NoTextName"},
                    CasCouleur{"G8", {"-fg", "grey50"}, "NoSuchDigit"},
                    CasCouleur{"8:", {"-bg", "grey50"}, "TwoCharactersAreDigits"},
                    CasCouleur{"rouge", {}, "NoColon"}, CasCouleur{"", {}, "Empty"}),
    [](const testing::TestParamInfo<CasCouleur> &cas) { return std::string(cas.param.nom); });

TEST_F(Relance, TheTitleReachesXtermInUtf8AndIsCutBetweenLetters) {
  // 'a' and 200 'é' give 401 bytes: 254 would split the 127th 'é'.
  programme({}, false, {"RELANCE_TITRE=a" + std::string(200, '\xE9')});
  std::string attendu = "a";
  for (int i = 0; i < 126; ++i) attendu += "\xC3\xA9";
  ASSERT_GE(xterm().size(), 4u);
  EXPECT_EQ(xterm()[3], attendu);
}

TEST_F(Relance, WithoutXtermNorTerminalTheNoticeComesOnceAndTheProgramGoesOn) {
  fs::remove(bin / "xterm");
  std::ofstream(dossier / "temp.tmp") << "mes notes\n";  // the user's own file
  const fs::path temporaire = dossier / "tmp";
  fs::create_directories(temporaire);
  const Execution e = programme({"swxterm", "a b", "c"}, false, {"TMPDIR=" + temporaire.string()});
  EXPECT_EQ(e.statut, 0);
  EXPECT_EQ(e.sortie, AVIS_SANS_XTERM + banniere());
  const Lignes vus = lignes_de(dossier / "xdg-open.txt");  // a new file of the program's own
  ASSERT_EQ(vus.size(), 1u);
  EXPECT_EQ(vus[0].rfind(temporaire.string() + "/vallorim-xterm-", 0), 0u) << vus[0];
  EXPECT_EQ(vus[0].substr(vus[0].size() - 4), ".txt");
  EXPECT_EQ(lit_fichier(dossier / "vu.txt"),
            "xterm n'a pas \xE9t\xE9 trouv\xE9, il est n\xE9"
            "cessaire pour une utilisation de "
            "Vallorim hors terminal.\nSans xterm, Vallorim doit \xEAtre ex\xE9"
            "cut\xE9 depuis le "
            "terminal.\n");
  EXPECT_TRUE(fs::is_empty(temporaire));
  EXPECT_EQ(lit_fichier(dossier / "temp.tmp"), "mes notes\n");
  EXPECT_EQ(recu(),
            (Lignes{dossier.string(), dossier_programme() + "/programme_relance", "a b", "c"}));
}

TEST_F(Relance, WithoutXtermTheMarkedProgramRunsInItsTerminal) {
  fs::remove(bin / "xterm");
  const Execution e = programme({"swxterm", "a b", "c"}, true);
  EXPECT_EQ(e.sortie, AVIS_SANS_XTERM + banniere());
  EXPECT_FALSE(fs::exists(dossier / "xdg-open.txt"));
  EXPECT_EQ(recu(),
            (Lignes{dossier.string(), dossier_programme() + "/programme_relance", "a b", "c"}));
}

TEST_F(Relance, FindsTheProgramsFolderWhateverItsPath) {
  // Found through PATH (env looks it up as a shell does): the folder and
  // name of the running file.
  avec({"/usr/bin/env", "programme_relance"}, false,
       {"PATH=" + bin.string() + ":" + dossier_programme()});
  // Relative with a folder: that folder under the current one.
  fs::create_directories(dossier / "sous");
  fs::copy_file(PROGRAMME, dossier / "sous" / "programme_relance");
  fs::permissions(dossier / "sous" / "programme_relance", fs::perms::owner_all);
  avec({"sous/programme_relance"}, false);
  const Lignes options = xterm();
  ASSERT_EQ(options.size(), 24u);
  EXPECT_EQ(options[11], "cd '" + dossier_programme() + "' && './programme_relance'");
  EXPECT_EQ(options[23], "cd '" + dossier.string() + "/sous' && './programme_relance'");
}

TEST_F(Relance, ACommandLineTooLongForItsBufferIsNeverCut) {
  // "cd '<folder>' && './programme_relance' '<argument>'" fills 4095 bytes, then 4096.
  const std::size_t reste =
      4095 - std::string("cd '' && './programme_relance' ''").size() - dossier_programme().size();
  programme({std::string(reste, 'x')}, false);
  EXPECT_EQ(commande_xterm().size(), 4095u);

  fs::remove(dossier / "xterm.txt");
  const Execution e = programme({std::string(reste + 1, 'x')}, false);
  EXPECT_FALSE(fs::exists(dossier / "xterm.txt"));
  EXPECT_EQ(e.sortie, "\nLes arguments sont trop longs pour relancer le programme dans xterm.\n" +
                          banniere());
  EXPECT_EQ(recu(), (Lignes{dossier.string(), "/programme_relance", std::string(reste + 1, 'x')}));
}

// The real xterm on a virtual display (Xvfb): the window's shell starts the
// program, which records what it received and stays a while. The test stops
// the program that waits for the window, xterm (and with it the program in
// the window) and the display.
class XtermReel : public Relance {
 protected:
  void TearDown() override {
    for (const pid_t pid : {fenetre, xvfb}) {
      if (pid <= 0) continue;
      kill(-pid, SIGTERM);  // its group: xterm goes with the program that started it
      attend_la_fin(pid, 5);
    }
  }

  // Starts Xvfb on the first free display; its number, or -1.
  int demarre_xvfb() {
    int tube[2];
    if (pipe(tube) != 0) return -1;
    xvfb = demarre_sans_terminal(
        {"/usr/bin/Xvfb", "-displayfd", std::to_string(tube[1]), "-nolisten", "tcp"},
        dossier.string(), {"PATH=/usr/bin:/bin"});
    close(tube[1]);
    char numero[16] = "";
    pollfd attente{tube[0], POLLIN, 0};
    const bool pret = poll(&attente, 1, 10000) > 0 && read(tube[0], numero, sizeof numero - 1) > 0;
    close(tube[0]);
    return pret ? std::atoi(numero) : -1;
  }

  pid_t xvfb = -1, fenetre = -1;
};

TEST_F(XtermReel, OpensAWindowWhoseShellRunsTheProgram) {
  if (!fs::exists("/usr/bin/xterm") || !fs::exists("/usr/bin/Xvfb"))
    GTEST_SKIP() << "xterm and Xvfb are both needed for this test";
  const int ecran = demarre_xvfb();
  ASSERT_GE(ecran, 0) << "Xvfb did not start";
  // A program planted in the current folder under the window's command line
  // taken as a relative path: never run in place of the shell.
  const fs::path plante =
      dossier / ("cd '" + dossier_programme() + "' && './programme_relance' 'Ma table.tbl'");
  fs::create_directories(plante.parent_path());
  std::ofstream(plante) << "#!/bin/sh\ntouch '" << fichier("plante.txt") << "'\n";
  fs::permissions(plante, fs::perms::owner_all);

  fenetre = demarre_sans_terminal(
      {PROGRAMME.string(), "Ma table.tbl"}, dossier.string(),
      {"DISPLAY=:" + std::to_string(ecran), "PATH=/usr/bin:/bin",
       "SHELL=" + (bin / "poisson").string(), "RELANCE_ARGUMENTS=" + fichier("arguments.txt"),
       "RELANCE_SOMMEIL=10", "VALLORIM_SANS_XTERM"});

  const auto limite = Horloge::now() + 15s;
  while (recu().size() < 3 && Horloge::now() < limite) std::this_thread::sleep_for(50ms);
  EXPECT_EQ(recu(), (Lignes{dossier_programme(), "./programme_relance", "Ma table.tbl"}));
  EXPECT_FALSE(fs::exists(dossier / "plante.txt"));
  EXPECT_FALSE(fs::exists(dossier / "poisson.txt"));  // the user's shell never read the line
}

TEST_F(Relance, WhenXtermCannotOpenItsDisplayTheProgramGoesOnWhereItIs) {
  if (!fs::exists("/usr/bin/xterm")) GTEST_SKIP() << "the real xterm is needed for this test";
  fs::remove(bin / "xterm");
  fs::create_symlink("/usr/bin/xterm", bin / "xterm");
  const Execution e = programme({"a b", "c"}, false, {"DISPLAY=:1999"});  // no such display
  EXPECT_EQ(e.statut, 0);
  EXPECT_EQ(e.sortie, AVIS_SANS_XTERM + banniere());
  EXPECT_EQ(lignes_de(dossier / "xdg-open.txt").size(), 1u);
  EXPECT_EQ(recu(),
            (Lignes{dossier.string(), dossier_programme() + "/programme_relance", "a b", "c"}));
}

}  // namespace

#endif
