// support.h -- what the tests share: capturing what a routine prints,
// feeding its standard input, and files in a fresh folder of the test's own.
// Paths are relative to the test program's own folder, where its main moves
// before any test runs (principal.cpp): they work the same under Wine (whose
// prefix maps no drive to the Linux tree), and the files stay in the build
// folder.
#ifndef TESTS_SUPPORT_H
#define TESTS_SUPPORT_H

#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

// Runs `action` and returns every byte it wrote on standard output.
std::string sortie_de(const std::function<void()> &action);

// Makes standard input read `texte` (then end of input), byte for byte.
void entree_depuis(const std::string &texte);

// Sends standard output to the file `nom` (for routines that end the
// process: the file holds their output once they are gone).
void sortie_vers(const std::string &nom);

// Runs `action`, which must end the process, with `clavier` as its standard
// input; checks that it ends with `statut` and that its error stream matches
// the regular expression `erreurs`; returns what it printed on standard
// output, byte for byte.
std::string sortie_finale(const std::function<void()> &action, const std::string &clavier,
                          int statut, const std::string &erreurs = "");

// A fresh empty folder for the running test, named after it, under the
// program's folder ("essais/Suite.Test"); its path, relative.
std::string dossier_du_test();

// Writes `contenu` into the file `nom` of the test's folder; its path.
std::string ecrit_fichier(const std::string &nom, const std::string &contenu);

// The bytes of a file (empty when it cannot be read).
std::string lit_fichier(const std::string &chemin);

// A test that runs inside its own folder, `dossier_`, and goes back to the
// build folder afterwards: for routines that work in the current folder.
class DansSonDossier : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path dossier_;

 private:
  std::filesystem::path avant_;
};

#endif
