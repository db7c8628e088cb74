#!/usr/bin/env bash
# The Linux installation as its user gets it: the tree that `cmake --install`
# lays out under a prefix in a temporary home, the suite run from there, the
# desktop integration in that home alone (the steps the README gives), the
# .tar.gz made by CPack, and the manual page.
#
#   paquet.sh CASE BUILD SOURCE FOLDER
#   CASE: installe (the fixture: installs into FOLDER/maison/.local),
#   arborescence, bureau, archive, manuel.
# The tools the checks need are installed by scripts/paquets.sh; a missing
# one fails the test, it never skips it.
set -uo pipefail
cas=$1 construction=$2 source=$3 dossier=$4
maison=$dossier/maison
prefixe=$maison/.local

echecs=0
echoue() { echo "FAILED: $*" >&2; echecs=$((echecs + 1)); }
verifie() {  # verifie DESCRIPTION COMMAND...
  local description=$1; shift
  "$@" || echoue "$description"
}
outils() {  # outils TOOL... : each must be on the PATH
  local outil
  for outil; do
    command -v "$outil" >/dev/null || echoue "missing tool $outil (scripts/paquets.sh installs it)"
  done
  [ $echecs -eq 0 ] || exit 1
}

# The bytes of a report after the banner, as the terminal shows them (UTF-8,
# the pause "..." last), given as printf arguments.
PROPRE='Test de la table en cours.\nLa table al\xc3\xa9atoire ne contient aucune erreur.\n...'
FAUTIVE='Test de la table en cours.\nErreur \xc3\xa0 la ligne 3 (valeur incorrecte)\n4:Un revenant\n...'

# What a run shows from "Test de la table" on, without the CRs of the
# terminal and the empty line that echoes the typed Enter.
rapport() {
  tr -d '\r' <"$1" | sed -n '/^Test de la table/,$p' | grep -v '^$'
}

# sur_terminal OUTPUT COMMAND...: runs the command on a pseudo-terminal (so
# that it stays in this process instead of opening xterm), Enter typed for
# its pause; its status is the command's.
sur_terminal() {
  local sortie=$1; shift
  printf '\n' | script -qec "$(printf '%q ' "$@")" /dev/null >"$sortie"
}

compare_rapport() {  # compare_rapport WHAT OUTPUT EXPECTED
  local attendu
  attendu=$(printf "$3")
  [ "$(rapport "$2")" = "$attendu" ] || {
    echoue "$1: report differs"
    diff <(printf '%s\n' "$attendu") <(rapport "$2") >&2
  }
}

case $cas in
installe)
  rm -rf "$dossier"
  mkdir -p "$dossier"
  cmake --install "$construction" --prefix "$prefixe" >"$dossier/installation.log" ||
    echoue "cmake --install into $prefixe"
  ;;

arborescence)
  outils script
  exemples=$(cd "$source/exemples" && ls)
  attendu=$(
    printf '%s\n' bin/Sondeur bin/regupdater share/man/man1/Sondeur.1 \
      share/applications/vallorim-sondeur.desktop share/mime/packages/vallorim-table.xml
    for f in $exemples; do echo "share/vallorim/exemples/$f"; done
  )
  installe=$(cd "$prefixe" && find . -type f | sed 's|^\./||' | sort)
  [ "$installe" = "$(sort <<<"$attendu")" ] || {
    echoue "the installed files are not the expected ones"
    diff <(sort <<<"$attendu") <(printf '%s\n' "$installe") >&2
  }
  for programme in Sondeur regupdater; do
    verifie "bin/$programme is an executable ELF file" \
      test -x "$prefixe/bin/$programme" -a "$(head -c4 "$prefixe/bin/$programme" | od -An -c | tr -d ' ')" = '177ELF'
  done
  for f in $exemples; do
    verifie "sample $f installed byte for byte" cmp -s "$source/exemples/$f" "$prefixe/share/vallorim/exemples/$f"
  done
  verifie "manual page installed byte for byte" cmp -s "$source/docs/Sondeur.1" "$prefixe/share/man/man1/Sondeur.1"

  # Sondeur found through the PATH, as the desktop entry names it, run from
  # another folder on the installed samples.
  exemples=$prefixe/share/vallorim/exemples
  mkdir -p "$dossier/ailleurs" && cd "$dossier/ailleurs" || exit 1
  export PATH=$prefixe/bin:$PATH
  sur_terminal propre.txt Sondeur "$exemples/rencontres_foret.tbl"
  verifie "a clean table: status 0" test $? -eq 0
  compare_rapport "clean sample table" propre.txt "$PROPRE"
  sur_terminal fautive.txt Sondeur "$exemples/rencontres_erreur.tbl"
  verifie "a faulty table: status 0" test $? -eq 0
  compare_rapport "faulty sample table" fautive.txt "$FAUTIVE"
  sur_terminal absente.txt Sondeur "$exemples/absente.tbl"
  verifie "a missing table: status 1" test $? -eq 1
  verifie "a missing table is named in the message" \
    grep -q "ouverture du fichier $exemples/absente.tbl, en mode r" absente.txt
  ;;

