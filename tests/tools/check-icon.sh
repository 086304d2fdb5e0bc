#!/usr/bin/env bash
# Checks that every image of an icon file shows exactly its picture: the same
# colour in every opaque pixel and transparency in the same places.
# Usage: check-icon.sh <convert> <icon.ico> <picture>...   (pictures in the icon's order)
set -euo pipefail
convert="$1" icon="$2"
shift 2
# pixels <image>: one line per pixel, "x,y: #RRGGBBAA", every transparent pixel alike.
pixels() {
  "$convert" "$1" -alpha on -depth 8 txt:- | tail -n +2 |
    awk '{ colour = $3; if (colour ~ /00$/) colour = "transparent"; print $1, colour }'
}
frames=$("$convert" "$icon" -format '%n\n' info: | head -n 1)
[ "$frames" -eq $# ] || { echo "$icon holds $frames images for $# pictures" >&2; exit 1; }
index=0 failed=0
for picture in "$@"; do
  differing=$(diff <(pixels "$icon[$index]") <(pixels "$picture") | grep -c '^<' || true)
  if [ "$differing" -gt 0 ]; then
    echo "image $index: $differing pixels differ from $(basename "$picture")" >&2
    failed=1
  else
    echo "image $index: $(basename "$picture") exactly"
  fi
  index=$((index + 1))
done
exit "$failed"
