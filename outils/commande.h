// commande.h -- running command lines through the command interpreter.
// On Windows the interpreter is the cmd.exe of the system folder, and a
// command's program is taken by its full path from the system folder or
// the Windows folder, so that no program of the same name in the current
// folder or on PATH ever runs in their place; a command reads no input, so
// none can wait on a question. On Linux the lines go to /bin/sh through
// system(). The umbrella header leaves it out: the installation tools
// include it themselves.
#ifndef OUTILS_COMMANDE_H
#define OUTILS_COMMANDE_H

#include <cstddef>

// Writes into `commande` (`taille` bytes) what printf would write with
// `format` and the arguments. False when it does not fit whole: the command
// is then left empty, so that no command cut short can ever run.
// "reg delete \"%s\" /f" with HKCR\.cl gives "reg delete \"HKCR\.cl\" /f".
bool compose_commande(char *commande, std::size_t taille, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

// Runs `ligne` through the command interpreter, after what was printed
// before it, and waits for its end. Returns its exit status; -1 when it
// could not run.
int lance_commande(const char *ligne);

// Runs `commande`, whose first word names a program of the system ("reg",
// "xcopy", "regedit.exe", with ".exe" or ".com" understood), with that
// program taken from the system's own folders: "reg delete \"HKCR\\.cl\" /f"
// runs "\"C:\\Windows\\system32\\reg.exe\" delete \"HKCR\\.cl\" /f". Returns
// its exit status; -1 when the program is not in those folders, or the
// first word is not a bare name. Linux runs the command as it is.
int lance_systeme(const char *commande);

#ifdef _WIN32
// A full path of the system: MAX_PATH, NUL included.
constexpr int TAILLE_CHEMIN_SYSTEME = 260;

// The full path of the system program `nom` ("ping.exe"), from the system
// folder or else the Windows folder; false when it is in neither.
bool programme_systeme(const char *nom, char (&chemin)[TAILLE_CHEMIN_SYSTEME]);

// Starts `ligne` through the command interpreter from the folder `dossier`
// and returns at once: the command is detached from this program, holds
// none of its handles and goes on after its end. False when it could not
// start.
bool lance_detache(const char *ligne, const char *dossier);
#endif

#endif
