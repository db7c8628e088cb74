// calcul.cpp -- the expression calculator (calcul.h).
// The text is read into a table of tokens, checked, then reduced in place:
// one pass per pair of parentheses, innermost first, and a last pass over
// the whole table; within a pass every '*' and '/' before any '+' and '-',
// each from left to right. Every value is a single-precision float.
#include "outils/calcul.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "outils/accents.h"
#include "outils/entier.h"
#include "outils/erreurs.h"
#include "outils/saisie.h"

namespace {

// One token. Kind: '0' a number or an intermediate result; '(' ')' '*' '/'
// '+' '-' not yet used; '#' an empty slot (a used number or parenthesis, or
// the place-holder left by a sign). The value is 0 for every kind but '0'.
struct Terme {
  char genre;
  float valeur;
  bool negatif;  // '(' only: the group changes sign when it closes
};

// Token indexes in order of appearance; an entry is -1 once used. A table
// holds at most MAX_TERMES tokens, so no list can outgrow its array.
struct Positions {
  int index[MAX_TERMES];
  int nombre = 0;

  void ajoute(int i) {
    assert(nombre < MAX_TERMES);
    index[nombre++] = i;
  }
};

struct Expression {
  Terme termes[MAX_TERMES];
  int nombre = 0;
  Positions ouvrantes, fermantes, produits;
};

// Tells the fault (a source-set message, no line end), pauses for a key and
// gives the error sentinel: the one way out of every fault but the symbol.
float refuse(const char *message) {
  putsacc(message);
  Pause();
  return CALCUL_ERREUR;
}

// Reads `texte` into `e` from left to right. A '-' or '+' where a number is
// awaited is a sign: an odd number of '-' negates the next number, or the
// whole group when a '(' comes first ("--3" is 3, "-(2+3)" is -5). The first
// unknown character from the left, or a token beyond MAX_TERMES, stops the
// reading with its message; false then.
bool lit_termes(const char *texte, Expression &e) {
  bool operande = false;  // the previous token ends an operand
  bool signe = false;     // a negation waits for its number or group
  for (const char *c = texte; *c != '\0';) {
    const char car = *c;
    if (!est_chiffre(car) && std::strchr("()*/+-", car) == nullptr) {
      std::printf("Erreur: le symbole %c n'est pas reconnu", car);
      Pause();
      return false;
    }
    if (e.nombre == MAX_TERMES) {
      char message[TAILLE_MESSAGE];
      std::snprintf(message, sizeof message,
                    "Erreur: l'expression dépasse %d nombres, signes, opérateurs et parenthèses",
                    MAX_TERMES);
      refuse(message);
      return false;
    }
    const int i = e.nombre++;
    Terme &t = e.termes[i];
    t = {car, 0.0f, false};
    if (est_chiffre(car)) {
      const auto valeur = static_cast<float>(std::atof(c));
      t = {'0', signe ? -valeur : valeur, false};
      signe = false;
      operande = true;
      while (est_chiffre(*c) || *c == '.') ++c;  // "1.5.3" is one number, 1.5
      continue;
    }
    ++c;
    if ((car == '-' || car == '+') && !operande) {
      if (car == '-') signe = !signe;
      t.genre = '#';
      continue;
    }
    operande = car == ')';
    if (car == '(') {
      t.negatif = signe;
      signe = false;
      e.ouvrantes.ajoute(i);
    } else if (car == ')') {
      e.fermantes.ajoute(i);
    } else if (car == '*' || car == '/') {
      e.produits.ajoute(i);
    }
  }
  return true;
}

// Checks the order of the tokens once the parentheses are known to be as
// many opening as closing: every operator between two operands, none missing,
// every ')' after its '('. Tells the first fault from the left; false then.
// "3*", "*3" and "()" lack a number, "2(3)" lacks an operator.
bool verifie_forme(const Expression &e) {
  bool attend_operande = true;  // a number, a sign or a '(' must come next
  int profondeur = 0;           // parentheses open at this point
  for (int i = 0; i < e.nombre; ++i) {
    const char genre = e.termes[i].genre;
    if (genre == ')' && profondeur == 0) {
      refuse("Erreur: une parenthèse est fermée avant d'être ouverte");
      return false;
    }
    const bool debut_operande = genre == '0' || genre == '(' || genre == '#';
    if (attend_operande && !debut_operande) {
      refuse("Erreur: il manque un nombre");
      return false;
    }
    if (!attend_operande && debut_operande) {
      refuse("Erreur: il manque un opérateur");
      return false;
    }
    if (genre == '(') ++profondeur;
    if (genre == ')') --profondeur;
    attend_operande = genre != '0' && genre != ')';
  }
  if (attend_operande) {
    refuse("Erreur: il manque un nombre");
    return false;
  }
  return true;
}

// The nearest number strictly between `de` and `a`, looking from `de`
// towards `a` (either way); -1 when there is none.
int nombre_vers(const Expression &e, int de, int a) {
  const int pas = a > de ? 1 : -1;
  for (int i = de + pas; i != a; i += pas)
    if (e.termes[i].genre == '0') return i;
  return -1;
}

// The first token of kind '+' or '-' strictly between `gauche` and `droite`.
int premier_additif(const Expression &e, int gauche, int droite) {
  for (int i = gauche + 1; i < droite; ++i)
    if (e.termes[i].genre == '+' || e.termes[i].genre == '-') return i;
  return -1;
}

// Empties a slot whose value has been taken.
void vide(Terme &t) { t = {'#', 0.0f, false}; }

// Reduces the tokens strictly between `gauche` and `droite` to one number.
// A division by 0 is told and pauses; false then.
bool reduit(Expression &e, int gauche, int droite) {
  for (int k = 0; k < e.produits.nombre; ++k) {
    int &p = e.produits.index[k];
    if (p <= gauche || p >= droite) continue;  // used (-1) or outside the span
    const int op = p;
    p = -1;
    const int a = nombre_vers(e, op, gauche);
    const int b = nombre_vers(e, op, droite);
    assert(a >= 0 && b >= 0);  // verifie_forme put a number on each side
    if (a < 0 || b < 0) continue;
    const float x = e.termes[a].valeur;
    const float y = e.termes[b].valeur;
    if (e.termes[op].genre == '/' && y == 0.0f) {
      std::puts("Erreur: Division par 0 !!!");
      Pause();
      return false;
    }
    const float resultat = e.termes[op].genre == '*' ? x * y : x / y;
    vide(e.termes[a]);
    vide(e.termes[b]);
    e.termes[op] = {'0', resultat, false};
  }
  for (;;) {
    const int a = nombre_vers(e, gauche, droite);
    const int b = a < 0 ? -1 : nombre_vers(e, a, droite);
    const int op = premier_additif(e, gauche, droite);
    if (b < 0 || op < 0) return true;  // one number left: the span's value
    const float x = e.termes[a].valeur;
    const float y = e.termes[b].valeur;
    const float resultat = e.termes[op].genre == '+' ? x + y : x - y;
    vide(e.termes[a]);
    vide(e.termes[b]);
    e.termes[op] = {'0', resultat, false};
  }
}

// Takes the first ')' still in the table and the last '(' before it out of
// their lists and gives their positions; false when no parenthesis is left.
bool paire_suivante(Expression &e, int &gauche, int &droite) {
  if (e.fermantes.nombre == 0 || e.ouvrantes.nombre == 0) return false;
  droite = e.fermantes.index[0];
  std::memmove(e.fermantes.index, e.fermantes.index + 1, (e.fermantes.nombre - 1) * sizeof(int));
  --e.fermantes.nombre;
  int k = e.ouvrantes.nombre - 1;  // verifie_forme put a '(' before every ')'
  while (k > 0 && e.ouvrantes.index[k] > droite) --k;
  gauche = e.ouvrantes.index[k];
  std::memmove(e.ouvrantes.index + k, e.ouvrantes.index + k + 1,
               (e.ouvrantes.nombre - k - 1) * sizeof(int));
  --e.ouvrantes.nombre;
  return true;
}

// The value of a checked table, or the error sentinel after a division by 0.
float evalue(Expression &e) {
  int gauche = 0, droite = 0;
  while (paire_suivante(e, gauche, droite)) {
    const bool negatif = e.termes[gauche].negatif;
    vide(e.termes[gauche]);
    vide(e.termes[droite]);
    if (!reduit(e, gauche, droite)) return CALCUL_ERREUR;
    const int groupe = nombre_vers(e, gauche, droite);
    if (negatif && groupe >= 0) e.termes[groupe].valeur = -e.termes[groupe].valeur;
  }
  if (!reduit(e, -1, e.nombre)) return CALCUL_ERREUR;
  for (int i = 0; i < e.nombre; ++i)
    if (e.termes[i].valeur != 0.0f) return e.termes[i].valeur;
  return 0.0f;
}

}  // namespace

