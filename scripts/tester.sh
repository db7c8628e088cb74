#!/usr/bin/env bash
# Builds every preset (linux, asan, windows) and runs all their tests; the
# Windows tests run under Wine in a prefix copied afresh for this run from
# the sealed template that build/windows/modeles-wine keeps from one run to
# the next (cmake/prefixe-wine.sh remakes it when it or Wine changes). Then
# the sources' layout and clang-tidy are checked (scripts/analyse.sh), and
# every fuzzer runs 20 seconds (fuzz preset); any finding fails the run.
#   scripts/tester.sh --rapide    the Linux and asan builds and tests alone
set -euo pipefail
cd "$(dirname "$0")/.."
presets=(linux asan windows)
rapide=false
case "${1:-}" in
  '') ;;
  --rapide) presets=(linux asan) rapide=true ;;
  *) echo "usage: scripts/tester.sh [--rapide]" >&2; exit 2 ;;
esac
scripts/paquets.sh

arrete_wine() {
  WINEPREFIX="$PWD/build/windows/wine/prefix" wineserver -k 2>/dev/null || true
}
trap arrete_wine EXIT

for preset in "${presets[@]}"; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [ "$preset" = windows ]; then
    arrete_wine
    rm -rf build/windows/wine
  fi
  ctest --preset "$preset"
done

$rapide && exit 0
scripts/analyse.sh
echo "=== fuzz ==="
fuzz/lancer.sh 20
