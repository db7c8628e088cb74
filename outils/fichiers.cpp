// fichiers.cpp -- opening files and listing folders (fichiers.h).
#include "outils/fichiers.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "outils/accents.h"
#include "outils/chaines.h"
#include "outils/descente.h"
#include "outils/erreurs.h"

namespace {

// A heap block of `taille` zeroed bytes, checked the library's way.
char *alloue(std::size_t taille) {
  char *bloc = static_cast<char *>(std::calloc(taille, 1));
  ER = bloc;
  Erreur(1);
  return bloc;
}

// The name as the file system wants it, in a new heap block of twice its
// length and one (a Linux conversion may double every accented letter);
// chfunc receives the same text.
char *nom_systeme(const char *nom) {
  const std::size_t taille = 2 * std::strlen(nom) + 1;
  char *converti = alloue(taille);
#ifdef _WIN32
  invers_acc(nom, converti);
#else
  linux_acc(nom, converti);
#endif
  std::snprintf(chfunc, sizeof chfunc, "%s", converti);
  changeslash(converti);
  return converti;
}

// The folder's name as the system wants it, in a new heap block like
// nom_systeme's. Linux converts it as a file name; Windows takes it as
// given, chfunc untouched: its letters are already those of the system
// (a name that readdir gave, or the caller's), and converting them from
// the console's code page would name another folder.
char *nom_de_dossier(const char *dossier) {
#ifdef _WIN32
  const std::size_t taille = 2 * std::strlen(dossier) + 1;
  char *copie = alloue(taille);
  std::snprintf(copie, taille, "%s", dossier);
  return copie;
#else
  return nom_systeme(dossier);
#endif
}

// Whether `stat` or `fstat` described a folder.
bool est_dossier(const struct stat &etat) { return S_ISDIR(etat.st_mode); }

// Whether the open stream is a folder: Linux's fopen opens one for
// reading, and every read of it then fails.
bool est_un_dossier(FILE *fichier) {
  struct stat etat {};
  return fstat(fileno(fichier), &etat) == 0 && est_dossier(etat);
}

// Tells why the listing cannot go on, pauses and ends with status 1.
[[noreturn]] void abandon() {
  Pause();
  std::exit(1);
}

// Whether the name's extension (after its last '.') is one of the list's,
// compared exactly; a name without '.' has none.
bool extension_retenue(const char *nom, char extensions[][255], int nombre) {
  const char *point = std::strrchr(nom, '.');
  if (point == nullptr) return false;
  char extension[TAILLE_CHFUNC];  // the entry's extension, cut at 4095 bytes
  std::snprintf(extension, sizeof extension, "%s", point + 1);
  for (int i = 0; i < nombre; ++i)
    if (std::strcmp(extension, extensions[i]) == 0) return true;
  return false;
}

// Lists the folder `chemin` (already converted) into `flux`; descends first
// into sub-folders when `recursif`, except those already on the way down
// (`ancetres`), so that a cycle of links ends.
void parcourt(const char *chemin, FILE *flux, int recursif, char extensions[][255], int nombre,
              int dossiers, Descente &ancetres) {
  DIR *dossier = opendir(chemin);
  if (dossier == nullptr) {
    std::printf("\n!!! Une erreur est survenue durant l'ouverture du dossier %s.\n", chemin);
    abandon();
  }
  while (const dirent *entree = readdir(dossier)) {
    const char *nom = entree->d_name;
    if (std::strcmp(nom, ".") == 0 || std::strcmp(nom, "..") == 0) continue;
    int garder = nombre == 0;
    const std::size_t taille = std::strlen(chemin) + std::strlen(nom) + 3;
    char *complet = alloue(taille);
    std::snprintf(complet, taille, "%s%c%s", chemin, SEPARATEUR, nom);
    struct stat etat {};
    if (stat(complet, &etat) != 0) {
      std::perror("Erreur interne lors de l'appel de la fonction stat");
      std::printf("Dossier en cours: %s\n", complet);
      std::free(complet);
      closedir(dossier);
      abandon();
    }
    const bool dossier_trouve = est_dossier(etat);
    if (recursif && dossier_trouve && !ancetres.deja_vu(etat)) {
      ancetres.entre(etat);
      parcourt(complet, flux, recursif, extensions, nombre, dossiers, ancetres);
      ancetres.sort();
    }
    std::free(complet);
    if (nombre != 0 && extension_retenue(nom, extensions, nombre)) garder = 1;
    if (!dossiers && dossier_trouve) garder = 0;
    if (garder) std::fprintf(flux, "%s%c%s\n", chemin, SEPARATEUR, nom);
  }
  closedir(dossier);
}

}  // namespace

// Opens `nom` (source set, either separator) with `mode`; never returns
// null, nor a folder: a failure shows the converted name and the mode,
// pauses and ends the program with status 1.
FILE *ouvre_fichier(const char *nom, const char *mode) {
  char *converti = nom_systeme(nom);
  FILE *fichier = std::fopen(converti, mode);
  if (fichier != nullptr && !est_un_dossier(fichier)) {
    std::free(converti);
    return fichier;
  }
  if (fichier != nullptr) std::fclose(fichier);
#ifdef _WIN32
  const char *montre = acc(converti, chfunc);
#else
  const char *montre = converti;
#endif
  std::printf("\n!!! Une erreur est survenue durant l'ouverture du fichier %s, en mode %s", montre,
              mode);
  std::free(converti);
  abandon();
}

// Writes the full path of every entry of `dossier` whose extension is in
// the list (all of them when `nombre` is 0), one per line; folders only
// when `dossiers`. With `recursif`, a sub-folder's contents come before its
// own line. The folder's name is converted once (on Linux only); the paths
// found below it are used as the system gives them.
void print_doss(const char *dossier, FILE *flux, int recursif, char extensions[][255], int nombre,
                int dossiers) {
  char *chemin = nom_de_dossier(dossier);
  Descente ancetres;
  struct stat etat {};
  if (stat(chemin, &etat) == 0) ancetres.entre(etat);
  parcourt(chemin, flux, recursif, extensions, nombre, dossiers, ancetres);
  std::free(chemin);
}

// Lists `dossier` into `flux`, keeping the extensions of `filtre`, a list
// joined by ':' in which a leading "*" and "." are dropped:
// "*.tbl:.nam:txt" keeps tbl, nam and txt; an empty filter keeps all.
void listing_doss(const char *dossier, FILE *flux, int recursif, const char *filtre, int dossiers) {
  static char extensions[MAX_EXTENSIONS][TAILLE_EXTENSION];  // 64 KiB: off the stack
  char reste[TAILLE_EXTENSION];  // the filter still to cut, 254 characters at most
  std::snprintf(reste, sizeof reste, "%s", filtre);
  int nombre = 0;
  bool dernier = reste[0] == '\0';
  while (!dernier && nombre < MAX_EXTENSIONS) {
    char *entree = extensions[nombre++];
    std::snprintf(entree, TAILLE_EXTENSION, "%s", reste);
    if (char *deux_points = std::strchr(entree, ':')) {
      *deux_points = '\0';
      Efface_char(reste, ":");
    } else {
      dernier = true;
    }
    if (entree[0] == '*') Efface_char(entree, "*");
    if (entree[0] == '.') Efface_char(entree, ".");
  }
  print_doss(dossier, flux, recursif, extensions, nombre, dossiers);
}
