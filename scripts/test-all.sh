#!/usr/bin/env bash
# Runs every test level: native unit and contract tests (ASan, UBSan), the
# contract tests cross-compiled and run under Wine, the end-to-end runs of the
# real program under Wine, and a bounded run of every fuzz target; the 32-bit
# program is built too.
# Usage: scripts/test-all.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh"
cd "$root"

jobs="$(nproc)"
summary=()
passed_total=0
failed_total=0

# Runs a level's command (ctest, or the fuzz script, which closes with a line of
# the same form) and folds its counts into the summary.
# Usage: run_level name log-name command...
run_level() {
  local name="$1" log="$root/build/$2.log" start end status=0
  shift 2
  start=$(date +%s.%N)
  "$@" 2>&1 | tee "$log" || status=$?
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
# The builds of this script treat warnings as errors.
cmake --preset native -DTARNSEL_WERROR=ON >/dev/null
cmake --build --preset native -j "$jobs"
run_level "native (simulated platform)" ctest-native ctest --preset native -j "$jobs" || overall=1

cmake --preset win64 -DTARNSEL_WERROR=ON >/dev/null
cmake --build --preset win64 -j "$jobs"
# The shipped 32-bit program and tool: built (warnings as errors), not run, since
# this machine's Wine has no 32-bit half; its resources, imports and link are checked.
cmake --preset win32 -DTARNSEL_WERROR=ON >/dev/null
cmake --build --preset win32 -j "$jobs"
run_level "win32 program (resources, link)" ctest-win32 ctest --test-dir build/win32 \
  -R '^resources\.(version_information_and_manifest|imports_only_system_dlls|small_link_without_unneeded_runtime)$' ||
  overall=1
source "$root/scripts/wine-env.sh"
ensure_wine_prefix
ensure_display
trap 'wine_server_down; stop_display' EXIT
wine_server_up
# One at a time: the tests under Wine share one display and its focus.
run_level "win64 under Wine (contract, e2e)" ctest-win64 ctest --preset win64 -j 1 || overall=1

# One test per fuzz target: a finding fails it.
run_level "fuzz (libFuzzer, per target)" fuzz env TARNSEL_WERROR=ON "$root/scripts/fuzz.sh" || overall=1

echo
echo "== test levels =="
printf '%s\n' "${summary[@]}"
echo "$passed_total passed, $failed_total failed"
exit "$overall"
