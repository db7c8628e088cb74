// casse.cpp -- comparing names in either case (casse.h).
#include "outils/casse.h"

#include <cctype>

bool egal_sans_casse(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool finit_par_sans_casse(std::string_view texte, std::string_view fin) {
  return texte.size() >= fin.size() &&
         egal_sans_casse(texte.substr(texte.size() - fin.size()), fin);
}
