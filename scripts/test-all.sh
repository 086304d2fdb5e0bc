#!/usr/bin/env bash
# Runs every test level: native unit and contract tests (ASan, UBSan), the
# contract tests cross-compiled and run under Wine, the end-to-end runs of the
# real program under Wine, and a bounded run of every fuzz target. The shipped
# 32-bit program runs its own tests where 32-bit programs run, and the summary
# names which program each level ran.
# Usage: scripts/test-all.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh"
cd "$root"

jobs="$(nproc)"
summary=()
programs=()
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
source "$root/scripts/cmake-presets.sh"
# The builds of this script treat warnings as errors.
configure_preset native -DTARNSEL_WERROR=ON
cmake --build --preset native -j "$jobs"
run_level "native (simulated platform)" ctest-native ctest --preset native -j "$jobs" || overall=1

configure_preset win64 -DTARNSEL_WERROR=ON
cmake --build --preset win64 -j "$jobs"
configure_preset win32 -DTARNSEL_WERROR=ON

source "$root/scripts/wine-env.sh"
ensure_wine_prefix
# The shipped program is the 32-bit one: where 32-bit programs run, its build
# runs every test under Wine (contract and end to end), and the 64-bit build its
# contract suite; elsewhere the 64-bit build runs them all and the 32-bit one is
# built and checked without running.
if wine32_reason="$(wine32_runs 2>&1)"; then
  cmake --build build/win32 -j "$jobs"
else
  # What its checks read: the programs, the yardstick and the release archive's parts.
  cmake --build build/win32 -j "$jobs" --target Tarnsel TarnselKit probe minwindow shipping_guide
  # A 32-bit test program that an earlier build left would be asked for its tests,
  # which it cannot list here.
  rm -f build/win32/tarnsel_wine_tests.exe
fi
ensure_display
trap 'wine_server_down; stop_display' EXIT
wine_server_up
# One at a time: the tests under Wine share one display and its focus.
if [ -z "$wine32_reason" ]; then
  run_level "win32 under Wine (contract, e2e)" ctest-win32 ctest --preset win32 -j 1 || overall=1
  programs+=("win32 under Wine: the 32-bit Tarnsel.exe, TarnselKit.exe and contract suite (build/win32)")
  run_level "win64 under Wine (contract)" ctest-win64 ctest --preset win64 -j 1 -E '^e2e\.' || overall=1
  programs+=("win64 under Wine: the 64-bit contract suite and checks (build/win64); end to end ran on the 32-bit program")
else
  run_level "win32 program (resources, link, archive)" ctest-win32 ctest --preset win32 -R '^(resources|package|kit)\.' || overall=1
  programs+=("win32: built and checked, NOT RUN: $wine32_reason")
  run_level "win64 under Wine (contract, e2e)" ctest-win64 ctest --preset win64 -j 1 || overall=1
  programs+=("win64 under Wine: the 64-bit Tarnsel.exe, TarnselKit.exe and contract suite (build/win64)")
fi

# One test per fuzz target: a finding fails it.
run_level "fuzz (libFuzzer, per target)" fuzz env TARNSEL_WERROR=ON "$root/scripts/fuzz.sh" || overall=1

echo
echo "== test levels =="
printf '%s\n' "${summary[@]}"
echo "== programs run =="
printf '%s\n' "${programs[@]}"
echo "$passed_total passed, $failed_total failed"
exit "$overall"
