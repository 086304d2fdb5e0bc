#!/usr/bin/env bash
# The demo played without a user, on a hidden display: the launcher's window, its
# setup button, the installed copy with the command line its program received, and
# a second start that hands over without a window. One screenshot per step and a
# report go beside the kit; the exit code is non-zero, naming the step, when a step
# did not happen. Usage: scripts/demo-autoplay.sh <kit folder> <build folder>
# (run-demo.sh calls it; the build folder holds the window reader of the kit's bitness)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kit="$(readlink -f "$1")"
export E2E_WORK="$kit/screenshots"
# shellcheck source=../tests/e2e/lib.sh
build="$(readlink -f "${2:-$root/build/win64}")"
source "$root/tests/e2e/lib.sh" "$build/Tarnsel.exe" "$build"
ensure_display
trap 'end_launched; wine_server_down; stop_display' EXIT
wine_server_up

installed="$DESKTOP/viewer"
program_log="$installed/viewer.exe.log"
user_desktop='C:\users\'"$(id -un)"'\Desktop'
expected_line="\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"
report="$kit/report.txt"
: >"$report"
step=0
current=""

note() { printf '%s\n' "$*" | tee -a "$report"; }
begin() { step=$((step + 1)); current="$1"; }
passed() { note "step $step ok: $current: $*"; }
failed() {
  note "step $step FAILED: $current: $*"
  note "demo: stopped at step $step ($current); screenshots so far in $E2E_WORK"
  exit 1
}
# The whole hidden screen, for the steps where the point is what is not there.
screen_shot() { import -window root "$E2E_WORK/$1.png"; }
# The lines the installed program has logged so far (it writes ANSI bytes).
program_lines() { [ -f "$program_log" ] && tr -d '\r' <"$program_log" | iconv -f CP932 -t UTF-8 || true; }
# Waits (at most $1 s) until the installed program has logged $2 lines.
wait_for_lines() {
  local i
  for i in $(seq 1 $(($1 * 5))); do
    [ "$(program_lines | wc -l)" -ge "$2" ] && return 0
    sleep 0.2
  done
  return 1
}
launcher_window_shown() { windows_now | awk -F'\t' '$1 != "" && $2 == "TarnselForm" { f = 1 } END { exit !f }'; }

note "demo: the kit is $kit, the Wine desktop $DESKTOP"

begin "the launcher shows its window (nothing installed yet)"
launch "$kit/viewer.exe"
wait_for_window TarnselForm Tarnsel 60 >/dev/null || failed "no window titled Tarnsel within 60 s"
sleep 1  # the intro pane and the lists finish drawing
window_screenshot Tarnsel "$E2E_WORK/1-window.png" || failed "no screenshot of the window"
passed "window shown; screenshot $E2E_WORK/1-window.png"

begin "セットアップ開始 pressed: the shell copies the folder and the launcher ends"
click_child TarnselForm Tarnsel Button セットアップ開始 || failed "the button セットアップ開始 was not found"
status=0
wait_exit "$pid" 60 || status=$?
screen_shot 2-after-setup
[ "$status" -eq 0 ] || failed "the launcher did not end with exit code 0 within 60 s (got $status)"
passed "launcher ended with exit code 0; screenshot $E2E_WORK/2-after-setup.png"

begin "the installed copy on the Wine desktop started its program"
[ -f "$installed/viewer.exe" ] && [ -f "$installed/startup.txt" ] ||
  failed "$installed does not hold viewer.exe and startup.txt"
wait_for_lines 20 1 || failed "the installed program did not log its start within 20 s ($program_log)"
first="$(program_lines | tail -n 1)"
[ "$first" = "$expected_line" ] || failed "the program received [$first], expected [$expected_line]"
# The screen shows nothing here (the program has no window): the picture is the
# installed folder's listing and the received command line, drawn as text.
{
  echo "$user_desktop\\viewer"
  (cd "$installed" && find . -type f | sort | sed 's|^\./|  |')
  echo
  echo "the program received:"
  echo "  $first"
} >"$E2E_WORK/3-installed-copy.txt"
# (ImageMagick reads backslashes and percent signs in a label as escapes.)
convert -background white -fill black -font "$(fc-match -f %{file} IPAGothic)" -pointsize 14 -bordercolor white -border 8 \
  "label:$(sed 's/\\/\\\\/g; s/%/%%/g' "$E2E_WORK/3-installed-copy.txt")" "$E2E_WORK/3-installed-copy.png" ||
  failed "could not draw the listing"
note "  installed copy: $installed"
note "  its files: $(cd "$installed" && find . -type f | sort | tr '\n' ' ')"
note "  the program received: $first"
passed "copy installed and its program started; listing drawn in $E2E_WORK/3-installed-copy.png"

begin "second start: the launcher hands over to the installed copy without a window"
launch "$kit/viewer.exe"
window_seen=no
for _ in $(seq 1 150); do
  kill -0 "$pid" 2>/dev/null || break
  launcher_window_shown && window_seen=yes
  sleep 0.2
done
status=0
wait_exit "$pid" 5 || status=$?
screen_shot 4-second-start
[ "$window_seen" = no ] || failed "the launcher showed its window although a copy is installed"
[ "$status" -eq 0 ] || failed "the launcher did not end with exit code 0 within 30 s (got $status)"
wait_for_lines 20 2 || failed "the installed program was not started again within 20 s"
second="$(program_lines | tail -n 1)"
[ "$second" = "$expected_line" ] || failed "the program received [$second], expected [$expected_line]"
note "  the program received again: $second"
passed "no window, program started again; screenshot $E2E_WORK/4-second-start.png"

note "demo: all $step steps happened; screenshots in $E2E_WORK, this report in $report"
