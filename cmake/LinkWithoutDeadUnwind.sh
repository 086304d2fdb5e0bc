#!/usr/bin/env bash
# Links a 64-bit Windows program so that the unwind tables of functions nothing
# calls go too. The linker's default script keeps every function table (.pdata),
# and each table holds on to its function, so dropping unused sections spared
# every function that has one. Here a first link keeps no function tables and
# records which code survives; the second keeps exactly those functions' tables
# and unwind data (.xdata) and discards the rest. The linker never drops a table
# or unwind data by itself, even when their code has gone: left in, they would
# be entries for address zero in the program's function table.
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
out=""
previous=""
for arg in "$@"; do
  [ "$previous" = "-o" ] && out="$arg"
  previous="$arg"
done
[ -n "$out" ] || { echo "LinkWithoutDeadUnwind: the link names no output (-o)" >&2; exit 2; }
objdump="${ld%ld}objdump"
work="$map.unwind"
mkdir -p "$work"

# The linker's own script, with its small sections folded into larger ones.
"$ld" --verbose | sed -n '/^=====/,/^=====/p' | sed '1d;$d' |
  awk -f "$(dirname "$0")/FoldSmallSections.awk" >"$work/default.ld"
grep -q 'KEEP(\*(\.pdata\*))' "$work/default.ld" ||
  { echo "LinkWithoutDeadUnwind: $ld's default script keeps no .pdata; nothing to do" >&2; exit 2; }

# Input sections of a kind a link placed: one "<file>\t<section>" line per input
# section whose name starts with the given prefix (.text, .pdata, .xdata), at a
# real address (sections the linker dropped or discarded show address zero).
placed() {
  awk -v kind="$2" '/^Linker script and memory map/ { on = 1; next }
    !on { next }
    /^ \./ && index($1, kind) == 1 { section = $1
      if (NF >= 4) { if ($2 !~ /^0x0+$/) print $4 "\t" section; section = "" } ; next }
    section != "" && /^ +0x/ { if (NF >= 3 && $1 !~ /^0x0+$/) print $3 "\t" section; section = ""; next }
    { section = "" }' "$1" | sort -u
}
kept_code() { placed "$1" .text; }

# The lengths of the code ranges in a program's function table, in order. A
# table whose code has gone shows up as an empty range at the image base.
function_lengths() {
  "$objdump" -p "$1" | awk '/^The Function Table/ { on = 1; next }
    on && /^$/ { on = 0 }
    on && $1 ~ /^[0-9a-f]+:$/ { print $3, $2 }' |
    while read -r end begin; do echo $((16#$end - 16#$begin)); done | sort -n
}

# First link: no function table is kept for its own sake, so only the code the
# program reaches survives; unwind data and handlers are kept as before.
sed 's/KEEP(\*(\.pdata\*))/*(.pdata*)/' "$work/default.ld" >"$work/first.ld"
"$@" -Wl,-T,"$work/first.ld"
kept_code "$map" >"$work/first.kept"
placed "$map" .pdata >"$work/first.pdata"
placed "$map" .xdata >"$work/first.xdata"
function_lengths "$out" | awk '$1 != 0' >"$work/first.functions"
[ -s "$work/first.kept" ] ||
  { echo "LinkWithoutDeadUnwind: no kept code found in $map" >&2; exit 1; }

# Second link: the tables and unwind data of exactly the code the first link
# kept, named one by one; every other table and unwind data is discarded.
# named <kind>: a KEEP line per kept code section, for its section of that kind.
named() {
  awk -F '\t' -v kind="$1" '{ file = $1; section = $2; sub(/^\.text/, kind, section)
      if (match(file, /\(.*\)$/)) file = substr(file, 1, RSTART - 1) ":" substr(file, RSTART + 1, RLENGTH - 2)
      printf "    KEEP(%s(%s))\n", file, section }' "$work/first.kept"
}
named .pdata >"$work/tables.ld"
named .xdata >"$work/data.ld"
awk -v tables="$work/tables.ld" -v data="$work/data.ld" '
  /KEEP\(\*\(\.pdata\*\)\)/ { while ((getline line < tables) > 0) print line; next }
  /KEEP\(\*\(\.xdata\*\)\)/ { while ((getline line < data) > 0) print line; next }
  /^  \/DISCARD\/ :$/ { discard = 1 }
  discard && /^  {$/ { print; print "    *(.pdata*)"; print "    *(.xdata*)"; discard = 0; next }
  { print }' "$work/default.ld" >"$work/second.ld"
grep -q '^    \*(\.xdata\*)$' "$work/second.ld" ||
  { echo "LinkWithoutDeadUnwind: $ld's default script has no /DISCARD/ section" >&2; exit 2; }
"$@" -Wl,-T,"$work/second.ld"
kept_code "$map" >"$work/second.kept"

if ! cmp -s "$work/first.kept" "$work/second.kept"; then
  echo "LinkWithoutDeadUnwind: the two links kept different code:" >&2
  diff "$work/first.kept" "$work/second.kept" | head -20 >&2
  exit 1
fi
# Every table and unwind data of kept code that the first link placed must have
# been placed again (a pattern that failed to match would lose it).
for kind in .pdata .xdata; do
  awk -F '\t' -v kind="$kind" '{ s = $2; sub(/^\.text/, kind, s); print $1 "\t" s }' \
    "$work/first.kept" | sort -u >"$work/wanted$kind"
  comm -12 "$work/wanted$kind" "$work/first$kind" >"$work/needed$kind"
  lost=$(placed "$map" "$kind" | comm -23 "$work/needed$kind" -)
  if [ -n "$lost" ]; then
    echo "LinkWithoutDeadUnwind: $kind sections of kept code were lost:" >&2
    echo "$lost" | head -20 >&2
    exit 1
  fi
done
# The program's function table has the first link's entries for real code (the
# same ranges, though the linker may order a few differently), and nothing else.
function_lengths "$out" >"$work/second.functions"
if ! cmp -s "$work/first.functions" "$work/second.functions"; then
  echo "LinkWithoutDeadUnwind: the function table is not that of the kept code:" >&2
  diff "$work/first.functions" "$work/second.functions" | head -20 >&2
  exit 1
fi
