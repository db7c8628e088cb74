// utf8.h -- following the UTF-8 sequences of a text given in one or several
// parts: whether it could be UTF-8, and whether it holds any character
// beyond ASCII. Overlong forms, surrogates and values past U+10FFFF are not
// UTF-8. An internal header of Sondeur.
#ifndef SONDEUR_UTF8_H
#define SONDEUR_UTF8_H

#include <cstddef>
#include <string_view>

class SuiviUtf8 {
 public:
  // Follows the next `n` bytes; stops at the first one that cannot belong
  // to UTF-8 (invalide then tells it; nothing more is followed).
  void examine(const unsigned char *octets, std::size_t n);

  bool invalide() const { return invalide_; }
  // A sequence is still due bytes: cut, if the text ends here.
  bool coupe() const { return suite_ > 0; }
  // A whole sequence of two bytes or more was seen.
  bool au_dela_d_ascii() const { return multi_octets_; }

 private:
  bool invalide_ = false;
  bool multi_octets_ = false;
  int suite_ = 0;                           // bytes still due in the current sequence
  unsigned char bas_ = 0x80, haut_ = 0xBF;  // range of the next of them
};

// Whether `texte` is valid UTF-8 as a whole. ASCII is.
bool est_utf8(std::string_view texte);

#endif
