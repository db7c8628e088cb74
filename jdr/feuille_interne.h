// feuille_interne.h -- what the reader, the keyboard entry and the display
// of character records share: bounded copies into the record's fields, the
// decimal numbers of a sheet, the attack bonuses, and the entry of a list
// ended by fin. Not part of the library's interface: jdr.h leaves it out.
// Answers come from standard input; prompts and notices go to standard output.
#ifndef JDR_FEUILLE_INTERNE_H
#define JDR_FEUILLE_INTERNE_H

#include <cstddef>
#include <cstdio>

#include "jdr/feuille.h"
#include "outils/entier.h"  // entier_de reads the numbers of a sheet

// An answer typed for the record: 254 characters and the NUL.
constexpr int TAILLE_REPONSE = 255;

// Copies `source` into a field of `taille` bytes, cut to fit: a field is
// always terminated, whatever the length of what is put in it.
void copie_bornee(char *champ, std::size_t taille, const char *source);

template <std::size_t M>
void copie_champ(char (&champ)[M], const char *source) {
  copie_bornee(champ, M, source);
}

// Fills the attack block from `texte`, which starts with the first bonus
// without its '+': attaques[0] is the number of '\' in the text (held to the
// 48 further bonuses the block has room for), attaques[1] the number at its
// start, each next element the number after the next '+'.
// "6\+1" gives 1, 6 and 1. The text is cut in place as it is read.
void lit_bonus_attaques(char *texte, int (&attaques)[NOMBRE_ATTAQUES]);

// Reads one answer line into `reponse` (`taille` bytes, the rest of a longer
// line thrown away). False at the end of standard input, where no answer
// can come any more: the buffer is then empty.
bool lit_reponse(char *reponse, int taille);

// Whether the answer ends a list: "fin", "Fin" or "FIN", whole and with case.
bool est_fin(const char *reponse);

// Tells the user that a list is full with `places` entries and ends by itself.
void annonce_liste_pleine(int places);

// Fills `liste` with one answer per line, each cut to its slot, until an
// answer that ends lists or the end of input; after entry i is stored,
// apres(i) runs (the skills read their bonus there), then "?: " asks for the
// next one. When the last slot before the end marker is filled, the list ends
// by itself with a notice. The end marker follows the last entry; returns
// the number of entries.
template <std::size_t N, std::size_t M, typename Apres>
int saisie_liste(char (&liste)[N][M], Apres apres) {
  static_assert(N >= 2, "a list needs a slot for its end marker");
  char reponse[TAILLE_REPONSE];
  std::size_t nombre = 0;
  while (lit_reponse(reponse, sizeof reponse) && !est_fin(reponse)) {
    copie_champ(liste[nombre], reponse);
    apres(static_cast<int>(nombre));
    if (++nombre == N - 1) {
      annonce_liste_pleine(static_cast<int>(N - 1));
      break;
    }
    std::fputs("?: ", stdout);
  }
  copie_champ(liste[nombre], FIN_DE_LISTE);
  return static_cast<int>(nombre);
}

template <std::size_t N, std::size_t M>
int saisie_liste(char (&liste)[N][M]) {
  return saisie_liste(liste, [](int) {});
}

#endif
