#!/usr/bin/env bash
# The installation tools run under Wine as a user runs them, each case in
# a fresh copy of the template prefix (see prefixe.sh), from the assembled
# installation medium, with the answers typed as files and every output
# captured into files; the registry is read back with `reg query`.
#
#   installation.sh CASE TEMPLATE MEDIUM FOLDER VERBE
#   CASE: cycle (install, reinstall, the verb, update, uninstall, with
#   programs of the system's names planted in every current and parent
#   folder), regupdater, sans_chemin (uninstalling with no usable path in the
#   registry), hostile (typed folders, registry paths, key lists and colour
#   codes that carry commands or point outside the installation), accents
#   (an accented folder, and a folder pasted with its quotes, installed and
#   removed), reprise (an install onto a missing drive, an uninstall stopped
#   by a running program and by links, then finished by a second run).
#   VERBE: tests/installation's verbe.exe (see verbe.cpp).
set -uo pipefail
cas=$1 modele=$2 support=$3 dossier=$4 verbe=$5
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

# The system's reg, by its full path: a reg.exe planted in C:\ never
# answers for it.
REG='C:\windows\system32\reg.exe'

# reg query ARGS..., its answer in sorties/reg.txt; fails when the key or
# value is missing. Under load, Wine now and then ends reg before it writes
# a word: a query that fails with no output at all gave no answer, and is
# asked again, three times at most, so that it is never taken for a missing
# key.
requete_reg() {
  local essai
  for essai in 1 2 3; do
    (cd "$C" && wine_du_test "$REG" query "$@" < /dev/null > "$sorties/reg.txt" 2>&1) && return 0
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

# What an installation in the Windows folder DOSSIER (as reg prints it, in
# code page 437) leaves: the path, the types, the verb with the program's
# path quoted, and the suite's tree copied into LINUX (under C:).
# verifie_installation DOSSIER LINUX
verifie_installation() {
  local installe=$1 linux=$2 e classe
  egal "value Chemin" "$(valeur 'HKLM\Software\Vallorim_light' /v Chemin)" "$installe\\"
  types_enregistres
  for e in "${EXTENSIONS[@]}"; do
    egal ".$e description" "$(valeur "HKCR\\${e}_auto_file")" "${DESCRIPTIONS[$e]}"
  done
  for classe in tblt_auto_file tbl_auto_file; do
    egal "verb on $classe" "$(valeur "HKCR\\$classe\\shell\\Vérifier la table\\Command")" \
      "\"$installe\\Utilitaires\\Sondeur\\Sondeur.exe\" \"%1\""
  done
  verifie "copied tree" diff -r -x Pinolet.bat "$support/Vallorim light (v5.3)" "$C/$linux"
}

# The installer with the answers KEYS (after the pause's Enter, before the
# closing one); it must end with status 0. A shortcut left on the desktop by
# an earlier installation is overwritten without a question.
installe_avec() {
  mkdir -p "$BUREAU"  # the French desktop folder that the installer copies to
  lance installation Support "\\n$1\\n" installer.exe
  egal "installer status" "$(cat "$sorties/installation.statut")" 0
  verifie "installer's closing message" contient "$sorties/installation.txt" $'\r\nL\x27installation est termin\x82e...'
}

# Copies of verbe.exe under the names of the system's programs into each
# FOLDER (under C:): run in place of the real ones, they would write
# C:\plante.txt.
plante() {
  local ou nom
  for ou in "$@"; do
    mkdir -p "$ou"
    for nom in cmd.exe reg.exe xcopy.exe regedit.exe ping.exe chcp.com; do cp "$verbe" "$ou/$nom"; done
  done
}
aucun_plante() {
  [ -e "$C/plante.txt" ] && echoue "planted programs ran: $(cat "$C/plante.txt")"
  true
}

installe() {
  # A folder too long for the commands, then C:\Jeux refused once, then
  # confirmed.
  local trop_long
  trop_long="C:\\\\$(printf 'j%.0s' {1..237})"  # 240 characters, typed as C:\jjj...
  installe_avec "$trop_long\\nC:\\\\Jeux\\nN\\nC:\\\\Jeux\\\\\\nO\\n"
  local sortie=$sorties/installation.txt
  verifie "a folder too long is refused" contient "$sortie" \
    $'\r\nCe dossier est trop long pour y installer Vallorim, choisissez-en un plus court.\r\n'
  [ "$(grep -c $'^R\x82pertoire d\x27installation: C:\\\\Jeux\\\\Vallorim light (v5.3)\\\\\r$' "$sortie")" = 2 ] ||
    echoue "the folder question was not asked twice with the same path"
  verifie_installation "$INSTALLE" 'Jeux/Vallorim light (v5.3)'

  local batch=$'Shortcut.exe /F:"C:\\Documents and Settings\\All Users\\Menu D\xe9marrer\\Programmes\\Vallorim light\\Vallorim light (v5.3).lnk" /A:c /T:"C:\\Jeux\\Vallorim light (v5.3)\\Vallorim_5.3.exe" /W:"C:\\Jeux\\Vallorim light (v5.3)" /I:"C:\\Jeux\\Vallorim light (v5.3)\\Utilitaires\\VA l.ico"'
  verifie "Pinolet.bat on the medium" cmp -s <(printf '%s' "$batch") "$suite/Utilitaires/Pinolet.bat"
  verifie "Pinolet.bat installed" cmp -s <(printf '%s' "$batch") "$C/Jeux/Vallorim light (v5.3)/Utilitaires/Pinolet.bat"

  # The shortcut: a shell link (its header and class) that names the
  # target, the working folder and the icon.
  verifie "start-menu shortcut" test -f "$LIEN"
  verifie "shell link header" cmp -s -n 20 <(printf '\x4c\0\0\0\x01\x14\x02\0\0\0\0\0\xc0\0\0\0\0\0\0\x46') "$LIEN"
  local texte e
  texte=$(tr -d '\0' < "$LIEN")
  for e in 'Vallorim_5.3.exe' "$INSTALLE" "$INSTALLE\\Utilitaires\\VA l.ico"; do
    [[ "$texte" == *"$e"* ]] || echoue "the shortcut does not name $e"
  done
  verifie "desktop shortcut" cmp -s "$LIEN" "$BUREAU/Vallorim light (v5.3).lnk"
}

# A table opened with the verb as the shell opens it runs Sondeur, even with
# a program planted where an unquoted path would find one first
# (C:\Jeux\Vallorim.exe, before "Vallorim light (v5.3)\...").
ouvre_avec_le_verbe() {
  cp "$verbe" "$C/verbe.exe"
  cp "$verbe" "$C/Jeux/Vallorim.exe"
  printf 'dd2:1:Gobelin\r\n2:Orc\r\n' > "$C/t.tbl"
  (cd "$C" && wine_du_test verbe.exe 'C:\t.tbl' < /dev/null > "$sorties/verbe.txt" 2>&1)
  egal "status of Sondeur run by the verb" "$?" 0
  verifie "no planted program ran" test ! -e "$C/plante.txt"
  verifie "Sondeur checked the table" contient "$sorties/verbe.txt" $'La table al\x82atoire ne contient aucune erreur.'
  rm -f "$C/verbe.exe" "$C/Jeux/Vallorim.exe" "$C/t.tbl"
}

# regupdater in the Registre folder FOLDER (under C:) imports its files:
# each reported in the order of the listing, the list left in Données. A
# name that is not a .reg file, holds a character the command interpreter
# reads, or is over 237 characters (too long for the import command) is not
# imported; with ECHEC set to 1, regedit fails for every file (a stand-in
# regedit.exe in the folder). The status is 1 when a .reg file of the list
# was not imported.
# met_a_jour FOLDER ECHEC NAMES...
met_a_jour() {
  local ou=$1 echec=$2 noms=("${@:3}")
  lance regupdater "$ou" '\n\n' regupdater.exe
  local attendu=$'\r\nCe programme va mettre \x85 jour la base de donn\x82e du registre de ce PC, afin que\r\nles fichiers de donn\x82es du programme puissent \x88tre l\x96 directement par le\r\nbloc-notes.\r\n(Et ceci est sans danger !!!)\r\n...'
  local liste="" nom statut=0 pas_ajoute=$' n\x27a pas \x82t\x82 ajout\x82 au registre.\r\n'
  for nom in "${noms[@]}"; do
    if [[ ! "${nom,,}" == *.reg ]]; then
      attendu+="$nom: ce n'est pas un fichier .reg, il$pas_ajoute"
    elif [[ "$nom" == *[%\"\&\|\<\>^]* ]]; then
      attendu+="$nom: ce nom contient un caract"$'\x8a'"re que l'interpr"$'\x82'"teur de commandes lirait (% \" & | < > ^ ou de contr"$'\x93'"le), ce fichier$pas_ajoute"
      statut=1
    elif [ ${#nom} -gt 237 ]; then
      attendu+="$nom: nom trop long, ce fichier$pas_ajoute"
      statut=1
    elif [ "$echec" = 1 ]; then
      attendu+="$nom: regedit a "$'\x82'"chou"$'\x82'", ce fichier$pas_ajoute"
      statut=1
    else
      attendu+="$nom ajout"$'\x82'" au registre."$'\r\n'
    fi
    liste+="$nom"$'\r\n'
  done
  attendu+=$'\r\nMise \x85 jour du registre termin\x82e !...'
  egal "regupdater status" "$(cat "$sorties/regupdater.statut")" "$statut"
  verifie "regupdater's output" cmp "$sorties/regupdater.txt" <(printf '%s' "$attendu")
  verifie "regupdater's list" cmp "$C/${ou//\\//}/../../Données/temp.tmp" <(printf '%s' "$liste")
}

# Waits, 20 seconds at most, for FOLDER to go: the uninstaller leaves its
# own file, and the folder that holds it, to a command that runs after its
# end. (Waiting for the Wine server to stop would also wait out its linger.)
attend_disparition() {
  local i
  for i in $(seq 100); do
    [ -e "$1" ] || return 0
    sleep 0.2
  done
}

# The uninstaller, started from the installation folder LINUX (under C:,
# C:\Jeux's by default), removes everything: every key, the folder, the
# start-menu folder. Each key of the list is told removed, or already gone
# when DEJA is 1 (a run that finishes an earlier one).
desinstalle() {
  local linux=${1:-Jeux/Vallorim light (v5.3)} deja=${2:-0} fait=$'a \x82t\x82 supprim\x82'
  [ "$deja" = 1 ] && fait=$'\x82tait d\x82j\x85 absent'
  lance desinstallation "$linux" '\n' uninstaller.exe
  attend_disparition "$C/$linux"
  egal "uninstaller status" "$(cat "$sorties/desinstallation.statut")" 0
  local sortie=$sorties/desinstallation.txt
  verifie "uninstaller's title row" contient "$sortie" $'Programme de d\x82sinstallation de Vallorim'
  verifie "one line per key" test "$(grep -c $'^Le fichier HKEY_CLASSES_ROOT\\\\[a-z_.]* '"$fait"$' du registre\r$' "$sortie")" = 11
  verifie "uninstaller's closing message" contient "$sortie" $'Le programme Vallorim \x85 \x82t\x82 enti\x8arement d\x82sinstall\x82\r\n...'
  local e
  for e in "${EXTENSIONS[@]}"; do
    existe_cle "HKCR\\.$e" && echoue "HKCR\\.$e is left"
    existe_cle "HKCR\\${e}_auto_file" && echoue "HKCR\\${e}_auto_file is left"
  done
  existe_cle 'HKCR\tblt_auto_file' && echoue 'HKCR\tblt_auto_file is left'
  existe_cle 'HKLM\Software\Vallorim_light' && echoue 'HKLM\Software\Vallorim_light is left'
  [ -e "$C/$linux" ] && echoue "the installation folder is left: $(cd "$C/$linux" && find .)"
  [ -e "$MENU" ] && echoue "the start-menu folder is left"
  verifie "the desktop shortcut stays" test -f "$BUREAU/Vallorim light (v5.3).lnk"
  verifie "the medium stays" test -f "$suite/uninstaller.exe"
}

# Sets the registry value Chemin to VALUE, given to reg as one argument.
met_le_chemin() {
  (cd "$C" && wine_du_test "$REG" add 'HKLM\Software\Vallorim_light' /v Chemin /t REG_SZ /d "$1" /f \
    < /dev/null > /dev/null 2>&1)
  egal "value Chemin set" "$(valeur 'HKLM\Software\Vallorim_light' /v Chemin)" "$1"
}

# An uninstaller run NAME that must remove nothing from the disk, keep the
# suite's key and its start-menu folder, tell REASON and end with status 1.
# The folders and files that must stay are listed in $TEMOINS.
desinstallation_refusee() {
  local nom=$1 raison=$2 temoin
  lance "$nom" 'Jeux/Vallorim light (v5.3)' '\n' uninstaller.exe
  egal "$nom: status" "$(cat "$sorties/$nom.statut")" 1
  verifie "$nom: reason" contient "$sorties/$nom.txt" "$raison"
  verifie "$nom: incomplete" contient "$sorties/$nom.txt" $'La d\x82sinstallation n\x27est pas compl\x8ate.\r\n...'
  contient "$sorties/$nom.txt" "Suppression du dossier" && echoue "$nom: a folder removal was announced"
  contient "$sorties/$nom.txt" $'enti\x8arement' && echoue "$nom: success was reported"
  for temoin in "${TEMOINS[@]}"; do
    verifie "$nom: $temoin stays" test -e "$temoin"
  done
  verifie "$nom: the suite's key stays" existe_cle 'HKLM\Software\Vallorim_light'
  types_enregistres  # nothing is deleted before the path is checked
  verifie "$nom: the start-menu folder stays" test -d "$MENU"
  verifie "$nom: C:\\windows stays" test -f "$C/windows/system32/kernel32.dll"
}

case $cas in
  cycle)
    # Planted: beside the medium and in its parent, then in the parent of
    # the installation, then in the installation and its Registre folder,
    # where the uninstaller and regupdater start.
    sans_cles_de_la_suite
    plante "$C" "$C/Support" "$C/Jeux"
    installe
    installe_avec 'C:\\Jeux\nO'  # again over the same folder: nothing asks
    verifie_installation "$INSTALLE" 'Jeux/Vallorim light (v5.3)'
    ouvre_avec_le_verbe
    plante "$C/Jeux/Vallorim light (v5.3)" "$C/Jeux/Vallorim light (v5.3)/Utilitaires" \
      "$C/Jeux/Vallorim light (v5.3)/Utilitaires/Registre"
    met_a_jour 'Jeux\Vallorim light (v5.3)\Utilitaires\Registre' 0 'climats.reg' 'niveaux.reg' 'Tables aleatoires.reg'
    types_enregistres
    desinstalle
    verifie "the planted programs of C:\\Jeux stay" test -f "$C/Jeux/cmd.exe"
    aucun_plante
    ;;
  regupdater)
    sans_cles_de_la_suite
    registre="$suite/Utilitaires/Registre"
    # Names the command interpreter would read, a name that only the short
    # name matches (x.regbak), and a name of 240 characters, too long for
    # the command: none is imported.
    for essai in 'a&b.reg:Esperluette' '%OS%.reg:Pourcent' 'x.regbak:Regbak'; do
      printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vallorim_essai]\r\n"%s"="oui"\r\n' "${essai#*:}" \
        > "$registre/${essai%%:*}"
    done
    long_nom=$(printf 'z%.0s' {1..236}).reg
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vallorim_essai]\r\n"Long"="oui"\r\n' > "$registre/$long_nom"
    noms=('%OS%.reg' 'a&b.reg' 'climats.reg' 'niveaux.reg' 'Tables aleatoires.reg' 'x.regbak' "$long_nom")
    met_a_jour 'Support\Vallorim light (v5.3)\Utilitaires\Registre' 0 "${noms[@]}"
    types_enregistres  # "Tables aleatoires.reg", whose name holds a space, gave .nam and .tbl
    for valeur in Esperluette Pourcent Regbak Long; do
      egal "value $valeur, from a file not imported" "$(valeur 'HKCU\Software\Vallorim_essai' /v $valeur)" ""
    done
    # No regedit in the system's folders, one planted in the current folder
    # and its parent: nothing runs, no file is called added.
    rm "$C/windows/regedit.exe"
    plante "$registre" "$registre/.."
    met_a_jour 'Support\Vallorim light (v5.3)\Utilitaires\Registre' 1 "${noms[@]}"
    aucun_plante
    ;;
  sans_chemin)
    # An installation whose value Chemin is gone, a scratch file left by an
    # earlier run naming another installation, then a value that is a
    # drive's root: the keys of the list go, nothing leaves the disk.
    installe
    leurre="$C/Leurre/Vallorim light (v5.3)"
    mkdir -p "$leurre/Utilitaires" && touch "$leurre/Utilitaires/Uninstall.ini"
    perime="$C/Jeux/Vallorim light (v5.3)/temp.tmp"  # read-only: neither removed nor overwritten
    printf '    Chemin    REG_SZ    C:\\Leurre\\Vallorim light (v5.3)\\\r\n' > "$perime" && chmod a-w "$perime"
    avant=$(cd "$C" && find . -path ./windows -prune -o -print | grep -v '/temp.tmp$' | sort)
    (cd "$C" && wine_du_test "$REG" delete 'HKLM\Software\Vallorim_light' /v Chemin /f < /dev/null > /dev/null 2>&1)
    TEMOINS=("$leurre/Utilitaires/Uninstall.ini")
    desinstallation_refusee sans_valeur $'Aucun chemin d\x27installation n\x27a \x82t\x82 lu dans le registre: aucun dossier n\x27est supprim\x82.\r\n'
    met_le_chemin 'C:\'
    desinstallation_refusee racine $'C:: ce chemin est la racine d\x27un disque, il n\x27est pas supprim\x82.\r\n'
    egal "files on C:" "$(cd "$C" && find . -path ./windows -prune -o -print | grep -v '/temp.tmp$' | sort)" "$avant"
    ;;
  hostile)
    # Typed folders that carry a command, a '%', no drive, a "..": each
    # refused and asked again; then C:\Jeux.
    installe_avec 'C:\\Cible" & mkdir C:\\INJ4 & rem \nC:\\Jeux 100%\nJeux\nC:\\Jeux\\..\\Autre\nC:\\Jeux\nO'
    sortie=$sorties/installation.txt
    egal "folders refused for their characters" \
      "$(grep -c $'^Un dossier d\x27installation ne peut contenir ni " % < > | \* ? & ^ ni caract\x8are de contr\x93le, choisissez-en un autre.\r$' "$sortie")" 2
    verifie "a folder without its drive is refused" contient "$sortie" \
      $'\r\nIndiquez un dossier complet, qui commence par sa lettre de lecteur (comme C:\\Jeux).\r\n'
    verifie "a folder through .. is refused" contient "$sortie" \
      $'\r\nIndiquez le dossier sans passer par un dossier . ou .., choisissez-en un autre.\r\n'
    verifie "no typed command ran" test ! -e "$C/INJ4"
    verifie_installation "$INSTALLE" 'Jeux/Vallorim light (v5.3)'

    # Registry paths that point outside the installation or carry a
    # command. Decoys: a second drive D: (a scratch folder of the test), the
    # user's profile, a sibling folder, a folder of the suite's name that is
    # no installation.
    mkdir -p "$dossier/lecteur_d/Jeux" "$C/Jeux/Voisin" "$C/Autre/Vallorim light (v5.3)"
    ln -s "$dossier/lecteur_d" "$WINEPREFIX/dosdevices/d:"
    TEMOINS=("$dossier/lecteur_d/Jeux/temoin.txt" "$C/users/$profil/temoin.txt" "$C/Jeux/Voisin/temoin.txt"
             "$C/Autre/Vallorim light (v5.3)/temoin.txt" "$C/Jeux/Vallorim light (v5.3)/Utilitaires/Uninstall.ini")
    for temoin in "${TEMOINS[@]}"; do touch "$temoin"; done
    liste="$C/Jeux/Vallorim light (v5.3)/Utilitaires/Uninstall.ini"
    cp "$liste" "$sorties/Uninstall.ini"
    printf 'Aucune cle\n#\n' > "$liste"  # the keys stay for the last run
    refus=$' il n\x27est pas supprim\x82.\r\n'
    contient_un=$'ce chemin contient un caract\x8are que l\x27interpr\x82teur de commandes lirait (% " & | < > ^ ou de contr\x93le),'
    chemins=('D:\.\' '%USERPROFILE%\' '..\' 'C:\Jeux\x" & mkdir C:\INJ1 & rem \'
             'C:\Autre\Vallorim light (v5.3)\' 'C:\Jeux\Voisin\')
    raisons=($'D:\\.: ce chemin passe par un dossier . ou ..,'"$refus"
             "%USERPROFILE%: $contient_un$refus"
             $'..: ce chemin ne commence pas par une lettre de lecteur (comme C:\\),'"$refus"
             $'C:\\Jeux\\x" & mkdir C:\\INJ1 & rem : '"$contient_un$refus"
             $'C:\\Autre\\Vallorim light (v5.3): ce dossier ne contient pas Utilitaires\\Uninstall.ini, ce n\x27est pas une installation de Vallorim:'"$refus"
             $'C:\\Jeux\\Voisin: ce dossier n\x27est pas un dossier "Vallorim light (v5.3)",'"$refus")
    for i in "${!chemins[@]}"; do
      met_le_chemin "${chemins[i]}"
      desinstallation_refusee "chemin$i" "${raisons[i]}"
    done
    verifie "no command of a registry path ran" test ! -e "$C/INJ1"

    # Then the real path, with a key list and a colour code that carry
    # commands, a key list line holding a NUL byte, and a key after the
    # '#' line: only the suite's keys of the list go.
    met_le_chemin "$INSTALLE\\"
    printf 'Cles\nHKEY_CLASSES_ROOT\\.cl" /f & mkdir C:\\INJ3 & rem \nHKCR\\.nam\0x\nHKEY_CLASSES_ROOT\\.niv\n#\nHKEY_CLASSES_ROOT\\.tbl\n' > "$liste"
    printf 'Desinstallation de Vallorim\r\nCouleur:1F&md \\INJ2\r\n' > "$C/Jeux/Vallorim light (v5.3)/Couleurs.ini"
    lance desinstallation 'Jeux/Vallorim light (v5.3)' '\n' uninstaller.exe
    attend_disparition "$C/Jeux/Vallorim light (v5.3)"
    egal "uninstaller status" "$(cat "$sorties/desinstallation.statut")" 0
    pas_de_vallorim=$': ce n\x27est pas une cl\x82 de Vallorim, elle n\x27a pas \x82t\x82 supprim\x82e.\r\n'
    verifie "a key with a command is refused" contient "$sorties/desinstallation.txt" \
      $'HKEY_CLASSES_ROOT\\.cl" /f & mkdir C:\\INJ3 & rem '"$pas_de_vallorim"
    verifie "a key with a NUL byte is refused" contient "$sorties/desinstallation.txt" $'HKCR\\.nam'"$pas_de_vallorim"
    for temoin in INJ2 INJ3; do verifie "no command of $temoin ran" test ! -e "$C/$temoin"; done
    for e in cl nam tbl; do verifie "HKCR\\.$e stays" existe_cle "HKCR\\.$e"; done
    existe_cle 'HKCR\.niv' && echoue "HKCR\\.niv is left"
    existe_cle 'HKLM\Software\Vallorim_light' && echoue 'HKLM\Software\Vallorim_light is left'
    [ -e "$C/Jeux/Vallorim light (v5.3)" ] && echoue "the installation folder is left"
    [ -e "$MENU" ] && echoue "the start-menu folder is left"
    for temoin in "${TEMOINS[@]:0:4}"; do verifie "$temoin stays" test -e "$temoin"; done
    ;;
  accents)
    # A folder typed with an accent in the console's code page, then one
    # pasted with its quotes: each installed and removed whole.
    installe_avec 'C:\\Jeux vid\x82o\nO'
    verifie "the accented folder is shown" contient "$sorties/installation.txt" \
      $'R\x82pertoire d\x27installation: C:\\Jeux vid\x82o\\Vallorim light (v5.3)\\\r\n'
    verifie_installation $'C:\\Jeux vid\x82o\\Vallorim light (v5.3)' 'Jeux vidéo/Vallorim light (v5.3)'
    desinstalle 'Jeux vidéo/Vallorim light (v5.3)'
    installe_avec '"C:\\Program Files"\nO'
    verifie_installation 'C:\Program Files\Vallorim light (v5.3)' 'Program Files/Vallorim light (v5.3)'
    desinstalle 'Program Files/Vallorim light (v5.3)'
    ;;
  reprise)
    # Onto a drive that does not exist: the copy fails, nothing is
    # registered, the status is 1.
    mkdir -p "$BUREAU"
    lance echec Support '\nQ:\\Jeux\nO\n\n' installer.exe
    egal "installer status onto Q:" "$(cat "$sorties/echec.statut")" 1
    verifie "the failed copy is told" contient "$sorties/echec.txt" \
      $'\r\nLa copie du programme dans le r\x82pertoire d\x27installation a \x82chou\x82: rien n\x27a \x82t\x82 inscrit dans le registre.\r\nL\x27installation n\x27est pas compl\x8ate....'
    contient "$sorties/echec.txt" $'termin\x82e' && echoue "success was reported for Q:"
    sans_cles_de_la_suite

    # An uninstall stopped by Sondeur, still running from the installation,
    # and by links out of it (to a file and to a folder): nothing outside
    # goes, nor what the next run needs.
    installe_avec 'C:\\Jeux\nO'
    installation="$C/Jeux/Vallorim light (v5.3)"
    mkdir -p "$C/Dehors" && printf 'secret\n' > "$C/Dehors/secret.txt"
    ln -s ../../../Dehors/secret.txt "$installation/Données/lien.txt"
    ln -s ../../../Dehors "$installation/Données/dossier lié"
    printf 'dd2:1:Gobelin\r\n2:Orc\r\n' > "$C/t.tbl"
    mkfifo "$dossier/attente"
    exec 7<> "$dossier/attente"  # Sondeur waits at its pause until this closes
    (exec 7>&-; cd "$installation/Utilitaires/Sondeur" &&
      wine_du_test -t 120 Sondeur.exe 'C:\t.tbl' < "$dossier/attente" > "$sorties/sondeur.txt" 2>&1) &
    for i in $(seq 150); do
      contient "$sorties/sondeur.txt" $'aucune erreur.\r\n...' && break
      sleep 0.2
    done
    verifie "Sondeur runs" contient "$sorties/sondeur.txt" $'aucune erreur.\r\n...'
    lance bloquee 'Jeux/Vallorim light (v5.3)' '\n' uninstaller.exe
    egal "blocked uninstall: status" "$(cat "$sorties/bloquee.statut")" 1
    verifie "blocked uninstall: told" contient "$sorties/bloquee.txt" \
      $'C:\\Jeux\\Vallorim light (v5.3): ce dossier n\x27a pas pu \x88tre enti\x8arement supprim\x82.\r\nLa d\x82sinstallation n\x27est pas compl\x8ate.\r\n...'
    verifie "the file outside stays whole" cmp -s "$C/Dehors/secret.txt" <(printf 'secret\n')
    for reste in Couleurs.ini Utilitaires/Uninstall.ini uninstaller.exe Utilitaires/Sondeur/Sondeur.exe; do
      verifie "blocked uninstall: $reste stays" test -f "$installation/$reste"
    done
    verifie "blocked uninstall: the suite's key stays" existe_cle 'HKLM\Software\Vallorim_light'
    exec 7>&-
    wait
    # The user ends Sondeur and removes the links; Couleurs.ini is gone too
    # (the default colours serve): the next run finishes the job.
    rm "$installation/Données/lien.txt" "$installation/Données/dossier lié" "$installation/Couleurs.ini"
    desinstalle 'Jeux/Vallorim light (v5.3)' 1
    verifie "the file outside still stays" cmp -s "$C/Dehors/secret.txt" <(printf 'secret\n')
    ;;
  *) echo "unknown case $cas" >&2; exit 2 ;;
esac

[ $echecs -eq 0 ] || { echo "$echecs check(s) failed; outputs in $sorties" >&2; exit 1; }
echo "all checks passed"