// The value of `expression`, or of the text typed at the keyboard (into
// chfunc, the quit flag handed on) when it is empty. Prints nothing on
// success. "2+3*4" gives 14, "-(2+3)" gives -5, "2--3" gives 5.
// Sentinels: CALCUL_QUITTER for a text beginning with 'q', CALCUL_VIDE for
// an empty one, CALCUL_ERREUR after a fault told to the user (an unknown
// symbol, parentheses in unequal numbers, a division by 0, and also a text
// over 99 characters or 50 tokens, a missing number or operator, a ')'
// before its '(').
float interpret_calc(const char *expression, int quitter) {
  const char *source = expression;
  if (source[0] == '\0') source = nomajloc_interpret_calc(chfunc, quitter);
  if (source[0] == 'q') return CALCUL_QUITTER;
  if (source[0] == '\0') return CALCUL_VIDE;
  if (std::string_view(source).size() > TAILLE_EXPRESSION - 1) {
    char message[TAILLE_MESSAGE];
    std::snprintf(message, sizeof message, "Erreur: l'expression dépasse %d caractères",
                  TAILLE_EXPRESSION - 1);
    return refuse(message);
  }
  char texte[TAILLE_EXPRESSION];  // the private copy: 99 characters and the NUL
  std::snprintf(texte, sizeof texte, "%s", source);

  Expression e;
  if (!lit_termes(texte, e)) return CALCUL_ERREUR;
  if (e.ouvrantes.nombre != e.fermantes.nombre) {
    char mot[16];  // "parenthèses" for the console: 12 bytes and the NUL at most
    acc("parenthèses", mot);
    std::printf("Erreur: %d %s ouvertes, %d %s fermees", e.ouvrantes.nombre, mot,
                e.fermantes.nombre, mot);
    Pause();
    return CALCUL_ERREUR;
  }
  if (!verifie_forme(e)) return CALCUL_ERREUR;
  return evalue(e);
}
