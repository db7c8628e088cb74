#!/usr/bin/env bash
# The Linux installation as its user gets it: the tree that `cmake --install`
# lays out under a prefix in a temporary home, the suite run from there, the
# desktop integration in that home alone (the steps the README gives), the
# .tar.gz and the .deb made by CPack, and the manual page. The .deb is read
# and unpacked, never installed.
#
#   paquet.sh CASE BUILD SOURCE FOLDER
#   CASE: installe (the fixture: installs into FOLDER/maison/.local),
#   arborescence, bureau, archive, debian, manuel.
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

# The files of an installation, relative to its prefix, one a line, sorted.
fichiers_attendus() {
  {
    printf '%s\n' bin/Sondeur share/man/man1/Sondeur.1.gz \
      share/applications/vallorim-sondeur.desktop share/mime/packages/vallorim-table.xml \
      share/icons/hicolor/scalable/apps/vallorim-sondeur.svg \
      share/doc/vallorim-light/copyright share/doc/vallorim-light/changelog.gz
    ls "$source/exemples" | sed 's|^|share/vallorim/exemples/|'
  } | sort
}
fichiers_de() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }

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
  # Stripped, as CPack strips what it packs.
  cmake --install "$construction" --prefix "$prefixe" --strip >"$dossier/installation.log" ||
    echoue "cmake --install into $prefixe"
  ;;

arborescence)
  outils script
  exemples=$(cd "$source/exemples" && ls)
  diff <(fichiers_attendus) <(fichiers_de "$prefixe") >&2 ||
    echoue "the installed files are not the expected ones (regupdater stays out)"
  verifie "bin/Sondeur is an executable ELF file" \
    test -x "$prefixe/bin/Sondeur" -a "$(head -c4 "$prefixe/bin/Sondeur" | od -An -c | tr -d ' ')" = '177ELF'
  for f in $exemples; do
    verifie "sample $f installed byte for byte" cmp -s "$source/exemples/$f" "$prefixe/share/vallorim/exemples/$f"
  done
  for f in applications/vallorim-sondeur.desktop mime/packages/vallorim-table.xml \
           icons/hicolor/scalable/apps/vallorim-sondeur.svg doc/vallorim-light/copyright; do
    verifie "share/$f installed byte for byte" cmp -s "$source/paquet/${f##*/}" "$prefixe/share/$f"
  done
  verifie "the copyright file's licence is the text of LICENSE" cmp -s \
    <(sed -n '/^Permission/,$p' "$source/LICENSE") \
    <(sed -n '/^ Permission/,$p' "$source/paquet/copyright" | sed 's/^ //; s/^\.$//')
  # Compressed as Debian wants them: gzip -9n, without name or time.
  for f in man/man1/Sondeur.1.gz:docs/Sondeur.1 doc/vallorim-light/changelog.gz:paquet/changelog; do
    verifie "share/${f%%:*} is ${f#*:} compressed" cmp -s <(gzip -dc "$prefixe/share/${f%%:*}") "$source/${f#*:}"
    verifie "share/${f%%:*} holds no name nor time" \
      test "$(od -An -tx1 -j3 -N5 "$prefixe/share/${f%%:*}" | tr -d ' ')" = 0000000000
  done

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
  icone=$(sed -n 's/^Icon=//p' "$entree")
  verifie "the entry's icon '$icone' is the suite's" \
    test -f "$donnees/icons/hicolor/scalable/apps/$icone.svg" -a "$icone" = vallorim-sondeur
  verifie "the table type shows the same icon" \
    grep -qxF application/x-vallorim-table:vallorim-sondeur "$donnees/mime/icons"

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
      -e /bin/sh -c "cd '$prefixe/bin' && './Sondeur' '$table'")
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

debian)
  outils cpack dpkg-deb dpkg-shlibdeps lintian
  ici=$dossier/debian
  rm -rf "$ici" && mkdir -p "$ici/deballe" || exit 1
  cpack --config "$construction/CPackConfig.cmake" -G DEB -B "$ici" >"$ici/cpack.log" 2>&1 ||
    echoue "cpack"
  deb=$ici/vallorim-light_5.3_amd64.deb
  [ -f "$deb" ] || { echoue "cpack made no $deb"; exit 1; }

  # Unpacked (never installed), it gives the installed tree under /usr.
  dpkg-deb -x "$deb" "$ici/deballe" || echoue "dpkg-deb -x"
  verifie "the package holds the installed tree under /usr" diff -r "$prefixe" "$ici/deballe/usr"
  diff <(fichiers_attendus | sed 's|^|./usr/|') \
       <(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sort) >&2 ||
    echoue "dpkg-deb --contents lists other files"
  verifie "bin/Sondeur is root's and executable" \
    test "$(dpkg-deb --contents "$deb" | awk '$6 == "./usr/bin/Sondeur" {print $1, $2}')" = \
      "-rwxr-xr-x root/root"

  # The control fields; the dependencies are those dpkg-shlibdeps finds.
  mkdir -p "$ici/shlibdeps/debian"
  printf 'Source: essai\n\nPackage: essai\nArchitecture: any\n' >"$ici/shlibdeps/debian/control"
  dependances=$(cd "$ici/shlibdeps" && dpkg-shlibdeps -O -e "$ici/deballe/usr/bin/Sondeur" 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')
  verifie "dpkg-shlibdeps finds libc6 ('$dependances')" grep -qE '(^|, )libc6 \(>= ' <<<"$dependances"
  champ() { dpkg-deb --field "$deb" "$1"; }
  for attendu in Package=vallorim-light Version=5.3 Architecture=amd64 Section=utils \
                 Priority=optional Recommends=xterm 'Maintainer=Vallorim light <noreply@vallorim-light.org>' \
                 "Depends=$dependances"; do
    verifie "control field ${attendu%%=*}: '$(champ "${attendu%%=*}")'" test "$(champ "${attendu%%=*}")" = "${attendu#*=}"
  done
  description=$(champ Description)
  verifie "the description's summary, in French" \
    test "$(head -n1 <<<"$description")" = 'utilitaires en console pour meneurs de jeu de rôle'
  verifie "the description goes on in French" \
    test "$(sed -n 2p <<<"$description")" = ' Vallorim light réunit de petits programmes en console pour les meneurs de'
  # No maintainer script: the triggers of shared-mime-info,
  # desktop-file-utils and hicolor-icon-theme update their databases.
  verifie "the control part holds control and md5sums alone" \
    test "$(dpkg-deb --ctrl-tarfile "$deb" | tar t | sort | tr '\n' ' ')" = './control ./md5sums '

  lintian --no-cfg --fail-on error "$deb" >"$ici/lintian.txt" 2>&1 ||
    echoue "lintian reports errors: $(grep '^E:' "$ici/lintian.txt")"
  grep -E '^[EW]: .*copyright' "$ici/lintian.txt" >&2 &&
    echoue "lintian finds fault with the copyright file"
  rm -rf "$ici/_CPack_Packages" "$ici/deballe" "$ici/shlibdeps"
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
