# Shared by the end-to-end scripts: the Wine environment, a scratch folder per
# test, and small assertions. Each script is called as: script <Tarnsel.exe> <tool dir>.
set -euo pipefail

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$E2E_ROOT/scripts/wine-env.sh"

TARNSEL_EXE="$(readlink -f "$1")"
TOOL_DIR="$(readlink -f "$2")"
E2E_NAME="$(basename "$0" .test.sh)"
E2E_WORK="$(dirname "$TARNSEL_EXE")/e2e/$E2E_NAME"
DESKTOP="$HOME/Desktop"
E2E_FAILURES=0

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
ensure_wine_prefix

# The Windows form of a Linux path (drive Z: is the Linux root).
winpath() { printf 'Z:%s' "$(readlink -f "$1" | tr / '\\')"; }

attrtool() { wine "$TOOL_DIR/attrtool.exe" "$@" </dev/null; }

# Runs a launcher and waits for it to end by itself (at most 60 s).
run_launcher() { timeout 60 wine "$@" </dev/null; }

check() {
  local what="$1"
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what" >&2
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

equals() { [ "$1" = "$2" ] || { echo "  expected [$2], got [$1]" >&2; return 1; }; }

finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    echo "$E2E_NAME: $E2E_FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "$E2E_NAME: all checks passed"
}
