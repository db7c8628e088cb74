// listes.h -- the list fields of a character record as the tests compare
// them.
#ifndef TESTS_JDR_LISTES_H
#define TESTS_JDR_LISTES_H

#include <cstring>
#include <string>
#include <vector>

using Liste = std::vector<std::string>;

// A list's entries up to and including its end marker; a list without one
// gives all its slots, so a missing marker shows in the comparison.
template <std::size_t N, std::size_t M>
Liste entrees(const char (&liste)[N][M]) {
  Liste v;
  for (std::size_t i = 0; i < N; ++i) {
    v.emplace_back(liste[i], strnlen(liste[i], M));
    if (liste[i][0] == '>') break;
  }
  return v;
}

#endif
