#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang 14, libFuzzer, ASan, UBSan) and
# runs each for a bounded time, two at a time, on a scratch copy of its seed
# corpus under build/fuzz, so the repository stays as it is. Prints per target
# the executions done and whether it found anything; exits non-zero on any
# finding, naming the file libFuzzer saved the input in.
# Usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
parallel=2
cd "$root"

source "$root/scripts/cmake-presets.sh"
configure_preset fuzz -DTARNSEL_WERROR="${TARNSEL_WERROR:-OFF}"
cmake --build --preset fuzz -j "$(nproc)"

out="$root/build/fuzz/runs"
rm -rf "$out"
mkdir -p "$out"
targets=()
for source in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done

# One bounded run; its log and any saved input stay under $out/<target>/.
run_target() {
  local target="$1" dir="$out/$1" seeds="tests/fuzz/corpus/${1%_fuzz}"
  mkdir -p "$dir/corpus" "$dir/findings"
  if [ -d "$seeds" ]; then cp -r "$seeds/." "$dir/corpus/"; fi
  local status=0
  "$root/build/fuzz/$target" "$dir/corpus" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/findings/" \
    >"$dir/log" 2>&1 || status=$?
  echo "$status" >"$dir/status"
}

for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  echo "fuzz: running $target for ${seconds}s"
  run_target "$target" &
done
wait

echo
echo "== fuzz targets =="
failed=0
for target in "${targets[@]}"; do
  dir="$out/$target"
  runs="$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$dir/log" | tail -n 1)"
  findings=("$dir"/findings/*)
  if [ "$(cat "$dir/status")" -ne 0 ] || [ -e "${findings[0]}" ]; then
    failed=$((failed + 1))
    printf '%-24s %10s runs  FOUND: %s\n' "$target" "${runs:-?}" "${findings[*]}"
    grep -E 'ERROR:|runtime error|property broken|text:|SUMMARY' "$dir/log" | head -n 5 | sed 's/^/    /'
  else
    printf '%-24s %10s runs  nothing found\n' "$target" "${runs:-?}"
  fi
done
total=${#targets[@]}
# The same closing line as ctest's, so that test-all.sh counts both alike.
echo "$(((total - failed) * 100 / total))% tests passed, $failed tests failed out of $total"
[ "$failed" -eq 0 ]