bureau)
  outils desktop-file-validate update-desktop-database update-mime-database xdg-mime mimetype script
  # A home of its own, holding a copy of the installed tree, and nothing
  # from the session that runs the test: xdg-mime takes its generic road.
  ici=$dossier/bureau
  rm -rf "$ici" && mkdir -p "$ici" && cp -a "$maison" "$ici/" || exit 1
  maison=$ici/maison prefixe=$ici/maison/.local
  donnees=$prefixe/share
  dans_la_maison() {
    env -i HOME="$maison" PATH="$ici/bin:$prefixe/bin:/usr/bin:/bin" LANG=C.UTF-8 \
      XDG_DATA_HOME="$donnees" XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME="$maison/.config" \
      XDG_CONFIG_DIRS="$maison/etc" "$@"
  }
  entree=$donnees/applications/vallorim-sondeur.desktop
  verifie "desktop-file-validate accepts the entry" dans_la_maison desktop-file-validate "$entree"
  verifie "update-mime-database" dans_la_maison update-mime-database "$donnees/mime"
  verifie "update-desktop-database" dans_la_maison update-desktop-database "$donnees/applications"

  mkdir -p "$maison/Mes tables"
  table="$maison/Mes tables/forêt.tbl"
  cp "$donnees/vallorim/exemples/rencontres_foret.tbl" "$table"
  for f in "$table" "$donnees/vallorim/exemples/armes.tbl"; do
    type=$(dans_la_maison xdg-mime query filetype "$f")
    verifie "xdg-mime: $f is a table (got '$type')" test "$type" = application/x-vallorim-table
  done
  type=$(dans_la_maison xdg-mime query filetype "$donnees/vallorim/exemples/rumeurs.txt")
  verifie "xdg-mime: rumeurs.txt stays plain text (got '$type')" test "$type" = text/plain
  defaut=$(dans_la_maison xdg-mime query default application/x-vallorim-table)
  verifie "xdg-mime: tables open with Sondeur (got '$defaut')" test "$defaut" = vallorim-sondeur.desktop

  # The entry's commands run as a file manager runs them: the table as one
  # argument, no terminal. Sondeur then opens its window; a stand-in xterm
  # keeps its arguments and runs the window's command on a terminal.
  mkdir -p "$ici/bin"
  cat >"$ici/bin/xterm" <<'FIN'
#!/usr/bin/env bash
printf '%s\n' "$@" >"$XTERM_ARGUMENTS"
printf '\n' | script -qec "${@: -1}" /dev/null >"$XTERM_SORTIE"
FIN
  chmod +x "$ici/bin/xterm"
  n=0
  sed -n 's/^Exec=//p' "$entree" >"$ici/commandes"
  verifie "the entry and its action each have a command" test "$(wc -l <"$ici/commandes")" -eq 2
  while read -r -a commande; do
    n=$((n + 1))
    for i in "${!commande[@]}"; do
      [ "${commande[i]}" = %f ] && commande[i]=$table
    done
    (cd "$maison" && dans_la_maison XTERM_ARGUMENTS="$ici/xterm$n.args" XTERM_SORTIE="$ici/xterm$n.txt" \
      DISPLAY=:99 "${commande[@]}" </dev/null >"$ici/lanceur$n.txt" 2>&1)
    attendu=$(printf '%s\n' -sb -rightbar -T 'Testeur de tables aléatoires' -bg white -fg grey50 \
      -e "cd '$prefixe/bin' && './Sondeur' '$table'")
    if [ ! -f "$ici/xterm$n.args" ]; then
      echoue "command $n (${commande[*]}) opened no xterm window"
    elif [ "$(cat "$ici/xterm$n.args")" != "$attendu" ]; then
      echoue "command $n (${commande[*]}): xterm arguments differ"
      diff <(printf '%s\n' "$attendu") "$ici/xterm$n.args" >&2
    fi
    compare_rapport "command $n, in its window" "$ici/xterm$n.txt" "$PROPRE"
  done <"$ici/commandes"
  ;;

archive)
  outils cpack tar
  ici=$dossier/archive
  rm -rf "$ici" && mkdir -p "$ici/deballe" || exit 1
  cpack --config "$construction/CPackConfig.cmake" -G TGZ -B "$ici" >"$ici/cpack.log" ||
    echoue "cpack"
  archive=$ici/vallorim-light-5.3-Linux.tar.gz
  verifie "cpack made $archive" test -f "$archive"
  # Unpacked into a prefix as the README says, it gives the installed tree.
  tar xzf "$archive" --strip-components=1 -C "$ici/deballe" || echoue "tar"
  verifie "the archive holds the installed tree" diff -r "$prefixe" "$ici/deballe"
  verifie "bin/Sondeur stays executable in the archive" test -x "$ici/deballe/bin/Sondeur"
  rm -rf "$ici/_CPack_Packages" "$ici/deballe"
  ;;

manuel)
  outils groff
  page=$source/docs/Sondeur.1
  rendu=$dossier/manuel.txt
  mkdir -p "$dossier"
  # With and without the input converter: the page is plain ASCII, its
  # letters written as groff escapes, so both give the same text.
  for conversion in "" -k; do
    groff $conversion -ww -man -Tutf8 "$page" >"$rendu" 2>"$dossier/avertissements" ||
      echoue "groff $conversion failed"
    verifie "groff $conversion -ww gives no warning" test ! -s "$dossier/avertissements"
    cat "$dossier/avertissements" >&2
  done
  texte=$(sed 's/.\x08//g; s/^ *//' "$rendu")  # without bold overstrikes and indents
  for ligne in 'Erreur à la ligne 2 (valeur incorrecte)' \
               'Erreur à la ligne 6 (Espace manquant après mot clé)' \
               'Erreur à la ligne 5 (Espace manquant après mot clé tt+)' \
               'Erreur à la ligne 5 (Espace manquant après mot clé tt)'; do
    verifie "the page shows: $ligne" grep -qxF "$ligne" <<<"$texte"
  done
  verifie "the page is ASCII" bash -c "! LC_ALL=C grep -q '[^[:print:][:space:]]' '$page'"
  ;;

*)
  echo "unknown case $cas" >&2
  exit 2
  ;;
esac
[ $echecs -eq 0 ]
