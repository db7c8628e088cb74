// accents.cpp -- accented text for the consoles (accents.h).
// Writers of chfunc never pass its end: a longer result is cut at 4095 bytes,
// never in the middle of a two-byte letter. Other destinations are the
// caller's, as large as the result (twice the text for linux_acc).
#include "outils/accents.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "outils/commande.h"

char chfunc[TAILLE_CHFUNC];

namespace {

// The 21 lower-case accented letters that the Windows console conversions
// know: their byte in the source set, in code page 850, and the second byte
// of their UTF-8 form (the first being 0xC3).
struct Lettre {
  unsigned char source, console, utf8;
};
constexpr Lettre lettres[] = {
    {0xE0, 0x85, 0xA0}, {0xE2, 0x83, 0xA2}, {0xE3, 0xC6, 0xA3}, {0xE4, 0x84, 0xA4},
    {0xE7, 0x87, 0xA7}, {0xE8, 0x8A, 0xA8}, {0xE9, 0x82, 0xA9}, {0xEA, 0x88, 0xAA},
    {0xEB, 0x89, 0xAB}, {0xEC, 0x8D, 0xAC}, {0xEE, 0x8C, 0xAE}, {0xEF, 0x8B, 0xAF},
    {0xF1, 0xA4, 0xB1}, {0xF2, 0x95, 0xB2}, {0xF4, 0x93, 0xB4}, {0xF5, 0xE4, 0xB5},
    {0xF6, 0x94, 0xB6}, {0xF9, 0x97, 0xB9}, {0xFB, 0x96, 0xBB}, {0xFC, 0x81, 0xBC},
    {0xFF, 0x98, 0xBF},
};

using Table = std::array<unsigned char, 256>;

constexpr Table identite() {
  Table t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  return t;
}

// Console output: a source-set letter or a UTF-8 second byte gives the
// letter's code page 850 byte (the two ranges do not overlap).
constexpr Table table_console() {
  Table t = identite();
  for (const Lettre &l : lettres) t[l.source] = t[l.utf8] = l.console;
  return t;
}

// Console input: a code page 850 byte gives the source-set letter, else a
// UTF-8 second byte does. 0xA4 is both 850's 'ñ' and UTF-8 'ä': 'ñ' wins.
constexpr Table table_source() {
  Table t = identite();
  for (const Lettre &l : lettres) t[l.utf8] = l.source;
  for (const Lettre &l : lettres) t[l.console] = l.source;
  return t;
}

[[maybe_unused]] constexpr Table vers_console = table_console();
[[maybe_unused]] constexpr Table vers_source = table_source();

// Room in `dest`, NUL included: chfunc's size, or the caller's promise.
std::size_t place_dans(const char *dest) { return dest == chfunc ? sizeof chfunc : SIZE_MAX; }

// The Windows conversions: a 0xC3 is dropped and the byte after it is the
// one converted; every byte goes through `table`. Never longer than the
// text, so `dest` may be the text itself.
[[maybe_unused]] char *transcode(const char *texte, char *dest, const Table &table,
                                 std::size_t place) {
  std::size_t j = 0;
  for (std::size_t i = 0;; ++i) {
    unsigned char c = static_cast<unsigned char>(texte[i]);
    if (c == 0xC3) c = static_cast<unsigned char>(texte[++i]);
    if (c == 0 || j + 1 >= place) break;
    dest[j++] = static_cast<char>(table[c]);
  }
  dest[j] = '\0';
  return dest;
}

// Source set to UTF-8 within `place` bytes: 0xE0-0xFF become 0xC3 and the
// byte less 0x40, a 0xC3 pair is already UTF-8 and passes whole, every other
// byte is copied (so upper-case letters stay as they are).
char *vers_utf8(const char *texte, char *dest, std::size_t place) {
  std::size_t j = 0;
  for (std::size_t i = 0; texte[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(texte[i]);
    unsigned char paire[2] = {c, 0};
    std::size_t n = 1;
    if (c == 0xC3 && texte[i + 1] != '\0') {
      paire[1] = static_cast<unsigned char>(texte[++i]);
      n = 2;
    } else if (c >= 0xE0) {
      paire[0] = 0xC3;
      paire[1] = static_cast<unsigned char>(c - 0x40);
      n = 2;
    }
    if (j + n >= place) break;
    std::memcpy(dest + j, paire, n);
    j += n;
  }
  dest[j] = '\0';
  return dest;
}

}  // namespace

// Source set to UTF-8: 'é' (0xE9) gives 0xC3 0xA9; UTF-8 text passes whole.
char *linux_acc(const char *texte, char *dest) { return vers_utf8(texte, dest, place_dans(dest)); }

// Text for this platform's console: code page 850 on Windows ("été" in the
// source set or in UTF-8 gives 0x82 't' 0x82), UTF-8 on Linux through a
// 4096-byte work area.
char *acc(const char *texte, char *dest) {
#ifdef _WIN32
  return transcode(texte, dest, vers_console, place_dans(dest));
#else
  char travail[TAILLE_CHFUNC];
  vers_utf8(texte, travail, sizeof travail);
  std::memcpy(dest, travail, std::strlen(travail) + 1);
  return dest;
#endif
}

// Text typed at the Windows console (code page 850 or UTF-8) back into the
// source set, for file names and commands. On Linux the terminal's text is
// used as it is: nothing is written and `dest` is returned.
char *invers_acc(const char *texte, char *dest) {
#ifdef _WIN32
  return transcode(texte, dest, vers_source, place_dans(dest));
#else
  (void)texte;
  return dest;
#endif
}

// UTF-8 letters U+0080 to U+00FF back to single source-set bytes on Linux
// (0xC3 0xA9 gives 0xE9); every other byte is copied. Windows copies the text.
char *linux_utf_to_iso(const char *texte, char *dest) {
  const std::size_t place = place_dans(dest);
  std::size_t j = 0;
  for (std::size_t i = 0; texte[i] != '\0' && j + 1 < place; ++i) {
    unsigned char c = static_cast<unsigned char>(texte[i]);
#ifndef _WIN32
    const unsigned char suite = static_cast<unsigned char>(texte[i + 1]);
    if ((c == 0xC2 || c == 0xC3) && suite >= 0x80 && suite <= 0xBF) {
      c = static_cast<unsigned char>(((c & 0x03) << 6) | (suite & 0x3F));
      ++i;
    }
#endif
    dest[j++] = static_cast<char>(c);
  }
  dest[j] = '\0';
  return dest;
}

// Kept for the programs that name it: returns `resultat`, converts nothing.
char *exp_iconv(const char *depuis, const char *vers, const char *texte, char *resultat) {
  (void)depuis;
  (void)vers;
  (void)texte;
  return resultat;
}

// Prints a source-set message (cut at 511 bytes) for the console, through
// chfunc, with no line feed of its own.
void putsacc(const char *message) {
  char copie[TAILLE_MESSAGE];
  std::snprintf(copie, sizeof copie, "%s", message);
  std::printf("%s", acc(copie, chfunc));
}

// Switches the Windows console to code page 1252, whose letters are those of
// the source set; chcp's answer goes to temp.tmp in the current folder. The
// chcp of the system folder: its exit status.
int accent_redir_dos() { return lance_systeme("chcp 1252 > temp.tmp"); }

// Sets the Windows console to code page 437.
int annul_accent_redir_dos() { return lance_systeme("chcp 437 > temp.tmp"); }
