#!/usr/bin/env bash
# The Windows medium's archive, unzipped into an empty folder, gives back the
# assembled medium: every file, byte for byte, under its UTF-8 name
# ("Données" included).
#
#   support_zip.sh ARCHIVE MEDIUM FOLDER
set -uo pipefail
archive=$1 support=$2 dossier=$3
rm -rf "$dossier" && mkdir -p "$dossier" || exit 1
[ -f "$archive" ] || { echo "FAILED: no archive $archive" >&2; exit 1; }
(cd "$dossier" && cmake -E tar xf "$archive") || { echo "FAILED: cannot unpack $archive" >&2; exit 1; }
diff -r "$support" "$dossier" || { echo "FAILED: the archive differs from $support" >&2; exit 1; }
test -f "$dossier/Vallorim light (v5.3)/Données/rencontres_foret.tbl" ||
  { echo "FAILED: the data folder lost its name" >&2; exit 1; }
rm -rf "$dossier"
