// Digit entry without Shift: the translation of every mode, the editing keys
// with their exact echo, the history keys, the wrappers and chiffre_lettre.
// On Linux the keys are the bytes of a UTF-8 terminal piped into getch. The
// Windows build reads a console only (saisie_wine.sh types on one); here it
// can only check that an entry without a console ends.
#include "outils/saisie.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "outils/accents.h"
#include "outils/historique.h"
#include "tests/support/programme.h"
#include "tests/support/support.h"

namespace {

struct Saisie {
  std::string ligne;  // what nomajloc returned
  std::string echo;   // every byte it printed
};

// nomajloc in `mode` with `touches` as the keyboard.
Saisie saisie(const std::string &touches, int mode) {
  entree_depuis(touches);
  char dest[TAILLE_SAISIE];
  Saisie resultat;
  resultat.echo = sortie_de([&] { EXPECT_EQ(nomajloc(dest, mode), dest); });
  resultat.ligne = dest;
  return resultat;
}

}  // namespace

#ifndef _WIN32

std::string ligne(const std::string &touches, int mode) { return saisie(touches, mode).ligne; }

// Linux key bytes: the editing keys as a terminal sends them.
const std::string HAUT = "\x1B[A", BAS = "\x1B[B", PAGE_HAUT = "\x1B[5~", PAGE_BAS = "\x1B[6~",
                  DEBUT = "\x1B[H", FIN = "\x1B[F", GAUCHE = "\x1B[D", DROITE = "\x1B[C",
                  SUPPR = "\x1B[3~", RETOUR = "\x7F";
// The top row without Shift, then with Caps Lock: & é " ' ( - è _ ç à É È Ç À.
const std::string RANGEE =
    "&\xC3\xA9\"'(-\xC3\xA8_\xC3\xA7\xC3\xA0\xC3\x89\xC3\x88\xC3\x87\xC3\x80";
// ) ° * µ ! § + = / : \ , . ; ? and the space.
const std::string SIGNES = ")\xC2\xB0*\xC2\xB5!\xC2\xA7+=/:\\,.;? ";
const std::string LETTRES = "DdEeFfAaNnPpRrQqxZ";

TEST(Nomajloc, TranslatesEachModeAsItsTableSays) {
  struct Attendu {
    const char *rangee, *signes, *lettres;
  };
  const Attendu modes[7] = {
      {"12345678902790", "", "Qq"},
      {"12345678902790", " ", "ddQq"},
      {"12345-78902790", "**++///", "AAQq"},
      {"1234(-78902790", "))**!!++///....", "EEFFQq"},
      {"1234(-78902790", "))**++///....", "Qq"},
      {"12345-78902790", "++", "ddAANnPpRrQq"},
      {"12345678902790", "", "ddaaQq"},
  };
  for (int mode = 1; mode <= 7; ++mode) {
    const Attendu &a = modes[mode - 1];
    EXPECT_EQ(ligne(RANGEE + "\r", mode), a.rangee) << "mode " << mode;
    EXPECT_EQ(ligne("0" + SIGNES + "\r", mode), std::string("0") + a.signes) << "mode " << mode;
    EXPECT_EQ(ligne("9" + LETTRES + "\r", mode), std::string("9") + a.lettres) << "mode " << mode;
  }
}

TEST(Nomajloc, SectionSignIsNotTakenForCedilla) {
  EXPECT_EQ(ligne("\xC2\xA7\xC3\xA7\r", 4), "!9");
  EXPECT_EQ(ligne("\xC2\xA7\xC3\xA7\r", 1), "9");
  EXPECT_EQ(ligne("\xC3\xB5\r", 3), "*");  // 'õ' shares its second byte with 'µ'
  EXPECT_EQ(ligne("\xC3\xAA\r", 2), "");   // 'ê'
}

TEST(Nomajloc, LettersMAndSOnlyAtTheStartOfTheLine) {
  EXPECT_EQ(ligne("m1m\r", 2), "m1");
  EXPECT_EQ(ligne("M1\r", 2), "m1");
  EXPECT_EQ(ligne("S1s\r", 7), "s1");
  EXPECT_EQ(ligne("m\r", 7), "m");
  EXPECT_EQ(ligne("1" + DEBUT + "m\r", 2), "m1");  // the cursor counts, not the length
  EXPECT_EQ(ligne("s\r", 2), "");
  EXPECT_EQ(ligne("MnPs1m\r", 6), "MnPs1m");
}

TEST(Nomajloc, TypingInTheMiddleInserts) {
  const Saisie s = saisie("13" + GAUCHE + "\xC3\xA9\r", 1);
  EXPECT_EQ(s.ligne, "123");
  EXPECT_EQ(s.echo, "13\b33\b\b2\n");
}

