#!/bin/sh
# saisie_wine.sh WINE_TEST WINE_FOLDER PROGRAM -- types keys on a real Windows
# console: PROGRAM (programme_saisie.exe) runs under Wine, through WINE_TEST
# and the build's prefix in WINE_FOLDER, inside a tmux pane that Wine's
# console takes for its terminal; the keys are typed with tmux send-keys.
# Checks the bytes of every line typed, and the echo on the screen.
# Runs in its own tmux server, which is always killed on the way out; every
# wait is bounded. Without tmux it fails: nothing would have been checked.
set -u

if [ $# -ne 3 ]; then
  echo "usage: saisie_wine.sh WINE_TEST WINE_FOLDER PROGRAM" >&2
  exit 2
fi
wine_test=$1
wine_dossier=$2
programme=$3

if ! command -v tmux >/dev/null 2>&1; then
  echo "saisie_wine: tmux is missing, no key can be typed on a console: FAILED" >&2
  exit 1
fi

# The program writes its result here, beside it in the build folder (Wine's
# D:), whatever folder the test is started from.
dossier=$(cd "$(dirname "$programme")" && pwd)/essais/saisie_wine
rm -rf "$dossier"
mkdir -p "$dossier"
resultat=$dossier/resultat.txt

serveur=saisie-wine-$$
t() { tmux -L "$serveur" "$@"; }
trap 't kill-server >/dev/null 2>&1' EXIT
trap 'exit 1' INT TERM HUP

ecran() { t capture-pane -p -t saisie 2>/dev/null; }

echec() {
  echo "saisie_wine: $*" >&2
  echo "--- the console shows:" >&2
  ecran >&2
  exit 1
}

# attend SECONDS CHECK...: runs CHECK every 0.2 s until it holds.
attend() {
  essais=$(($1 * 5))
  shift
  while ! "$@"; do
    essais=$((essais - 1))
    [ "$essais" -gt 0 ] || return 1
    sleep 0.2
  done
}

montre() { ecran | grep -qxF "$1"; }
invite() { ecran | grep -q "^saisie $1:"; }  # capture-pane drops trailing blanks

# Waits for the prompt of entry N (the first one waits for Wine to start).
attend_invite() {
  delai=30
  [ "$1" -eq 1 ] && delai=150
  attend "$delai" invite "$1" || echec "no prompt for entry $1"
}

touches() { t send-keys -t saisie "$@"; }
# Home and End as an xterm sends them: tmux's own sequences for these two
# keys (ESC [ 1 ~, ESC [ 4 ~) are not read by Wine's console.
debut() { touches -H 1b 5b 48; }
fin() { touches -H 1b 5b 46; }

t new-session -d -s saisie -x 120 -y 30 -c "$dossier" \
  "$wine_test" "$wine_dossier" "$programme" resultat.txt 1 4 1 1 1 1 1 ||
  echec "tmux cannot start the program"

# 1. The accented keys of the top row give their digits; 'x' is ignored.
attend_invite 1
touches -l 'éèçàx'
touches Enter
# 2. Mode 4: the shifted '°' and 'µ' (same bytes in code pages 850 and 437),
# '(' kept, ',' and '=' translated, 'e' in capitals.
attend_invite 2
touches -l '°µ(,=e'
touches Enter
# 3. Inserting in the middle: the echo shows the line before Enter is typed.
attend_invite 3
touches -l '13'
touches Left
touches -l 'é'
attend 10 montre "saisie 3: 123" || echec "the echo of entry 3 is not on the screen"
touches Enter
# 4. Home, Delete, End, Backspace at the end.
attend_invite 4
touches -l '123'
debut
touches DC
fin
touches BSpace Enter
# 5. Backspace in the middle, Right, Delete.
attend_invite 5
touches -l '1234'
touches Left Left BSpace Right DC Enter
# 6 and 7. The history: Up, Up, Down, Page Up; then Page Down, Up.
attend_invite 6
touches Up Up Down PPage Enter
attend_invite 7
touches NPage Up
attend 10 montre "saisie 7: 13" || echec "the echo of entry 7 is not on the screen"

attendu_ecran='saisie 1: 2790
saisie 2: )*(.+E
saisie 3: 123
saisie 4: 2
saisie 5: 13
saisie 6: 2790
saisie 7: 13'
vu_ecran=$(ecran | grep '^saisie')
[ "$vu_ecran" = "$attendu_ecran" ] || echec "the console does not show the lines typed"
touches Enter

attend 30 test -f "$resultat" || echec "the program did not write its result"
attendu='32 37 39 30
29 2A 28 2E 2B 45
31 32 33
32
31 33
32 37 39 30
31 33
fin'
vu=$(cat "$resultat")
if [ "$vu" != "$attendu" ]; then
  echo "saisie_wine: the lines typed differ" >&2
  echo "--- expected:" >&2
  echo "$attendu" >&2
  echo "--- got:" >&2
  echo "$vu" >&2
  exit 1
fi
echo "saisie_wine: 7 entries typed on the Wine console, all as expected"
