// casse.h -- comparing names as Windows and the registry compare them:
// ASCII letters in either case, every other byte as it is. An internal
// header of the library, which the umbrella header leaves out.
#ifndef OUTILS_CASSE_H
#define OUTILS_CASSE_H

#include <string_view>

// "HKCR\.TBL" and "hkcr\.tbl" are equal; "é" and "É" are not.
bool egal_sans_casse(std::string_view a, std::string_view b);

// Whether `texte` ends with `fin` in either case: "Z.TBL" ends with ".tbl".
bool finit_par_sans_casse(std::string_view texte, std::string_view fin);

#endif
