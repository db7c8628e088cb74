// Raw keys, lines of any length, lines into fixed buffers, and throwing away
// the rest of a line.
#include "outils/clavier.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include <malloc.h>  // _msize, malloc_usable_size
#ifndef _WIN32
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#endif

#include "tests/support/support.h"

namespace {

// The exact size of a heap block where the allocator keeps it: the Windows
// run-time and AddressSanitizer do; plain glibc rounds it up.
std::optional<std::size_t> taille_exacte(void *bloc) {
#if defined(_WIN32)
  return _msize(bloc);
#elif defined(__SANITIZE_ADDRESS__)
  return malloc_usable_size(bloc);
#else
  (void)bloc;
  return std::nullopt;
#endif
}

// getsdyn on standard input holding `entree`. The last byte of a block of
// `bloc_attendu` bytes is written, which AddressSanitizer refuses in a
// smaller block; where the size is known it must be exactly that.
std::string lit_dyn(const std::string &entree, char fin, std::size_t bloc_attendu = 200) {
  entree_depuis(entree);
  char *bloc = getsdyn(nullptr, stdin, fin);
  std::string texte = bloc;
  if (const auto taille = taille_exacte(bloc)) {
    EXPECT_EQ(*taille, bloc_attendu) << texte.size() << " characters";
  }
  bloc[bloc_attendu - 1] = '\0';
  std::free(bloc);
  return texte;
}

// What standard input still holds.
std::string reste_de_l_entree() {
  std::string reste;
  for (int c = std::getchar(); c != EOF; c = std::getchar()) reste += static_cast<char>(c);
  return reste;
}

}  // namespace

TEST(Getsdyn, BlockIsOneHundredBytesLargerThanTheLastCapacity) {
  for (const auto &[longueur, bloc] : {std::pair<std::size_t, std::size_t>{0, 200},
                                       {100, 200},
                                       {101, 300},
                                       {200, 300},
                                       {201, 400},
                                       {1000, 1100}}) {
    std::string texte(longueur, ' ');
    for (std::size_t i = 0; i < longueur; ++i) texte[i] = static_cast<char>('a' + i % 26);
    EXPECT_EQ(lit_dyn(texte + "\nsuite", 0, bloc), texte);
    EXPECT_EQ(reste_de_l_entree(), "suite");
  }
}

TEST(Getsdyn, DropsOnlyTheLineFeedJustBeforeTheEndCharacter) {
  EXPECT_EQ(lit_dyn("abc\ndef", 0), "abc");
  EXPECT_EQ(reste_de_l_entree(), "def");
  EXPECT_EQ(lit_dyn("abc\ndef", '\n'), "abc");
  EXPECT_EQ(lit_dyn("abc\n;reste", ';'), "abc");
  EXPECT_EQ(reste_de_l_entree(), "reste");
  EXPECT_EQ(lit_dyn("a\nb;", ';'), "a\nb");
  EXPECT_EQ(lit_dyn("a\n\n;", ';'), "a\n");
  EXPECT_EQ(lit_dyn(";", ';'), "");
}

TEST(Getsdyn, StopsAtTheEndOfInputButNotAtByteFF) {
  EXPECT_EQ(lit_dyn("", 0), "");
  EXPECT_EQ(lit_dyn("sans fin", 0), "sans fin");
  EXPECT_EQ(lit_dyn("abc\n", ';'), "abc");  // the end character never comes
  EXPECT_EQ(lit_dyn("a\xFF"
                    "b;c",
                    ';'),
            "a\xFF"
            "b");
  EXPECT_EQ(lit_dyn("ab\xFF"
                    "cd",
                    '\xFF'),
            "ab");
  EXPECT_EQ(reste_de_l_entree(), "cd");
  EXPECT_EQ(lit_dyn("ab", '\xFF'), "ab");
}

TEST(TabchDyn, FillsItsSlotFromTheGivenStream) {
  entree_depuis("clavier\n");
  std::FILE *flux = std::fopen(ecrit_fichier("flux.txt", "nom;race;").c_str(), "rb");
  ASSERT_NE(flux, nullptr);
  char autre[] = "autre";
  char *table[3] = {autre, autre, autre};
  EXPECT_EQ(tabch_dyn(table, 1, flux, ';'), table[1]);
  EXPECT_STREQ(table[1], "nom");
  EXPECT_EQ(table[0], autre);
  EXPECT_EQ(table[2], autre);
  std::free(table[1]);
  EXPECT_EQ(std::fgetc(flux), 'r');
  std::fclose(flux);
  EXPECT_EQ(reste_de_l_entree(), "clavier\n");
}

TEST(Getsfix, KeepsAtMostSizeMinusOneAndDropsTheRestOfTheLine) {
  for (const auto &[ligne, garde] : {std::pair<std::string, std::string>{"court\n", "court"},
                                     {"012345678\n", "012345678"},  // line feed left to the purge
                                     {"0123456789ABC\n", "012345678"}}) {
    entree_depuis(ligne + "suite\n");
    auto buffer = std::make_unique<char[]>(10);  // a write past ten bytes is caught
    EXPECT_EQ(getsfix(buffer.get(), 10), buffer.get());
    EXPECT_EQ(buffer.get(), garde);
    EXPECT_EQ(reste_de_l_entree(), "suite\n") << ligne;
  }
}

