#!/bin/sh
# A short run of the speed measure's programs: a valid table and one with an
# error near its end, each checked by bench_moteur, which must report the
# right verdict (and, with --memoire, a peak memory under 4 MiB).
# Usage: essai_rapide.sh GENERE_TABLE BENCH_MOTEUR DOSSIER [--memoire]
set -eu
genere=$1 bench=$2 dossier=$3 memoire=${4:-}
mkdir -p "$dossier"

verifie() {  # FILE EXPECTED-RESULT
  ligne=$("$bench" "$1" | tail -n 1)
  echo "$(basename "$1"): $ligne"
  case "$ligne" in
    "resultat=$2 "*) ;;
    *) echo "expected resultat=$2"; exit 1 ;;
  esac
  kio=${ligne##*memoire_kio=}
  if [ -n "$memoire" ] && [ "$kio" -ge 4096 ]; then
    echo "peak memory $kio KiB is not under 4 MiB"; exit 1
  fi
}

"$genere" "$dossier/valide.tbl" 3000000 2
"$genere" "$dossier/erreur.tbl" 3000000 1 --plate --erreur
verifie "$dossier/valide.tbl" 1
verifie "$dossier/erreur.tbl" 2
