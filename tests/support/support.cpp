// support.cpp -- the tests' shared helpers (see support.h).
#include "tests/support/support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

std::string sortie_de(const std::function<void()> &action) {
  std::fflush(stdout);
  testing::internal::CaptureStdout();
  action();
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

void entree_depuis(const std::string &texte) {
  const std::string nom = ecrit_fichier("entree.txt", texte);
  if (std::freopen(nom.c_str(), "rb", stdin) == nullptr)
    ADD_FAILURE() << "standard input cannot read " << nom;
}

void sortie_vers(const std::string &nom) {
  std::fflush(stdout);
  if (std::freopen(nom.c_str(), "wb", stdout) == nullptr) std::abort();
}

std::string sortie_finale(const std::function<void()> &action, const std::string &clavier,
                          int statut, const std::string &erreurs) {
  const std::string fichier = dossier_du_test() + "/sortie_finale.txt";
  EXPECT_EXIT(
      {
        entree_depuis(clavier);
        sortie_vers(fichier);
        action();
      },
      testing::ExitedWithCode(statut), erreurs);
  return lit_fichier(fichier);
}

std::string dossier_du_test() {
  static std::string prepare;  // the folder already emptied in this process
  const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
  std::string nom = std::string(test->test_suite_name()) + "." + test->name();
  for (char &c : nom)
    if (c == '/') c = '_';  // parameterised tests carry '/' in their names
  nom = "essais/" + nom;
  if (prepare != nom) {
    std::filesystem::remove_all(nom);
    prepare = nom;
  }
  std::filesystem::create_directories(nom);
  return nom;
}

std::string ecrit_fichier(const std::string &nom, const std::string &contenu) {
  std::string chemin = dossier_du_test() + "/" + nom;
  std::ofstream(chemin, std::ios::binary) << contenu;
  return chemin;
}

std::string lit_fichier(const std::string &chemin) {
  std::ifstream fichier(chemin, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(fichier), {});
}

void DansSonDossier::SetUp() {
  dossier_ = std::filesystem::absolute(dossier_du_test());
  avant_ = std::filesystem::current_path();
  std::filesystem::current_path(dossier_);
}

void DansSonDossier::TearDown() { std::filesystem::current_path(avant_); }
