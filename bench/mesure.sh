#!/usr/bin/env bash
# Measures the speed of the table checks against the time of reading the
# file: for a flat table of about 1 GB and one of about 100 MB, the median
# over several runs of the engine's time divided by the median time of
# `wc -l` on the same file (both from the page cache, in the same run), and
# the engine's peak memory.
# Usage: bench/mesure.sh [RUNS]   (files go to ${TMPDIR:-/tmp}/vallorim-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
essais=${1:-7}
dossier=${TMPDIR:-/tmp}/vallorim-bench
mkdir -p "$dossier"

cmake --preset linux >/dev/null
cmake --build --preset linux --target genere_table bench_moteur >/dev/null
genere=build/linux/bench/genere_table
bench=build/linux/bench/bench_moteur

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
millis() { date +%s%N | cut -c1-13; }

mesure() {
  local fichier=$1 wc_ms=() moteur_ms=() memoire=0 resultat=""
  cat "$fichier" >/dev/null  # into the page cache
  for ((i = 0; i < essais; i++)); do
    local t0 t1 t2 ligne
    t0=$(millis); wc -l "$fichier" >/dev/null; t1=$(millis)
    ligne=$("$bench" "$fichier" | tail -n 1); t2=$(millis)
    wc_ms+=($((t1 - t0))); moteur_ms+=($((t2 - t1)))
    resultat=${ligne#resultat=}; resultat=${resultat%% *}
    memoire=${ligne##*memoire_kio=}
  done
  local wc_med moteur_med
  wc_med=$(printf '%s\n' "${wc_ms[@]}" | median)
  moteur_med=$(printf '%s\n' "${moteur_ms[@]}" | median)
  printf '%-28s %6d Mo  wc -l %5d ms  moteur %5d ms  rapport %s  pic %d Kio  resultat %s\n' \
    "$(basename "$fichier")" $(( $(stat -L -c %s "$fichier") / 1000000 )) "$wc_med" "$moteur_med" \
    "$(awk -v a="$moteur_med" -v b="$wc_med" 'BEGIN { printf "%.2f", a / b }')" "$memoire" "$resultat"
}

for taille in 1000000000 100000000; do
  nom="$dossier/plate_$((taille / 1000000))M.tbl"
  [ -f "$nom" ] || "$genere" "$nom" "$taille" 1 --plate
  mesure "$nom"
done
erreur="$dossier/erreur_100M.tbl"
[ -f "$erreur" ] || "$genere" "$erreur" 100000000 4 --erreur
mesure "$erreur"
