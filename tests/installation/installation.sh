#!/usr/bin/env bash
# The installation tools run under Wine as a user runs them, each case in
# a fresh copy of the template prefix (see prefixe.sh), from the assembled
# installation medium, with the answers typed as files and every output
# captured into files; the registry is read back with `reg query`.
#
#   installation.sh CASE TEMPLATE MEDIUM FOLDER
#   CASE: cycle (install, update, uninstall), regupdater, sans_chemin
#   (uninstalling with no usable path in the registry).
set -uo pipefail
cas=$1 modele=$2 support=$3 dossier=$4
ici=$(cd "$(dirname "$0")" && pwd)
source "$ici/prefixe.sh"

echecs=0
echoue() { echo "FAILED: $*" >&2; echecs=$((echecs + 1)); }
verifie() {  # verifie DESCRIPTION COMMAND...
  local description=$1; shift
  "$@" || echoue "$description"
}

# Stops the prefix's server and removes the prefix (the outputs stay).
termine() {
  fin_du_test
  rm -rf "$dossier/prefix"
}
trap termine EXIT

prefixe_du_test "$modele" "$dossier" || exit 1
C=$WINEPREFIX/drive_c
sorties=$dossier/sorties
mkdir -p "$sorties"
cp -a "$support" "$C/Support"
suite="$C/Support/Vallorim light (v5.3)"

# Runs a program of the prefix in the Windows folder under C: given
# first, with the typed text given second; its output goes to sorties/NAME.
# lance NAME FOLDER KEYS PROGRAM ARGS...
lance() {
  local nom=$1 ou=$2 clavier=$3; shift 3
  printf '%b' "$clavier" > "$sorties/$nom.clavier"
  (cd "$C/${ou//\\//}" && wine_du_test "$@" < "$sorties/$nom.clavier" > "$sorties/$nom.txt" 2>&1)
  echo $? > "$sorties/$nom.statut"
}

