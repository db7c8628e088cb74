#!/usr/bin/env bash
# Builds Sondeur for Linux and checks a sample table with it.
# Usage: scripts/essayer.sh [table]   (default: exemples/rencontres_foret.tbl)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target Sondeur >/dev/null
exec build/linux/sondeur/Sondeur "${1:-exemples/rencontres_foret.tbl}"
