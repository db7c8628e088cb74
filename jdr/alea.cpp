// alea.cpp -- seeding and ranged draws (alea.h).
#include "jdr/alea.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

#include "outils/erreurs.h"

namespace {
// rand()'s range: RAND_MAX + 1, a power of two, so the divisions are exact.
constexpr double ETENDUE = static_cast<double>(RAND_MAX) + 1.0;
}  // namespace

// Seeds the generator with the current second plus its microseconds.
void Init_srand() {
  const double horloge = GetClock();
  const double fraction = horloge - std::trunc(horloge);
  const auto graine = static_cast<long long>(std::time(nullptr)) +
                      static_cast<long long>(std::trunc(fraction * 1000000.0));
  std::srand(static_cast<unsigned>(graine));
}

// One draw in 1 to n (1 when n is 0).
int NbAlea1bf(int n) {
  return static_cast<int>(std::trunc(std::rand() * static_cast<double>(n) / ETENDUE)) + 1;
}

// A draw in 1 to n: the second of two, the first thrown away.
int NbAlea1b(int n) {
  NbAlea1bf(n);
  return NbAlea1bf(n);
}

// One draw in bas to haut.
int NbAlea2bf(int bas, int haut) {
  const double largeur = static_cast<double>(haut) - bas + 1.0;
  return bas + static_cast<int>(std::trunc(std::rand() * largeur / ETENDUE));
}

// A draw in bas to haut: the second of two, the first thrown away.
int NbAlea2b(int bas, int haut) {
  NbAlea2bf(bas, haut);
  return NbAlea2bf(bas, haut);
}
