# Shared by the end-to-end scripts: the Wine environment, a scratch folder per
# test, and small assertions. Each script is called as: script <Tarnsel.exe> <tool dir>.
# A caller that is no test may set E2E_WORK (its scratch folder) before sourcing.
set -euo pipefail

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$E2E_ROOT/scripts/wine-env.sh"

TARNSEL_EXE="$(readlink -f "$1")"
TOOL_DIR="$(readlink -f "$2")"
E2E_NAME="$(basename "$0" .test.sh)"
# Programs named by a Windows path, and Wine's own (cmd), run with the launcher's bitness.
TARNSEL_WINE_BITS="$(pe_bitness "$TARNSEL_EXE")" || { echo "$TARNSEL_EXE is no Windows program" >&2; exit 1; }
export TARNSEL_WINE_BITS
# The scratch folders lie at a path of fixed length, whatever folder the project
# was cloned into: the checks count path lengths (the 260-byte limit among them),
# so they must not depend on where a user keeps the clone. build/<arch>/e2e is a
# link to them, one folder per build.
e2e_work_root() {
  local build root
  build="$(dirname "$TARNSEL_EXE")"
  root="/var/tmp/tarnsel-e2e-$(id -u)/$(printf '%s' "$build" | sha256sum | cut -c1-8)"
  mkdir -p "$root"
  if [ "$(readlink "$build/e2e" 2>/dev/null)" != "$root" ]; then
    rm -rf "$build/e2e"
    ln -s "$root" "$build/e2e"
  fi
  printf '%s\n' "$root"
}
E2E_WORK="${E2E_WORK:-$(e2e_work_root)/$E2E_NAME}"
DESKTOP="$HOME/Desktop"
E2E_FAILURES=0

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
ensure_wine_prefix


attrtool() { wine_exec "$TOOL_DIR/attrtool.exe" "$@" </dev/null; }

# A kit in folder $1: the launcher as <name>.exe beside the folder <name> that
# holds the probe as the program (name $2, default viewer; program $3, default
# viewer.exe).
new_kit() {
  local name="${2:-viewer}"
  mkdir -p "$1/$name"
  cp "$TARNSEL_EXE" "$1/$name.exe"
  cp "$TOOL_DIR/probe.exe" "$1/$name/${3:-viewer.exe}"
}

# The command line the probe was last started with (the probe writes ANSI bytes).
last_start() { tail -n 1 "$TARNSEL_PROBE_LOG" | tr -d '\r' | iconv -f CP932 -t UTF-8; }

# Runs a launcher and waits for it to end by itself (at most 60 s).
run_launcher() { timeout 60 "$WINE_EXEC" "$@" </dev/null; }

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

# Starts a Windows program in the background; sets `pid`. Whatever a test started
# and left running is ended when the script exits.
E2E_LAUNCHED=()
launch() {
  "$WINE_EXEC" "$@" </dev/null &
  pid=$!
  E2E_LAUNCHED+=("$pid")
}
end_launched() {
  local p
  for p in "${E2E_LAUNCHED[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap end_launched EXIT

# Clicks the centre of the child of class $3 with text $4 in the visible
# top-level window of class $1 titled $2 (a click also makes Wine activate it).
click_child() {
  local block x y
  block="$(wait_for_window "$1" "$2" 10)" || return 1
  read -r x y < <(C="$3" T="$4" awk -F'\t' '$2 == ENVIRON["C"] && $3 == ENVIRON["T"] {
    split($4, b, ","); print int(b[1] + b[3] / 2), int(b[2] + b[4] / 2); exit }' <<<"$block")
  [ -n "$x" ] || return 1
  xdotool mousemove --window "$(x_window "$2")" "$x" "$y" click 1 2>/dev/null
}

finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    echo "$E2E_NAME: $E2E_FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "$E2E_NAME: all checks passed"
}

# The visible windows of the Wine desktop with their children's texts (wintext).
windows_now() { wine_exec "$TOOL_DIR/wintext.exe" </dev/null 2>/dev/null | tr -d '\r'; }

