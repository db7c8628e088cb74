// The expression calculator: values, signs, the faults it tells and the
// sentinels it returns, and expressions typed at the keyboard.
#include "outils/calcul.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "outils/accents.h"
#include "tests/support/console.h"
#include "tests/support/support.h"

namespace {

struct Calcul {
  float valeur;
  std::string sortie;  // every byte printed, the pause's "..." included
};

// interpret_calc on `expression` with the quit flag 0; standard input holds
// the key that a fault's pause takes.
Calcul calcule(const std::string &expression) {
  entree_depuis("\n");
  Calcul c{};
  c.sortie = sortie_de([&] { c.valeur = interpret_calc(expression.c_str(), 0); });
  return c;
}

struct Cas {
  const char *expression;
  float valeur;
};

// Each expression gives its value exactly and prints nothing.
void verifie(const std::vector<Cas> &cas) {
  for (const Cas &k : cas) {
    const Calcul c = calcule(k.expression);
    EXPECT_EQ(c.valeur, k.valeur) << k.expression;
    EXPECT_EQ(c.sortie, "") << k.expression;
  }
}

// The expression is refused with `message` (then the pause), the same way
// each time it is given.
void refusee(const std::string &expression, const std::string &message) {
  for (int fois = 0; fois < 2; ++fois) {
    const Calcul c = calcule(expression);
    EXPECT_EQ(c.valeur, CALCUL_ERREUR) << expression;
    EXPECT_EQ(c.sortie, message + "...") << expression;
  }
}

// `nombre` terms "1" joined by '+': 2 * nombre - 1 tokens and characters.
std::string somme_de_uns(int nombre) {
  std::string texte = "1";
  for (int i = 1; i < nombre; ++i) texte += "+1";
  return texte;
}

}  // namespace

TEST(InterpretCalc, ProductsBeforeSumsEachLevelLeftToRight) {
  verifie({{"2+3*4", 14},
           {"2*3+4", 10},
           {"2-3*4", -10},
           {"8/4/2", 1},
           {"10-4-3", 3},
           {"2*3*4-1", 23},
           {"12/4*3", 9},
           {"1-2+3", 2}});
}

TEST(InterpretCalc, InnermostParenthesesFirstInTheOrderTheyClose) {
  verifie({{"(2+3)*4", 20},
           {"2*(3+4)", 14},
           {"((1+2)*3)", 9},
           {"(1+2)*(3+4)", 21},
           {"2*(3)+(4)", 10},
           {"2*(3-1)*(4-2)", 8},
           {"(2+3)-1", 4},
           {"(1+2)-(3+4)", -4},
           {"10/(5-3)-(2*2)", 1},
           {"((2))", 2},
           {"100/((2+3)*(1+1))", 10}});
}

TEST(InterpretCalc, ASignNegatesTheNextNumberOrTheWholeGroup) {
  verifie({{"-3+5", 2},
           {"2*-3", -6},
           {"2--3", 5},
           {"-(2+3)", -5},
           {"--3", 3},
           {"---3", -3},
           {"2*-(3+4)", -14},
           {"8/-(2)", -4},
           {"-(2+3)*4", -20},
           {"1--(2)", 3},
           {"-(-(2))", 2},
           {"-(1)-(1)", -2},
           {"(-2)*(-(1+2))", 6},
           {"+3", 3},
           {"2*+3", 6},
           {"-+3", -3}});
}

TEST(InterpretCalc, WorksInSinglePrecision) {
  // 2^24 + 1 is the first whole number a float cannot hold: in double
  // precision the last one would give 1.
  verifie({{"7/2", 3.5f},
           {"1/3", 0.33333334f},
           {"16777217", 16777216.0f},
           {"16777217-16777216", 0},
           {"16777216+1-16777216", 0},
           {"1.5.3+1", 2.5f}});
}

TEST(InterpretCalc, ZeroResults) {
  verifie({{"0", 0}, {"0*5", 0}, {"5-5", 0}, {"0*-5", 0}, {"(1-1)*3", 0}});
}

TEST(InterpretCalc, AnEmptyOrQuitExpressionIsASilentSentinel) {
  verifie({{"q", CALCUL_QUITTER}, {"quoi", CALCUL_QUITTER}, {"q+)", CALCUL_QUITTER}});
  EXPECT_EQ(CALCUL_QUITTER, -12345678.0f);
  EXPECT_EQ(CALCUL_VIDE, 1111111.0f);
  EXPECT_EQ(CALCUL_ERREUR, 12345678.0f);
}

TEST(InterpretCalc, DivisionByZeroIsTold) {
  for (const char *texte : {"3/0", "3/(1-1)", "0/0", "1+2/(3-3)*4"})
    refusee(texte, "Erreur: Division par 0 !!!\n");
}

