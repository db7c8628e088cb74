#!/usr/bin/env bash
# The pre-commit hook that this repository declares, run by the real
# pre-commit on real commits: in a scratch repository of tables, a commit
# that holds a faulty table is refused with Sondeur's finding, then accepted
# once the table is fixed; files that are not tables are not checked.
# The hook is taken from a scratch repository that holds this repository's
# .pre-commit-hooks.yaml as it stands, committed.
# Usage: pre_commit.sh SOURCES SONDEUR_FOLDER SCRATCH_FOLDER
set -euo pipefail
sources=$1 programmes=$2 dossier=$3
rm -rf "$dossier"
mkdir -p "$dossier/home"
dossier=$(cd "$dossier" && pwd)
export HOME=$dossier/home PRE_COMMIT_HOME=$dossier/cache GIT_CONFIG_NOSYSTEM=1
export PATH="$programmes:$PATH"
git config --global user.name Essai
git config --global user.email essai@vallorim.invalid
git config --global init.defaultBranch main

echec() { echo "pre_commit.sh: $*" >&2; exit 1; }

crochets=$dossier/crochets
git init -q "$crochets"
cp "$sources/.pre-commit-hooks.yaml" "$crochets/"
git -C "$crochets" add .pre-commit-hooks.yaml
git -C "$crochets" commit -qm "Le crochet de Sondeur"

tables=$dossier/tables
git init -q "$tables"
cd "$tables"
cat >.pre-commit-config.yaml <<CONFIG
repos:
  - repo: $crochets
    rev: $(git -C "$crochets" rev-parse HEAD)
    hooks:
      - id: sondeur
CONFIG
pre-commit install >/dev/null
printf 'dd2:1:Gobelin\n2:Orc\n' >bonne.tbl
printf 'dd3:1:Gobelin\n3:Orc\n' >Fautive.TBL
printf 'dd3:1:Gobelin\n3:Orc\n' >notes.txt
git add .

if git commit -qm "Trois fichiers" >"$dossier/refus.txt" 2>&1; then
  echec "a commit with a faulty table was accepted"
fi
grep -qx 'Fautive.TBL:2:1: erreur: valeur incorrecte: 3:Orc' "$dossier/refus.txt" ||
  { cat "$dossier/refus.txt"; echec "the refusal does not show Sondeur's finding"; }
grep -q 'notes.txt' "$dossier/refus.txt" && echec "a file that is no table was checked"

printf 'dd3:1:Gobelin\n2:Orc\n3:Loup\n' >Fautive.TBL
git add Fautive.TBL
git commit -qm "Trois fichiers" >"$dossier/accord.txt" 2>&1 ||
  { cat "$dossier/accord.txt"; echec "the fixed commit was refused"; }
[ "$(git rev-list --count HEAD)" = 1 ] || echec "expected one commit"
echo "pre-commit: refused, then accepted"
