#!/usr/bin/env bash
# Checks a 64-bit link: every function the program kept still has the unwind
# table its object file gave it, so exceptions can pass through every frame, and
# the program's function table holds no entry for code the link dropped (such an
# entry is an empty range at the image base) and is in address order.
# Usage: check-unwind-tables.sh <objdump> <link map> <program>
set -euo pipefail
# Link maps and tool output are read by their English headings.
export LC_ALL=C
objdump="$1"
map="$2"
program="$3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "<file>\t<suffix>" for each input section of the given kind the link kept,
# where the suffix is what follows ".text" or ".pdata" in the section's name.
kept() {
  awk -v kind="$1" '/^Linker script and memory map/ { on = 1; next }
    !on { next }
    index($1, kind) == 1 && /^ \./ { suffix = substr($1, length(kind) + 1)
      if (NF >= 4) { print $4 "\t" suffix; suffix = "" } else pending = 1; next }
    pending && /^ +0x/ { if (NF >= 3) print $3 "\t" suffix; pending = 0; next }
    { pending = 0 }' "$map" | sort -u
}
kept .text >"$work/code"
kept .pdata >"$work/tables"

# The tables each input file offers, read from the objects and archives themselves.
cut -f1 "$work/code" | sed -E 's/\([^)]*\)$//' | sort -u | while read -r input; do
  "$objdump" -h "$input" | awk -v input="$input" '
    /^In archive/ { archive = 1; next }
    /:[ \t]+file format/ { member = $1; sub(/:$/, "", member); next }
    $1 ~ /^[0-9]+$/ && index($2, ".pdata") == 1 {
      file = archive ? input "(" member ")" : input
      print file "\t" substr($2, 7) }'
done | sort -u >"$work/offered"

# Kept code whose object offers a table for it, and which the link lost.
comm -12 "$work/code" "$work/offered" >"$work/needed"
lost=$(comm -23 "$work/needed" "$work/tables")
needed=$(wc -l <"$work/needed")
if [ "$needed" -eq 0 ]; then
  echo "no kept function with an unwind table found in $map: not a 64-bit link map?" >&2
  exit 1
fi
if [ -n "$lost" ]; then
  echo "kept functions without their unwind tables:" >&2
  printf "%s\n" "$lost" | head -20 >&2 || true
  exit 1
fi
echo "$needed kept functions, each with its unwind table"
# The function table as "<begin> <end>" lines, in the program's order.
"$objdump" -p "$program" | awk '/^The Function Table/ { on = 1; next }
  on && /^$/ { on = 0 }
  on && $1 ~ /^[0-9a-f]+:$/ { print $2, $3 }' >"$work/functions"
dropped=$(awk '$1 == $2 { n++ } END { print n + 0 }' "$work/functions")
if [ "$dropped" -ne 0 ]; then
  echo "$program: $dropped function table entries for code the link dropped" >&2
  exit 1
fi
# Windows finds a function's entry by a binary search: the entries must be in
# address order and must not overlap.
disorder=$(awk 'NR > 1 && ("x" $1) < ("x" previousEnd) { print; exit } { previousEnd = $2 }' \
  "$work/functions")
if [ -n "$disorder" ]; then
  echo "$program: the function table is out of order or overlaps at $disorder" >&2
  exit 1
fi
echo "no function table entry for dropped code; entries in address order"
