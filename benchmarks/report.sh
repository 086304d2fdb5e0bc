#!/usr/bin/env bash
# Builds Release (build/report-win64 for Windows, build/report-native for the host
# benchmarks), measures every figure in this one run and prints one Markdown table:
# start-up under Wine and stripped size against a program that only shows a window
# and against an installer of the same kit made with makensis (its start-up only
# where Wine has its 32-bit half), what each part of the link adds to the size,
# the attribute reset walk against a bare walk, the file list filled with 10,000
# files, and the outline and directory-tree benchmarks. Progress goes to stderr,
# the table to stdout. Exits non-zero when any step fails.
# Usage: benchmarks/report.sh
#   REPORT_RUNS    start-up runs per program (default 11)
#   REPORT_REPEATS runs of the walks, the list fills and each host benchmark (default 5)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${REPORT_RUNS:-11}"
repeats="${REPORT_REPEATS:-5}"
win="$root/build/report-win64"
native="$root/build/report-native"
work="$root/build/report-work"
began=$(date +%s)
"$root/scripts/bootstrap.sh" >&2

BENCH_NAME=report
source "$root/benchmarks/common.sh"

# "median (min–max)" with the unit, from a stats line.
cell() {
  awk -v unit="$2" -v s="$1" 'function f(x) {
      return x >= 100 ? sprintf("%.0f", x) : x >= 10 ? sprintf("%.1f", x) : sprintf("%.2f", x) }
    BEGIN { split(s, a, " "); printf "%s %s (%s–%s)", f(a[1]), unit, f(a[2]), f(a[3]) }'
}

ratio() {
  awk -v a="${1%% *}" -v b="${2%% *}" 'BEGIN { printf "%.1f×", a / b }'
}

row() { printf '| %s | %s | %s | %s | %s |\n' "$@"; }

progress "building Release into $native and $win"
source "$root/scripts/cmake-presets.sh"
configure_preset report-native
cmake --build --preset report-native >&2
configure_preset report-win64
cmake --build --preset report-win64 >&2

source "$root/scripts/wine-env.sh"
cleanup() {
  wine_server_down
  stop_display
  rm -rf "$work/tree" "$work/list" "$HOME/Desktop/viewer"
}
trap cleanup EXIT
ensure_wine_prefix
ensure_display
wine_server_up

rm -rf "$work"
mkdir -p "$work"

# --- Start-up: two kits copied from demo/kit, with and without the intro page.
source "$root/scripts/demo-kit.sh"
for kit in intro plain; do assemble_demo_kit "$work/$kit" "$win"; done
rm "$work/plain/index.html"
# An installed copy would be started without the main window.
rm -rf "$HOME/Desktop/viewer"

# The peer: the same kit's viewer folder as an installer with one folder page that
# copies it and starts the viewer. Its stub is a 32-bit program.
makensis -V2 -DKIT="$work/intro" -DOUTFILE="$work/kit-setup.exe" \
  "$root/benchmarks/kit-installer.nsi" >&2 || fail "makensis"
nsis_runs=no
if wine32_present; then nsis_runs=yes; fi

shown_after() {  # shown_after <exe> <title>: milliseconds to its visible window
  wine_exec "$win/timeshow.exe" "$(winpath "$1")" "$2" </dev/null | tr -d '\r' ||
    fail "timeshow $1 (no window titled $2?)"
}
progress "start-up: $runs rounds of minimal window, launcher with and without intro page"
for i in $(seq 1 "$runs"); do
  shown_after "$win/minwindow.exe" Minimal >>"$work/start-minimal"
  shown_after "$work/intro/viewer.exe" Tarnsel >>"$work/start-intro"
  shown_after "$work/plain/viewer.exe" Tarnsel >>"$work/start-plain"
  if [ "$nsis_runs" = yes ]; then shown_after "$work/kit-setup.exe" "Kit Setup" >>"$work/start-nsis"; fi
done
start_minimal=$(stats <"$work/start-minimal")
start_intro=$(stats <"$work/start-intro")
start_plain=$(stats <"$work/start-plain")
if [ "$nsis_runs" = yes ]; then start_nsis=$(stats <"$work/start-nsis"); fi

