// casse.h -- comparing names as Windows and the registry compare them:
// ASCII letters in either case, every other byte as it is. The umbrella
// header leaves it out: the installation tools and Sondeur's walk of
// folders include it themselves.
#ifndef OUTILS_CASSE_H
#define OUTILS_CASSE_H

#include <string_view>

// "HKCR\.TBL" and "hkcr\.tbl" are equal; "é" and "É" are not.
bool egal_sans_casse(std::string_view a, std::string_view b);

// Whether `texte` ends with `fin` in either case: "Z.TBL" ends with ".tbl".
bool finit_par_sans_casse(std::string_view texte, std::string_view fin);

#endif
