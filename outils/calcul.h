// calcul.h -- the expression calculator: the four operations and
// parentheses, typed at the keyboard or passed as text, in single precision.
// Shared state: `chfunc` receives an expression read from the keyboard.
// Faults are told on the console in French, followed by a pause, and come
// back as sentinel values on which the caller asks again. Keeps no state.
#ifndef OUTILS_CALCUL_H
#define OUTILS_CALCUL_H

// The calculator's copy of an expression: 99 characters and the NUL.
constexpr int TAILLE_EXPRESSION = 100;
// The most tokens (numbers, signs, operators, parentheses) one expression holds.
constexpr int MAX_TERMES = 50;

// interpret_calc's answers besides a value: a reported fault, an empty
// expression, a quit request.
constexpr float CALCUL_ERREUR = 12345678.0f;
constexpr float CALCUL_VIDE = 1111111.0f;
constexpr float CALCUL_QUITTER = -12345678.0f;

float interpret_calc(const char *expression, int quitter);

#endif
