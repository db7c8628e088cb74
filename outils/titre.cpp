// titre.cpp -- the window set-up and the banner (titre.h).
// The text row is centred on the text's length in the source set, so that an
// accented letter counts as one column whatever the console's encoding.
#include "outils/titre.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "outils/accents.h"
#include "outils/commande.h"
#include "outils/relance.h"
#include "outils/surete.h"
#include "outils/titre_interne.h"

namespace {

// One row of the frame: its left border, the byte repeated across its 76
// inner columns, its right border. Every row is 80 columns wide.
struct Rangee {
  const char *gauche;
  char milieu;
  const char *droite;
};

#ifdef _WIN32
// Code page 850: 30 '▲', 31 '▼', 186 '║', 187 '╗', 188 '╝', 200 '╚', 201 '╔', 205 '═'.
constexpr Rangee rangees[5] = {{"\x1E\xC9", '\xCD', "\xBB\x1E"},
                               {"\xC9\xBC", ' ', "\xC8\xBB"},
                               {"\xBA", ' ', " \xBA"},
                               {"\xC8\xBB", ' ', "\xC9\xBC"},
                               {"\x1F\xC8", '\xCD', "\xBC\x1F"}};
constexpr const char *fin_de_rangee = "";  // the 80-column console wraps rows 1 to 4
#else
constexpr Rangee rangees[5] = {{"</", '-', "\\>"},
                               {"/ ", ' ', " \\"},
                               {"|", ' ', " |"},
                               {"\\ ", ' ', " /"},
                               {"<\\", '-', "/>"}};
constexpr const char *fin_de_rangee = "\n";
#endif

constexpr int COLONNES_INTERIEURES = 76;
constexpr int RANGEE_DU_TEXTE = 2;

}  // namespace

// Row 3 holds (79 - L) / 2 spaces, the text, then the spaces up to its 77th
// column, L being the text's length in the source set. A text of 77 bytes or
// more keeps its first 77, without spaces, so that the row stays 80 columns.
// Example: the 38 bytes of "Programme de test de tables aléatoires" get 20
// spaces before and 19 after.
void affiche_cadre(const char *texte) {
  char court[LARGEUR_TEXTE_CADRE + 1];  // the text row's 77 columns and the NUL
  std::snprintf(court, sizeof court, "%s", texte);
  const int longueur = static_cast<int>(std::strlen(court));
  const int avant = std::min((79 - longueur) / 2, LARGEUR_TEXTE_CADRE - longueur);
  const int apres = LARGEUR_TEXTE_CADRE - longueur - avant;

  std::string cadre;
  for (int i = 0; i < 5; ++i) {
    cadre += rangees[i].gauche;
    if (i == RANGEE_DU_TEXTE) {
      cadre.append(avant, ' ');
      cadre += acc(court, chfunc);
      cadre.append(apres, ' ');
    } else {
      cadre.append(COLONNES_INTERIEURES, rangees[i].milieu);
    }
    cadre += rangees[i].droite;
    cadre += i < 4 ? fin_de_rangee : "\n";
  }
  cadre += "< q permet de quitter le programme. >\n";
  std::fputs(cadre.c_str(), stdout);
}

// "color F8" for a code of two hexadecimal digits. The code "0" keeps the
// console's colours, and so does any other: a code that `color` cannot take,
// read perhaps from a settings file, never reaches the command line
// ("1F&md x" would run a second command).
bool commande_color(const char *couleur, char (&commande)[TAILLE_COMMANDE_COLOR]) {
  commande[0] = '\0';
  if (couleur == nullptr || !code_couleur_windows(couleur)) return false;
  std::snprintf(commande, sizeof commande, "color %s", couleur);
  return true;
}

// "title Testeur de tables aléatoires"; the title passes unconverted, cut to
// its first 83 bytes.
void commande_title(const char *titre, char (&commande)[TAILLE_COMMANDE_TITLE]) {
  std::snprintf(commande, sizeof commande, "title %s", titre);
}

// Sets the window up (Linux: perhaps relaunched in xterm, and then this
// process never comes back; Windows: the colours of a two-digit code, then
// the title), then prints the banner.
void Titre(int argc, char **argv, const char *titre, const char *texte, const char *couleur) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  char color[TAILLE_COMMANDE_COLOR];
  if (commande_color(couleur, color)) lance_commande(color);
  char title[TAILLE_COMMANDE_TITLE];
  commande_title(titre, title);
  lance_commande(title);
#else
  startxterm(argc, argv, titre, couleur);
#endif
  affiche_cadre(texte);
}
