#!/usr/bin/env bash
# Builds the program (MinSizeRel, with its link map) for 64- and 32-bit Windows and
# prints, for each, its stripped size and a Markdown table of what each part of
# the link puts into it, then which members of the POSIX thread library are linked
# and what pulls them in. Builds go to build/size-<arch>; progress to stderr.
# Usage: benchmarks/size-breakdown.sh [x86_64|i686]...     (default: both)
#        benchmarks/size-breakdown.sh --map <map> <exe>    (an existing link)
set -euo pipefail
# Link maps and tool output are read by their English headings.
export LC_ALL=C
root="$(cd "$(dirname "$0")/.." && pwd)"

kib() { awk -v b="$1" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }

# breakdown <title> <link map> <stripped program>
breakdown() {
  local title="$1" map="$2" exe="$3" size
  size=$(stat -c %s "$exe")
  echo "$title: $(kib "$size") stripped ($size bytes)"
  echo
  echo "| part of the link | code and data | unwind tables | total |"
  echo "| --- | ---: | ---: | ---: |"
  awk -f "$root/benchmarks/size-breakdown.awk" "$map" | sort -t $'\t' -k2,2nr |
    awk -F '\t' -v size="$size" '
      function k(b) { return sprintf("%.1f KiB", b / 1024) }
      { printf "| %s | %s | %s | %s |\n", $1, k($2), k($3), k($2 + $3); placed += $2 + $3 }
      END { printf "| headers and section alignment | | | %s |\n", k(size - placed)
            printf "| **file** | | | **%s** |\n", k(size) }'
  echo
  # Who pulls in the thread library: the first member is named by what needs it.
  local pulls
  pulls=$(awk '/^Archive member included/ { on = 1; next } /^Discarded input sections/ { exit }
    on && /^[^ ]/ { member = $1; next }
    on && member ~ /lib(win)?pthread/ { sub(/^ +/, ""); n = split(member, m, "(")
      printf "- %s, for %s\n", substr(m[n], 1, length(m[n]) - 1), $0 }' "$map" |
    sed -E 's#/[^ ]*/(lib[^/ ]*\.a)#\1#g')
  if [ -n "$pulls" ]; then
    echo "winpthreads members linked, and what needs each:"
    echo
    echo "$pulls"
  else
    echo "winpthreads: not linked."
  fi
  echo
}

if [ "${1:-}" = "--map" ]; then
  [ $# -eq 3 ] || { echo "usage: $0 --map <link map> <stripped program>" >&2; exit 2; }
  [ -f "$2" ] && [ -f "$3" ] || { echo "size-breakdown: no such file: $2 or $3" >&2; exit 2; }
  breakdown "$(basename "$3")" "$2" "$3"
  exit 0
fi

arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(x86_64 i686)
for arch in "${arches[@]}"; do
  case "$arch" in
    x86_64) toolchain="$root/cmake/mingw-w64.cmake" ;;
    i686) toolchain="$root/cmake/mingw-w64-i686.cmake" ;;
    *) echo "size-breakdown: unknown architecture $arch (x86_64 or i686)" >&2; exit 2 ;;
  esac
  build="$root/build/size-$arch"
  echo "size-breakdown: building $arch into $build" >&2
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$build" --target Tarnsel >&2
  "$arch-w64-mingw32-strip" -o "$build/Tarnsel.stripped.exe" "$build/Tarnsel.exe"
  breakdown "Tarnsel.exe, $arch, MinSizeRel" "$build/Tarnsel.map" "$build/Tarnsel.stripped.exe"
done