TEST(Getsfix, EndOfInput) {
  char buffer[10] = "garde";
  entree_depuis("fin");
  EXPECT_STREQ(getsfix(buffer, sizeof buffer), "fin");
  entree_depuis("");
  EXPECT_STREQ(getsfix(buffer, sizeof buffer), "fin");  // nothing read: kept
}

TEST(Getsfix, TinySizes) {
  entree_depuis("abc\nsuite\n");
  char buffer[4] = "xyz";
  getsfix(buffer, 0);
  getsfix(buffer, -5);
  EXPECT_EQ(std::memcmp(buffer, "xyz", 4), 0);  // neither written nor read
  getsfix(buffer, 1);
  EXPECT_EQ(std::memcmp(buffer, "\0yz", 4), 0);
  EXPECT_EQ(reste_de_l_entree(), "suite\n");
}

TEST(Fclean, CutsAtTheFirstLineFeedWithoutReading) {
  entree_depuis("reste\nsuite");
  char ligne[] = "abc\ndef\n";
  EXPECT_EQ(fclean(ligne, stdin), 0);
  EXPECT_EQ(std::memcmp(ligne, "abc\0def\n", sizeof ligne), 0);
  char sans_fin[] = "abc";
  EXPECT_EQ(fclean(sans_fin, stdin), 0);  // no line feed: the line's rest goes
  EXPECT_STREQ(sans_fin, "abc");
  EXPECT_EQ(fclean(sans_fin, stdin), -1);
}

TEST(Fpurge, ConsumesTheLineFeedAndNoMore) {
  entree_depuis(
      "a\xFF"
      "b\n\nsuite");
  EXPECT_EQ(fpurge(stdin), 0);
  EXPECT_EQ(fpurge(stdin), 0);
  EXPECT_EQ(reste_de_l_entree(), "suite");
}

TEST(Fpurge, ReturnsMinusOneAtTheEndOfInput) {
  entree_depuis("pas de fin de ligne");
  EXPECT_EQ(fpurge(stdin), -1);
  EXPECT_EQ(fpurge(stdin), -1);  // already at the end
}

#ifdef _WIN32

TEST(Getch, IsTheConsoleRunTimesOnWindows) {
  GTEST_SKIP() << "the Windows build reads keys with the console run-time's _getch";
}

#else

TEST(Getch, OnAPipeReturnsEachByteThenMinusOne) {
  int tube[2];
  ASSERT_EQ(pipe(tube), 0);
  const std::string octets = "a\r\x7f\xFF\x1B[A";
  ASSERT_EQ(write(tube[1], octets.data(), octets.size()), static_cast<ssize_t>(octets.size()));
  close(tube[1]);
  entree_depuis("");  // standard input with an empty buffer, then on the pipe
  dup2(tube[0], 0);
  close(tube[0]);
  for (const int attendu : {int{'a'}, 13, 127, 255, 27, int{'['}, int{'A'}, -1, -1})
    EXPECT_EQ(getch(), attendu);
}

namespace {

// Run in a process of its own, since getch captures the terminal once per
// process: makes a pseudo-terminal standard input, types Enter then
// Backspace, each once getch has made it raw (typed in cooked mode they
// would be translated on arrival), and reports on the error stream the two
// keys, the bytes echoed and whether the settings came back. A terminal that
// stays cooked for two seconds is hung up, and getch ends with -1.
[[noreturn]] void deux_touches_sur_terminal() {
  const int maitre = posix_openpt(O_RDWR | O_NOCTTY);
  grantpt(maitre);
  unlockpt(maitre);
  const int esclave = open(ptsname(maitre), O_RDWR | O_NOCTTY);
  dup2(esclave, 0);
  termios avant{}, apres{};
  tcgetattr(0, &avant);
  std::atomic<bool> premiere_lue = false;
  std::thread clavier([&] {
    const auto tape_en_brut = [&](const char *touche) {
      for (int attente = 0; attente < 2000; ++attente, usleep(1000)) {
        tcgetattr(esclave, &apres);
        if (!(apres.c_lflag & ICANON)) return write(maitre, touche, 1) == 1;
      }
      close(maitre);
      return false;
    };
    if (!tape_en_brut("\r")) return;
    while (!premiere_lue) usleep(1000);
    tape_en_brut("\x7f");
  });
  const int entree = getch();
  premiere_lue = true;
  const int effacement = getch();
  clavier.join();
  tcgetattr(0, &apres);
  const bool rendus = apres.c_lflag == avant.c_lflag && apres.c_iflag == avant.c_iflag &&
                      apres.c_oflag == avant.c_oflag &&
                      std::memcmp(apres.c_cc, avant.c_cc, sizeof avant.c_cc) == 0;
  fcntl(maitre, F_SETFL, O_NONBLOCK);
  char echo[16];
  const ssize_t echos = read(maitre, echo, sizeof echo);
  std::fprintf(stderr, "touches %d %d, echo %d, reglages %s\n", entree, effacement,
               echos > 0 ? static_cast<int>(echos) : 0, rendus ? "rendus" : "perdus");
  std::_Exit(0);
}

}  // namespace

TEST(GetchDeathTest, OnATerminalReadsRawKeysAndRestoresTheSettings) {
  const int essai = posix_openpt(O_RDWR | O_NOCTTY);
  if (essai < 0) GTEST_SKIP() << "no pseudo-terminal on this machine";
  close(essai);
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: getch not yet set up
  EXPECT_EXIT(deux_touches_sur_terminal(), testing::ExitedWithCode(0),
              "touches 13 127, echo 0, reglages rendus");
}

#endif
