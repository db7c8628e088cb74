// Pauses, clock and the fatal-error routine.
#include "outils/erreurs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "tests/support/support.h"

TEST(Pause, PrintsDotsAndTakesOneCharacter) {
  entree_depuis("ab");
  int lu = 0;
  EXPECT_EQ(sortie_de([&] { lu = Pause(); }), "...");
  EXPECT_EQ(lu, 'a');
  EXPECT_EQ(std::getchar(), 'b');
}

TEST(Pause, ReturnsEndOfInput) {
  entree_depuis("");
  int lu = 0;
  sortie_de([&] { lu = Pause(); });
  EXPECT_EQ(lu, EOF);
}

TEST(DPause, TakesTwoCharacters) {
  entree_depuis("\nxy");
  EXPECT_EQ(sortie_de([] { DPause(); }), "...");
  EXPECT_EQ(std::getchar(), 'y');
}

TEST(GetClock, TellsTheSecondsSinceTheEpoch) {
  const double avant = static_cast<double>(std::time(nullptr));
  const double horloge = GetClock();
  EXPECT_GE(horloge, avant);
  EXPECT_LT(horloge, avant + 2.0);
}

TEST(Erreur, ReturnsSilentlyAfterASuccessfulAllocation) {
  int bloc = 0;
  ER = &bloc;
  EXPECT_EQ(sortie_de([] { Erreur(1); }), "");
}

TEST(ErreurDeathTest, AFailedAllocationEndsTheProgram) {
  const auto echec = [] {
    ER = nullptr;
    Erreur(1);
  };
  EXPECT_EQ(sortie_finale(echec, "\n\n", 1, "malloc: "),
#ifdef _WIN32
            "\nErreur d'allocation de m\x82moire, la m\x82moire vive est insuffisante.\n...");
#else
            "\nErreur d'allocation de m\xC3\xA9moire, la m\xC3\xA9moire vive est "
            "insuffisante.\n...");
#endif
}

TEST(ErreurDeathTest, KeyboardFailureHasItsOwnMessage) {
  const auto echec = [] {
    ER = nullptr;
    Erreur(2);
  };
  EXPECT_EQ(sortie_finale(echec, "", 1, "gets: "), "\nErreur lors de la saisie au clavier.\n...");
}

TEST(ErreurDeathTest, AnOtherCodePrintsNothingButStillEnds) {
  const auto echec = [] {
    ER = nullptr;
    Erreur(7);
  };
  EXPECT_EQ(sortie_finale(echec, "", 1), "...");
}
