// commun.cpp -- the fuzzers' shared helpers (commun.h).
#include "fuzz/commun.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  if (std::freopen("/dev/null", "r", stdin) == nullptr) std::abort();
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

std::FILE *flux_de(std::string &texte) {
  std::FILE *flux =
      texte.empty() ? std::fopen("/dev/null", "r") : fmemopen(texte.data(), texte.size(), "r");
  if (flux == nullptr) std::abort();
  return flux;
}

namespace {

void efface_dossier() {
  std::error_code ignore;
  std::filesystem::remove_all(dossier_de_travail(), ignore);
}

}  // namespace

const std::string &dossier_de_travail() {
  static const std::string dossier = [] {
    const char *racine = std::getenv("TMPDIR");
    std::string modele = std::string(racine != nullptr && *racine != '\0' ? racine : "/tmp") +
                         "/vallorim-fuzz-XXXXXX";
    if (mkdtemp(modele.data()) == nullptr) std::abort();
    return modele;
  }();
  static const bool nettoyage = (std::atexit(efface_dossier), true);
  (void)nettoyage;
  return dossier;
}

bool ecrit_fichier(const std::string &chemin, const void *donnees, std::size_t taille) {
  std::FILE *f = std::fopen(chemin.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(donnees, 1, taille, f) == taille;
  return std::fclose(f) == 0 && ok;
}

std::pair<std::string, std::string> coupe_au_nul(const uint8_t *donnees, std::size_t taille) {
  const auto *debut = reinterpret_cast<const char *>(donnees);
  const auto *nul = static_cast<const char *>(std::memchr(debut, '\0', taille));
  if (nul == nullptr) return {std::string(debut, taille), std::string()};
  return {std::string(debut, nul), std::string(nul + 1, debut + taille)};
}
