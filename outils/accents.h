// accents.h -- the suite's French text, written in ISO 8859-1, converted for
// the console and back: UTF-8 for the Linux terminal, code page 850 for the
// Windows console (chosen at build time), and the console code page switch.
// Shared state: `chfunc`, the result buffer that each writer overwrites.
#ifndef OUTILS_ACCENTS_H
#define OUTILS_ACCENTS_H

// chfunc: converted text, typed entries and colour codes, NUL included.
constexpr int TAILLE_CHFUNC = 4096;
// putsacc's copy of a message: 511 bytes and the NUL.
constexpr int TAILLE_MESSAGE = 512;

extern char chfunc[TAILLE_CHFUNC];

void putsacc(const char *message);
char *acc(const char *texte, char *dest);
char *linux_acc(const char *texte, char *dest);
char *invers_acc(const char *texte, char *dest);
char *linux_utf_to_iso(const char *texte, char *dest);
char *exp_iconv(const char *depuis, const char *vers, const char *texte, char *resultat);
int accent_redir_dos();
int annul_accent_redir_dos();

#endif
