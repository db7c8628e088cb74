// parcours.cpp -- walking the folders of a batch run (parcours.h).
// Each folder's entries are sorted on their own, a sub-folder's name taken
// with its separator: "a-b.tbl" < "a/..." as '-' < '/'. Every path under
// the folder then comes in byte order, without the whole tree being kept.
#include "sondeur/parcours.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "outils/accents.h"
#include "outils/casse.h"
#include "outils/descente.h"

namespace {

#ifdef _WIN32
constexpr char SEPARATEUR = '\\';
bool est_separateur(char c) { return c == '\\' || c == '/'; }
#else
constexpr char SEPARATEUR = '/';
bool est_separateur(char c) { return c == '/'; }
#endif

// Folders deeper than this are not entered: a cycle of links that the
// identity check cannot see (Windows gives no inode number) still ends.
constexpr int PROFONDEUR_MAX = 100;

struct Entree {
  std::string clef;  // the name, and its separator for a folder
  std::string nom;
  struct stat etat;
  int erreur;  // stat's errno, 0 when it could tell what the entry is
};

// The name as the file system takes it: on Windows the console's code page
// converted back to the source set, as any file the suite opens; on Linux
// unchanged.
std::string nom_systeme(const char *nom) {
#ifdef _WIN32
  std::string converti(std::strlen(nom) + 1, '\0');  // never longer than its source
  invers_acc(nom, converti.data());
  converti.resize(std::strlen(converti.c_str()));
  return converti;
#else
  return nom;
#endif
}

Chemin joint(const Chemin &dossier, const std::string &nom) {
  Chemin c = dossier;
  for (std::string *texte : {&c.affiche, &c.systeme}) {
    if (texte->empty() || !est_separateur(texte->back())) *texte += SEPARATEUR;
    *texte += nom;
  }
  return c;
}

class Parcours {
 public:
  explicit Parcours(Visiteur &visiteur) : visiteur_(visiteur) {}

  // A path named on the command line or found in a folder, with what stat
  // told of it: its state, or `erreur`.
  void chemin(const Chemin &c, const struct stat &etat, int erreur) {
    if (erreur != 0) {
      visiteur_.illisible(c, std::strerror(erreur));
    } else if (S_ISDIR(etat.st_mode)) {
      dossier(c, etat);
    } else if (S_ISREG(etat.st_mode)) {
      visiteur_.table(c);
    } else {
      visiteur_.illisible(c, "ce n'est ni un fichier ordinaire ni un dossier");
    }
  }

 private:
  void dossier(const Chemin &c, const struct stat &etat) {
    if (en_cours_.deja_vu(etat) || en_cours_.profondeur() >= PROFONDEUR_MAX) return;
    std::vector<Entree> entrees;
    if (!lit_dossier(c, entrees)) return;
    en_cours_.entre(etat);
    for (const Entree &e : entrees) {
      const bool sous_dossier = e.erreur == 0 && S_ISDIR(e.etat.st_mode);
      if (sous_dossier || finit_par_sans_casse(e.nom, ".tbl")) chemin(joint(c, e.nom), e.etat, e.erreur);
    }
    en_cours_.sort();
  }

  // The entries of the folder `c` but "." and "..", sorted; false, told to
  // the visitor, when it cannot be opened.
  bool lit_dossier(const Chemin &c, std::vector<Entree> &entrees) {
    DIR *flux = opendir(c.systeme.c_str());
    if (flux == nullptr) {
      visiteur_.illisible(c, std::strerror(errno));
      return false;
    }
    while (const dirent *d = readdir(flux)) {
      const std::string nom = d->d_name;
      if (nom == "." || nom == "..") continue;
      Entree e{nom, nom, {}, 0};
      if (stat(joint(c, nom).systeme.c_str(), &e.etat) != 0) e.erreur = errno;
      if (e.erreur == 0 && S_ISDIR(e.etat.st_mode)) e.clef += SEPARATEUR;
      entrees.push_back(std::move(e));
    }
    closedir(flux);
    std::sort(entrees.begin(), entrees.end(),
              [](const Entree &a, const Entree &b) { return a.clef < b.clef; });
    return true;
  }

  Visiteur &visiteur_;
  Descente en_cours_;  // the folders on the way down
};

}  // namespace

void parcourt(const char *argument, Visiteur &visiteur) {
  const Chemin c{argument, nom_systeme(argument)};
  struct stat etat {};
  const int erreur = stat(c.systeme.c_str(), &etat) == 0 ? 0 : errno;
  Parcours(visiteur).chemin(c, etat, erreur);
}
