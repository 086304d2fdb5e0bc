#!/usr/bin/env bash
# Builds a Release launcher with start-up stamps (TARNSEL_STARTUP_TRACE) into
# build/startup-win64, runs it N times on the demo kit with and without the intro
# page under Wine, and prints a Markdown table of median phase durations, with the
# time to the visible window as timeshow sees it against the minimal window that
# has the same static imports. Progress goes to stderr, the table to stdout.
# Exits non-zero when any step fails.
# Usage: benchmarks/startup-phases.sh [runs]   (default 11)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-11}"
build="$root/build/startup-win64"
work="$root/build/startup-work"

BENCH_NAME=startup-phases
source "$root/benchmarks/common.sh"
# The median with one decimal, "—" for no input.
median() {
  local line
  if line=$(stats); then awk -v m="${line%% *}" 'BEGIN { printf "%.1f", m }'; else printf '—'; fi
}

progress "building the traced Release launcher into $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTARNSEL_STARTUP_TRACE=ON >/dev/null
cmake --build "$build" --target Tarnsel probe timeshow minwindow >&2

source "$root/scripts/wine-env.sh"
cleanup() {
  wine_server_down
  stop_display
}
trap cleanup EXIT
ensure_wine_prefix
ensure_display
wine_server_up

rm -rf "$work"
mkdir -p "$work"
source "$root/scripts/demo-kit.sh"
for kit in intro plain; do assemble_demo_kit "$work/$kit" "$build"; done
rm "$work/plain/index.html"
# An installed copy would be started without the main window.
rm -rf "$HOME/Desktop/viewer"

# shown_after <exe> <title> [trace file]: milliseconds to its visible window.
shown_after() {
  TARNSEL_STARTUP_TRACE_FILE="${3:+$(winpath "$3")}" \
    wine_exec "$build/timeshow.exe" "$(winpath "$1")" "$2" </dev/null | tr -d '\r' ||
    fail "timeshow $1 (no window titled $2?)"
}

progress "$runs rounds of minimal window, launcher with and without intro page"
for i in $(seq 1 "$runs"); do
  shown_after "$build/minwindow.exe" Minimal >>"$work/minimal.total"
  for kit in plain intro; do
    shown_after "$work/$kit/viewer.exe" Tarnsel "$work/$kit.trace.$i" >>"$work/$kit.total"
    [ -s "$work/$kit.trace.$i" ] || fail "no stamps from run $i of the $kit kit"
  done
done

# The stamps in the order they are taken; a phase runs from the previous stamp
# (the process's creation for the first) to its own.
stamps=(entry preloaded comctl32 com application form1window form1components form1 form2 children
  onshow shown painted)
declare -A label=(
  [entry]="process created → entry (DLLs, runtime start-up)"
  [preloaded]="entry → system libraries preloaded"
  [comctl32]="common controls library loaded"
  [com]="COM initialised"
  [application]="common controls initialised"
  [form1window]="main form's top-level window created"
  [form1components]="main form's components built (browser control object)"
  [form1]="main form scaled for the display"
  [form2]="picker built (tree, drive list)"
  [children]="main form's child windows created"
  [onshow]="show handler (start-up check, intro page)"
  [shown]="window shown"
  [painted]="shown → first paint of the form"
)
phase() {  # phase <kit> <stamp> <previous stamp or empty>: one duration a run
  local kit="$1" stamp="$2" before="$3" i
  for i in $(seq 1 "$runs"); do
    awk -v s="$stamp" -v b="$before" '
      $1 == s && !(s in t) { t[s] = $2 } $1 == b && !(b in t) { t[b] = $2 }
      END { if (s in t) print t[s] - (b == "" ? 0 : t[b]) }' "$work/$kit.trace.$i"
  done | median
}

echo "Median of $runs runs under $(wine --version 2>/dev/null || echo Wine), $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load average $(cut -d' ' -f1 /proc/loadavg)."
echo
echo "| phase (ms) | no intro page | intro page |"
echo "| --- | ---: | ---: |"
previous=""
for stamp in "${stamps[@]}"; do
  echo "| ${label[$stamp]} | $(phase plain "$stamp" "$previous") | $(phase intro "$stamp" "$previous") |"
  previous="$stamp"
done
echo "| process created → window shown (stamps) | $(phase plain shown "") | $(phase intro shown "") |"
minimal=$(median <"$work/minimal.total")
plain=$(median <"$work/plain.total")
intro=$(median <"$work/intro.total")
echo "| start to visible window, timeshow | $plain | $intro |"
echo "| minimal window, same static imports, timeshow | $minimal | $minimal |"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f×", a / b }'; }
echo "| ratio | $(ratio "$plain" "$minimal") | $(ratio "$intro" "$minimal") |"
fastest() { sort -g "$1" | head -1; }
echo "| fastest runs: launcher / minimal window | $(fastest "$work/plain.total") / $(fastest "$work/minimal.total") | $(fastest "$work/intro.total") / $(fastest "$work/minimal.total") |"
