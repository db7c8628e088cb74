// Accented text for the consoles and back.
#include "outils/accents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/support.h"

namespace {
std::string par(char *(*conversion)(const char *, char *), const std::string &texte) {
  char dest[64];
  std::memset(dest, 'Z', sizeof dest);
  dest[sizeof dest - 1] = '\0';
  return conversion(texte.c_str(), dest);
}
}  // namespace

TEST(LinuxAcc, WritesSourceLettersInUtf8AndLeavesTheRest) {
  EXPECT_EQ(par(linux_acc, "\xE9"), "\xC3\xA9");
  EXPECT_EQ(par(linux_acc, "\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");  // already UTF-8
  EXPECT_EQ(par(linux_acc, "\xC9"), "\xC9");                            // capitals stay
  EXPECT_EQ(par(linux_acc, "a\xC3"), "a\xC3");                          // a final 0xC3
  EXPECT_EQ(par(linux_acc, "\xFF\xE0z"), "\xC3\xBF\xC3\xA0z");
}

TEST(LinuxAcc, ChfuncNeverOverflowsAndNoLetterIsCutInTwo) {
  const std::string long_texte(3000, '\xE9');  // 6000 bytes once converted
  linux_acc(long_texte.c_str(), chfunc);
  EXPECT_EQ(std::strlen(chfunc), 4094u);
  EXPECT_EQ(static_cast<unsigned char>(chfunc[4093]), 0xA9);
}

TEST(Putsacc, PrintsTheConvertedMessageWithoutALineFeed) {
  const std::string attendu =
#ifdef _WIN32
      "Erreur \x85 la ligne";
#else
      "Erreur \xC3\xA0 la ligne";
#endif
  EXPECT_EQ(sortie_de([] { putsacc("Erreur à la ligne"); }), attendu);
}

TEST(Putsacc, CutsAMessageAt511Bytes) {
  const std::string message(700, 'x');
  EXPECT_EQ(sortie_de([&] { putsacc(message.c_str()); }), std::string(511, 'x'));
}

TEST(LinuxUtfToIso, FoldsTwoByteLettersBack) {
#ifdef _WIN32
  EXPECT_EQ(par(linux_utf_to_iso, "\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
#else
  EXPECT_EQ(par(linux_utf_to_iso, "\xC3\xA9t\xC3\xA9 \xC2\xA7 \xC3"), "\xE9t\xE9 \xA7 \xC3");
#endif
}

TEST(ExpIconv, ReturnsItsFourthArgument) {
  char resultat[4] = "abc";
  EXPECT_EQ(exp_iconv("UTF-8", "ISO-8859-1", "x", resultat), resultat);
  EXPECT_STREQ(resultat, "abc");
}

#ifdef _WIN32
TEST(AccWindows, GivesCodePage850FromSourceSetAndUtf8) {
  EXPECT_EQ(par(acc, "\xE9t\xE9"), "\x82t\x82");
  EXPECT_EQ(par(acc, "\xC3\xA9t\xC3\xA9"), "\x82t\x82");
  EXPECT_EQ(par(acc, "\xC9"), "\xC9");      // 'É' is not in the table
  EXPECT_EQ(par(acc, "\xC3\x89"), "\x89");  // UTF-8 'É' lands on 850's 'ë'
  EXPECT_EQ(par(acc, "\xC3x"), "x");        // the 0xC3 is dropped
  EXPECT_EQ(par(acc, "a\xC3"), "a");
  EXPECT_EQ(par(acc, "\xA0"), "\x85");
  EXPECT_EQ(par(acc, "\xA3\xA9"), "\xC6\x82");
}

TEST(AccWindows, ConvertsInPlace) {
  char texte[] = "\xC3\xA9t\xC3\xA9!";
  EXPECT_STREQ(acc(texte, texte), "\x82t\x82!");
}

TEST(InversAccWindows, GivesTheSourceSetFromTheConsoleAndUtf8) {
  EXPECT_EQ(par(invers_acc, "\x82t\x82"), "\xE9t\xE9");
  EXPECT_EQ(par(invers_acc, "\xC3\xA4"), "\xF1");  // UTF-8 'ä' reads as 'ñ'
  EXPECT_EQ(par(invers_acc, "\x84"), "\xE4");
  EXPECT_EQ(par(invers_acc, "\xE4"), "\xF5");
  EXPECT_EQ(par(invers_acc, "\xE9"), "\xE9");
  EXPECT_EQ(par(invers_acc,
                "\xC3\xA7"
                "a"),
            "\xE7"
            "a");
}
#else
TEST(AccLinux, GivesUtf8) {
  EXPECT_EQ(par(acc, "\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(par(acc, "\xC3\xA9"), "\xC3\xA9");
}

TEST(InversAccLinux, LeavesTheDestinationAsItWas) {
  char dest[8] = "avant";
  EXPECT_EQ(invers_acc("\x82", dest), dest);
  EXPECT_STREQ(dest, "avant");
}
#endif
