// saisie.cpp -- digit entry without the Shift key (saisie.h).
// nomajloc reads one key at a time, echoes everything itself and flushes
// before it waits for the next key. A key is first decoded (Linux: UTF-8
// letters and escape sequences; Windows: code page 850 and the 0xE0 prefix),
// then either edits the line or goes through the mode's translation table.
#include "outils/saisie.h"

#include <array>
#include <cassert>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#ifdef _WIN32
#include <conio.h>
#else
#include "outils/clavier.h"
#endif

#include "outils/accents.h"
#include "outils/entier.h"
#include "outils/historique.h"

namespace {

constexpr int MAX_CARACTERES = TAILLE_SAISIE - 1;  // 254: the rest of a full line is dropped
constexpr int NOMBRE_MODES = 7;
constexpr int FIN_ENTREE = -1;  // no key can come any more
constexpr int ENTREE = 13;
constexpr int ECHAPPEMENT = 27;
constexpr int RETOUR_TERMINAL = 127;  // Backspace on a Linux terminal
constexpr int RETOUR_CONSOLE = 8;     // Backspace on a Windows console
constexpr char BS = '\b';

#ifdef _WIN32
constexpr bool CONSOLE_WINDOWS = true;
#else
constexpr bool CONSOLE_WINDOWS = false;
#endif

// One byte from the keyboard, without echo; FIN_ENTREE when no more can come
// (on Windows, when there is no console to read: _getch then gives EOF).
// Wine's _getch gives the bytes above 0x7F sign-extended: they are masked.
int lit_octet() {
#ifdef _WIN32
  const int octet = _getch();
  return octet == EOF ? FIN_ENTREE : (octet & 0xFF);
#else
  return getch();
#endif
}

// ---- Decoding the keys -------------------------------------------------

enum class Action {
  aucune,
  haut,
  bas,
  page_haut,
  page_bas,
  debut,
  fin,
  gauche,
  droite,
  suppression,
  retour_arriere
};

// The byte that selects each action from haut to suppression, in that order,
// after the escape sequence's '[' (Linux) or after the prefix 0xE0 (Windows).
constexpr std::string_view actions_terminal = "AB56HFDC3";
constexpr std::string_view actions_console = "HPIQGOKMS";

struct Touche {
  enum Sorte { validation, edition, caractere } sorte;
  Action action = Action::aucune;
  int octet = 0;  // for caractere: the byte to look up in the translation table
};

Action action_de(int octet, std::string_view actions) {
  const std::size_t rang = actions.find(static_cast<char>(octet));
  return rang == std::string_view::npos ? Action::aucune : static_cast<Action>(rang + 1);
}

// A plain byte: Enter (or the end of input) validates, the platform's
// Backspace byte edits, anything else is a character for the table.
Touche touche_simple(int octet, int retour_arriere) {
  if (octet == FIN_ENTREE || octet == ENTREE) return {Touche::validation};
  if (octet == retour_arriere) return {Touche::edition, Action::retour_arriere};
  return {Touche::caractere, Action::aucune, octet};
}

// A UTF-8 terminal through getch: of a two-byte letter only the second byte
// counts ('§' is moved to 0xA6, off 'ç' whose second byte is also 0xA7);
// escape sequences 27 '[' X, with a '~' read and dropped after '5' and '6'
// (the '~' of Delete, after '3', comes later as an ordinary key).
Touche touche_terminal(int octet) {
  if (octet == 0xC3) {
    octet = lit_octet();
  } else if (octet == 0xC2) {
    octet = lit_octet();
    if (octet == 0xA7) octet = 0xA6;
  }
  if (octet != ECHAPPEMENT) return touche_simple(octet, RETOUR_TERMINAL);
  octet = lit_octet();
  if (octet == '[') {
    octet = lit_octet();
    if ((octet == '5' || octet == '6') && lit_octet() == FIN_ENTREE) octet = FIN_ENTREE;
  }
  if (octet == FIN_ENTREE) return {Touche::validation};
  return {Touche::edition, action_de(octet, actions_terminal)};
}

// A Windows console through _getch, in code page 850: 0xE0 announces an
// editing key; a key with the prefix 0 gives 0 and then its code, both
// looked up as ordinary bytes.
Touche touche_console(int octet) {
  if (octet != 0xE0) return touche_simple(octet, RETOUR_CONSOLE);
  octet = lit_octet();
  if (octet == FIN_ENTREE) return {Touche::validation};
  return {Touche::edition, action_de(octet, actions_console)};
}

Touche lit_touche() {
  const int octet = lit_octet();
  return CONSOLE_WINDOWS ? touche_console(octet) : touche_terminal(octet);
}

// ---- Translation by mode -----------------------------------------------

// What modes 1 to 7 make of a key: the byte stored, or one of these.
constexpr char REJETEE = '#';       // ignored, no echo
constexpr char TELLE_QUELLE = '=';  // stored as typed
constexpr char AU_DEBUT = '^';      // stored in lower case, only at the start of the line

struct Regle {
  std::string_view terminal;  // bytes on Linux (of a UTF-8 letter, its second byte)
  std::string_view console;   // bytes on Windows (code page 850)
  std::string_view modes;     // modes 1 to 7
};

// The top row without Shift gives the digits in every mode (on Linux the
// capitals of Caps Lock too: É, È, Ç, À); the other signs and letters pass
// in some modes. Example: '-' is '6' in modes 1, 2 and 7, '-' in the others.
constexpr Regle regles[] = {
    {"0123456789", "0123456789", "======="},
    {"&", "&", "1111111"},
    {"\xA9\x89", "\x82", "2222222"},  // é É
    {"\"", "\"", "3333333"},
    {"'", "'", "4444444"},
    {"(", "(", "555((55"},
    {"-", "-", "66----6"},
    {"\xA8\x88", "\x8A", "7777777"},  // è È
    {"_", "_", "8888888"},
    {"\xA7\x87", "\x87", "9999999"},  // ç Ç
    {"\xA0\x80", "\x85", "0000000"},  // à À
    {")\xB0", ")\xF8", "###))##"},    // ) °
    {"*\xB5", "*\xE6", "##***##"},    // * µ
    {"!\xA6", "!\xF5", "###!###"},    // ! §
    {"+=", "+=", "##++++#"},
    {"/:\\", "/:\\", "##///##"},
    {",.;?", ",.;?", "###..##"},
    {" ", " ", "# #####"},
    {"Dd", "Dd", "#d###dd"},
    {"Ee", "Ee", "###E###"},
    {"Ff", "Ff", "###F###"},
    {"Aa", "Aa", "##A##Aa"},
    {"Mm", "Mm", "#^###=^"},
    {"Ss", "Ss", "#####=^"},
    {"NnPpRr", "NnPpRr", "#####=#"},
    {"Qq", "Qq", "======="},
};

using Table = std::array<std::array<char, NOMBRE_MODES>, 256>;

constexpr Table construit_table() {
  Table table{};
  for (auto &effets : table) effets.fill(REJETEE);
  for (const Regle &regle : regles) {
    assert(regle.modes.size() == NOMBRE_MODES);
    for (const char octet : CONSOLE_WINDOWS ? regle.console : regle.terminal) {
      auto &effets = table[static_cast<unsigned char>(octet)];
      for (int m = 0; m < NOMBRE_MODES; ++m) effets[m] = regle.modes[m];
    }
  }
  return table;
}

constexpr Table traductions = construit_table();

// The byte stored for `octet` in `mode` with the cursor at `pos`; 0 when the
// key is rejected. A mode outside 1 to 7 is taken as mode 1.
char traduit(int octet, int mode, int pos) {
  if (octet < 0 || octet > 255) return 0;
  if (mode < 1 || mode > NOMBRE_MODES) mode = 1;
  const char effet = traductions[octet][mode - 1];
  switch (effet) {
    case REJETEE: return 0;
    case TELLE_QUELLE: return static_cast<char>(octet);
    case AU_DEBUT: return pos == 0 ? static_cast<char>(octet | 0x20) : 0;  // 'M' -> 'm'
    default: return effet;
  }
}

// ---- The line and its echo ---------------------------------------------

struct Ligne {
  char texte[TAILLE_SAISIE] = {};  // 254 characters and the NUL
  int pos = 0;                     // where the next character goes; the screen cursor
  int len = 0;
};

void affiche(const char *debut, int nombre) {
  if (nombre > 0) std::fwrite(debut, 1, static_cast<std::size_t>(nombre), stdout);
}

void repete(char c, int fois) {
  for (int i = 0; i < fois; ++i) std::putchar(c);
}

// Types `c` at the cursor, moving the rest of the line one place right.
// A full line drops the key without a sign.
void insere(Ligne &ligne, char c) {
  if (ligne.len >= MAX_CARACTERES) return;
  char *curseur = ligne.texte + ligne.pos;
  if (ligne.pos < ligne.len) {
    std::memmove(curseur + 1, curseur, static_cast<std::size_t>(ligne.len - ligne.pos) + 1);
    affiche(curseur, ligne.len - ligne.pos + 1);  // the moved text, the first byte twice
    repete(BS, ligne.len - ligne.pos + 1);
  }
  std::putchar(c);
  *curseur = c;
  ++ligne.pos;
  ++ligne.len;
}

// Removes the character at `rang` (< len), reprints the text from there,
// blanks the freed last column and brings the screen cursor back to `rang`.
void retire(Ligne &ligne, int rang) {
  char *reste = ligne.texte + rang;
  std::memmove(reste, reste + 1, static_cast<std::size_t>(ligne.len - rang));
  --ligne.len;
  affiche(reste, ligne.len - rang);
  std::putchar(' ');
  repete(BS, ligne.len - rang + 1);
}

void retour_arriere(Ligne &ligne) {
  if (ligne.pos == 0) return;
  std::putchar(BS);
  if (ligne.pos < ligne.len) {
    retire(ligne, ligne.pos - 1);
  } else {
    std::fputs(" \b", stdout);
    ligne.texte[--ligne.len] = '\0';
  }
  --ligne.pos;
}

// Blanks the columns from the start of the line to the cursor (what stands
// right of it stays on the screen), then shows the history slot reached.
void rappelle(Ligne &ligne, int pas) {
  repete(BS, ligne.pos);
  repete(' ', ligne.pos);
  repete(BS, ligne.pos);
  const char *rappel = parcours_historique(pas);
  ligne.len = static_cast<int>(strnlen(rappel, MAX_CARACTERES));
  std::memcpy(ligne.texte, rappel, static_cast<std::size_t>(ligne.len));
  ligne.texte[ligne.len] = '\0';
  ligne.pos = ligne.len;
  affiche(ligne.texte, ligne.len);
}

void edite(Ligne &ligne, Action action) {
  switch (action) {
    case Action::haut: rappelle(ligne, -1); break;
    case Action::bas: rappelle(ligne, 1); break;
    case Action::page_haut: rappelle(ligne, -9); break;
    case Action::page_bas: rappelle(ligne, 9); break;
    case Action::debut:
      repete(BS, ligne.pos);
      ligne.pos = 0;
      break;
    case Action::fin:
      affiche(ligne.texte + ligne.pos, ligne.len - ligne.pos);
      ligne.pos = ligne.len;
      break;
    case Action::gauche:
      if (ligne.pos > 0) --ligne.pos, std::putchar(BS);
      break;
    case Action::droite:
      if (ligne.pos < ligne.len) std::putchar(ligne.texte[ligne.pos++]);
      break;
    case Action::suppression:
      if (ligne.pos < ligne.len) retire(ligne, ligne.pos);
      break;
    case Action::retour_arriere: retour_arriere(ligne); break;
    case Action::aucune: break;
  }
}

// The wrappers: a 'q' or 'Q' anywhere asks to quit. With `quitter` set the
// program ends at once (status 0); otherwise the line starts with 'q'.
// Example: "12q3" with `quitter` 0 gives "q2q3".
char *saisie_quittable(char *dest, int mode, int quitter) {
  nomajloc(dest, mode);
  if (std::strpbrk(dest, "qQ") != nullptr) {
    if (quitter != 0) std::exit(0);
    dest[0] = 'q';
  }
  return dest;
}

}  // namespace