# The data of a registry value, as reg prints it (code page 437), or
# nothing when the key or value is missing: valeur KEY [/v NAME]
valeur() {
  local cle=$1; shift
  local options=(/ve)
  [ $# -gt 0 ] && options=("$@")
  requete_reg "$cle" "${options[@]}" || return 0
  tr -d '\r' < "$sorties/reg.txt" | sed -n 's/^ .*REG_SZ    //p'
}
existe_cle() {
  requete_reg "$1"
}

# reg query ARGS..., its answer in sorties/reg.txt; fails when the key or
# value is missing. Under load, Wine now and then ends reg before it writes
# a word: a query that fails with no output at all gave no answer, and is
# asked again, three times at most, so that it is never taken for a missing
# key.
requete_reg() {
  local essai
  for essai in 1 2 3; do
    (cd "$C" && wine_du_test reg query "$@" < /dev/null > "$sorties/reg.txt" 2>&1) && return 0
    [ -s "$sorties/reg.txt" ] && return 1
    echo "reg query $* gave no answer (try $essai of 3)" >&2
  done
  echoue "reg query $* gave no answer, three times"
  return 1
}
egal() {  # egal DESCRIPTION GOT EXPECTED
  [ "$2" = "$3" ] || echoue "$1: got [$2], expected [$3]"
}
contient() {  # contient FILE BYTES
  grep -qF -- "$2" "$1"
}

EXTENSIONS=(cl nam niv st tbl)
declare -A DESCRIPTIONS=(
  [cl]="Fichier de climat" [nam]=$'Table al\x82atoire de noms'
  [niv]=$'Fichier de r\x82partition de niveau' [st]="Fichier de temps" [tbl]=$'Table al\x82atoire')
NOTEPAD='C:\WINDOWS\notepad.exe %1'
INSTALLE='C:\Jeux\Vallorim light (v5.3)'
MENU="$C/Documents and Settings/All Users/Menu Démarrer/Programmes/Vallorim light"
LIEN="$MENU/Vallorim light (v5.3).lnk"
profil=$(cd "$C/users" && ls | grep -v '^Public$' | head -n 1)  # %userprofile%
BUREAU="$C/users/$profil/Bureau"

# No key of the suite before anything runs: the checks below mean something.
sans_cles_de_la_suite() {
  local e
  for e in "${EXTENSIONS[@]}"; do
    existe_cle "HKCR\\.$e" && echoue "HKCR\\.$e exists"
    existe_cle "HKCR\\${e}_auto_file" && echoue "HKCR\\${e}_auto_file exists"
  done
  existe_cle 'HKCR\tblt_auto_file' && echoue 'HKCR\tblt_auto_file exists'
  existe_cle 'HKLM\Software\Vallorim_light' && echoue 'HKLM\Software\Vallorim_light exists'
  true
}

# The five types open in Notepad: extension, class, open command.
types_enregistres() {
  local e
  for e in "${EXTENSIONS[@]}"; do
    egal ".$e class" "$(valeur "HKCR\\.$e")" "${e}_auto_file"
    egal ".$e open command" "$(valeur "HKCR\\${e}_auto_file\\shell\\open\\command")" "$NOTEPAD"
  done
}

installe() {
  mkdir -p "$BUREAU"  # the French desktop folder that the installer copies to
  # An empty Enter for the pause, a folder too long for the commands, then
  # C:\Jeux refused once, then confirmed.
  local trop_long
  trop_long="C:\\\\$(printf 'j%.0s' {1..237})"  # 240 characters, typed as C:\jjj...
  lance installation Support "\\n$trop_long\\nC:\\\\Jeux\\nN\\nC:\\\\Jeux\\\\\\nO\\n\\n" installer.exe
  egal "installer status" "$(cat "$sorties/installation.statut")" 0
  local sortie=$sorties/installation.txt
  verifie "a folder too long is refused" contient "$sortie" \
    $'\r\nCe dossier est trop long pour y installer Vallorim, choisissez-en un plus court.\r\n'
  [ "$(grep -c $'^R\x82pertoire d\x27installation: C:\\\\Jeux\\\\Vallorim light (v5.3)\\\\\r$' "$sortie")" = 2 ] ||
    echoue "the folder question was not asked twice with the same path"
  verifie "installer's closing message" contient "$sortie" $'\r\nL\x27installation est termin\x82e...'

  egal "value Chemin" "$(valeur 'HKLM\Software\Vallorim_light' /v Chemin)" "$INSTALLE\\"
  types_enregistres
  local e
  for e in "${EXTENSIONS[@]}"; do
    egal ".$e description" "$(valeur "HKCR\\${e}_auto_file")" "${DESCRIPTIONS[$e]}"
  done
  local classe
  for classe in tblt_auto_file tbl_auto_file; do
    egal "verb on $classe" "$(valeur "HKCR\\$classe\\shell\\Vérifier la table\\Command")" \
      "$INSTALLE\\Utilitaires\\Sondeur\\Sondeur.exe \"%1\""
  done

  # The copied tree: the medium's suite folder, file for file, plus the
  # batch file.
  verifie "copied tree" diff -r -x Pinolet.bat "$support/Vallorim light (v5.3)" "$C/Jeux/Vallorim light (v5.3)"
  local batch=$'Shortcut.exe /F:"C:\\Documents and Settings\\All Users\\Menu D\xe9marrer\\Programmes\\Vallorim light\\Vallorim light (v5.3).lnk" /A:c /T:"C:\\Jeux\\Vallorim light (v5.3)\\Vallorim_5.3.exe" /W:"C:\\Jeux\\Vallorim light (v5.3)" /I:"C:\\Jeux\\Vallorim light (v5.3)\\Utilitaires\\VA l.ico"'
  verifie "Pinolet.bat on the medium" cmp -s <(printf '%s' "$batch") "$suite/Utilitaires/Pinolet.bat"
  verifie "Pinolet.bat installed" cmp -s <(printf '%s' "$batch") "$C/Jeux/Vallorim light (v5.3)/Utilitaires/Pinolet.bat"

  # The shortcut: a shell link (its header and class) that names the
  # target, the working folder and the icon.
  verifie "start-menu shortcut" test -f "$LIEN"
  verifie "shell link header" cmp -s -n 20 <(printf '\x4c\0\0\0\x01\x14\x02\0\0\0\0\0\xc0\0\0\0\0\0\0\x46') "$LIEN"
  local texte
  texte=$(tr -d '\0' < "$LIEN")
  for e in 'Vallorim_5.3.exe' "$INSTALLE" "$INSTALLE\\Utilitaires\\VA l.ico"; do
    [[ "$texte" == *"$e"* ]] || echoue "the shortcut does not name $e"
  done
  verifie "desktop shortcut" cmp -s "$LIEN" "$BUREAU/Vallorim light (v5.3).lnk"
}

# regupdater in the Registre folder FOLDER (under C:) imports its files:
# each reported in the order of the listing, the list left in Données. A
# name over 237 characters does not fit the import command: it is refused.
met_a_jour() {
  local ou=$1 noms=("${@:2}")
  lance regupdater "$ou" '\n\n' regupdater.exe
  egal "regupdater status" "$(cat "$sorties/regupdater.statut")" 0
  local attendu=$'\r\nCe programme va mettre \x85 jour la base de donn\x82e du registre de ce PC, afin que\r\nles fichiers de donn\x82es du programme puissent \x88tre l\x96 directement par le\r\nbloc-notes.\r\n(Et ceci est sans danger !!!)\r\n...'
  local liste="" nom
  for nom in "${noms[@]}"; do
    if [ ${#nom} -gt 237 ]; then
      attendu+="$nom: nom trop long, ce fichier n'a pas "$'\x82t\x82'" ajout"$'\x82'" au registre."$'\r\n'
    else
      attendu+="$nom ajout"$'\x82'" au registre."$'\r\n'
    fi
    liste+="$nom"$'\r\n'
  done
  attendu+=$'\r\nMise \x85 jour du registre termin\x82e !...'
  verifie "regupdater's output" cmp "$sorties/regupdater.txt" <(printf '%s' "$attendu")
  verifie "regupdater's list" cmp "$C/${ou//\\//}/../../Données/temp.tmp" <(printf '%s' "$liste")
}

desinstalle() {
  lance desinstallation 'Jeux\Vallorim light (v5.3)' '\n' uninstaller.exe
  wineserver -w  # the removal that waits for the uninstaller's end
  egal "uninstaller status" "$(cat "$sorties/desinstallation.statut")" 0
  local sortie=$sorties/desinstallation.txt
  verifie "uninstaller's title row" contient "$sortie" $'Programme de d\x82sinstallation de Vallorim'
  verifie "one line per key" test "$(grep -c $'^Le fichier HKEY_CLASSES_ROOT\\\\[a-z_.]* a \x82t\x82 supprim\x82 du registre\r$' "$sortie")" = 11
  verifie "uninstaller's closing message" contient "$sortie" $'Le programme Vallorim \x85 \x82t\x82 enti\x8arement d\x82sinstall\x82\r\n...'
  local e
  for e in "${EXTENSIONS[@]}"; do
    existe_cle "HKCR\\.$e" && echoue "HKCR\\.$e is left"
    existe_cle "HKCR\\${e}_auto_file" && echoue "HKCR\\${e}_auto_file is left"
  done
  existe_cle 'HKCR\tblt_auto_file' && echoue 'HKCR\tblt_auto_file is left'
  existe_cle 'HKLM\Software\Vallorim_light' && echoue 'HKLM\Software\Vallorim_light is left'
  [ -e "$C/Jeux/Vallorim light (v5.3)" ] && echoue "the installation folder is left: $(cd "$C/Jeux" && find .)"
  [ -e "$MENU" ] && echoue "the start-menu folder is left"
  verifie "the desktop shortcut stays" test -f "$BUREAU/Vallorim light (v5.3).lnk"
  verifie "the medium stays" test -f "$suite/uninstaller.exe"
}

case $cas in
  cycle)
    sans_cles_de_la_suite
    installe
    met_a_jour 'Jeux\Vallorim light (v5.3)\Utilitaires\Registre' 'climats.reg' 'niveaux.reg' 'Tables aleatoires.reg'
    types_enregistres
    desinstalle
    ;;
  regupdater)
    sans_cles_de_la_suite
    # A name with '&' as well: quoted, it is a name, not a second command.
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vallorim_essai]\r\n"Esperluette"="oui"\r\n' \
      > "$suite/Utilitaires/Registre/a&b.reg"
    # And a name of 240 characters, too long for the command: never imported.
    long_nom=$(printf 'z%.0s' {1..236}).reg
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vallorim_essai]\r\n"Long"="oui"\r\n' \
      > "$suite/Utilitaires/Registre/$long_nom"
    met_a_jour 'Support\Vallorim light (v5.3)\Utilitaires\Registre' 'a&b.reg' 'climats.reg' 'niveaux.reg' \
      'Tables aleatoires.reg' "$long_nom"
    types_enregistres  # "Tables aleatoires.reg", whose name holds a space, gave .nam and .tbl
    egal "the file named with '&'" "$(valeur 'HKCU\Software\Vallorim_essai' /v Esperluette)" oui
    egal "the file with a long name" "$(valeur 'HKCU\Software\Vallorim_essai' /v Long)" ""
    ;;
  sans_chemin)
    # An installation whose value Chemin is gone, then one whose value is a
    # drive's root: the keys of the list go, nothing leaves the disk.
    installe
    avant=$(cd "$C" && find . -path ./windows -prune -o -print | sort)
    (cd "$C" && wine_du_test reg delete 'HKLM\Software\Vallorim_light' /v Chemin /f < /dev/null > /dev/null 2>&1)
    desinstalle_sans_chemin() {
      lance "$1" 'Jeux\Vallorim light (v5.3)' '\n' uninstaller.exe
      wineserver -w
      egal "$1: status" "$(cat "$sorties/$1.statut")" 0
      verifie "$1: refusal" contient "$sorties/$1.txt" "$2"
      verifie "$1: incomplete" contient "$sorties/$1.txt" $'La d\x82sinstallation n\x27est pas compl\x8ate.\r\n...'
      contient "$sorties/$1.txt" "Suppression du dossier" && echoue "$1: a folder removal was announced"
      egal "$1: files on C:" "$(cd "$C" && find . -path ./windows -prune -o -print | grep -v '/temp.tmp$' | sort)" \
        "$(grep -v '/temp.tmp$' <<< "$avant")"
      verifie "$1: C:\\windows" test -f "$C/windows/system32/kernel32.dll"
    }
    desinstalle_sans_chemin sans_valeur $'Aucun chemin d\x27installation n\x27a \x82t\x82 lu dans le registre: aucun dossier n\x27est supprim\x82.\r\n'
    (cd "$C" && wine_du_test reg add 'HKLM\Software\Vallorim_light' /v Chemin /t REG_SZ /d 'C:\' /f < /dev/null > /dev/null 2>&1)
    egal "value set to the root" "$(valeur 'HKLM\Software\Vallorim_light' /v Chemin)" 'C:\'
    desinstalle_sans_chemin racine $'C:: ce chemin est la racine d\x27un disque, il n\x27est pas supprim\x82.\r\n'
    ;;
  *) echo "unknown case $cas" >&2; exit 2 ;;
esac

[ $echecs -eq 0 ] || { echo "$echecs check(s) failed; outputs in $sorties" >&2; exit 1; }
echo "all checks passed"
