#!/usr/bin/env bash
# The batch measure: a tree of NOMBRE generated tables of about 2 KB, a
# tenth of them with an error, checked by one `Sondeur --lot` run against
# `wc -l` over the same files in one process (both from the page cache, in
# the same run, median of ESSAIS runs). Fails when the verdicts are not the
# expected ones: exactly the faulty tenth reported, no warning on a clean
# table, exit status 1.
# Usage: bench/lot.sh GENERE_TABLE SONDEUR DOSSIER NOMBRE ESSAIS
set -euo pipefail
genere=$1 sondeur=$2 dossier=$3 nombre=$4 essais=$5
arbre=$dossier/arbre_$nombre

if [ ! -d "$arbre" ]; then
  rm -rf "$arbre.part"
  "$genere" --arbre "$arbre.part" "$nombre" 1700
  mv "$arbre.part" "$arbre"
fi
find "$arbre" -name '*.tbl' -exec cat {} + >/dev/null  # into the page cache

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
millis() { date +%s%N | cut -c1-13; }

wc_ms=() lot_ms=() statut=0
for ((i = 0; i < essais; i++)); do
  t0=$(millis)
  wc -l --files0-from=<(find "$arbre" -name '*.tbl' -print0) >/dev/null
  t1=$(millis)
  "$sondeur" --lot "$arbre" >"$dossier/lot.txt" 2>"$dossier/resume.txt" || statut=$?
  t2=$(millis)
  wc_ms+=($((t1 - t0))) lot_ms+=($((t2 - t1)))
done

erreurs=$(grep -c ': valeur incorrecte: ' "$dossier/lot.txt" || true)
avertissements=$(grep -c ': avertissement: ' "$dossier/lot.txt" || true)
wc_med=$(printf '%s\n' "${wc_ms[@]}" | median)
lot_med=$(printf '%s\n' "${lot_ms[@]}" | median)
printf '%d tables (%d Ko)  wc -l %d ms  Sondeur --lot %d ms  rapport %s  erreurs %d  avertissements %d\n' \
  "$nombre" "$(du -sk "$arbre" | cut -f1)" "$wc_med" "$lot_med" \
  "$(awk -v a="$lot_med" -v b="$wc_med" 'BEGIN { printf "%.2f", a / (b > 0 ? b : 1) }')" \
  "$erreurs" "$avertissements"
cat "$dossier/resume.txt"
[ "$statut" -eq 1 ] || { echo "expected exit status 1, got $statut"; exit 1; }
[ "$erreurs" -eq $((nombre / 10)) ] || { echo "expected $((nombre / 10)) faulty tables"; exit 1; }
[ "$avertissements" -eq 0 ] || { echo "a clean generated table gave a warning"; exit 1; }
