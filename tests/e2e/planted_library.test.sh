#!/usr/bin/env bash
# A launcher in a download folder must not load a library planted beside it or in
# its current directory. Copies of a library that leaves a marker when loaded lie
# there under the names of system libraries that Windows does not protect as
# known DLLs and that the program, the common controls, the message boxes, the
# shell's dialogs or the browser control load; Wine is told to prefer such a file
# over its own (as Windows does for a file found first on the search path). Every
# path a user can take runs: the error box at start, the window with the intro
# page, the picker with a change of drive, and a setup over an earlier copy with
# the shell's overwrite question. No marker may appear, the loader may report no
# library from those folders, and the setup must still work.
#
# Under Wine, shcore.dll, imm32.dll and version.dll are imported by Wine's own
# core libraries and resolved before the program runs; on Windows they are known
# DLLs or not loaded at start, so they are not planted here.
source "$(dirname "$0")/lib.sh"
ensure_display

planted_names=(mpr.dll msimg32.dll uxtheme.dll dwmapi.dll comctl32.dll comdlg32.dll propsys.dll
  oleacc.dll ws2_32.dll wininet.dll urlmon.dll ieframe.dll mshtml.dll winspool.drv bcrypt.dll)

user_desktop='C:\users\'"$(id -un)"'\Desktop'
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"
kit="$E2E_WORK/downloads"
broken="$E2E_WORK/broken"
current="$E2E_WORK/current"
loads="$E2E_WORK/loaddll.log"
rm -rf "$DESKTOP/viewer"
mkdir -p "$current" "$broken"
new_kit "$kit"
cp "$E2E_ROOT/demo/kit/index.html" "$kit/index.html"
echo start >"$kit/viewer/startup.txt"
# A launcher without its folder: the start-up check ends in the error box.
cp "$TARNSEL_EXE" "$broken/viewer.exe"

overrides="$WINEDLLOVERRIDES"
for name in "${planted_names[@]}"; do
  for folder in "$kit" "$broken" "$current"; do cp "$TOOL_DIR/planted.dll" "$folder/$name"; done
  overrides="$overrides;${name%.*}=n,b"
done

# A library planted beside a program proves something only with that program's bitness.
check "the planted library has the launcher's bitness" \
  equals "$(pe_bitness "$TOOL_DIR/planted.dll")" "$TARNSEL_WINE_BITS"
# The planted library works: loaded on purpose (by the rundll32 of its bitness),
# it leaves its marker.
WINEDLLOVERRIDES="$overrides" wine_rundll32 "$current/mpr.dll" Probe </dev/null >/dev/null 2>&1 || true
check "a loaded planted library leaves its marker" test -s "$current/mpr.dll.loaded"
rm -f "$current"/*.loaded

markers() { find "$kit" "$broken" "$current" -name '*.loaded' -printf '%f '; }
# Runs a launcher from the planted current directory, with the planted copies
# preferred and the loader reporting every library it loads.
launch_planted() {
  cd "$current"
  WINEDLLOVERRIDES="$overrides" WINEDEBUG=+loaddll launch "$1" 2>>"$loads"
  cd - >/dev/null
}

# --- The error box at start, then the window.
launch_planted "$broken/viewer.exe"
check "error box shown" test -n "$(wait_for_window '#32770' Tarnsel 30 || true)"
sleep 1
check "error box: no planted library loaded" equals "$(markers)" ""
click_child '#32770' Tarnsel Button OK
check "window shown after the error box" test -n "$(wait_for_window TarnselForm Tarnsel 30 || true)"
sleep 1
click_child TarnselForm Tarnsel Button 中止
wait_exit "$pid" 20
check "abort ends the launcher" equals "$?" 0

# --- The window with the intro page; the browser control has created its window
# and navigated.
mkdir -p "$DESKTOP/viewer"
echo earlier >"$DESKTOP/viewer/startup.txt"
launch_planted "$kit/viewer.exe"
check "window shown" test -n "$(wait_for_window TarnselForm Tarnsel 30 || true)"
sleep 2
screenshot planted
check "start-up: no planted library loaded" equals "$(markers)" ""

# --- The picker, its lists drawn, then another drive.
browse
picker="$(block_of Form2)"
check "the picker opens" test -n "$picker"
combo="$(awk -F'\t' '$2 == "ComboBox" { print $4; exit }' <<<"$picker")"
IFS=, read -r cx cy cw ch <<<"$combo"
xdotool mousemove --window "$(x_window Form2)" $((cx + cw / 2)) $((cy + ch / 2)) click 1 2>/dev/null
sleep 0.5
xdotool key c 2>/dev/null
sleep 1
check "the picker changed to drive c:" grep -q $'\tEdit\tc:\\\\\t' <<<"$(block_of Form2)"
check "picker: no planted library loaded" equals "$(markers)" ""
click_child TarnselForm Form2 Button 中止
sleep 1

# --- Setup over an earlier copy: the shell asks before overwriting.
click_child TarnselForm Tarnsel Button セットアップ開始
check "the shell asks before overwriting" \
  test -n "$(wait_for_window '#32770' 'ファイルの上書きの確認' 20 || true)"
sleep 1
check "overwrite question: no planted library loaded" equals "$(markers)" ""
click_child '#32770' 'ファイルの上書きの確認' Button 'はい(&Y)'
wait_exit "$pid" 60
check "setup ends the launcher" equals "$?" 0
sleep 1
check "the copied program was started" equals "$(last_start)" \
  "\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"
check "no planted library was loaded" equals "$(markers)" ""
# The loader's own account: every library of the launcher's processes came from
# elsewhere than the folders where the copies lie.
from_planted="$(grep -a 'Loaded L"' "$loads" | grep -a -i -e 'downloads\\\\' -e 'broken\\\\' -e 'current\\\\' |
  grep -a -v -i '\\viewer.exe"' || true)"
check "the loader loaded nothing from the planted folders" equals "$from_planted" ""
check "the loader reported its loads" grep -a -q 'Loaded L".*msimg32.dll"' "$loads"

rm -rf "$DESKTOP/viewer"
finish
