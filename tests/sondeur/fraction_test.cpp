// fraction_test.cpp -- exact chances: products reduced at every step, and
// exact past 64 bits, where dice are large and deep.
#include "sondeur/fraction.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(Fraction, ProductsAreReducedAndExactPast64Bits) {
  struct Cas {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> facteurs;
    std::string attendu;
  };
  const std::vector<Cas> cas = {
      {{}, "1/1"},
      {{{1, 6}, {1, 2}}, "1/12"},
      {{{2, 6}}, "1/3"},
      {{{3, 4}, {2, 9}}, "1/6"},
      {{{6, 6}}, "1/1"},
      {{{1, 6}, {0, 2}}, "0/1"},
      {{{0, 2}, {1, 6}}, "0/1"},
      // (1/2147483647)^3: 2147483647^3 = 9903520300447984150353281023
      {{{1, 2147483647}, {1, 2147483647}, {1, 2147483647}}, "1/9903520300447984150353281023"},
      // then times 2147483646/2147483647 and 3/4: 3 * 1073741823 / (2 * 2147483647^4)
      {{{1, 2147483647}, {1, 2147483647}, {1, 2147483647}, {2147483646, 2147483647}, {3, 4}},
       "3221225469/42535295785889145473997720539375861762"},
  };
  for (const Cas &c : cas) {
    Fraction f;
    for (const auto &[compte, taille] : c.facteurs) f.multiplie(compte, taille);
    EXPECT_EQ(f.texte(), c.attendu);
  }
  Fraction tiers;
  tiers.multiplie(1, 3);
  EXPECT_DOUBLE_EQ(tiers.valeur(), 1.0 / 3.0);
}
