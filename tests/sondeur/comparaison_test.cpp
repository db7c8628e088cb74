// The engine of Sondeur gives, on any table, the verdict and the very bytes
// of a plain reading of the rules: valid random tables of every kind,
// tables damaged at random places, and random pieces of the grammar.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "bench/generateur.h"
#include "sondeur/moteur.h"
#include "tests/sondeur/moteur_reference.h"
#include "tests/support/support.h"

namespace {

struct Verdict {
  int statut = 0;
  std::string sortie;
};

Verdict verifie(int (*moteur)(FILE *), const std::string &chemin) {
  Verdict v;
  v.sortie = sortie_de([&] {
    std::FILE *table = std::fopen(chemin.c_str(), "rb");
    v.statut = moteur(table);
    std::fclose(table);
  });
  return v;
}

// Both engines on `texte`; true when they agree (a failure says where not).
bool concordent(const std::string &texte, const std::string &quoi) {
  const std::string chemin = ecrit_fichier("table.tbl", texte);
  const Verdict attendu = verifie(moteur_reference, chemin);
  const Verdict obtenu = verifie(moteur_principal, chemin);
  EXPECT_EQ(obtenu.statut, attendu.statut) << quoi << testing::PrintToString(texte);
  EXPECT_EQ(obtenu.sortie, attendu.sortie) << quoi << testing::PrintToString(texte);
  return obtenu.statut == attendu.statut && obtenu.sortie == attendu.sortie;
}

}  // namespace

TEST(ComparaisonMoteur, ValidTablesAreCleanForBoth) {
  std::mt19937 hasard(2026);
  for (int i = 0; i < 300; ++i) {
    const std::string table = table_valide(forme_au_hasard(hasard));
    ASSERT_TRUE(concordent(table, "valid table "));
    const std::string chemin = ecrit_fichier("table.tbl", table);
    ASSERT_EQ(verifie(moteur_principal, chemin).statut, 1) << testing::PrintToString(table);
  }
}

TEST(ComparaisonMoteur, DamagedTablesGetTheSameReport) {
  std::mt19937 hasard(7);
  int erreurs = 0;
  for (int i = 0; i < 2000; ++i) {
    const std::string table = abime(table_valide(forme_au_hasard(hasard)), hasard);
    ASSERT_TRUE(concordent(table, "damaged table "));
    erreurs += verifie(moteur_principal, ecrit_fichier("table.tbl", table)).statut == 2;
  }
  EXPECT_GT(erreurs, 1000);  // most damages are found: the comparison is not idle
}

TEST(ComparaisonMoteur, RandomGrammarPiecesGetTheSameVerdict) {
  std::mt19937 hasard(1789);
  for (int i = 0; i < 1500; ++i) ASSERT_TRUE(concordent(charabia(hasard), "random pieces "));
}
