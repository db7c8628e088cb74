// titre.h -- the opening of every interactive program: the window's title
// and colours, then the five-row framed banner with the program's name
// centred in it and the reminder that 'q' quits. Linux first relaunches the
// program in xterm when it has no terminal (relance.h) and draws the frame in
// ASCII; Windows runs `color` and `title` and draws it in code page 850.
#ifndef OUTILS_TITRE_H
#define OUTILS_TITRE_H

// The Windows commands: "color " and a code of at most 13 characters,
// "title " and a title of at most 83, NUL included.
constexpr int TAILLE_COMMANDE_COLOR = 20;
constexpr int TAILLE_COMMANDE_TITLE = 90;
// Columns of the banner's text row between its borders: a longer text is cut.
constexpr int LARGEUR_TEXTE_CADRE = 77;

void Titre(int argc, char **argv, const char *titre, const char *texte, const char *couleur);

#endif
