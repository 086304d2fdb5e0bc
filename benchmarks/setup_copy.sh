#!/usr/bin/env bash
# The setup's copy of a 200 MB kit of 2,000 files through the launcher under Wine
# (from the click on the setup button to the launcher's exit: shell copy, reset
# walk, start of the program), against cp -r of the same folder into the same
# Wine desktop. Usage: benchmarks/setup_copy.sh   (after the win64 build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
set -- "$root/build/win64/Tarnsel.exe" "$root/build/win64"
source "$root/tests/e2e/lib.sh"
ensure_display
wine_server_up

kit="$E2E_WORK/kit"
mkdir -p "$kit/viewer"
cp "$TARNSEL_EXE" "$kit/viewer.exe"
cp "$TOOL_DIR/probe.exe" "$kit/viewer/viewer.exe"
echo start >"$kit/viewer/startup.txt"
for d in $(seq -w 1 20); do
  mkdir -p "$kit/viewer/data$d"
  for f in $(seq -w 1 100); do head -c 104857 /dev/urandom >"$kit/viewer/data$d/file$f.bin"; done
done
echo "kit: $(find "$kit/viewer" -type f | wc -l) files, $(du -sm "$kit/viewer" | cut -f1) MB"
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"

for run in 1 2 3; do
  rm -rf "$DESKTOP/viewer" "$DESKTOP/viewer-cp"
  sync
  launch "$kit/viewer.exe"
  form="$(wait_for_window TarnselForm Tarnsel 30)"
  start=$(date +%s.%N)
  click_child TarnselForm Tarnsel Button セットアップ開始
  wait_exit "$pid" 600
  end=$(date +%s.%N)
  launcher=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
  sync
  start=$(date +%s.%N)
  cp -r "$kit/viewer" "$DESKTOP/viewer-cp"
  sync
  end=$(date +%s.%N)
  copy=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
  check "copy complete" test "$(find "$DESKTOP/viewer" -type f | wc -l)" -eq 2002
  # The hand-over of the copy just made: start-up, the reset walk over 2,002
  # files, the start of the program.
  start=$(date +%s.%N)
  run_launcher "$kit/viewer.exe"
  end=$(date +%s.%N)
  handover=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
  echo "run $run: launcher setup ${launcher} s, cp -r ${copy} s, hand-over with reset walk ${handover} s"
done
rm -rf "$DESKTOP/viewer" "$DESKTOP/viewer-cp" "$E2E_WORK"
