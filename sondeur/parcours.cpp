// parcours.cpp -- walking the paths of a batch run (parcours.h).
// Each folder's entries are sorted on their own, a sub-folder's name taken
// with its separator: "a-b.tbl" < "a/..." as '-' < '/'. Every path under
// the folder then comes in byte order, without the whole tree being kept.
// On Linux each entry is opened relative to its open folder, never through
// its path again, so that nothing swapped in on the way leads elsewhere; the
// entries' kinds come from the folder's listing, without one stat each.
#include "sondeur/parcours.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "outils/accents.h"
#include "outils/casse.h"
#include "outils/fichiers.h"

#ifdef _WIN32
#include <io.h>
#endif

namespace {

// A separator of a path as given: on Windows '/' separates too.
bool est_separateur(char c) { return c == SEPARATEUR || c == '/'; }

constexpr const char *TROP_PROFOND = "trop profond";
constexpr const char *NI_FICHIER_NI_DOSSIER = "ce n'est ni un fichier ordinaire ni un dossier";

enum class Genre { fichier, dossier, lien, autre };

struct Entree {
  std::string clef;  // the name, and its separator for a folder
  std::string nom;
  Genre genre;
  int erreur;  // why its kind is unknown, or 0
};

Chemin joint(const Chemin &dossier, const std::string &nom) {
  Chemin c = dossier;
  for (std::string *texte : {&c.affiche, &c.systeme}) {
    if (texte->empty() || !est_separateur(texte->back())) *texte += SEPARATEUR;
    *texte += nom;
  }
  return c;
}

// Opens the file `c` for reading, named `nom` in the folder open as
// `parent` (-1: a path named on the command line, whose links are followed).
// In a folder a link is not followed; a FIFO never makes the open wait.
// Returns the descriptor, or -1 with errno set.
int ouvre_fichier(int parent, const Chemin &c, const std::string &nom) {
#ifdef _WIN32
  (void)parent;
  (void)nom;
  return _open(c.systeme.c_str(), _O_RDONLY | _O_TEXT | _O_NOINHERIT);  // as fopen "r" reads
#else
  const int lien = parent < 0 ? 0 : O_NOFOLLOW;
  return openat(parent < 0 ? AT_FDCWD : parent, parent < 0 ? c.systeme.c_str() : nom.c_str(),
                O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | lien);
#endif
}

// Opens the folder `c`, as ouvre_fichier opens a file; nullptr with errno
// set.
DIR *ouvre_dossier(int parent, const Chemin &c, const std::string &nom) {
#ifdef _WIN32
  (void)parent;
  (void)nom;
  return opendir(c.systeme.c_str());
#else
  const int lien = parent < 0 ? 0 : O_NOFOLLOW;
  const int fd =
      openat(parent < 0 ? AT_FDCWD : parent, parent < 0 ? c.systeme.c_str() : nom.c_str(),
             O_RDONLY | O_DIRECTORY | O_CLOEXEC | lien);
  if (fd < 0) return nullptr;
  DIR *dossier = fdopendir(fd);
  if (dossier == nullptr) close(fd);
  return dossier;
#endif
}

// The descriptor of an open folder, for the entries opened relative to it.
int descripteur(DIR *dossier) {
#ifdef _WIN32
  (void)dossier;
  return -1;
#else
  return dirfd(dossier);
#endif
}

// The state of an open folder, for its identity.
int etat_du_dossier(DIR *dossier, const Chemin &c, struct stat &etat) {
#ifdef _WIN32
  (void)dossier;
  return stat(c.systeme.c_str(), &etat);
#else
  (void)c;
  return fstat(dirfd(dossier), &etat);
#endif
}

// Whether an open that does not follow links failed on one.
bool est_un_lien(int erreur) {
#ifdef ELOOP
  return erreur == ELOOP;
#else
  (void)erreur;
  return false;
#endif
}

Genre genre_du_mode(mode_t mode) {
  if (S_ISREG(mode)) return Genre::fichier;
  if (S_ISDIR(mode)) return Genre::dossier;
#ifdef S_ISLNK
  if (S_ISLNK(mode)) return Genre::lien;
#endif
  return Genre::autre;
}

// The kind of the entry `d` of the folder `c`, open as `parent`: from the
// listing when it tells, from the entry itself (not what a link leads to)
// otherwise. 0, or errno when it cannot be told.
int genre_de_l_entree(int parent, const Chemin &c, const dirent *d, Genre &genre) {
  struct stat etat {};
#ifdef _WIN32
  (void)parent;
  if (stat(joint(c, d->d_name).systeme.c_str(), &etat) != 0) return errno;
#else
  (void)c;
  switch (d->d_type) {
    case DT_REG: genre = Genre::fichier; return 0;
    case DT_DIR: genre = Genre::dossier; return 0;
    case DT_LNK: genre = Genre::lien; return 0;
    case DT_UNKNOWN: break;
    default: genre = Genre::autre; return 0;
  }
  if (fstatat(parent, d->d_name, &etat, AT_SYMLINK_NOFOLLOW) != 0) return errno;
#endif
  genre = genre_du_mode(etat.st_mode);
  return 0;
}

}  // namespace

