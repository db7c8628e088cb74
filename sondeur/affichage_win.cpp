// affichage_win.cpp -- the batch reports' text for the Windows console
// (affichage.h): UTF-8 converted to the console's output code page.
#include <windows.h>

#include <cstdio>
#include <string>

#include "sondeur/affichage.h"

namespace {

// The code page that standard output is read in: the console's, or the
// suite's own, 850, when the program has no console.
UINT page_de_code() {
  const UINT page = GetConsoleOutputCP();
  return page != 0 ? page : 850;
}

}  // namespace

std::string vers_la_console(const std::string &utf8) {
  const UINT page = page_de_code();
  if (page == CP_UTF8 || utf8.empty()) return utf8;
  const int taille = static_cast<int>(utf8.size());
  std::wstring large(utf8.size(), L'\0');  // never more UTF-16 units than UTF-8 bytes
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), taille, large.data(), taille);
  std::string sortie(static_cast<std::size_t>(n) * 4, '\0');  // 4 bytes a unit at most
  const int m = WideCharToMultiByte(page, 0, large.data(), n, sortie.data(),
                                    static_cast<int>(sortie.size()), "?", nullptr);
  sortie.resize(m > 0 ? static_cast<std::size_t>(m) : 0);
  return sortie;
}

void ajoute_texte(std::string &sortie, std::string_view texte) {
  sortie += vers_la_console(affichable(texte));
}

std::string pour_la_sortie(const std::string &utf8) { return vers_la_console(utf8); }
void ecrit_sur_la_sortie(const std::string &utf8) {
  const std::string texte = vers_la_console(utf8);
  std::fwrite(texte.data(), 1, texte.size(), stdout);
}
bool sortie_en_utf8() { return page_de_code() == CP_UTF8; }
