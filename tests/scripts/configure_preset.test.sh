#!/usr/bin/env bash
# The build scripts' configure: a build folder left by a failed configure, or made
# for another compiler, is configured afresh; a good one is kept as it is. Runs on
# a one-file project of its own in a scratch folder.
# Usage: configure_preset.test.sh <scratch folder>
set -euo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
work="$1"
rm -rf "$work"
mkdir -p "$work"
failures=0
check() {
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what" >&2; failures=$((failures + 1)); fi
}

cat >"$work/CMakePresets.json" <<'JSON'
{ "version": 6, "configurePresets": [ { "name": "probe", "generator": "Ninja",
  "binaryDir": "${sourceDir}/build/probe", "cacheVariables": { "CMAKE_BUILD_TYPE": "MinSizeRel" } } ] }
JSON
# The project fails to configure while the file "broken" exists, after its
# compiler was found and its cache written.
cat >"$work/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(probe LANGUAGES CXX)
if(EXISTS ${CMAKE_SOURCE_DIR}/broken)
  message(FATAL_ERROR "broken on purpose")
endif()
CMAKE
export TARNSEL_ROOT="$work"
source "$here/scripts/cmake-presets.sh"
build="$work/build/probe"

touch "$work/broken"
status=0
configure_preset probe 2>/dev/null || status=$?
check "a failed configure fails" test "$status" -ne 0
check "a failed configure leaves no stamp" test ! -e "$build/.tarnsel-configured"
touch "$build/left-by-the-failure"
rm "$work/broken"
check "the next configure succeeds" configure_preset probe 2>"$work/afresh.txt"
check "it says it configures afresh" grep -q 'failed or foreign configure; configuring afresh' "$work/afresh.txt"
check "what the failed configure left is gone" test ! -e "$build/left-by-the-failure"
check "a good configure leaves its stamp" test -s "$build/.tarnsel-configured"

touch "$build/kept"
check "a good build folder configures again" configure_preset probe 2>"$work/again.txt"
check "a good build folder is kept" test -e "$build/kept"
check "and nothing is said" test ! -s "$work/again.txt"

echo "/usr/bin/another-compiler 1.0" >"$build/.tarnsel-configured"
check "a cache for another compiler configures" configure_preset probe 2>"$work/other.txt"
check "it says the compiler changed" grep -q 'made for another compiler' "$work/other.txt"
check "a cache for another compiler is made afresh" test ! -e "$build/kept"

[ "$failures" -eq 0 ] || { echo "configure_preset: $failures check(s) failed" >&2; exit 1; }
echo "configure_preset: all checks passed"
