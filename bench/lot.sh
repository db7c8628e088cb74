#!/usr/bin/env bash
# The batch measure: a tree of NOMBRE generated tables of about 2 KB, a
# tenth of them with an error, checked by one `Sondeur --lot` run against
# `grep -rc ''` on the same tree (walking the tree and reading every byte
# once, in one process; both from the page cache, in the same run, median of
# ESSAIS runs). With FORMAT (json, or any mode's first option such as
# --chances), the same for that output. Fails when the verdicts are not the
# expected ones: exactly the faulty tenth reported, no warning on a clean
# table, exit status 1.
# Usage: bench/lot.sh GENERE_TABLE SONDEUR DOSSIER NOMBRE ESSAIS [FORMAT]
set -euo pipefail
genere=$1 sondeur=$2 dossier=$3 nombre=$4 essais=$5 format=${6:-texte}
arbre=$dossier/arbre_$nombre

if [ ! -d "$arbre" ]; then
  rm -rf "$arbre.part"
  "$genere" --arbre "$arbre.part" "$nombre" 1700
  mv "$arbre.part" "$arbre"
fi
grep -rc '' "$arbre" >/dev/null  # into the page cache

case $format in
  texte | json | github) commande=("$sondeur" --lot --format "$format" "$arbre") ;;
  *) commande=("$sondeur" "$format" "$arbre") ;;
esac

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
millis() { date +%s%N | cut -c1-13; }

grep_ms=() lot_ms=() statut=0
for ((i = 0; i < essais; i++)); do
  t0=$(millis)
  grep -rc '' "$arbre" >/dev/null
  t1=$(millis)
  "${commande[@]}" >"$dossier/lot.txt" 2>"$dossier/resume.txt" || statut=$?
  t2=$(millis)
  grep_ms+=($((t1 - t0))) lot_ms+=($((t2 - t1)))
done

grep_med=$(printf '%s\n' "${grep_ms[@]}" | median)
lot_med=$(printf '%s\n' "${lot_ms[@]}" | median)
printf '%d tables (%d Ko)  grep -rc %d ms  %s %d ms  rapport %s\n' \
  "$nombre" "$(du -sk "$arbre" | cut -f1)" "$grep_med" "${commande[*]:1:3}" "$lot_med" \
  "$(awk -v a="$lot_med" -v b="$grep_med" 'BEGIN { printf "%.2f", a / (b > 0 ? b : 1) }')"
cat "$dossier/resume.txt"
[ "$statut" -eq 1 ] || { echo "expected exit status 1, got $statut"; exit 1; }
[ "$format" = texte ] || exit 0

# The tables with an error, and the warnings of the others.
fautives=$(grep ': erreur: ' "$dossier/lot.txt" | cut -d: -f1 | sort -u | wc -l)
averties=$(grep ': avertissement: ' "$dossier/lot.txt" | cut -d: -f1 | sort -u |
  comm -23 - <(grep ': erreur: ' "$dossier/lot.txt" | cut -d: -f1 | sort -u) | wc -l)
echo "tables fautives $fautives  tables propres averties $averties"
[ "$fautives" -eq $((nombre / 10)) ] || { echo "expected $((nombre / 10)) faulty tables"; exit 1; }
[ "$averties" -eq 0 ] || { echo "a clean generated table gave a warning"; exit 1; }
