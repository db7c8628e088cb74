// chaines.cpp -- string search, marker deletion and line ends (chaines.h).
#include "outils/chaines.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "outils/erreurs.h"

// Stops the program when a line holds more occurrences than the caller's
// array can take: the message, two keys, exit status 1.
[[noreturn]] static void depassement_index() {
  std::puts("\nDepassement de capacite du tableau d'index dans index_ch.\n");
  DPause();
  std::exit(1);
}

// Stores in `positions` the offset of every occurrence of `motif` in
// `chaine`, overlaps included, and returns how many there are.
// "aaaa" with "aa" gives 0, 1, 2. An empty pattern occurs at every offset
// and then again and again at the end, so it always ends in the capacity
// failure. Only the first TAILLE_INDEX_CH - 1 bytes of `chaine` are searched.
int index_ch(char *chaine, const char *motif, int *positions) {
  char travail[TAILLE_INDEX_CH];  // the searched copy; the line is left alone
  std::snprintf(travail, sizeof travail, "%s", chaine);
  const char *reste = travail;  // the tail of the copy still to search
  int nombre = 0;
  while (const char *trouve = std::strstr(reste, motif)) {
    positions[nombre] = static_cast<int>(trouve - travail);
    reste = (*trouve != '\0') ? trouve + 1 : trouve;  // search again one further on
    if (++nombre > MAX_OCCURRENCES) depassement_index();
  }
  return nombre;
}

// Offset of the first occurrence of `motif` in `chaine`; -1 when there is none.
int index_ch_first(char *chaine, const char *motif) {
  int positions[MAX_OCCURRENCES + 1];
  return index_ch(chaine, motif, positions) > 0 ? positions[0] : -1;
}

// Offset of the last occurrence of `motif` in `chaine`; -1 when there is none.
// "aaa" with "aa" gives 1.
int index_ch_last(char *chaine, const char *motif) {
  int positions[MAX_OCCURRENCES + 1];
  const int nombre = index_ch(chaine, motif, positions);
  return nombre > 0 ? positions[nombre - 1] : -1;
}

// Keeps only what follows the first `marqueur` in `chaine`, in place.
// No marker: the line is left as it is. "Nom: Arwen" with ": " -> "Arwen".
void Efface_char(char *chaine, const char *marqueur) {
  const char *trouve = std::strstr(chaine, marqueur);
  if (trouve == nullptr) return;
  const char *suite = trouve + std::strlen(marqueur);
  std::memmove(chaine, suite, std::strlen(suite) + 1);
}

// Cuts the line end (LF or CR LF) off a line read from a file. Only the last
// five characters are looked at: "ab\ncd" becomes "ab", "a\nbcdefg" stays.
void Efface_n(char *chaine) {
  const std::size_t longueur = std::strlen(chaine);
  for (std::size_t i = longueur > 5 ? longueur - 5 : 0; i < longueur; ++i) {
    if (chaine[i] == '\n' || chaine[i] == '\r') {
      chaine[i] = '\0';
      return;
    }
  }
}

// Writes `valeur` in decimal into `sortie` (TAILLE_INTTOCHAR bytes), cut at
// that bound: -42 gives "-42", the most negative int loses its last digit.
char *inttochar(int valeur, char *sortie) {
  std::snprintf(sortie, TAILLE_INTTOCHAR, "%d", valeur);
  return sortie;
}

// Turns the suite's backslash paths into Linux paths, in place:
// "Tables\Noms\elfes.nam" -> "Tables/Noms/elfes.nam". Windows keeps them.
void changeslash(char *chemin) {
#ifndef _WIN32
  for (char *c = chemin; *c != '\0'; ++c)
    if (*c == '\\') *c = '/';
#else
  (void)chemin;
#endif
}
