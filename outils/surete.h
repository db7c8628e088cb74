// surete.h -- checks on text that comes from outside a program (the
// registry, a settings file, a typed answer, a file name) before it goes
// into a command line for the command interpreter, or names a folder to
// remove. Plain text routines, the same on every build. The umbrella header
// leaves it out: the installation tools include it themselves.
#ifndef OUTILS_SURETE_H
#define OUTILS_SURETE_H

#include <string_view>

// Whether `texte` holds none of the characters that the command
// interpreter gives a meaning to, even between quotes ('%', '"'), or
// outside them ('&', '|', '<', '>', '^'), and no control character.
// "C:\Jeux vidéo" passes; "C:\x\" & rem" and "%OS%.reg" do not.
bool sans_caractere_special(std::string_view texte);

// Whether `chemin` starts with a drive: a letter, ':' then '\' ("C:\Jeux").
bool chemin_absolu(std::string_view chemin);

// Whether no folder of `chemin` (between '\' or '/') is "." or "..":
// "C:\Jeux\..\x" and "D:\.\" do not pass; "C:\Jeux\.config" does.
bool sans_dossier_relatif(std::string_view chemin);

// Whether `code` is a colour code that the Windows `color` command takes:
// two hexadecimal digits, background then text ("1F").
bool code_couleur_windows(std::string_view code);

#endif
