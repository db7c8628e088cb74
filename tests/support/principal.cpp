// principal.cpp -- the main of every test program: it moves into the
// program's own folder before any test runs, so that the tests' files
// ("essais/...", see support.h) land in the build folder whatever folder the
// program was started from. ctest starts it there already; under Wine that
// folder is on drive D:, so relative paths keep working.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The running program's full path; empty when the system does not say.
std::string chemin_du_programme() {
#ifdef _WIN32
  char chemin[MAX_PATH];  // GetModuleFileNameA's own limit
  const DWORD longueur = GetModuleFileNameA(nullptr, chemin, sizeof chemin);
  return longueur == 0 || longueur == sizeof chemin ? std::string() : std::string(chemin, longueur);
#else
  std::error_code erreur;
  const std::filesystem::path chemin = std::filesystem::read_symlink("/proc/self/exe", erreur);
  return erreur ? std::string() : chemin.string();
#endif
}

}  // namespace

int main(int argc, char **argv) {
  // argv[0] becomes the full path first: a death test's child is the
  // program started again from it, in the folder moved into.
  std::string programme = chemin_du_programme();
  if (!programme.empty()) {
    argv[0] = programme.data();
    std::error_code erreur;
    std::filesystem::current_path(std::filesystem::path(programme).parent_path(), erreur);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