TEST(Nomajloc, HomeDeleteEndBackspace) {
  const Saisie s = saisie("123" + DEBUT + SUPPR + FIN + RETOUR + "\r", 1);
  EXPECT_EQ(s.ligne, "2");  // the '~' of Delete is rejected
  EXPECT_EQ(s.echo, "123\b\b\b23 \b\b\b23\b \b\n");
}

TEST(Nomajloc, BackspaceInTheMiddleThenInsert) {
  const Saisie s = saisie("1234" + GAUCHE + GAUCHE + RETOUR + "5\r", 1);
  EXPECT_EQ(s.ligne, "1534");
  EXPECT_EQ(s.echo, "1234\b\b\b34 \b\b\b334\b\b\b5\n");
}

TEST(Nomajloc, RightAndDeleteInTheMiddle) {
  const Saisie s = saisie("123" + DEBUT + DROITE + SUPPR + "\r", 1);
  EXPECT_EQ(s.ligne, "13");
  EXPECT_EQ(s.echo, "123\b\b\b13 \b\b\n");
}

TEST(Nomajloc, EditingKeysThatCannotApplyDoNothing) {
  const Saisie debut = saisie(
      "12" + DEBUT + GAUCHE + RETOUR + DROITE + DROITE + DROITE + SUPPR + "\x1B[Z\x1BZ\r", 1);
  EXPECT_EQ(debut.ligne, "12");
  EXPECT_EQ(debut.echo, "12\b\b12\n");
}

TEST(Nomajloc, PageKeysDropTheByteAfterTheirDigit) {
  init_historique_saisie();
  EXPECT_EQ(ligne("\x1B[51\x1B[62\r", 1), "");
}

TEST(Nomajloc, EveryLineGoesIntoTheHistory) {
  init_historique_saisie();
  ligne("4\xC3\xA0\r", 1);
  ligne("\r", 1);
  EXPECT_STREQ(historique.lignes[0], "40");
  EXPECT_STREQ(historique.lignes[1], "");
  EXPECT_EQ(historique.prochain, 2);
}

TEST(Nomajloc, HistoryKeysBringBackTheLines) {
  init_historique_saisie();
  for (const char *l : {"11\r", "22\r", "33\r"}) ligne(l, 1);
  const Saisie s = saisie(HAUT + HAUT + HAUT + HAUT + BAS + PAGE_BAS + "\r", 1);
  EXPECT_EQ(s.ligne, "33");
  EXPECT_EQ(s.echo, "33\b\b  \b\b22\b\b  \b\b11\b\b  \b\b11\b\b  \b\b22\b\b  \b\b33\n");

  init_historique_saisie();
  for (const char *l : {"11\r", "22\r", "33\r"}) ligne(l, 1);
  EXPECT_EQ(ligne(PAGE_HAUT + "\r", 1), "11");
}

TEST(Nomajloc, HistoryBlanksOnlyUpToTheCursor) {
  init_historique_saisie();
  ligne("9\r", 1);
  const Saisie s = saisie("123" + GAUCHE + HAUT + "\r", 1);
  EXPECT_EQ(s.ligne, "9");
  EXPECT_EQ(s.echo, "123\b\b\b  \b\b9\n");
}

TEST(Nomajloc, UpWithAnEmptyHistoryEmptiesTheLine) {
  init_historique_saisie();
  const Saisie s = saisie("12" + HAUT + "\r", 1);
  EXPECT_EQ(s.ligne, "");
  EXPECT_EQ(s.echo, "12\b\b  \b\b\n");
}

TEST(Nomajloc, AFullLineDropsFurtherKeysSilently) {
  const std::string pleine(254, '1');
  const Saisie s = saisie(pleine + "2" + DEBUT + "3\r", 1);
  EXPECT_EQ(s.ligne, pleine);
  EXPECT_EQ(s.echo, pleine + std::string(254, '\b') + "\n");
  EXPECT_EQ(ligne(pleine + RETOUR + "2\r", 1), std::string(253, '1') + "2");
}

TEST(Nomajloc, EndOfInputEndsTheLineAsEnter) {
  init_historique_saisie();
  const Saisie s = saisie("12", 1);
  EXPECT_EQ(s.ligne, "12");
  EXPECT_EQ(s.echo, "12\n");
  EXPECT_STREQ(historique.lignes[0], "12");
  EXPECT_EQ(ligne("1\xC3", 1), "1");
  EXPECT_EQ(ligne("1\x1B[", 1), "1");
  EXPECT_EQ(ligne("1\x1B[5", 1), "1");
}

