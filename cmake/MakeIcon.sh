#!/usr/bin/env bash
# Builds an icon file from pixel-art pictures (smallest first), each image 16
# colours deep with its transparency in the icon's AND mask: the art has at most
# 16 colours and every pixel is opaque or transparent, so this keeps it exactly,
# at a fifth of the size of 32-bit images.
# Usage: MakeIcon.sh <convert> <output.ico> <picture>...
set -euo pipefail
convert="$1" output="$2"
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "MakeIcon: $*" >&2; exit 1; }
# uint <file> <offset> <bytes>: a little-endian unsigned number read from a file.
uint() { od -An -tu"$3" -j "$2" -N "$3" "$1" | tr -d ' '; }
# le16/le32 <value>: writes a number as 2 or 4 little-endian bytes.
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }

count=$#
offset=$((6 + 16 * count))
index=0
for picture in "$@"; do
  colour="$work/$index-colour.bmp" mask="$work/$index-mask.bmp"
  # Transparent pixels black in the colours, so the XOR half leaves the screen as it is.
  "$convert" "$picture" -background black -alpha remove -type Palette BMP3:"$colour"
  "$convert" "$picture" -alpha extract -negate -type bilevel BMP3:"$mask"
  width=$(uint "$colour" 18 4) height=$(uint "$colour" 22 4)
  [ "$width" -le 255 ] && [ "$width" -eq "$height" ] || fail "$picture: not a square under 256 pixels"
  [ "$(uint "$colour" 28 2)" -eq 4 ] || fail "$picture: more than 16 colours"
  [ "$(uint "$mask" 28 2)" -eq 1 ] && [ "$(uint "$mask" 18 4)" -eq "$width" ] ||
    fail "$picture: its mask did not come out as one bit per pixel"
  # The mask's palette must be black then white, so that a set bit means transparent.
  [ "$(uint "$mask" 54 4)" -eq 0 ] && [ "$(uint "$mask" 58 4)" -eq 16777215 ] ||
    fail "$picture: its mask's palette is not black and white"
  colours=$(uint "$colour" 46 4)
  [ "$colours" -eq 0 ] && colours=16
  xor=$((((width * 4 + 31) / 32) * 4 * height))
  and=$((((width + 31) / 32) * 4 * height))
  size=$((40 + 4 * colours + xor + and))
  {
    # The image: its header with the height of both halves, palette, colours, mask.
    le32 40; le32 "$width"; le32 $((2 * height)); le16 1; le16 4; le32 0
    le32 $((xor + and)); le32 0; le32 0; le32 "$colours"; le32 0
    tail -c +55 "$colour" | head -c $((4 * colours))
    tail -c +$(($(uint "$colour" 10 4) + 1)) "$colour" | head -c "$xor"
    tail -c +$(($(uint "$mask" 10 4) + 1)) "$mask" | head -c "$and"
  } >"$work/$index.image"
  [ "$(stat -c %s "$work/$index.image")" -eq "$size" ] || fail "$picture: the bitmaps were cut short"
  {
    printf "\\x$(printf %02x "$width")\\x$(printf %02x "$height")"
    printf "\\x10\\x00"  # a 16-colour image, whatever its palette uses
    le16 1; le16 4; le32 "$size"; le32 "$offset"
  } >"$work/$index.entry"
  offset=$((offset + size))
  index=$((index + 1))
done

{
  le16 0; le16 1; le16 "$count"
  for ((i = 0; i < count; i++)); do cat "$work/$i.entry"; done
  for ((i = 0; i < count; i++)); do cat "$work/$i.image"; done
} >"$output.part"
mv "$output.part" "$output"
