#!/usr/bin/env bash
# Makes and seals the Wine prefixes of the Windows tests: the build's own
# (cmake/wine-test) and the installation tests' template
# (tests/installation/prefixe.sh).
#
#   prefixe-wine.sh cree DOSSIER [LECTEUR_D]
#       makes DOSSIER/prefix, with DOSSIER/home as HOME, and seals it;
#       LECTEUR_D, when given, becomes its drive D:
#   source prefixe-wine.sh       then isole_prefixe [LECTEUR_D] checks (and
#                                reseals) the prefix $WINEPREFIX
#
# Sealed: drive Z: (the whole Linux tree) and every other drive but C: (and
# D: when asked for) are removed, and so is every link out of drive_c (the
# Desktop and Documents folders lead to HOME), so that a faulty removal can
# never reach outside the prefix. wineboot's output goes nowhere: Wine's
# background services keep the output of the command that started them.
# A prefix that is ready holds the file .pret.

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=

# Cuts the prefix $WINEPREFIX off the Linux tree: no drive but C: (and D:
# leading to LECTEUR_D when given), no link leaving drive_c. Fails when any
# other way out is left.
isole_prefixe() {
  local lecteur_d=${1:-} lecteur attendus=c:
  for lecteur in "$WINEPREFIX"/dosdevices/*; do
    [ "$(basename "$lecteur")" = c: ] || rm -f "$lecteur"
  done
  find "$WINEPREFIX/drive_c" -type l -exec rm -f {} +
  if [ -n "$lecteur_d" ]; then
    ln -s "$lecteur_d" "$WINEPREFIX/dosdevices/d:"
    attendus="c: d:"
  fi
  [ -z "$(find "$WINEPREFIX/drive_c" -type l)" ] &&
    [ "$(readlink "$WINEPREFIX/dosdevices/c:")" = ../drive_c ] &&
    [ "$(echo $(ls "$WINEPREFIX/dosdevices"))" = "$attendus" ]
}

# A new prefix in DOSSIER, sealed; WINEPREFIX and HOME then point at it.
# wineboot once, and its server gone before the prefix is used or copied.
cree_prefixe() {
  local dossier lecteur_d=${2:-}
  dossier=$(mkdir -p "$1" && cd "$1" && pwd)
  rm -rf "$dossier/prefix"
  mkdir -p "$dossier/home"
  export WINEPREFIX="$dossier/prefix" HOME="$dossier/home"
  timeout 120 wineboot -i </dev/null >/dev/null 2>&1 || true
  timeout 60 wineserver -w
  isole_prefixe "$lecteur_d" || { echo "the prefix $WINEPREFIX keeps a way out" >&2; return 1; }
  touch "$WINEPREFIX/.pret"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-}" in
    cree) cree_prefixe "$2" "${3:-}" ;;
    *) echo "usage: $0 cree DOSSIER [LECTEUR_D]" >&2; exit 2 ;;
  esac
fi