// On a real terminal, whose output is buffered by lines, each echo must be
// shown before the next key is awaited: the user types on what they see.
TEST(Nomajloc, OnATerminalEachEchoComesBeforeTheNextKey) {
  const std::string resultat = dossier_du_test() + "/resultat.txt";
  Session session({PROGRAMME_SAISIE, resultat, "1"});
  ASSERT_TRUE(session.attend("saisie 1: ", 10));
  session.tape("&");
  ASSERT_TRUE(session.attend("1", 5));
  session.tape("\xC3\xA9");  // 'é'
  ASSERT_TRUE(session.attend("2", 5));
  session.tape(GAUCHE);
  ASSERT_TRUE(session.attend("\b", 5));
  session.tape("\r");
  EXPECT_EQ(session.termine(10).statut, 0);
  EXPECT_EQ(lit_fichier(resultat), "31 32\nfin\n");
}

TEST(NomajlocWrappers, EachHasItsModeAndMarksAQuitRequest) {
  using Enveloppe = char *(*)(char *, int);
  struct Cas {
    Enveloppe enveloppe;
    const char *touches, *ligne;
  };
  for (const Cas &c :
       {Cas{nomajloc_des, "1d6 m-+\r", "1d6 6"}, Cas{nomajloc_attaque, "a-(*\r", "A-5*"},
        Cas{nomajloc_calc, "e,=!\r", "E.+!"}, Cas{nomajloc_interpret_calc, "(1,5)!e\r", "(1.5)"},
        Cas{nomajloc_gestion_combattant, "Ma-d\r", "MA-d"},
        Cas{nomajloc_choix_arme, "sA-\r", "sa6"}}) {
    for (const int quitter : {0, 1}) {
      entree_depuis(c.touches);
      char dest[TAILLE_SAISIE];
      sortie_de([&] { EXPECT_EQ(c.enveloppe(dest, quitter), dest); });
      EXPECT_STREQ(dest, c.ligne);
    }
    entree_depuis("12q3\r");
    char dest[TAILLE_SAISIE];
    sortie_de([&] { c.enveloppe(dest, 0); });
    EXPECT_STREQ(dest, "q2q3");
    entree_depuis("Q\r");
    sortie_de([&] { c.enveloppe(dest, 0); });
    EXPECT_STREQ(dest, "q");
  }
}

TEST(NomajlocWrappersDeathTest, AQuitRequestWithTheFlagEndsTheProgram) {
  for (auto enveloppe : {nomajloc_des, nomajloc_attaque, nomajloc_calc, nomajloc_interpret_calc,
                         nomajloc_gestion_combattant, nomajloc_choix_arme}) {
    EXPECT_EXIT(
        {
          entree_depuis("12Q3\r");
          char dest[TAILLE_SAISIE];
          enveloppe(dest, 1);
          std::exit(5);
        },
        testing::ExitedWithCode(0), "");
  }
}

TEST(ChiffreLettre, ReadsTheNumberIntoChfunc) {
  entree_depuis("&\xC3\xA9\"x\r");
  int valeur = 0;
  EXPECT_EQ(sortie_de([&] { valeur = chiffre_lettre(1); }), "123\n");
  EXPECT_EQ(valeur, 123);
  EXPECT_STREQ(chfunc, "123");
}

TEST(ChiffreLettre, SentinelsForEmptyAndQuit) {
  const auto lit = [](const std::string &touches) {
    entree_depuis(touches);
    int valeur = 0;
    sortie_de([&] { valeur = chiffre_lettre(0); });
    return valeur;
  };
  EXPECT_EQ(lit("\r"), SAISIE_VIDE);
  EXPECT_EQ(lit("12q\r"), SAISIE_QUITTER);
  EXPECT_EQ(lit("Q\r"), SAISIE_QUITTER);
  EXPECT_EQ(lit("007\r"), 7);
  EXPECT_EQ(lit("99999999999\r"), INT_MAX);
}

TEST(ChiffreLettreDeathTest, AQuitRequestWithTheFlagEndsTheProgram) {
  EXPECT_EXIT(
      {
        entree_depuis("1q\r");
        chiffre_lettre(1);
        std::exit(5);
      },
      testing::ExitedWithCode(0), "");
}

#else

TEST(Nomajloc, WithoutAConsoleTheEntryEndsEmpty) {
  // Under the tests no console is attached: _getch has no key to give.
  const Saisie s = saisie("", 2);
  EXPECT_EQ(s.ligne, "");
  EXPECT_EQ(s.echo, "\n");
}

#endif
