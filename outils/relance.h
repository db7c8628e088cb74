// relance.h -- the relaunch on Linux of a program started without a terminal
// (from a file manager, or a file-type association) inside a new xterm window
// that carries its title and colours, from its own folder, with the same
// arguments. The marker argument "swxterm" forces it even from a terminal.
// Windows programs set up their own console (Titre): there it does nothing.
#ifndef OUTILS_RELANCE_H
#define OUTILS_RELANCE_H

// The program's folder, and the command line of the new window, NUL included.
constexpr int TAILLE_DOSSIER = 4096;
constexpr int TAILLE_COMMANDE_XTERM = 4096;
// The window title once in UTF-8: 254 bytes and the NUL.
constexpr int TAILLE_TITRE_XTERM = 255;
// One xterm colour name ("DarkMagenta", or a name given after ':').
constexpr int TAILLE_COULEUR_XTERM = 100;

void startxterm(int argc, char **argv, const char *titre, const char *couleur);

#endif