# Waits until a top-level window of class $1 titled $2 is visible (at most $3 s);
# prints the window's block of lines.
wait_for_window() {
  local class="$1" title="$2" limit="${3:-30}" start block
  start=$(date +%s)
  while :; do
    block="$(windows_now | C="$class" T="$title" awk -F'\t' '
      $1 != "" { keep = ($2 == ENVIRON["C"] && $3 == ENVIRON["T"]) } keep')"
    if [ -n "$block" ]; then
      printf '%s\n' "$block"
      return 0
    fi
    [ $(($(date +%s) - start)) -ge "$limit" ] && return 1
    sleep 0.2
  done
}

# The X window of a visible top-level window titled $1 whose size is not $2 (the
# message box and the form share their title).
x_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1; }

# Keys to an X window: focus it, then type as a user would (Wine drops keys sent
# as synthetic events to an unfocused window). xdotool's complaint about the focus
# without a window manager is noise.
send_keys() {
  local window="$1"
  shift
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key "$@" 2>/dev/null
}

screenshot() { import -window root "$E2E_WORK/$1.png"; echo "screenshot: $E2E_WORK/$1.png"; }

# A PNG of the visible top-level window titled $1 alone, cut from the screen (no
# window manager: the X window is the client area), written to file $2.
window_screenshot() {
  local window X Y WIDTH HEIGHT
  window="$(x_window "$1")"
  [ -n "$window" ] || { echo "no visible window titled $1" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$2"
}

# Waits (at most $2 s) for process $1 to end; returns its exit code or 124.
wait_exit() {
  local pid="$1" limit="${2:-30}" i
  for i in $(seq 1 $((limit * 5))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      return $?
    fi
    sleep 0.2
  done
  kill "$pid" 2>/dev/null || true
  return 124
}

# The block of the visible form titled $1 (empty when none shows within 20 s).
block_of() { wait_for_window TarnselForm "$1" 20 || true; }

# The browse button draws itself on the setup panel, right of the destination
# field, at the panel's right edge less its design margin (scaled like the window).
browse() {
  local main edit panel k x y
  main="$(block_of Tarnsel)"
  edit="$(awk -F'\t' '$2 == "Edit" { e = $4 } END { print e }' <<<"$main")"
  panel="$(awk -F'\t' '$2 == "TarnselPanel" && $3 == "" { split($4, b, ","); if (b[4] > h) { h = b[4]; p = $4 } } END { print p }' <<<"$main")"
  IFS=, read -r _ _ pw ph <<<"$panel"
  IFS=, read -r ex ey ew eh <<<"$edit"
  x=$((pw - (12 + 36) * ph / 269))
  y=$((ey + eh / 2))
  xdotool mousemove --window "$(x_window Tarnsel)" "$x" "$y" click 1 2>/dev/null
}

# The state of everything below $1 that a program could change: each entry's
# kind (with a link's target, not followed), permission bits, Windows attributes
# (user.DOSATTRIB) and, for files, last-write time, size and SHA-256. Entries at
# and below the relative paths given after $1 are left out.
tree_state() {
  local dir="$1" prune=() p entry kind
  shift
  for p in "$@"; do prune+=(-path "./$p" -prune -o); done
  (cd "$dir" && find . "${prune[@]}" -print0 | sort -z | while IFS= read -r -d '' entry; do
    if [ -L "$entry" ]; then
      kind="link $(readlink "$entry")"
    elif [ -d "$entry" ]; then
      kind=folder
    else
      kind="file $(stat -c '%Y %s' "$entry") $(sha256sum <"$entry" | cut -c1-64)"
    fi
    printf '%s\t%s\t%s\t%s\n' "$entry" "$kind" "$(stat -c %a "$entry")" \
      "$(getfattr -h --only-values -n user.DOSATTRIB "$entry" 2>/dev/null | tr -d '\0')"
  done)
}

# Compares a tree state with an earlier one; prints what differs.
same_state() {
  [ "$1" = "$2" ] && return 0
  diff <(printf '%s\n' "$2") <(printf '%s\n' "$1") | head -n 20 >&2
  return 1
}
