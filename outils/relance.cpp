// relance.cpp -- the relaunch inside xterm (relance.h).
// Every piece of the window's command line is quoted for sh, and xterm runs
// it as "/bin/sh -c LINE", three arguments of its own: no program of the
// current folder and no user's shell stands in for sh, and the relaunched
// program receives its arguments byte for byte. A command line that would
// not fit its 4096 bytes is never cut: the program then goes on where it is.
// Without a display no window can open: the program goes on where it is.
// xterm runs as a child, so that a window that cannot open (xterm missing,
// or its display out of reach) still leaves this process: it then
// re-executes itself once, marked in its environment, so that it never
// comes back here in a loop.
#include "outils/relance.h"

#ifdef _WIN32

// Nothing to relaunch: Titre sets the Windows console up itself.
void startxterm(int, char **, const char *, const char *) {}

#else

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "outils/accents.h"
#include "outils/entier.h"

namespace {

constexpr std::string_view MARQUEUR = "swxterm";
// Set on the program that re-executes itself after xterm failed: the new
// image goes on at once instead of trying again.
constexpr const char *MARQUE_REEXECUTION = "VALLORIM_SANS_XTERM";

// The Windows console palette as xterm colour names, by hexadecimal digit.
constexpr const char *palette[16] = {
    "black",  "navy",  "green4", "cyan4", "red4", "DarkMagenta", "yellow4", "grey75",
    "grey50", "blue1", "green",  "cyan1", "red1", "magenta1",    "yellow1", "white"};

// The xterm colour of one digit of a colour code ('c' and 'C' give "red1");
// empty outside the palette.
std::string_view couleur_palette(char chiffre) {
  if (est_chiffre(chiffre)) return palette[chiffre - '0'];
  if (chiffre >= 'A' && chiffre <= 'F') return palette[chiffre - 'A' + 10];
  if (chiffre >= 'a' && chiffre <= 'f') return palette[chiffre - 'a' + 10];
  return {};
}

using Couleur = char[TAILLE_COULEUR_XTERM];

// A name too long for its buffer is no colour: cut, it would name another.
void copie_couleur(std::string_view nom, Couleur &dest) {
  if (nom.size() >= sizeof dest) nom = {};
  nom.copy(dest, nom.size());
  dest[nom.size()] = '\0';
}

// The background and text colours of a colour code: two palette digits,
// background first ("F8" gives "white" and "grey50"), or two xterm names
// joined by ':' ("black:white"). A colour the code does not give is empty.
void couleurs_xterm(std::string_view code, Couleur &fond, Couleur &texte) {
  std::string_view avant, apres;
  if (code.size() == 2) {
    avant = couleur_palette(code[0]);
    apres = couleur_palette(code[1]);
  } else if (const auto deux_points = code.find(':'); deux_points != code.npos) {
    avant = code.substr(0, deux_points);
    apres = code.substr(deux_points + 1);
  }
  copie_couleur(avant, fond);
  copie_couleur(apres, texte);
}

// Where the program lives: its folder, and its name as "/" and the file name,
// which `chemin` (argv[0]) is turned into. "/opt/va/Sondeur" gives "/opt/va"
// and "/Sondeur"; "bin/Sondeur" the current folder followed by "/bin"; a bare
// "Sondeur", found through the search path, the folder and name of
// /proc/self/exe. False when the folder cannot be told within its buffer.
bool situe_programme(char *&chemin, char (&dossier)[TAILLE_DOSSIER]) {
  static char executable[TAILLE_DOSSIER];  // outlives the call: argv[0] may point into it
  char *barre = std::strrchr(chemin, '/');
  if (barre == nullptr) {
    const ssize_t n = readlink("/proc/self/exe", executable, sizeof executable);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof executable)) return false;
    executable[n] = '\0';  // readlink writes no NUL
    chemin = executable;
    barre = std::strrchr(executable, '/');
    if (barre == nullptr) return false;
  }
  const std::string_view parent(chemin, barre - chemin);
  std::string resultat;
  if (chemin[0] == '/') {
    resultat = parent.empty() ? "/" : parent;
  } else {
    char courant[TAILLE_DOSSIER];
    if (getcwd(courant, sizeof courant) == nullptr) return false;
    resultat = courant;
    if (parent != ".") (resultat += '/') += parent;
  }
  if (resultat.size() >= sizeof dossier) return false;
  std::snprintf(dossier, sizeof dossier, "%s", resultat.c_str());
  chemin = barre;
  return true;
}

