// rejoue.cpp -- replays a fuzzer's kept inputs as a plain test: every file
// of the folders named (or the files named), in the byte order of their
// names, handed once each to the fuzzer's own entry point, which aborts on
// a fault. The linux and asan builds compile each fuzzer with this main, so
// that every input a fuzzer ever kept is checked on every test run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, std::size_t taille);

int main(int argc, char **argv) {
  std::vector<std::filesystem::path> entrees;
  for (int i = 1; i < argc; ++i) {
    if (std::filesystem::is_directory(argv[i])) {
      for (const auto &f : std::filesystem::directory_iterator(argv[i]))
        if (f.is_regular_file()) entrees.push_back(f.path());
    } else {
      entrees.emplace_back(argv[i]);
    }
  }
  std::sort(entrees.begin(), entrees.end());
  if (entrees.empty()) {
    std::fprintf(stderr, "rejoue: no input to replay\n");
    return 1;
  }
  LLVMFuzzerInitialize(&argc, &argv);
  for (const auto &chemin : entrees) {
    std::ifstream flux(chemin, std::ios::binary);
    const std::string donnees((std::istreambuf_iterator<char>(flux)),
                              std::istreambuf_iterator<char>());
    std::fprintf(stderr, "rejoue: %s\n", chemin.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(donnees.data()), donnees.size());
  }
  std::fprintf(stderr, "rejoue: %zu inputs, no fault\n", entrees.size());
  return 0;
}
