// commun.h -- what every fuzzer of the suite shares: a quiet console (input
// from an empty file so that pauses return at once, output thrown away), a
// private scratch folder, and small file helpers.
#ifndef FUZZ_COMMUN_H
#define FUZZ_COMMUN_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

// commun.cpp also holds every fuzzer's LLVMFuzzerInitialize: standard
// input from /dev/null, so that pauses return at once, and standard output
// to /dev/null.

// A stream that reads `texte` from memory (/dev/null when it is empty);
// `texte` must outlive it. Failure to make one ends the run.
std::FILE *flux_de(std::string &texte);

// A folder of this process's own under $TMPDIR (or /tmp), made at the first
// call and removed at exit.
const std::string &dossier_de_travail();

// Writes `taille` bytes to `chemin`, replacing the file; false on failure.
bool ecrit_fichier(const std::string &chemin, const void *donnees, std::size_t taille);

// The input cut at its first NUL byte: what comes before it, and what comes
// after it (empty when the input has no NUL).
std::pair<std::string, std::string> coupe_au_nul(const uint8_t *donnees, std::size_t taille);

#endif
