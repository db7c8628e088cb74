// surete.cpp -- checks on text from outside a program (surete.h).
#include "outils/surete.h"

#include <cctype>

bool sans_caractere_special(std::string_view texte) {
  for (const char c : texte) {
    const auto octet = static_cast<unsigned char>(c);
    if (octet < 0x20 || octet == 0x7F) return false;
    if (std::string_view("%\"&|<>^").find(c) != std::string_view::npos) return false;
  }
  return true;
}

bool chemin_absolu(std::string_view chemin) {
  return chemin.size() >= 3 && std::isalpha(static_cast<unsigned char>(chemin[0])) &&
         chemin[1] == ':' && chemin[2] == '\\';
}

bool sans_dossier_relatif(std::string_view chemin) {
  while (!chemin.empty()) {
    const std::size_t fin = chemin.find_first_of("\\/");
    const std::string_view dossier = chemin.substr(0, fin);
    if (dossier == "." || dossier == "..") return false;
    if (fin == std::string_view::npos) break;
    chemin.remove_prefix(fin + 1);
  }
  return true;
}

bool code_couleur_windows(std::string_view code) {
  return code.size() == 2 && std::isxdigit(static_cast<unsigned char>(code[0])) &&
         std::isxdigit(static_cast<unsigned char>(code[1]));
}
