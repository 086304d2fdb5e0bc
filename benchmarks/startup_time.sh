#!/usr/bin/env bash
# Time from process start to the visible main window under Wine, for the launcher
# on the demo kit (with and without its intro page) and for a program that only
# shows a window; each started the same way, 10 runs, warm wineserver.
# Usage: benchmarks/startup_time.sh   (after scripts/run-demo.sh or test-all.sh built win64)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
ensure_wine_prefix
ensure_display
trap 'wine_server_down; stop_display' EXIT
wine_server_up
bin="$root/build/win64"
kit="$root/build/bench-startup"
rm -rf "$kit" "$HOME/Desktop/viewer"
mkdir -p "$kit"
cp -r "$root/demo/kit/." "$kit/"
cp "$bin/Tarnsel.exe" "$kit/viewer.exe"
cp "$bin/probe.exe" "$kit/viewer/viewer.exe"

measure() {  # measure <label> <program> <title>
  local times=() i
  for i in $(seq 1 10); do times+=("$(wine "$bin/timeshow.exe" "$2" "$3" </dev/null | tr -d '\r')"); done
  printf '%s\n' "${times[@]}" | sort -n | awk -v l="$1" '{ t[NR] = $1 } END {
    printf "%-38s median %7.1f ms   min %7.1f   max %7.1f   (n=%d)\n", l, t[int((NR + 1) / 2)], t[1], t[NR], NR }'
}

measure "minimal Win32 window" "$(printf 'Z:%s' "$bin/minwindow.exe" | tr / '\\')" Minimal
measure "launcher, intro page (browser navigated)" "$(printf 'Z:%s' "$kit/viewer.exe" | tr / '\\')" Tarnsel
rm "$kit/index.html"
measure "launcher, no intro page (collapsed)" "$(printf 'Z:%s' "$kit/viewer.exe" | tr / '\\')" Tarnsel
