#!/usr/bin/env bash
# A launcher in a download folder must not load a library planted beside it or in
# its current directory. Copies of a library that leaves a marker when loaded lie
# there under the names of system libraries that Windows does not protect as
# known DLLs and that the program, the common controls or the browser control
# would load; Wine is told to prefer such a file over its own (as Windows does
# for a file found first on the search path). A whole setup with the intro page
# runs; no marker may appear, and the setup must still work.
#
# Under Wine, shcore.dll and version.dll are imported by Wine's own core
# libraries and resolved before the program runs; on Windows they are known DLLs
# or not loaded at start, so they are not planted here.
source "$(dirname "$0")/lib.sh"
ensure_display

planted_names=(mpr.dll msimg32.dll uxtheme.dll comctl32.dll dwmapi.dll wininet.dll urlmon.dll
  winspool.drv bcrypt.dll)

user_desktop='C:\users\'"$(id -un)"'\Desktop'
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"
kit="$E2E_WORK/downloads"
current="$E2E_WORK/current"
rm -rf "$DESKTOP/viewer"
mkdir -p "$current"
new_kit "$kit"
cp "$E2E_ROOT/demo/kit/index.html" "$kit/index.html"
echo start >"$kit/viewer/startup.txt"

overrides="$WINEDLLOVERRIDES"
for name in "${planted_names[@]}"; do
  cp "$TOOL_DIR/planted.dll" "$kit/$name"
  cp "$TOOL_DIR/planted.dll" "$current/$name"
  overrides="$overrides;${name%.*}=n,b"
done

# The planted library works: loaded on purpose, it leaves its marker.
WINEDLLOVERRIDES="$overrides" wine rundll32 "$(winpath "$current/mpr.dll"),Probe" </dev/null >/dev/null 2>&1 || true
check "a loaded planted library leaves its marker" test -s "$current/mpr.dll.loaded"
rm -f "$current"/*.loaded

cd "$current"
WINEDLLOVERRIDES="$overrides" launch "$kit/viewer.exe"
cd - >/dev/null
check "window shown" test -n "$(wait_for_window TarnselForm Tarnsel 30 || true)"
# The browser control has created its window and navigated.
sleep 2
screenshot planted
click_child TarnselForm Tarnsel Button セットアップ開始
wait_exit "$pid" 60
check "setup ends the launcher" equals "$?" 0
sleep 1
check "the copied program was started" equals "$(last_start)" \
  "\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"
markers="$(find "$kit" "$current" -name '*.loaded' -printf '%f ')"
check "no planted library was loaded" equals "$markers" ""

rm -rf "$DESKTOP/viewer"
finish
