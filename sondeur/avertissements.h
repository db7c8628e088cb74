// avertissements.h -- the warnings of Sondeur: the mistakes that the table's
// reading lets through or explains badly. Some come from what the reading
// tells (entries after the end of a single table, ranges past the size of
// their list or reversed, numbers without their ':', headers without "dd", a
// tab where a keyword wants a space), others from the bytes of the file
// (lines too long for the reading, files in UTF-8, empty files). Each goes to
// the table's findings (constats.h), which put them in order.
#ifndef SONDEUR_AVERTISSEMENTS_H
#define SONDEUR_AVERTISSEMENTS_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sondeur/constats.h"
#include "sondeur/lecteur.h"
#include "sondeur/lecture.h"
#include "sondeur/utf8.h"

class Avertissements {
 public:
  explicit Avertissements(Constats &constats) : constats_(constats) {}

  // A new table.
  void commence();

  // What the reading tells.
  void liste(int niveau, std::int32_t taille, bool marquee, const Lieu &lieu);
  void entree(const Entree &entree);
  void apres_la_fin(std::string_view ligne, const Lieu &lieu);
  void faute(const Faute &faute);

  // The bytes of the file, each once and in order, and each line as it ends.
  void octets(const unsigned char *octets, std::size_t n);
  void ligne_finie(const Ligne &ligne);
  // The file has ended: the verdicts of line 1 are taken on all of it.
  void fin_du_fichier();
  // The verdicts of line 1 taken at once, on the bytes read so far (the
  // findings that wait for them are too many).
  void tranche_maintenant() { tranche(false); }

 private:
  void intervalle(const Entree &entree);
  void tranche(bool entier);

  Constats &constats_;
  std::int32_t taille_ = 0;  // the size of the outermost list
  bool marquee_ = true;      // its header has its "dd"

  bool ouvert_ = true;   // the verdicts of line 1 are not taken yet
  bool debut_ = true;    // no byte examined yet
  bool marque_ = false;  // the file starts with a UTF-8 byte order mark
  bool texte_ = false;   // a byte other than white space, past the mark
  SuiviUtf8 utf8_;       // the bytes past the mark
};

#endif