// The command line of the new window, in its fixed buffer: a piece goes in
// whole or the line is marked too long; it is never cut.
struct Ligne {
  char texte[TAILLE_COMMANDE_XTERM] = "";
  std::size_t longueur = 0;
  bool trop_longue = false;

  void ajoute(std::string_view morceau) {
    if (trop_longue || morceau.size() >= sizeof texte - longueur) {
      trop_longue = true;
      return;
    }
    morceau.copy(texte + longueur, morceau.size());
    longueur += morceau.size();
    texte[longueur] = '\0';
  }

  // One word for the shell whatever it holds: between single quotes, each
  // quote inside written '\''. Example: l'an 2 gives 'l'\''an 2'.
  void ajoute_cite(std::string_view mot) {
    ajoute("'");
    for (auto apostrophe = mot.find('\''); apostrophe != mot.npos; apostrophe = mot.find('\'')) {
      ajoute(mot.substr(0, apostrophe));
      ajoute("'\\''");
      mot.remove_prefix(apostrophe + 1);
    }
    ajoute(mot);
    ajoute("'");
  }
};

// The window title in UTF-8 through linux_acc, cut to 254 bytes between two
// letters (a 0xC3 pair is never split).
void titre_utf8(const char *titre, char (&dest)[TAILLE_TITRE_XTERM]) {
  char source[TAILLE_TITRE_XTERM];        // no more than 254 bytes of it can show
  char converti[2 * TAILLE_TITRE_XTERM];  // linux_acc writes at most two bytes for one
  std::snprintf(source, sizeof source, "%s", titre);
  linux_acc(source, converti);
  std::size_t n = 0;
  while (converti[n] != '\0') {
    const bool paire = static_cast<unsigned char>(converti[n]) == 0xC3 && converti[n + 1] != '\0';
    const std::size_t lettre = paire ? 2 : 1;
    if (n + lettre >= sizeof dest) break;
    n += lettre;
  }
  std::memcpy(dest, converti, n);
  dest[n] = '\0';
}

// Runs xterm, found through the search path, with /bin/sh running
// `commande` in its window, and waits for the window to close; a colour
// left empty is left out of its options. Returns the status for this
// process to end with once the window has run (0, or 1 for a window killed
// by a signal); -1 when no window ran: xterm could not start, or ended with
// an error of its own (a display it cannot open), which it tells by a
// status other than 0.
int lance_xterm(const char *titre, const Couleur &fond, const Couleur &texte,
                const char *commande) {
  std::vector<const char *> options = {"xterm", "-sb", "-rightbar", "-T", titre};
  if (fond[0] != '\0') options.insert(options.end(), {"-bg", fond});
  if (texte[0] != '\0') options.insert(options.end(), {"-fg", texte});
  options.insert(options.end(), {"-e", "/bin/sh", "-c", commande, nullptr});
  std::fflush(stdout);
  pid_t pid;
  if (posix_spawnp(&pid, "xterm", nullptr, nullptr, const_cast<char *const *>(options.data()),
                   environ) != 0)
    return -1;
  int etat;
  while (waitpid(pid, &etat, 0) < 0)
    if (errno != EINTR) return -1;
  if (WIFEXITED(etat)) return WEXITSTATUS(etat) == 0 ? 0 : -1;
  return 1;
}

// Whether a window can open at all: an X or Wayland display is named.
bool ecran_disponible() {
  for (const char *nom : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char *valeur = std::getenv(nom);
    if (valeur != nullptr && valeur[0] != '\0') return true;
  }
  return false;
}

// Shows the file `chemin` in the desktop's text viewer, without a shell.
void montre(const char *chemin) {
  const char *arguments[] = {"xdg-open", chemin, nullptr};
  pid_t pid;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, const_cast<char *const *>(arguments),
                   environ) == 0)
    waitpid(pid, nullptr, 0);
}

