// affichage.h -- the text of the batch reports as their reader receives it.
// Whatever a table or a path holds, a report line is one line that the
// terminal shows as text: valid UTF-8 on Linux, the console's code page on
// Windows, and every control character written as an escape ("\n", "\r",
// "\x1b", "\x9b"), so that nothing read from a file or a name can forge a
// line or drive the terminal. The interactive report keeps its own
// conversion (outils/accents.h).
#ifndef SONDEUR_AFFICHAGE_H
#define SONDEUR_AFFICHAGE_H

#include <string>
#include <string_view>

// Whether `texte` is valid UTF-8 as a whole (no overlong form, surrogate or
// value past U+10FFFF). ASCII is.
bool est_utf8(std::string_view texte);

// `texte` in UTF-8: as it is when it is valid UTF-8, else read as ISO
// 8859-1, every byte from 0x80 to 0xFF converted. "\xE9t\xE9" -> "été".
std::string en_utf8(std::string_view texte);

// `texte` (a message or a table's text, ISO 8859-1 or UTF-8, see en_utf8)
// in UTF-8, its control characters escaped: the bytes below 0x20 but the
// tab, 0x7F and U+0080 to U+009F. A backslash that could be read as the
// start of an escape is doubled. Example: a, a line feed, b, a backslash
// and x are written a\nb\\x.
std::string affichable(std::string_view texte);
// The same, appended to `sortie`.
void ajoute_affichable(std::string &sortie, std::string_view texte);

// Appends `texte` to `sortie` as standard output shows it: affichable, then
// on Windows converted to the console's output code page (850 when there is
// no console; 65001 keeps UTF-8), a character that the page lacks shown as
// '?'.
void ajoute_texte(std::string &sortie, std::string_view texte);

// Appends the path `chemin` as it was given, byte for byte, so that editors
// and shells open it, but its control characters escaped as by affichable
// (for a path that is not UTF-8, the bytes 0x80 to 0x9F; on Windows, where
// the backslash separates the folders, it is never doubled).
void ajoute_chemin(std::string &sortie, std::string_view chemin);

// UTF-8 text as standard output shows it: as it is on Linux and on a
// Windows console in UTF-8 (code page 65001), else in the console's code
// page as ajoute_texte writes it.
std::string pour_la_sortie(const std::string &utf8);
// Writes UTF-8 text on standard output as pour_la_sortie gives it.
void ecrit_sur_la_sortie(const std::string &utf8);
// Whether standard output shows UTF-8 (so that "→" can be written).
bool sortie_en_utf8();

// UTF-8 text in the console's output code page (Windows only).
std::string vers_la_console(const std::string &utf8);

#endif
