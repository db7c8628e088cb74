// genre.h -- the kind of a table file, which the first characters of its
// line 1 fix: a single table, a titled one, or a collection of tables. The
// engine and the warnings' reading both decide it here, so that they read
// every file alike. An internal header of Sondeur.
#ifndef SONDEUR_GENRE_H
#define SONDEUR_GENRE_H

enum Genre {
  TABLE_SEULE = 1,       // a single table from line 1
  RECUEIL_SOULIGNE = 2,  // '_': tables under '#' titles, line 1 ignored
  RECUEIL_PP = 3,        // "pp": each table starts on a "pp" line
  RECUEIL_DIESE = 4,     // '#': tables under '#' titles, line 1 the first title
  TABLE_TITREE = 5,      // '%': a heading line, then a single table
};

// The kind of a file whose line 1 starts with `premier` then `second` ('\0'
// for a line shorter than that). "pp Armes:dd3:..." -> RECUEIL_PP.
constexpr Genre genre_de(char premier, char second) {
  if (premier == '_') return RECUEIL_SOULIGNE;
  if (premier == 'p' && second == 'p') return RECUEIL_PP;
  if (premier == '#') return RECUEIL_DIESE;
  if (premier == '%') return TABLE_TITREE;
  return TABLE_SEULE;
}

#endif
