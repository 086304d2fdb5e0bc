#!/usr/bin/env bash
# Line and branch coverage of the native tests: builds the host level with gcov
# instrumentation in build/coverage, runs the unit and contract tests once, prints
# the figures of the launcher, the control models and the text helpers, and writes
# an HTML report. Informative only: it fails when a step fails, never on a figure.
# Usage: scripts/coverage.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/coverage"
cd "$root"

if ! command -v gcovr >/dev/null; then
  echo "coverage: installing gcovr"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends gcovr >/dev/null
fi

source "$root/scripts/cmake-presets.sh"
configure_preset coverage
cmake --build --preset coverage
# Counters of an earlier run would add to this one's.
find "$build" -name '*.gcda' -delete

echo "coverage: running the native tests"
(cd "$build" && ./tarnsel_unit_tests --gtest_brief=1) || {
  echo "coverage: the native tests failed; no report" >&2
  exit 1
}

# Branches that only an exception or the compiler's own bookkeeping takes are
# left out: they would count every call that may throw as a branch.
gcovr_common=(--root "$root" --exclude-throw-branches --exclude-unreachable-branches)
trace="$build/coverage.json"
gcovr "${gcovr_common[@]}" --object-directory "$build" --exclude-directories '.*/CMakeFiles/[0-9.]+/.*' \
  --filter "$root/src/" --json "$trace" "$build"

groups=(
  "launcher (src/launcher)|src/launcher/"
  "control models (src/controls, not win32)|src/controls/[^/]+$"
  "text helpers (src/platform/PathText, Errors)|src/platform/[^/]+$"
)
summary() {  # summary <filter>...: "lines% (covered/total)  branches% (covered/total)"
  local args=() f
  for f in "$@"; do args+=(--filter "$root/$f"); done
  gcovr "${gcovr_common[@]}" --add-tracefile "$trace" "${args[@]}" --print-summary --output /dev/null |
    awk '/^lines:/ { l = $2 " " $3 "/" $6 } /^branches:/ { b = $2 " " $3 "/" $6 }
         END { gsub(/[()]/, "", l); gsub(/[()]/, "", b); printf "%-22s %s\n", l, b }'
}

printf '\n%-46s %-22s %s\n' "part" "lines (covered/total)" "branches (covered/total)"
filters=()
for g in "${groups[@]}"; do
  printf '%-46s %s\n' "${g%%|*}" "$(summary "${g#*|}")"
  filters+=("${g#*|}")
done
printf '%-46s %s\n' "together" "$(summary "${filters[@]}")"

html_filters=()
for f in "${filters[@]}"; do html_filters+=(--filter "$root/$f"); done
mkdir -p "$build/html"
gcovr "${gcovr_common[@]}" --add-tracefile "$trace" "${html_filters[@]}" \
  --html-details "$build/html/index.html" --html-title "Tarnsel native tests"
echo
echo "coverage: HTML report at $build/html/index.html"
