#!/usr/bin/env bash
# Runs every test level: native unit and contract tests (ASan, UBSan), the
# contract tests cross-compiled and run under Wine, and the end-to-end runs of
# the real program under Wine. Usage: scripts/test-all.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh"
cd "$root"

jobs="$(nproc)"
summary=()
passed_total=0
failed_total=0

# Runs ctest for a preset and folds its counts into the summary.
run_level() {
  local name="$1" preset="$2" parallel="$3" start end log status=0
  log="$root/build/ctest-$preset.log"
  start=$(date +%s.%N)
  ctest --preset "$preset" -j "$parallel" 2>&1 | tee "$log" || status=$?
  end=$(date +%s.%N)
  local line total failed
  line="$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)"
  total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")"
  failed="$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")"
  total="${total:-0}"
  failed="${failed:-1}"
  passed_total=$((passed_total + total - failed))
  failed_total=$((failed_total + failed))
  summary+=("$(printf '%-34s %4d tests, %3d failed, %6.1f s' "$name" "$total" "$failed" \
    "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")")
  return "$status"
}

overall=0
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
run_level "native (simulated platform)" native "$jobs" || overall=1

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
source "$root/scripts/wine-env.sh"
ensure_wine_prefix
ensure_display
trap 'wine_server_down; stop_display' EXIT
wine_server_up
# One at a time: the tests under Wine share one display and its focus.
run_level "win64 under Wine (contract, e2e)" win64 1 || overall=1

echo
echo "== test levels =="
printf '%s\n' "${summary[@]}"
echo "$passed_total passed, $failed_total failed"
exit "$overall"
