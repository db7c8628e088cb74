// The input history: storing lines and moving through the ten slots.
#include "outils/historique.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lignes = std::vector<std::string>;

// A fresh history holding `lignes`, stored in order.
void historique_de(const Lignes &lignes) {
  init_historique_saisie();
  for (const std::string &ligne : lignes) ajout_historique(ligne.c_str());
}

// The lines that the steps bring back, one call each.
Lignes parcours(const std::vector<int> &pas) {
  Lignes lignes;
  for (const int p : pas) lignes.emplace_back(parcours_historique(p));
  return lignes;
}

const Lignes DIX = {"l1", "l2", "l3", "l4", "l5", "l6", "l7", "l8", "l9", "l10"};

}  // namespace

TEST(InitHistoriqueSaisie, EmptiesEverySlot) {
  historique_de({"a", "b", "c"});
  parcours_historique(-1);
  init_historique_saisie();
  EXPECT_EQ(historique.prochain, 0);
  EXPECT_EQ(historique.courant, 0);
  for (const auto &ligne : historique.lignes) EXPECT_EQ(ligne[0], '\0');
}

TEST(AjoutHistorique, StoresInTheNextSlotAndResetsTheBrowsing) {
  historique_de({"11", "22"});
  parcours_historique(-1);
  ajout_historique(std::string(300, 'x').c_str());
  EXPECT_STREQ(historique.lignes[1], "22");
  EXPECT_EQ(historique.lignes[2], std::string(254, 'x'));  // cut to fit its slot
  EXPECT_EQ(historique.lignes[3][0], '\0');
  EXPECT_EQ(historique.prochain, 3);
  EXPECT_EQ(historique.courant, 3);
}

TEST(AjoutHistorique, TheEleventhLineOverwritesSlotZero) {
  historique_de(DIX);
  EXPECT_EQ(historique.prochain, 0);
  ajout_historique("l11");
  EXPECT_STREQ(historique.lignes[0], "l11");
  EXPECT_STREQ(historique.lignes[1], "l2");
  EXPECT_EQ(historique.courant, 1);
}

TEST(ParcoursHistorique, EmptyHistoryGivesEmptyLinesForEveryStep) {
  historique_de({});
  EXPECT_EQ(parcours({-1, 1, -9, 9, 1, 1, -1}), Lignes(7, ""));
}

TEST(ParcoursHistorique, WalksBySlotNumberWithoutWrapping) {
  historique_de({"11", "22", "33"});
  EXPECT_EQ(parcours({-1, -1, -1, -1, 1, 9}), (Lignes{"33", "22", "11", "11", "22", "33"}));
  EXPECT_EQ(historique.courant, 2);
  // Down from the highest line turns back from slot 9 down to it.
  EXPECT_EQ(parcours({1, -9, 1}), (Lignes{"33", "11", "22"}));
  EXPECT_EQ(parcours_historique(-1), historique.lignes[0]);  // the slot itself
}

TEST(ParcoursHistorique, SkipsEmptyLinesButStopsOnSlotZero) {
  historique_de({"11", "", "33"});
  EXPECT_EQ(parcours({-1, -1, -1, 1}), (Lignes{"33", "11", "11", "33"}));
  historique_de({"", "22"});
  EXPECT_EQ(parcours({-1, -1, 1, -9}), (Lignes{"22", "", "22", ""}));
}

TEST(ParcoursHistorique, AfterSlotNineIsFilled) {
  historique_de(DIX);
  EXPECT_EQ(parcours({-1, 9, -1, 1, 1}), (Lignes{"l1", "l10", "l9", "l10", "l10"}));
}

TEST(ParcoursHistorique, SearchesTheWholeRangeForALoneLine) {
  historique_de({"seule"});  // from slot 1 up to slot 9, then down to slot 0
  historique.courant = 0;
  EXPECT_EQ(parcours({1}), (Lignes{"seule"}));
  init_historique_saisie();
  historique.prochain = 9;
  ajout_historique("neuf");
  EXPECT_EQ(parcours({-1, 1, -9, 9}), (Lignes{"", "neuf", "", "neuf"}));
}
