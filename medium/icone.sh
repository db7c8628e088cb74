#!/usr/bin/env bash
# Writes the suite's icon "VA l.ico": one 32x32 image in 32-bit colour with
# its alpha channel and transparency mask, the letters VA in white on a blue
# disc with a gold rim. Usage: icone.sh FILE.ico
set -euo pipefail

# The letters, 5x7 each, drawn twice as large.
V=("1...1" "1...1" "1...1" "1...1" ".1.1." ".1.1." "..1..")
A=(".111." "1...1" "1...1" "11111" "1...1" "1...1" "1...1")

# Little-endian fields as printf escapes.
o() { printf '\\x%02x' "$1"; }
le16() { o $(($1 & 255)); o $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }

# Sets b g r a, the blue, green, red and alpha of the pixel at column x,
# row y (row 0 at the top).
pixel() {
  local x=$1 y=$2 dx dy d2 lx ly lettre
  dx=$((2 * x - 31)) dy=$((2 * y - 31)) d2=$((dx * dx + dy * dy))
  if ((d2 > 900)); then b=0 g=0 r=0 a=0; return; fi        # outside the disc
  if ((d2 > 676)); then b=32 g=176 r=224 a=255; return; fi  # the gold rim
  b=147 g=58 r=31 a=255                                     # the blue disc
  ly=$(((y - 9) / 2))
  ((y >= 9 && ly < 7)) || return 0
  lettre=""
  if ((x >= 5 && x < 15)); then lettre=${V[$ly]} lx=$(((x - 5) / 2)); fi
  if ((x >= 17 && x < 27)); then lettre=${A[$ly]} lx=$(((x - 17) / 2)); fi
  if [ -n "$lettre" ] && [ "${lettre:$lx:1}" = 1 ]; then b=255 g=255 r=255; fi
}

couleurs=""  # the rows, bottom row first, as the bitmap stores them
masque=""
for ((y = 31; y >= 0; y--)); do
  bits=0
  for ((x = 0; x < 32; x++)); do
    pixel $x $y
    printf -v octets '\\x%02x' $b $g $r $a
    couleurs+=$octets
    ((a == 0)) && bits=$((bits | 1 << (31 - x)))
  done
  masque+=$(o $((bits >> 24 & 255)))$(o $((bits >> 16 & 255)))$(o $((bits >> 8 & 255)))$(o $((bits & 255)))
done

taille=$((40 + 32 * 32 * 4 + 32 * 4))
{
  printf "$(le16 0)$(le16 1)$(le16 1)"                                  # icon file, one image
  printf "$(o 32)$(o 32)$(o 0)$(o 0)$(le16 1)$(le16 32)$(le32 $taille)$(le32 22)"
  printf "$(le32 40)$(le32 32)$(le32 64)$(le16 1)$(le16 32)$(le32 0)"   # the image's header:
  printf "$(le32 $((taille - 40)))$(le32 0)$(le32 0)$(le32 0)$(le32 0)" # twice as high, colour and mask
  printf "$couleurs"
  printf "$masque"
} > "$1"
