// lecture.cpp -- reading the key list and reg's answer (lecture.h).
#include "uninstaller/lecture.h"

#include <cstring>
#include <string_view>

#include "outils/clavier.h"

// The next key of the list into `ligne`, without its line end. The list
// ends at a line that begins with '#' or at the end of the file, whose last
// line counts whole even without a line end. A line longer than the read
// bound is thrown away to its end and reported as too long, its first 254
// bytes left in `ligne`.
Cle lit_cle(std::FILE *liste, char *ligne) {
  if (std::fgets(ligne, TAILLE_LIGNE, liste) == nullptr || ligne[0] == '#') return Cle::fin;
  if (coupe_fin_de_ligne(ligne) || std::feof(liste)) return Cle::lue;
  fpurge(liste);
  return Cle::trop_longue;
}

// The data of the value line of reg's answer, in `chemin` (TAILLE_LIGNE
// bytes): the first line that holds the type REG_SZ followed by a tab or a
// space, from after the tabs and spaces that follow it, without its line
// end. "Chemin\tREG_SZ\tC:\Jeux\" and "    Chemin    REG_SZ    C:\Jeux\"
// both give "C:\Jeux\". An answer without such a line (the key or the
// value is missing) gives the empty text.
void lit_chemin(std::FILE *reponse, char *chemin) {
  char ligne[TAILLE_LIGNE];
  chemin[0] = '\0';
  while (std::fgets(ligne, sizeof ligne, reponse) != nullptr) {
    const char *type = std::strstr(ligne, "REG_SZ");
    if (type == nullptr) continue;
    const char *donnee = type + std::strlen("REG_SZ");
    if (*donnee != ' ' && *donnee != '\t') continue;  // another type, such as REG_SZX
    donnee += std::strspn(donnee, " \t");
    std::memcpy(chemin, donnee, std::strlen(donnee) + 1);  // never longer than the line
    coupe_fin_de_ligne(chemin);
    return;
  }
}

// Whether removing `chemin` would take a whole drive or nothing at all:
// "", ".", "C:", "C:\", "\" (and the same with more separators or trailing
// spaces) are refused; "C:\Jeux" is not.
bool chemin_dangereux(const char *chemin) {
  std::string_view reste = chemin;
  while (!reste.empty() && (reste.back() == '\\' || reste.back() == '/' || reste.back() == ' '))
    reste.remove_suffix(1);
  return reste.empty() || reste == "." || (reste.size() == 2 && reste[1] == ':');
}
