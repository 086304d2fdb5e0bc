#!/usr/bin/env bash
# The scripts start each Windows program by the loader of its bitness, read from
# its PE header: the programs and libraries of a build read as that build's
# bitness, and a file that is no PE reads as nothing, so that no program is
# started by a guess. Usage: pe_bitness.test.sh <expected 32|64> <PE file>...
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-loaders.sh"
expected="$1"
shift
failures=0
for file in "$@"; do
  got="$(pe_bitness "$file" || echo none)"
  if [ "$got" = "$expected" ]; then echo "ok: $file is $got-bit"; else
    echo "FAILED: $file: expected $expected-bit, read $got" >&2
    failures=$((failures + 1))
  fi
done
not_pe="$(mktemp)"
printf 'MZ but nothing else' >"$not_pe"
if pe_bitness "$not_pe" >/dev/null || pe_bitness "$0" >/dev/null || pe_bitness /nonexistent >/dev/null; then
  echo "FAILED: a file that is no PE read as one" >&2
  failures=$((failures + 1))
else
  echo "ok: files that are no PE read as nothing"
fi
rm -f "$not_pe"
[ "$failures" -eq 0 ]