// Tells the user that no xterm window could open (the notice names xterm
// missing, the commonest cause); when no terminal shows the message,
// also through a text file of the program's own, made new in the temporary
// folder, opened in the desktop's viewer, then removed.
void signale_absence_xterm() {
  putsacc("\nxterm n'a pas été trouvé, il est conseillé d'installer xterm.\n");
  std::fflush(stdout);  // ahead of the viewer's output, and not lost by exec
  if (isatty(STDOUT_FILENO)) return;
  const char *temporaire = std::getenv("TMPDIR");
  if (temporaire == nullptr || temporaire[0] != '/') temporaire = "/tmp";
  std::string chemin = std::string(temporaire) + "/vallorim-xterm-XXXXXX.txt";
  const int descripteur = mkstemps(chemin.data(), 4);
  if (descripteur < 0) return;
  std::FILE *avis = fdopen(descripteur, "w");
  if (avis == nullptr) {
    close(descripteur);
  } else {
    std::fputs(
        "xterm n'a pas été trouvé, il est nécessaire pour une utilisation de Vallorim hors"
        " terminal.\nSans xterm, Vallorim doit être exécuté depuis le terminal.\n",
        avis);
    std::fclose(avis);
    montre(chemin.c_str());
  }
  unlink(chemin.c_str());
}

// The argument as the program must receive it from its own folder: a
// relative path of an existing file is made absolute from the current
// folder ("t.tbl" -> "/home/mj/t.tbl"); any other argument is kept.
std::string argument_transmis(const char *argument) {
  struct stat etat;
  if (argument[0] == '/' || stat(argument, &etat) != 0) return argument;
  char courant[TAILLE_DOSSIER];
  if (getcwd(courant, sizeof courant) == nullptr) return argument;
  return std::string(courant) + "/" + argument;
}

// Starts the program again in this process by its full path, each argument
// passed as it was received, marked so that the new image goes on at once.
// Returns only if that failed.
void reexecute(const char *dossier, const char *nom, char **arguments, int nombre) {
  std::string chemin = std::string(dossier) + nom;
  std::vector<char *> vecteur = {chemin.data()};
  vecteur.insert(vecteur.end(), arguments, arguments + nombre);
  vecteur.push_back(nullptr);
  setenv(MARQUE_REEXECUTION, "1", 1);
  execv(chemin.c_str(), vecteur.data());
  unsetenv(MARQUE_REEXECUTION);
}

}  // namespace

// Returns at once from a terminal without the marker, or when no window can
// open (no display). Otherwise runs xterm with the program from its folder
// with its arguments (less the marker) and ends with the window; returns only
// when no window ran, the program then going on in the current process.
void startxterm(int argc, char **argv, const char *titre, const char *couleur) {
  if (std::getenv(MARQUE_REEXECUTION) != nullptr) {  // xterm already failed once
    unsetenv(MARQUE_REEXECUTION);
    return;
  }
  const bool marqueur = argc > 1 && argv[1] == MARQUEUR;
  if ((isatty(STDOUT_FILENO) && !marqueur) || argc < 1 || !ecran_disponible()) return;

  Couleur fond, texte;
  couleurs_xterm(couleur != nullptr ? couleur : "", fond, texte);
  char dossier[TAILLE_DOSSIER];
  if (!situe_programme(argv[0], dossier)) return;
  const int premier = marqueur ? 2 : 1;  // the first argument passed on
  char **arguments = argv + premier;
  const int nombre = argc - premier;

  Ligne ligne;  // cd '/folder' && './name' 'argument' ...: nothing runs from elsewhere
  ligne.ajoute("cd ");
  ligne.ajoute_cite(dossier);
  ligne.ajoute(" && ");
  ligne.ajoute_cite(std::string(".") + argv[0]);
  for (int i = 0; i < nombre; ++i) {
    ligne.ajoute(" ");
    ligne.ajoute_cite(argument_transmis(arguments[i]));
  }
  if (ligne.trop_longue) {
    putsacc("\nLes arguments sont trop longs pour relancer le programme dans xterm.\n");
    return;
  }

  char titre_xterm[TAILLE_TITRE_XTERM];
  titre_utf8(titre != nullptr ? titre : "", titre_xterm);
  if (const int fin = lance_xterm(titre_xterm, fond, texte, ligne.texte); fin >= 0) std::exit(fin);
  signale_absence_xterm();
  reexecute(dossier, argv[0], arguments, nombre);
}

#endif