// Reads one line key by key into `dest` (255 bytes at least) and returns it.
// Each accepted key is echoed and inserted at the cursor; Enter (or the end
// of input) ends the line with a line feed and stores it in the history.
// Example: in mode 1 the keys & é " give "123".
char *nomajloc(char *dest, int mode) {
  Ligne ligne;
  for (;;) {
    std::fflush(stdout);  // the echo is on the screen before the next key is awaited
    const Touche touche = lit_touche();
    if (touche.sorte == Touche::validation) break;
    if (touche.sorte == Touche::edition) {
      edite(ligne, touche.action);
    } else if (const char c = traduit(touche.octet, mode, ligne.pos); c != 0) {
      insere(ligne, c);
    }
  }
  std::puts("");
  std::fflush(stdout);
  ajout_historique(ligne.texte);
  std::memcpy(dest, ligne.texte, static_cast<std::size_t>(ligne.len) + 1);
  return dest;
}

// A whole number typed in mode 1, read into chfunc: SAISIE_VIDE for an empty
// line, SAISIE_QUITTER for a 'q' (or the end of the program with status 0
// when `quitter` is set). A number beyond an int gives INT_MAX.
int chiffre_lettre(int quitter) {
  nomajloc(chfunc, 1);
  if (std::strpbrk(chfunc, "qQ") != nullptr) {
    if (quitter != 0) std::exit(0);
    return SAISIE_QUITTER;
  }
  if (chfunc[0] == '\0') return SAISIE_VIDE;
  return entier_de(chfunc);
}

char *nomajloc_des(char *dest, int quitter) { return saisie_quittable(dest, 2, quitter); }
char *nomajloc_attaque(char *dest, int quitter) { return saisie_quittable(dest, 3, quitter); }
char *nomajloc_calc(char *dest, int quitter) { return saisie_quittable(dest, 4, quitter); }
char *nomajloc_interpret_calc(char *dest, int quitter) {
  return saisie_quittable(dest, 5, quitter);
}
char *nomajloc_gestion_combattant(char *dest, int quitter) {
  return saisie_quittable(dest, 6, quitter);
}
char *nomajloc_choix_arme(char *dest, int quitter) { return saisie_quittable(dest, 7, quitter); }
