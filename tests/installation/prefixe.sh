#!/usr/bin/env bash
# Wine prefixes for the installation tests, which change the registry and
# remove folders: a template made once per test run (itself a copy of the
# one kept from run to run, see cmake/prefixe-wine.sh), and a fresh copy of
# it for each test, in which nothing can reach outside the prefix.
#
#   prefixe.sh modele DOSSIER MODELES
#                                makes the template DOSSIER/prefix from the
#                                one kept in MODELES
#   source prefixe.sh            in a test: prefixe_du_test MODELE DOSSIER
#                                then wine_du_test ARGS... and fin_du_test
#
# Safety: HOME is a folder of the test's own; the template is made and
# sealed by cmake/prefixe-wine.sh (no drive but C:, no link out of drive_c)
# before any program runs, and each copy is checked and sealed again.

source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/prefixe-wine.sh"
export LC_ALL=C.UTF-8

# A fresh copy of the template MODELE in DOSSIER (emptied first), with its
# own HOME; WINEPREFIX and HOME then point at it.
prefixe_du_test() {
  local modele=$1 dossier=$2
  [ -f "$modele/prefix/.pret" ] || { echo "no template prefix in $modele" >&2; return 1; }
  rm -rf "$dossier"
  mkdir -p "$dossier/home"
  dossier=$(cd "$dossier" && pwd)
  cp -a "$modele/prefix" "$dossier/prefix"
  export WINEPREFIX="$dossier/prefix" HOME="$dossier/home"
  isole_prefixe || { echo "the test prefix keeps a way out" >&2; return 1; }
  # The server and its services start here, with no output, so that no
  # program of the test waits for them or leaves them holding its files.
  wineserver -p30 </dev/null >/dev/null 2>&1
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Runs a Windows program in the test's prefix, for at most SECONDES (60 by
# default): wine_du_test [-t SECONDES] PROGRAM ARGS... < input > output
wine_du_test() {
  local secondes=60
  if [ "$1" = -t ]; then secondes=$2; shift 2; fi
  timeout "$secondes" wine "$@"
}

# Stops the test's server and every program left in its prefix.
fin_du_test() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  true
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-}" in
    modele) copie_prefixe "$3" "$2" ;;
    *) echo "usage: $0 modele DOSSIER MODELES" >&2; exit 2 ;;
  esac
fi
