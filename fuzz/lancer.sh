#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzzer of fuzz/ (or only those
# named) for SECONDS each (20 by default), as many at once as there are
# processors (each fuzzer runs in one process), on copies of the seed
# inputs of fuzz/corpus/ in a scratch folder. Fails on any crash, leak, sanitizer
# report or time-out (an input that runs over 2 seconds); prints for each
# fuzzer its final count of executions and its coverage. The scratch folder
# (corpora, logs, crashing inputs) is kept when something was found.
set -euo pipefail
cd "$(dirname "$0")/.."

secondes=${1:-20}
case $secondes in
  '' | *[!0-9]*) echo "usage: fuzz/lancer.sh [SECONDES [NOM...]]" >&2; exit 2 ;;
esac
shift $(($# > 0 ? 1 : 0))
noms=("$@")
if [ ${#noms[@]} -eq 0 ]; then
  for dossier in fuzz/corpus/*/; do noms+=("$(basename "$dossier")"); done
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

binaires=build/fuzz/fuzz
travail=$(mktemp -d "${TMPDIR:-/tmp}/vallorim-lancer-XXXXXX")
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Runs the fuzzer NOM in $travail/NOM and prints its report; a finding
# leaves the file $travail/NOM/echec.
fuzze() {
  local nom=$1 dossier=fuzz/corpus/$1/ programme=$binaires/fuzz_$1 journal statut=0 bilan
  if [ ! -x "$programme" ]; then
    echo "=== $nom: pas de programme $programme" >&2
    touch "$travail/$nom/echec"
    return
  fi
  mkdir -p "$travail/$nom/corpus" "$travail/$nom/tmp" "$travail/$nom/trouvailles"
  cp -R "$dossier". "$travail/$nom/corpus/"
  journal=$travail/$nom/journal.txt
  TMPDIR="$travail/$nom/tmp" "$programme" -max_total_time="$secondes" -timeout=2 \
    -print_final_stats=1 -artifact_prefix="$travail/$nom/trouvailles/" \
    "$travail/$nom/corpus" >"$journal" 2>&1 || statut=$?
  bilan=$(grep -E '^#[0-9]+' "$journal" | tail -n 1 || true)
  if [ "$statut" -ne 0 ] ||
     grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|SUMMARY: ' "$journal" ||
     [ -n "$(ls -A "$travail/$nom/trouvailles")" ]; then
    echo "=== $nom: ECHEC (statut $statut)"
    echo "$bilan"
    grep -E 'ERROR: |runtime error:|SUMMARY: |^    #[0-9]+ |Test unit written to|ALARM|out-of-memory' "$journal" | head -n 40
    touch "$travail/$nom/echec"
  else
    echo "=== $nom: $bilan"
  fi
}

# One lane per processor, each running its share of the fuzzers in turn;
# the reports are kept, then printed in the order of the names.
voies=$(nproc)
for ((voie = 0; voie < voies; voie++)); do
  (
    for ((i = voie; i < ${#noms[@]}; i += voies)); do
      mkdir -p "$travail/${noms[i]}"
      fuzze "${noms[i]}" >"$travail/${noms[i]}/rapport.txt"
    done
  ) &
done
wait
echecs=()
for nom in "${noms[@]}"; do
  cat "$travail/$nom/rapport.txt"
  [ ! -e "$travail/$nom/echec" ] || echecs+=("$nom")
done

if [ ${#echecs[@]} -ne 0 ]; then
  echo "Trouvailles dans: ${echecs[*]} (journaux et entrées dans $travail)" >&2
  exit 1
fi
rm -rf "$travail"
echo "Aucune trouvaille."
