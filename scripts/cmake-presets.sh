# Sourced by the build and test scripts: configure_preset, which configures a
# preset so that an earlier configure never poisons this one.
#
# A configure that fails part-way (a compiler missing, say) leaves a cache behind,
# and CMake reuses it: the next configure then keeps what the failed one wrote,
# such as empty flags for the build type. A cache made for another compiler is as
# stale. So each successful configure leaves a stamp naming the compiler and its
# version; a build folder with a cache but without a matching stamp is configured
# afresh.

TARNSEL_ROOT="${TARNSEL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"

# The compiler a cache names and that compiler's version line, or nothing.
cached_compiler_identity() {
  local cache="$1" compiler
  compiler="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$cache" 2>/dev/null | head -n 1)"
  [ -n "$compiler" ] || return 0
  compiler="$(command -v "$compiler" 2>/dev/null || true)"
  [ -n "$compiler" ] || return 0
  printf '%s %s\n' "$(readlink -f "$compiler")" "$("$compiler" --version 2>/dev/null | head -n 1)"
}

# Configures preset $1 (build folder build/$1) with the further cmake arguments
# given; prints cmake's output only when it fails.
configure_preset() {
  local preset="$1" dir="$TARNSEL_ROOT/build/$1" stamp log status=0
  shift
  stamp="$dir/.tarnsel-configured"
  if [ -f "$dir/CMakeCache.txt" ]; then
    if [ ! -f "$stamp" ]; then
      echo "cmake: $preset: the cache in $dir was left by a failed or foreign configure; configuring afresh" >&2
      rm -rf "$dir"
    elif [ "$(cat "$stamp")" != "$(cached_compiler_identity "$dir/CMakeCache.txt")" ]; then
      echo "cmake: $preset: the cache in $dir was made for another compiler; configuring afresh" >&2
      rm -rf "$dir"
    fi
  fi
  rm -f "$stamp"
  log="$(mktemp)"
  (cd "$TARNSEL_ROOT" && cmake --preset "$preset" "$@") >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$log" >&2
    rm -f "$log"
    echo "cmake: configuring the $preset preset failed (above); the next run configures it afresh" >&2
    return "$status"
  fi
  rm -f "$log"
  cached_compiler_identity "$dir/CMakeCache.txt" >"$stamp"
}
