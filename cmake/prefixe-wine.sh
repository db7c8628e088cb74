#!/usr/bin/env bash
# Makes and seals the Wine prefixes of the Windows tests: a template kept
# from one test run to the next, and the copies of it that the build
# (cmake/wine-test) and the installation tests (tests/installation/prefixe.sh)
# run their programs in.
#
#   prefixe-wine.sh copie MODELES DOSSIER [LECTEUR_D]
#       makes DOSSIER/prefix, with DOSSIER/home as HOME, as a copy of the
#       sealed template kept in MODELES from one test run to the next, and
#       seals it again; LECTEUR_D, when given, becomes its drive D:.
#       wineboot (10 s and more) makes the template once, and again only
#       when this script or Wine's version changes
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
SCRIPT_DES_PREFIXES=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")

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
# wineboot once, and its server gone before the prefix is copied.
cree_prefixe() {
  local dossier
  dossier=$(mkdir -p "$1" && cd "$1" && pwd)
  rm -rf "$dossier/prefix"
  mkdir -p "$dossier/home"
  export WINEPREFIX="$dossier/prefix" HOME="$dossier/home"
  timeout 120 wineboot -i </dev/null >/dev/null 2>&1 || true
  timeout 60 wineserver -w
  isole_prefixe || { echo "the prefix $WINEPREFIX keeps a way out" >&2; return 1; }
  touch "$WINEPREFIX/.pret"
}

# The template of this script and this Wine in MODELES, made first when it
# is missing: MODELES/KEY/prefix, KEY a hash of both, so that a change of
# either makes a new template (and the older ones go). Under a lock, as the
# tests that need it start side by side. Prints its folder.
modele_a_jour() {
  local modeles cle
  modeles=$(mkdir -p "$1" && cd "$1" && pwd)
  cle=$({ cat "$SCRIPT_DES_PREFIXES"; wine --version 2>/dev/null; } | sha256sum | cut -c1-16)
  (
    flock 8
    if [ ! -f "$modeles/$cle/prefix/.pret" ]; then
      find "$modeles" -mindepth 1 -maxdepth 1 -type d -exec rm -rf {} +
      (cree_prefixe "$modeles/$cle") 8>&- >&2  # Wine's services never hold the lock
    fi
  ) 8>"$modeles/.verrou" || return 1
  echo "$modeles/$cle"
}

# DOSSIER/prefix as a fresh copy of the template kept in MODELES, with an
# empty DOSSIER/home as HOME, sealed again (D: leading to LECTEUR_D when
# given); WINEPREFIX and HOME then point at it.
copie_prefixe() {
  local modele dossier lecteur_d=${3:-}
  modele=$(modele_a_jour "$1") || return 1
  dossier=$(mkdir -p "$2" && cd "$2" && pwd)
  rm -rf "$dossier/prefix" "$dossier/home"
  mkdir -p "$dossier/home"
  cp -a "$modele/prefix" "$dossier/prefix"
  rm "$dossier/prefix/.pret"
  export WINEPREFIX="$dossier/prefix" HOME="$dossier/home"
  isole_prefixe "$lecteur_d" || { echo "the prefix $WINEPREFIX keeps a way out" >&2; return 1; }
  touch "$WINEPREFIX/.pret"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-}" in
    copie) copie_prefixe "$2" "$3" "${4:-}" ;;
    *) echo "usage: $0 copie MODELES DOSSIER [LECTEUR_D]" >&2; exit 2 ;;
  esac
fi
