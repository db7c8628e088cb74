// clavier.cpp -- raw keys and line input (clavier.h).
// Every read stops at the end of its stream: fgetc's result is compared with
// EOF as an int before it becomes a char, so a 0xFF byte is a byte like any
// other and the end of input is never taken for an end character.
#include "outils/clavier.h"

#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <termios.h>
#endif

#include "outils/erreurs.h"

namespace {

#ifndef _WIN32
termios configuration_initiale;  // standard input as the first getch found it
termios configuration_brute;     // the same in raw mode, for one key
#endif

// The block resized to `taille` bytes, checked the library's way: a failed
// allocation ends the program.
char *redimensionne(char *bloc, std::size_t taille) {
  char *nouveau = static_cast<char *>(std::realloc(bloc, taille));
  ER = nouveau;
  Erreur(1);
  return nouveau;
}

// fclean for a buffer of `taille` bytes: the line feed is looked for only
// inside it, so a buffer that fgets left as it was is never read past.
int coupe_ligne(char *chaine, std::size_t taille, FILE *flux) {
  char *fin = static_cast<char *>(std::memchr(chaine, '\n', strnlen(chaine, taille)));
  if (fin == nullptr) return fpurge(flux);  // the line did not fit: drop its rest
  *fin = '\0';
  return 0;
}

}  // namespace

#ifndef _WIN32
// One byte of standard input, without echo and without waiting for Enter:
// the terminal is raw only while the byte is read, then back to the settings
// captured at the first call (a later change of them is undone after every
// key). Enter gives 13, Backspace 127, other keys their escape sequences a
// byte per call. On a pipe or a file the terminal calls fail and change
// nothing, and getch returns the next byte; -1 at the end of input.
int getch() {
  static char is_init = 0;
  if (!is_init) {
    is_init = 1;
    tcgetattr(0, &configuration_initiale);
    configuration_brute = configuration_initiale;
    cfmakeraw(&configuration_brute);
    configuration_brute.c_cc[VMIN] = 1;   // a read returns with the first byte
    configuration_brute.c_cc[VTIME] = 0;  // and never times out
  }
  tcsetattr(0, TCSANOW, &configuration_brute);
  const int touche = std::getchar();
  tcsetattr(0, TCSANOW, &configuration_initiale);
  return touche;
}
#endif

// Reads `flux` up to the character `fin` (0 means line feed), which is
// consumed but not kept, into a new heap block that the caller frees. The
// block starts at 100 bytes, grows 100 at a time and ends 100 larger than its
// last capacity. A line feed just before the end character is dropped:
// "abc\n;" with ';' gives "abc", "a\nb;" gives "a\nb". At the end of input
// the text read so far is returned, its last line feed dropped likewise.
// `inutilise` carries nothing; callers pass a null pointer.
char *getsdyn(char *inutilise, FILE *flux, char fin) {
  (void)inutilise;
  const int arret = (fin == 0) ? '\n' : static_cast<unsigned char>(fin);
  std::size_t capacite = PAS_GETSDYN;
  std::size_t nombre = 0;
  char *bloc = static_cast<char *>(std::calloc(capacite, 1));
  ER = bloc;
  Erreur(1);
  for (int lu = std::fgetc(flux); lu != EOF && lu != arret; lu = std::fgetc(flux)) {
    if (++nombre > capacite) {
      capacite += PAS_GETSDYN;
      bloc = redimensionne(bloc, capacite);
    }
    bloc[nombre - 1] = static_cast<char>(lu);
  }
  capacite += PAS_GETSDYN;
  bloc = redimensionne(bloc, capacite);
  if (nombre > 0 && bloc[nombre - 1] == '\n') --nombre;
  bloc[nombre] = '\0';
  return bloc;
}

// getsdyn into slot `index` of the caller's table, whose former block is
// neither freed nor looked at; returns the new block.
char *tabch_dyn(char **table, int index, FILE *flux, char fin) {
  table[index] = getsdyn(nullptr, flux, fin);
  return table[index];
}

// Reads one line of standard input into `buffer` of `taille` bytes: at most
// taille - 1 characters, never its line feed; the rest of a longer line is
// thrown away, so the next read starts on the next line. With size 10,
// "0123456789ABC" gives "012345678". At the end of input nothing is read and
// the buffer keeps what it held. A size of 1 always gives the empty line; a
// size below 1 leaves the buffer and the input alone.
char *getsfix(char *buffer, int taille) {
  if (taille < 1) return buffer;      // not even room for the NUL
  if (taille == 1) buffer[0] = '\0';  // what fgets gives; some run-times write nothing
  if (std::fgets(buffer, taille, stdin) == nullptr) {
    // End of input: nothing was read and the buffer holds the caller's text,
    // perhaps without a NUL; the line feed is looked for inside it only.
  }
  coupe_ligne(buffer, static_cast<std::size_t>(taille), stdin);
  return buffer;
}

// Ends a line just read from `flux` at its first line feed and returns 0,
// without reading anything more. With no line feed the line was cut short
// (or the input ended): the rest of it is thrown away, and the result is
// fpurge's. "abc\ndef" becomes "abc".
int fclean(char *chaine, FILE *flux) {
  char *fin = std::strchr(chaine, '\n');
  if (fin == nullptr) return fpurge(flux);
  *fin = '\0';
  return 0;
}

// Throws away what is left of the current line of `flux`, its line feed
// included. Returns 0 once the line feed is consumed, -1 when the stream
// ended first (at once if it had already ended).
int fpurge(FILE *flux) {
  for (int lu = std::fgetc(flux); lu != '\n'; lu = std::fgetc(flux))
    if (lu == EOF) return -1;
  return 0;
}
