#!/usr/bin/env bash
# Links a 64-bit Windows program so that the unwind tables of functions nothing
# calls go too. The linker's default script keeps every function table (.pdata),
# and each table holds on to its function, so dropping unused sections spared
# every function that has one. Here a first link keeps no function tables and
# records which code survives; the second keeps exactly those functions' tables.
# The two links must keep the same code, or the link fails.
# Both links also fold the small unwind-data, initialiser-table and thread-local
# sections into larger ones (FoldSmallSections.awk), saving their file padding.
# Usage (as the link rule's launcher): LinkWithoutDeadUnwind.sh <ld> <link command...>
# The link command must write a map (-Wl,-Map=<file>).
set -euo pipefail
# The map is read by its English headings, whatever the caller's language.
export LC_ALL=C
ld="$1"
shift
map=""
for arg in "$@"; do
  case "$arg" in -Wl,-Map=*) map="${arg#-Wl,-Map=}" ;; esac
done
[ -n "$map" ] || { echo "LinkWithoutDeadUnwind: the link writes no map (-Wl,-Map=)" >&2; exit 2; }
work="$map.unwind"
mkdir -p "$work"

# The linker's own script, with its small sections folded into larger ones.
"$ld" --verbose | sed -n '/^=====/,/^=====/p' | sed '1d;$d' |
  awk -f "$(dirname "$0")/FoldSmallSections.awk" >"$work/default.ld"
grep -q 'KEEP(\*(\.pdata\*))' "$work/default.ld" ||
  { echo "LinkWithoutDeadUnwind: $ld's default script keeps no .pdata; nothing to do" >&2; exit 2; }

# Code kept by a link: one "<file>\t<section>" line per input code section.
kept_code() {
  awk '/^Linker script and memory map/ { on = 1; next }
    !on { next }
    /^ \.text/ { section = $1; if (NF >= 4) { print $4 "\t" section; section = "" } ; next }
    section != "" && /^ +0x/ { if (NF >= 3) print $3 "\t" section; section = ""; next }
    { section = "" }' "$1" | sort -u
}

# First link: no function table is kept for its own sake, so only the code the
# program reaches survives; unwind data and handlers are kept as before.
sed 's/KEEP(\*(\.pdata\*))/*(.pdata*)/' "$work/default.ld" >"$work/first.ld"
"$@" -Wl,-T,"$work/first.ld"
kept_code "$map" >"$work/first.kept"
[ -s "$work/first.kept" ] ||
  { echo "LinkWithoutDeadUnwind: no kept code found in $map" >&2; exit 1; }

# Second link: the tables of exactly the code the first link kept, named one by
# one, so that no kept function loses its table whatever the linker does with
# tables nobody names.
awk -F '\t' '{ file = $1; table = $2; sub(/^\.text/, ".pdata", table)
    if (match(file, /\(.*\)$/)) file = substr(file, 1, RSTART - 1) ":" substr(file, RSTART + 1, RLENGTH - 2)
    printf "    KEEP(%s(%s))\n", file, table }' "$work/first.kept" >"$work/tables.ld"
awk -v tables="$work/tables.ld" '
  /KEEP\(\*\(\.pdata\*\)\)/ { while ((getline line < tables) > 0) print line; print "    *(.pdata*)"; next }
  /KEEP\(\*\(\.xdata\*\)\)/ { print "    KEEP(*(.xdata))"; print "    *(.xdata*)"; next }
  { print }' "$work/default.ld" >"$work/second.ld"
"$@" -Wl,-T,"$work/second.ld" -Wl,--print-gc-sections 2>"$work/second.dropped" ||
  { grep -v "removing unused section" "$work/second.dropped" >&2; exit 1; }
kept_code "$map" >"$work/second.kept"

if ! cmp -s "$work/first.kept" "$work/second.kept"; then
  echo "LinkWithoutDeadUnwind: the two links kept different code:" >&2
  diff "$work/first.kept" "$work/second.kept" | head -20 >&2
  exit 1
fi
# No table of kept code may have been dropped (a pattern that failed to match).
awk -F '\t' '{ t = $2; sub(/^\.text/, ".pdata", t); print $1 "\t" t }' "$work/first.kept" |
  sort -u >"$work/wanted"
sed -nE "s/^.*removing unused section '(\.pdata[^'[]*)(\[[^']*\])?' in file '([^']*)'$/\3\t\1/p" \
  "$work/second.dropped" | sort -u >"$work/dropped"
lost=$(comm -12 "$work/wanted" "$work/dropped")
if [ -n "$lost" ]; then
  echo "LinkWithoutDeadUnwind: tables of kept code were dropped:" >&2
  echo "$lost" | head -20 >&2
  exit 1
fi