# --- Stripped sizes (the program is linked stripped; stripping again is harmless).
x86_64-w64-mingw32-strip -o "$work/Tarnsel.stripped.exe" "$win/Tarnsel.exe"
x86_64-w64-mingw32-strip -o "$work/minwindow.stripped.exe" "$win/minwindow.exe"
size_tarnsel=$(stat -c %s "$work/Tarnsel.stripped.exe")
size_minimal=$(stat -c %s "$work/minwindow.stripped.exe")
# The installer's stub carries no symbols, and stripping would cut off the kit
# appended to it: its size is taken as built.
size_nsis=$(stat -c %s "$work/kit-setup.exe")
# The size-optimised builds, 64- and 32-bit, with what each part of the link adds.
progress "size: MinSizeRel builds for x86_64 and i686 with their link maps"
"$root/benchmarks/size-breakdown.sh" x86_64 i686 >"$work/size-breakdown.md" || fail "size-breakdown"
size_small64=$(stat -c %s "$root/build/size-x86_64/Tarnsel.stripped.exe")
size_small32=$(stat -c %s "$root/build/size-i686/Tarnsel.stripped.exe")
kib() { awk -v b="$1" 'BEGIN { printf "%.0f KiB", b / 1024 }'; }

# --- The attribute reset walk over 10 × 10 folders of 100 files each.
progress "attribute walks: $repeats runs over 10,000 files"
for d in $(seq 0 9); do
  for s in $(seq 0 9); do
    mkdir -p "$work/tree/d$d/s$s"
    (cd "$work/tree/d$d/s$s" && touch f{000..099}.dat)
  done
done
[ "$(find "$work/tree" -type f | wc -l)" -eq 10000 ] || fail "the walk tree is not 10,000 files"
wine_exec "$win/walkbench.exe" "$(winpath "$work/tree")" "$repeats" </dev/null | tr -d '\r' \
  >"$work/walks" || fail "walkbench"
grep -q "^files 10000$" "$work/walks" || fail "walkbench did not reach the 10,000 files"
walk_reset=$(awk '$1 == "resetattr" { print $2 }' "$work/walks" | stats)
walk_bare=$(awk '$1 == "bare" { print $2 }' "$work/walks" | stats)

# --- The file list window filled with one folder of 10,000 files.
progress "file list: $repeats fills of 10,000 files, form hidden and shown"
mkdir -p "$work/list"
(cd "$work/list" && touch file{00000..09999}.dat)
wine_exec "$win/filelistfill.exe" "$(winpath "$work/list")" "$repeats" </dev/null | tr -d '\r' \
  >"$work/fills" || fail "filelistfill"
grep -q "^count 10000$" "$work/fills" || fail "the file list did not hold 10,000 entries"
fill_hidden=$(awk '$1 == "hidden" { print $2 }' "$work/fills" | stats)
fill_shown=$(awk '$1 == "shown" { print $2 }' "$work/fills" | stats)

wine_server_down
stop_display

# --- Host benchmarks on the simulated platform.
progress "host benchmarks: $repeats repetitions each"
"$native/tarnsel_benchmarks" \
  --benchmark_filter='^(InsertChildren/(sorted|random)|InsertIntoOrderedSet/(sorted|random)|ExpandFolder/DirectoryOutline_(sorted|random))/(1000|10000|100000|1000000)$|^ListFolder/FileListBox_(sorted|random)/10000$' \
  --benchmark_repetitions="$repeats" --benchmark_min_time=0.2 \
  --benchmark_out="$work/host.json" --benchmark_out_format=json >/dev/null ||
  fail "tarnsel_benchmarks"
if jq -e '[.benchmarks[] | select(.error_occurred == true)] | length > 0' "$work/host.json" >/dev/null; then
  fail "a host benchmark reported an error"
fi
host() {  # host <benchmark name>: stats of its repetitions, in ms
  jq -r --arg n "$1" '.benchmarks[] | select(.run_type == "iteration" and .run_name == $n)
    | .real_time' "$work/host.json" | stats || fail "no results for $1"
}

# --- The table.
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo |
  cut -d: -f2 | sed 's/^ *//')), $(wine --version 2>/dev/null || echo Wine), Release builds."
echo
row "measure" "where" "Tarnsel" "yardstick" "ratio"
row "---" "---" "---:" "---:" "---:"
row "process start to main window shown, intro page (n=${start_intro##* })" "Wine" \
  "$(cell "$start_intro" ms)" "minimal window: $(cell "$start_minimal" ms)" \
  "$(ratio "$start_intro" "$start_minimal")"
