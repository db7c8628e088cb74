#!/usr/bin/env bash
# The batch measure on a collection of 10,000 tables (see bench/lot.sh):
# `Sondeur --lot` on the whole tree against `grep -rc ''` on the same tree,
# in the text format, then in JSON, then the odds of every entry.
# Usage: bench/mesure_lot.sh [RUNS]   (files go to ${TMPDIR:-/tmp}/vallorim-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=${TMPDIR:-/tmp}/vallorim-bench
mkdir -p "$dossier"
cmake --preset linux >/dev/null
cmake --build --preset linux --target genere_table Sondeur >/dev/null
for format in texte json; do
  bench/lot.sh build/linux/bench/genere_table build/linux/sondeur/Sondeur "$dossier" 10000 "${1:-7}" "$format"
done
