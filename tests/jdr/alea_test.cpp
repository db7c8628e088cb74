// Seeding the generator and the ranged draws.
#include "jdr/alea.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>
#include <vector>

#include "outils/erreurs.h"

namespace {

constexpr unsigned GRAINE = 20240611;

// The next `nombre` values of rand() after srand(graine).
std::vector<int> tirages_bruts(unsigned graine, int nombre) {
  std::srand(graine);
  std::vector<int> valeurs(nombre);
  for (int &v : valeurs) v = std::rand();
  return valeurs;
}

// The draw in bas to haut that the raw value r gives, in whole numbers.
int attendu(int r, int bas, int haut) {
  return bas + static_cast<int>(r * (haut - bas + 1LL) / (RAND_MAX + 1LL));
}

}  // namespace

TEST(Alea, RandMaxIsThePlatformsOwn) {
#ifdef _WIN32
  EXPECT_EQ(RAND_MAX, 32767);
#else
  EXPECT_EQ(RAND_MAX, 2147483647);
#endif
}

// Exact in floating point too: RAND_MAX + 1 is a power of two and the
// products stay below 2^53. The last two ranges have low above high.
TEST(Alea, SingleDrawsAreTheWholeQuotientOfOneRawDraw) {
  for (const auto &[bas, haut] : {std::pair{1, 1},
                                  {1, 6},
                                  {1, 1000000},
                                  {3, 3},
                                  {-2, 2},
                                  {-100, -90},
                                  {0, 999999},
                                  {5, 4},
                                  {5, 2}}) {
    const std::vector<int> bruts = tirages_bruts(GRAINE, 300);
    std::srand(GRAINE);
    for (const int r : bruts) {
      const int tire = bas == 1 ? NbAlea1bf(haut) : NbAlea2bf(bas, haut);
      ASSERT_EQ(tire, attendu(r, bas, haut)) << bas << ".." << haut << " r=" << r;
    }
  }
}

TEST(Alea, DrawsStayInRangeAndReachEveryValue) {
  std::srand(GRAINE);
  std::set<int> des, centres;
  for (int i = 0; i < 3000; ++i) {
    des.insert(i % 2 ? NbAlea1bf(6) : NbAlea1b(6));
    centres.insert(i % 2 ? NbAlea2bf(-2, 2) : NbAlea2b(-2, 2));
    ASSERT_EQ(NbAlea1bf(1), 1);
    ASSERT_EQ(NbAlea1bf(0), 1);
    ASSERT_EQ(NbAlea2bf(3, 3), 3);
    ASSERT_EQ(NbAlea2bf(5, 4), 5);
  }
  EXPECT_EQ(des, (std::set<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(centres, (std::set<int>{-2, -1, 0, 1, 2}));
}

TEST(Alea, DoubleDrawsReturnTheSecondOfTwo) {
  std::srand(GRAINE);
  const std::vector<int> simples = {NbAlea1bf(6),       NbAlea1bf(6),       NbAlea1bf(6),
                                    NbAlea2bf(-50, 50), NbAlea2bf(-50, 50), NbAlea2bf(-50, 50)};
  std::srand(GRAINE);
  EXPECT_EQ(NbAlea1b(6), simples[1]);
  EXPECT_EQ(NbAlea1bf(6), simples[2]);  // the generator moved on by two exactly
  EXPECT_EQ(NbAlea2b(-50, 50), simples[4]);
  EXPECT_EQ(NbAlea2bf(-50, 50), simples[5]);
}

TEST(InitSrand, SeedsWithTheSecondPlusItsMicroseconds) {
  // The seed lies between two clock readings taken around the call, give or
  // take a microsecond for the rounding of the fraction; time() may still
  // show the second before, its clock being coarser. A pair of readings that
  // spans a change of second is taken again.
  for (int essai = 0; essai < 5; ++essai) {
    const double avant = GetClock();
    Init_srand();
    const std::vector<int> tires = {std::rand(), std::rand(), std::rand()};
    const double apres = GetClock();
    const auto seconde = static_cast<long long>(avant);
    if (static_cast<long long>(apres) != seconde) continue;
    const auto debut = static_cast<long long>((avant - seconde) * 1e6) - 1;
    const auto fin = static_cast<long long>((apres - seconde) * 1e6) + 1;
    bool trouve = false;
    for (long long s = seconde - 1; s <= seconde; ++s)
      for (long long micro = debut; micro <= fin; ++micro)
        trouve = trouve || tirages_bruts(static_cast<unsigned>(s + micro), 3) == tires;
    EXPECT_TRUE(trouve) << "no seed in " << seconde << " + " << debut << ".." << fin;
    return;
  }
  GTEST_SKIP() << "every pair of clock readings spanned a change of second";
}

TEST(InitSrand, GivesAnotherSequenceLater) {
  Init_srand();
  const std::vector<int> premiers = {std::rand(), std::rand(), std::rand(), std::rand()};
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  Init_srand();
  const std::vector<int> suivants = {std::rand(), std::rand(), std::rand(), std::rand()};
  EXPECT_NE(premiers, suivants);
}