TEST(InterpretCalc, TheFirstUnknownSymbolIsTold) {
  refusee("2 + 3", "Erreur: le symbole   n'est pas reconnu");
  refusee("2,5", "Erreur: le symbole , n'est pas reconnu");
  refusee("2^3", "Erreur: le symbole ^ n'est pas reconnu");
  refusee("Q", "Erreur: le symbole Q n'est pas reconnu");
  refusee("2a+b", "Erreur: le symbole a n'est pas reconnu");
  refusee(".5", "Erreur: le symbole . n'est pas reconnu");
  refusee("1e5", "Erreur: le symbole e n'est pas reconnu");
  refusee("(2 +3", "Erreur: le symbole   n'est pas reconnu");  // before the parentheses
  refusee("3/0x", "Erreur: le symbole x n'est pas reconnu");   // before the division
  refusee("1+\xE9", "Erreur: le symbole \xE9 n'est pas reconnu");
}

TEST(InterpretCalc, UnequalParenthesesAreCounted) {
  refusee("(2+3", "Erreur: 1 parenth" E_GRAVE "ses ouvertes, 0 parenth" E_GRAVE "ses fermees");
  refusee("()1+2(", "Erreur: 2 parenth" E_GRAVE "ses ouvertes, 1 parenth" E_GRAVE "ses fermees");
  refusee("2+3))", "Erreur: 0 parenth" E_GRAVE "ses ouvertes, 2 parenth" E_GRAVE "ses fermees");
  refusee("((3/0)", "Erreur: 2 parenth" E_GRAVE "ses ouvertes, 1 parenth" E_GRAVE "ses fermees");
}

TEST(InterpretCalc, MalformedExpressionsAreTold) {
  const std::string nombre = "Erreur: il manque un nombre";
  for (const char *texte :
       {"3*", "*3", "3+", "()", "2*()", "-", "+", "(3-)", "(*2)", "-*3", "3*/2"})
    refusee(texte, nombre);
  for (const char *texte : {"2(3)", "(2)(3)", "(2)3", "(1+2)(3+4)*0"})
    refusee(texte, "Erreur: il manque un op" E_AIGU "rateur");
  for (const char *texte : {")1+2(", ")(", "(1))+((2)"})
    refusee(texte,
            "Erreur: une parenth" E_GRAVE "se est ferm" E_AIGU "e avant d'" E_CIRC "tre ouverte");
  verifie({{"1+1", 2}});  // and the next call is served as usual
}

TEST(InterpretCalc, NinetyNineCharactersFitAndOneMoreIsTold) {
  verifie({{(std::string(97, '0') + "+2").c_str(), 2}});
  refusee(std::string(98, '0') + "+2",
          "Erreur: l'expression d" E_AIGU "passe 99 caract" E_GRAVE "res");
  refusee(std::string(300, '('), "Erreur: l'expression d" E_AIGU "passe 99 caract" E_GRAVE "res");
}

TEST(InterpretCalc, FiftyTokensFitAndOneMoreIsTold) {
  verifie({{("-" + somme_de_uns(25)).c_str(), 23}});  // a sign and 49 tokens
  const std::string message = "Erreur: l'expression d" E_AIGU "passe 50 nombres, signes, op" E_AIGU
                              "rateurs et parenth" E_GRAVE "ses";
  refusee("--" + somme_de_uns(25), message);
  refusee(std::string(51, '('), message);    // before the parentheses are counted
  refusee(somme_de_uns(26) + " ", message);  // the 51st token comes first
  refusee(somme_de_uns(25) + " ", "Erreur: le symbole   n'est pas reconnu");  // the symbol does
}

// Keys reach getch from standard input on Linux only: the Windows console
// run-time reads keys from a console, never from a pipe.
#ifndef _WIN32
TEST(InterpretCalc, AnEmptyExpressionIsTypedIntoChfunc) {
  const auto tape = [](const std::string &touches, int quitter = 0) {
    entree_depuis(touches + "\n");
    float valeur = 0;
    sortie_de([&] { valeur = interpret_calc("", quitter); });
    return valeur;
  };
  EXPECT_EQ(tape("2+3\r"), 5);
  EXPECT_STREQ(chfunc, "2+3");
  EXPECT_EQ(tape("(&+\xC3\xA9)*'\r"), 12);  // the top row without Shift: (1+2)*4
  EXPECT_EQ(tape("\r"), CALCUL_VIDE);
  EXPECT_EQ(tape("2q\r"), CALCUL_QUITTER);
  EXPECT_EQ(tape(std::string(100, '1') + "\r"), CALCUL_ERREUR);
  EXPECT_EQ(sortie_finale([] { interpret_calc("", 1); }, "1q\r", 0), "1q\n");
}
#endif
