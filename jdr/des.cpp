// des.cpp -- dice expressions and random entries of numbered files (des.h).
#include "jdr/des.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "jdr/alea.h"
#include "outils/accents.h"
#include "outils/entier.h"
#include "outils/erreurs.h"
#include "outils/fichiers.h"
#include "outils/saisie.h"

namespace {

// A line of a numbered file: 254 bytes and the NUL.
constexpr int TAILLE_LIGNE_FICHIER = 255;
// The most entries a dice table may have: entry 0 and MAX_DES dice.
constexpr long long MAX_ENTREES = static_cast<long long>(MAX_DES) + 1;
// Numbers of a dice expression saturate here: far beyond any table memory
// can hold, and small enough that the sum of a whole expression's counts
// cannot overflow.
constexpr long long PLAFOND = 1LL << 40;

// The decimal digits at `p` as a number (0 when there are none, PLAFOND at
// most), `p` moved past them.
long long lit_compte(const char *&p) {
  long long valeur = 0;
  for (; est_chiffre(*p); ++p) valeur = std::min(PLAFOND, valeur * 10 + (*p - '0'));
  return valeur;
}

// Grows `table` until it holds `besoin` entries, PAS_TABLE_DES entries at a
// time, in one reallocation; the new entries are zero. A table that cannot
// be had (more than MAX_ENTREES, or refused by the system) ends the program
// through Erreur(1), as every failed allocation does.
void agrandit(int *&table, long long &capacite, long long besoin) {
  if (besoin > MAX_ENTREES) {
    errno = ENOMEM;  // for the description that Erreur prints
    ER = nullptr;
    Erreur(1);
  }
  if (besoin <= capacite) return;
  const long long nouvelle = (besoin + PAS_TABLE_DES - 1) / PAS_TABLE_DES * PAS_TABLE_DES;
  void *bloc = std::realloc(table, static_cast<std::size_t>(nouvelle) * sizeof(int));
  ER = bloc;
  Erreur(1);
  table = static_cast<int *>(bloc);
  std::fill(table + capacite, table + nouvelle, 0);
  capacite = nouvelle;
}

// Prints the entry numbered `numero` of the file, whose first line has been
// read: the text after its header's number and separator, then its lines up
// to the next header or the end of the file, each converted for the console,
// then an empty line. No such header: nothing is printed.
void affiche_entree(FILE *fichier, int numero) {
  char ligne[TAILLE_LIGNE_FICHIER];
  while (std::fgets(ligne, sizeof ligne, fichier) != nullptr) {
    if (ligne[0] != '#' || entier_de(ligne + 1) != numero) continue;
    const char *texte = ligne + 1;
    while (est_chiffre(*texte)) ++texte;
    if (*texte != '\0') ++texte;  // the separator
    while (texte[0] != '#') {
      std::printf("%s", acc(texte, chfunc));  // chfunc: twice the line at most
      if (std::fgets(ligne, sizeof ligne, fichier) == nullptr) break;
      texte = ligne;
    }
    std::puts("");
    return;
  }
}

}  // namespace

// The dice that `expression` names: entry 0 holds their number N, entries 1
// to N their faces in the order written; a heap table the caller frees.
// "3d6+2d8" gives 5, 6, 6, 6, 8, 8. Groups are a count, 'd' and the faces,
// and anything that is not a digit separates them: a constant ("+2"), a group
// without a count ("d6") or with 'D' adds no die. An expression beginning
// with '0' is typed at the keyboard instead (q or Q there ends the program).
// More than MAX_DES dice end the program as a failed allocation (Erreur(1)).
// `texte` (TAILLE_TEXTE_DES bytes) receives the expression used, cut at 254
// characters like the expression itself.
int *interpret_des(const char *expression, char *texte) {
  char reste[TAILLE_TEXTE_DES];  // the private copy: 254 characters and the NUL
  std::snprintf(reste, sizeof reste, "%s", expression);
  if (reste[0] == '0') std::snprintf(reste, sizeof reste, "%s", nomajloc_des(texte, 1));

  auto *table = static_cast<int *>(std::calloc(PAS_TABLE_DES, sizeof(int)));
  ER = table;
  Erreur(1);
  long long capacite = PAS_TABLE_DES;
  std::snprintf(texte, TAILLE_TEXTE_DES, "%s", reste);

  long long suivant = 1;  // the first free entry
  for (const char *p = reste; *p != '\0';) {
    const long long nombre = lit_compte(p);
    if (*p == 'd' && est_chiffre(p[1])) {
      ++p;
      const int faces = static_cast<int>(std::min<long long>(lit_compte(p), INT_MAX));
      suivant += nombre;
      agrandit(table, capacite, suivant);
      std::fill(table + (suivant - nombre), table + suivant, faces);
    }
    while (*p != '\0' && !est_chiffre(*p)) ++p;
  }
  table[0] = static_cast<int>(suivant - 1);
  return table;
}

// Prints one entry drawn at random from the numbered file `chemin`, then an
// empty line. Line 1 is one ignored character and the number of entries K;
// an entry is found by its header "#n" followed by one separator, the first
// header numbered n being used. The generator is reseeded on every call,
// and n is drawn for any K: a K of 0 or -1 draws 1 (NbAlea1b). A drawn
// number that no header carries, or an empty file: nothing printed.
// A file that cannot be opened ends the program (ouvre_fichier).
void Ph_jdr(const char *chemin) {
  Init_srand();
  FILE *fichier = ouvre_fichier(chemin, "r");
  char ligne[TAILLE_LIGNE_FICHIER];
  if (std::fgets(ligne, sizeof ligne, fichier) != nullptr) {
    const int nombre = entier_de(ligne + 1);  // fgets read one character at least
    affiche_entree(fichier, NbAlea1b(nombre));
  }
  std::fclose(fichier);
}
