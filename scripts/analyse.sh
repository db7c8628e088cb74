#!/usr/bin/env bash
# The static checks of the sources, as the test command runs them:
# - their layout is the one of .clang-format (clang-format, checked only);
# - clang-tidy finds nothing with the checks of .clang-tidy, on every source
#   of the Linux build, its compile lines taken from the linux preset (less
#   GCC's character set options, which clang's parser does not take).
# A clean analysis leaves a stamp of what it read (build/analyse/propre):
# when the sources, the CMake files and .clang-tidy are the same, it is not
# made again.
# Usage: scripts/analyse.sh [mise-en-page|tidy]   (both by default)
set -euo pipefail
cd "$(dirname "$0")/.."
quoi=${1:-tout}

sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files '*.cpp' '*.h'
  else
    find outils jdr sondeur installer uninstaller regupdater shortcut bench fuzz tests \
      -name '*.cpp' -o -name '*.h'
  fi
}

if [ "$quoi" != tidy ]; then
  echo "=== mise en page (clang-format) ==="
  sources | xargs clang-format --dry-run --Werror
fi

if [ "$quoi" != mise-en-page ]; then
  echo "=== analyse (clang-tidy) ==="
  mkdir -p build/analyse
  empreinte=$( (sources; git ls-files '*CMakeLists.txt' '*.cmake' 2>/dev/null; echo .clang-tidy) |
    sort | xargs sha256sum | sha256sum | cut -d' ' -f1)
  if [ -f build/analyse/propre ] && [ "$(cat build/analyse/propre)" = "$empreinte" ]; then
    echo "clang-tidy : rien à signaler (sources inchangées depuis la dernière analyse)"
    exit 0
  fi
  rm -f build/analyse/propre
  cmake --preset linux >/dev/null
  python3 - build/linux/compile_commands.json build/analyse/compile_commands.json "$PWD" <<'PYTHON'
import json, sys
entrees, sortie, racine = json.load(open(sys.argv[1])), sys.argv[2], sys.argv[3]
gardees = []
for e in entrees:
    if not e["file"].startswith(racine + "/") or "/build/" in e["file"]:
        continue  # GoogleTest's own sources, generated files
    if e["file"].endswith("/jeu_de_caracteres_test.cpp"):
        continue  # it asserts the ISO 8859-1 literals that only GCC's options give
    e["command"] = " ".join(m for m in e["command"].split()
                            if not m.startswith(("-fexec-charset", "-finput-charset")))
    gardees.append(e)
json.dump(gardees, open(sortie, "w"), indent=1)
PYTHON
  run-clang-tidy-14 -p build/analyse -quiet -j "$(nproc)" >build/analyse/rapport.txt 2>&1 || {
    grep -E 'warning:|error:' build/analyse/rapport.txt | sort -u | head -100
    echo "clang-tidy: des avertissements (build/analyse/rapport.txt)" >&2
    exit 1
  }
  echo "$empreinte" >build/analyse/propre
  echo "clang-tidy : rien à signaler"
fi