row "process start to main window shown, no intro page (n=${start_plain##* })" "Wine" \
  "$(cell "$start_plain" ms)" "minimal window: $(cell "$start_minimal" ms)" \
  "$(ratio "$start_plain" "$start_minimal")"
if [ "$nsis_runs" = yes ]; then
  row "process start to first window shown, peer installer of the kit (n=${start_nsis##* })" "Wine" \
    "$(cell "$start_intro" ms) (intro page)" "makensis installer: $(cell "$start_nsis" ms)" \
    "$(ratio "$start_intro" "$start_nsis")"
else
  row "process start to first window shown, peer installer of the kit" "Wine" \
    "$(cell "$start_intro" ms) (intro page)" "makensis installer: not measurable here (no 32-bit Wine)" "—"
fi
row "stripped size" "x86_64 PE" "$(kib "$size_tarnsel")" "minimal window: $(kib "$size_minimal")" \
  "$(ratio "$size_tarnsel" "$size_minimal")"
row "stripped size against a peer installer (holds the kit's viewer folder, compressed)" \
  "x86_64 / x86 PE" "$(kib "$size_tarnsel")" "makensis installer: $(kib "$size_nsis")" \
  "$(ratio "$size_tarnsel" "$size_nsis")"
row "stripped size, MinSizeRel" "x86_64 PE" "$(kib "$size_small64")" "minimal window: $(kib "$size_minimal")" \
  "$(ratio "$size_small64" "$size_minimal")"
row "stripped size, MinSizeRel" "x86 PE" "$(kib "$size_small32")" "—" "—"
row "RESETATTR, 10,000 files with read-only/hidden/system set (n=${walk_reset##* })" "Wine" \
  "$(cell "$walk_reset" ms)" "bare FindFirstFileA + SetFileAttributesA walk: $(cell "$walk_bare" ms)" \
  "$(ratio "$walk_reset" "$walk_bare")"
row "file list window filled with 10,000 files, form hidden (n=${fill_hidden##* })" "Wine" \
  "$(cell "$fill_hidden" ms)" "—" "—"
row "file list window filled with 10,000 files and repainted, form shown (n=${fill_shown##* })" "Wine" \
  "$(cell "$fill_shown" ms)" "—" "—"
for order in sorted random; do
  s=$(host "ListFolder/FileListBox_$order/10000")
  row "file list model filled with 10,000 files, $order delivery (n=${s##* })" "simulated" \
    "$(cell "$s" ms)" "—" "—"
done
for order in sorted random; do
  for n in 1000 10000 100000 1000000; do
    s=$(host "InsertChildren/$order/$n")
    y=$(host "InsertIntoOrderedSet/$order/$n")
    row "outline: $n children inserted, $order (n=${s##* })" "native" "$(cell "$s" ms)" \
      "std::set<std::string>: $(cell "$y" ms)" "$(ratio "$s" "$y")"
  done
done
outline_sorted=$(host "InsertChildren/sorted/100000")
outline_random=$(host "InsertChildren/random/100000")
set_sorted=$(host "InsertIntoOrderedSet/sorted/100000")
set_random=$(host "InsertIntoOrderedSet/random/100000")
row "outline: random against sorted arrival at 100000" "native" \
  "$(ratio "$outline_random" "$outline_sorted")" \
  "std::set<std::string>: $(ratio "$set_random" "$set_sorted")" "—"
for order in sorted random; do
  for n in 1000 10000 100000 1000000; do
    s=$(host "ExpandFolder/DirectoryOutline_$order/$n")
    row "directory tree: folder of $n folders expanded, $order (n=${s##* })" "simulated" \
      "$(cell "$s" ms)" "—" "—"
  done
done
row "directory tree: random against sorted arrival at 100000" "simulated" \
  "$(ratio "$(host "ExpandFolder/DirectoryOutline_random/100000")" \
    "$(host "ExpandFolder/DirectoryOutline_sorted/100000")")" "—" "—"
echo
echo "Median (min–max) of n runs in one run of benchmarks/report.sh; the machine is shared," \
  "so single runs are noisy. Ratio: median against median."
echo
echo "What each part of the link adds to the program (benchmarks/size-breakdown.sh):"
echo
cat "$work/size-breakdown.md"
progress "done in $(($(date +%s) - began)) s"
