#!/bin/sh
# page_de_code_wine.sh WINE_TEST WINE_FOLDER SONDEUR -- the batch report on a
# real Windows console, in the code page that the console uses: Sondeur.exe
# runs under Wine, through WINE_TEST and the build's prefix in WINE_FOLDER,
# inside a tmux pane that Wine's console takes for its terminal, after
# "chcp 850" then after "chcp 65001", its output sent to a file. The same
# Latin-1 line must come out in code page 850, then in UTF-8.
# Runs in its own tmux server, always killed on the way out; every wait is
# bounded. Without tmux it fails: nothing would have been checked.
set -u

if [ $# -ne 3 ]; then
  echo "usage: page_de_code_wine.sh WINE_TEST WINE_FOLDER SONDEUR" >&2
  exit 2
fi
wine_test=$1 wine_dossier=$2 sondeur=$3
command -v tmux >/dev/null 2>&1 || { echo "page_de_code_wine: tmux is missing: FAILED" >&2; exit 1; }

# The table and the reports, beside the program in the build folder (Wine's D:).
dossier=$(cd "$(dirname "$sondeur")" && pwd)/essais/page_de_code_wine
rm -rf "$dossier"
mkdir -p "$dossier"
printf 'dd3:1:a\n2:b\n4:\300 l\047\311cu \253\260\n' >"$dossier/t.tbl"

serveur=page-de-code-$$
t() { tmux -L "$serveur" "$@"; }
trap 't kill-server >/dev/null 2>&1' EXIT
trap 'exit 1' INT TERM HUP

# lance PAGE: the report of t.tbl on a console in code page PAGE, in PAGE.txt.
lance() {
  t new-session -d -s "p$1" -x 120 -y 30 -c "$dossier" \
    "$wine_test" "$wine_dossier" cmd /c "chcp $1 >nul & ..\\..\\Sondeur.exe --lot t.tbl >$1.txt 2>nul & echo fin>$1.fin" ||
    { echo "page_de_code_wine: tmux cannot start the program" >&2; exit 1; }
  essais=300
  while [ ! -f "$dossier/$1.fin" ] && [ "$essais" -gt 0 ]; do sleep 0.2; essais=$((essais - 1)); done
  [ -f "$dossier/$1.fin" ] || { echo "page_de_code_wine: no report in code page $1" >&2; exit 1; }
}

compare() {
  vu=$(od -An -c "$dossier/$1.txt" | tr -s ' ')
  attendu=$(printf "$2" | od -An -c | tr -s ' ')
  [ "$vu" = "$attendu" ] || {
    echo "page_de_code_wine: code page $1, expected:" >&2
    echo "$attendu" >&2
    echo "got:" >&2
    echo "$vu" >&2
    exit 1
  }
}

lance 850
lance 65001
compare 850 't.tbl:3:1: erreur: valeur incorrecte: 4:\267 l\047\220cu \256\370\r\n'
compare 65001 't.tbl:3:1: erreur: valeur incorrecte: 4:\303\200 l\047\303\211cu \302\253\302\260\r\n'
echo "page_de_code_wine: the report in code page 850, then in UTF-8"