std::string depuis_la_console(const char *tape) {
#ifdef _WIN32
  std::string converti(std::strlen(tape) + 1, '\0');  // never longer than its source
  invers_acc(tape, converti.data());
  converti.resize(std::strlen(converti.c_str()));
  return converti;
#else
  return tape;
#endif
}

struct Parcours::Etat {
  explicit Etat(Visiteur &v) : visiteur(v) {}

  void chemin_nomme(const Chemin &c);
  void fichier(int parent, const Chemin &c, const std::string &nom);
  void dossier(int parent, const Chemin &c, const std::string &nom, int profondeur);
  bool lit_dossier(DIR *flux, const Chemin &c, std::vector<Entree> &entrees);

  Visiteur &visiteur;
  std::set<std::pair<dev_t, ino_t>> vus;  // the folders walked in this run
};

Parcours::Parcours(Visiteur &visiteur) : etat_(std::make_unique<Etat>(visiteur)) {}
Parcours::~Parcours() = default;

void Parcours::visite(const char *argument) {
  etat_->chemin_nomme({argument, depuis_la_console(argument)});
}

// A path named on the command line: followed, whatever its name.
void Parcours::Etat::chemin_nomme(const Chemin &c) {
  struct stat etat {};
  if (stat(c.systeme.c_str(), &etat) != 0) return visiteur.illisible(c, raison_systeme(errno));
  switch (genre_du_mode(etat.st_mode)) {
    case Genre::fichier: return fichier(-1, c, c.systeme);
    case Genre::dossier: return dossier(-1, c, c.systeme, 0);
    default: return visiteur.illisible(c, NI_FICHIER_NI_DOSSIER);
  }
}

void Parcours::Etat::fichier(int parent, const Chemin &c, const std::string &nom) {
  const int fd = ouvre_fichier(parent, c, nom);
  if (fd < 0) {
    if (parent >= 0 && est_un_lien(errno)) return;  // became a link since the listing
    return visiteur.illisible(c, raison_systeme(errno));
  }
  struct stat etat {};
  if (fstat(fd, &etat) != 0) {
    visiteur.illisible(c, raison_systeme(errno));
  } else if (!S_ISREG(etat.st_mode)) {
    visiteur.illisible(c, NI_FICHIER_NI_DOSSIER);
  } else {
    SourceDescripteur source(fd, etat.st_size);
    visiteur.table(c, source);
  }
  close(fd);
}

void Parcours::Etat::dossier(int parent, const Chemin &c, const std::string &nom, int profondeur) {
  if (profondeur >= PROFONDEUR_MAX) return visiteur.illisible(c, TROP_PROFOND);
  DIR *flux = ouvre_dossier(parent, c, nom);
  if (flux == nullptr) {
    if (parent >= 0 && est_un_lien(errno)) return;
    return visiteur.illisible(c, raison_systeme(errno));
  }
  struct stat etat {};
  std::vector<Entree> entrees;
  const bool nouveau = etat_du_dossier(flux, c, etat) != 0 || etat.st_ino == 0 ||
                       vus.insert({etat.st_dev, etat.st_ino}).second;
  if (nouveau && lit_dossier(flux, c, entrees)) {
    const int fd = descripteur(flux);
    for (const Entree &e : entrees) {
      const Chemin sous = joint(c, e.nom);
      if (e.erreur != 0 && finit_par_sans_casse(e.nom, ".tbl"))
        visiteur.illisible(sous, raison_systeme(e.erreur));
      else if (e.genre == Genre::dossier)
        dossier(fd, sous, e.nom, profondeur + 1);
      else if (e.genre == Genre::lien || !finit_par_sans_casse(e.nom, ".tbl"))
        continue;  // links are not followed, other files are no tables
      else if (e.genre == Genre::fichier)
        fichier(fd, sous, e.nom);
      else
        visiteur.illisible(sous, NI_FICHIER_NI_DOSSIER);
    }
  }
  closedir(flux);
}

// The entries of the folder but "." and "..", sorted; false, told to the
// visitor, when the listing fails.
bool Parcours::Etat::lit_dossier(DIR *flux, const Chemin &c, std::vector<Entree> &entrees) {
  errno = 0;
  while (const dirent *d = readdir(flux)) {
    const std::string nom = d->d_name;
    if (nom == "." || nom == "..") continue;
    Entree e{nom, nom, Genre::autre, 0};
    e.erreur = genre_de_l_entree(descripteur(flux), c, d, e.genre);
    if (e.erreur == 0 && e.genre == Genre::dossier) e.clef += SEPARATEUR;
    entrees.push_back(std::move(e));
    errno = 0;
  }
  if (errno != 0) {
    visiteur.illisible(c, raison_systeme(errno));
    return false;
  }
  std::sort(entrees.begin(), entrees.end(),
            [](const Entree &a, const Entree &b) { return a.clef < b.clef; });
  return true;
}

const char *raison_systeme(int erreur) {
  switch (erreur) {
    case ENOENT: return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM: return "permission refusée";
#ifdef ELOOP
    case ELOOP: return "trop de liens symboliques, ou une boucle de liens";
#endif
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    default: return std::strerror(erreur);
  }
}
