#!/usr/bin/env bash
# Builds every preset (linux, asan, windows) and runs all their tests; the
# Windows tests run under Wine in a prefix made afresh for this run. Then
# every fuzzer runs 20 seconds (fuzz preset); any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh

arrete_wine() {
  WINEPREFIX="$PWD/build/windows/wine/prefix" wineserver -k 2>/dev/null || true
}
trap arrete_wine EXIT

for preset in linux asan windows; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [ "$preset" = windows ]; then
    arrete_wine
    rm -rf build/windows/wine
  fi
  ctest --preset "$preset"
done

echo "=== fuzz ==="
fuzz/lancer.sh 20
