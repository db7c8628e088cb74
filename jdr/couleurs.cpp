// couleurs.cpp -- the colour settings lookup (couleurs.h).
// Lines are read straight into the caller's buffer, 254 bytes at most, so a
// longer line is met as several; nothing is ever written past the buffer.
#include "jdr/couleurs.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "outils/chaines.h"
#include "outils/fichiers.h"

namespace {

constexpr const char *NOM_DU_FICHIER = "Couleurs.ini";

#ifndef _WIN32
// Where Linux looks for the file, NUL included; the current folder holds at
// most 4000 bytes of it.
constexpr int TAILLE_CHEMIN = 4096;
constexpr int TAILLE_DOSSIER_COURANT = 4000;

// "Couleurs.ini" beside the program when it was started by an absolute path
// ("/opt/suite/prog" gives "/opt/suite/Couleurs.ini"), in the current folder
// otherwise. The last '/' is found without index_ch, so a deep path never
// meets its 50-separator limit.
void chemin_du_fichier(const char *programme, char (&chemin)[TAILLE_CHEMIN]) {
  const std::string_view nom = programme != nullptr ? programme : "";
  if (!nom.empty() && nom.front() == '/') {
    const std::string_view dossier = nom.substr(0, nom.rfind('/'));
    std::snprintf(chemin, sizeof chemin, "%.*s/%s", static_cast<int>(dossier.size()),
                  dossier.data(), NOM_DU_FICHIER);
    return;
  }
  char courant[TAILLE_DOSSIER_COURANT];
  if (getcwd(courant, sizeof courant) == nullptr) {
    std::snprintf(chemin, sizeof chemin, "%s", NOM_DU_FICHIER);  // the current folder all the same
    return;
  }
  std::snprintf(chemin, sizeof chemin, "%s/%s", courant, NOM_DU_FICHIER);
}
#endif

// One line of `fichier` into `ligne` (TAILLE_COULEUR bytes); false at the
// end of the file, the buffer then left as it was.
bool lit_ligne(std::FILE *fichier, char *ligne) {
  return std::fgets(ligne, TAILLE_COULEUR, fichier) != nullptr;
}

// Whether `ligne` is the key line: on Windows the whole line without its
// end, exactly; on Linux any line that holds the key.
bool ligne_de_cle(char *ligne, const char *cle) {
#ifdef _WIN32
  Efface_n(ligne);
  return std::strcmp(ligne, cle) == 0;
#else
  return std::strstr(ligne, cle) != nullptr;
#endif
}

}  // namespace

// The colour code stored under `cle`: what follows the first ':' of the
// colour line, which comes right after the key line on Windows and one line
// further on Linux. "Couleur:1F" gives "1F", "Couleur:0:7" gives "0:7", a
// line without ':' is the code whole. No key line, or a key line that ends
// the file, gives "0:7"; on Linux, when the file ends after the free line,
// that line stays in the buffer and gives the code. A missing file ends the
// program through ouvre_fichier. Returns `resultat` (TAILLE_COULEUR bytes).
char *color_va(const char *cle, char *resultat, char **argv) {
#ifdef _WIN32
  (void)argv;
  std::FILE *fichier = ouvre_fichier(NOM_DU_FICHIER, "r");
  constexpr int LIGNES_APRES_LA_CLE = 1;
#else
  char chemin[TAILLE_CHEMIN];
  chemin_du_fichier(argv != nullptr ? argv[0] : nullptr, chemin);
  std::FILE *fichier = ouvre_fichier(chemin, "r");
  constexpr int LIGNES_APRES_LA_CLE = 2;  // a free line, then the colour line
#endif
  bool trouve = false;
  while (!trouve && lit_ligne(fichier, resultat)) trouve = ligne_de_cle(resultat, cle);
  if (trouve) trouve = lit_ligne(fichier, resultat);  // a key line that ends the file has none
  for (int i = 1; trouve && i < LIGNES_APRES_LA_CLE; ++i) lit_ligne(fichier, resultat);
  std::fclose(fichier);
  if (!trouve) {
    std::snprintf(resultat, TAILLE_COULEUR, "%s", COULEUR_PAR_DEFAUT);
    return resultat;
  }
  Efface_n(resultat);
  Efface_char(resultat, ":");
  return resultat;
}
