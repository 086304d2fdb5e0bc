#!/usr/bin/env bash
# The real launcher at start-up: waiting with its window when nothing is
# installed, the error box for a missing source folder, a launcher in the root of
# a mapped drive, and the same Japanese texts under a Western code page.
source "$(dirname "$0")/lib.sh"
ensure_display

make_kit() {  # make_kit <folder>: a kit named viewer with a program and a start file
  new_kit "$1"
  echo start >"$1/viewer/startup.txt"
}

close_form() {  # close_form <pid>: Alt+F4 to the form, then wait for the process
  local w
  w="$(x_window Tarnsel)"
  [ -n "$w" ] && send_keys "$w" alt+F4
  wait_exit "$1" 20
}

rm -rf "$DESKTOP/viewer"
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"

# --- Waiting: no installed copy, no intro page.
kit="$E2E_WORK/kit"
make_kit "$kit"
launch "$kit/viewer.exe"
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "window shown and waiting" test -n "$form"
field() { awk -F'\t' -v n="$1" '$2 == "Edit" { i++; if (i == n) print $3 }' <<<"$form"; }
listed() { awk -F'\t' -v n="$1" '$2 == "ListBox" { i++; if (i == n) print $3 }' <<<"$form"; }
check "source field shows the source folder" equals "$(field 1)" "$(winpath "$kit")\\viewer"
check "destination field shows the desktop" equals "$(field 2)" 'C:\users\'"$(id -un)"'\Desktop'
check "process still running" kill -0 "$pid"
check "nothing started" test ! -e "$TARNSEL_PROBE_LOG"
screenshot waiting
close_form "$pid"
check "closing the window ends the launcher" equals "$?" 0

# --- Missing source folder: the error box, then the window.
broken="$E2E_WORK/broken"
mkdir -p "$broken"
cp "$TARNSEL_EXE" "$broken/viewer.exe"
launch "$broken/viewer.exe"
box="$(wait_for_window '#32770' Tarnsel 30 || true)"
check "error box names the missing folder" grep -q $'\tStatic\tファイルが見つかりません.\t' <<<"$box"
screenshot missing-source
click_child '#32770' Tarnsel Button OK
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "window shown after the error" test -n "$form"
check "source field keeps its stored text" equals "$(field 1)" "Edit2"
close_form "$pid"

# --- Launcher in the root of a mapped drive E:.
root="$E2E_WORK/drive-e"
make_kit "$root"
ln -sfn "$root" "$WINEPREFIX/dosdevices/e:"
launch 'E:\viewer.exe'
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "root launcher finds E:\\viewer" equals "$(field 1)" 'E:\viewer'
check "program listed" equals "$(listed 1)" "viewer.exe"
check "start file listed" equals "$(listed 2)" "startup.txt"
close_form "$pid"
rm -f "$WINEPREFIX/dosdevices/e:"

# --- Started maximised: the start-up check brings the window back to normal.
launch "$TOOL_DIR/showrun.exe" 3 "$(winpath "$kit/viewer.exe")"
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
header="$(head -n 1 <<<"$form")"
check "started maximised, shown normal" equals "$(xwininfo -id "$(x_window Tarnsel)" | awk '/Width:/ { print $2 }')" \
  "$(awk -F'\t' '$2 == "TarnselPanel" { split($4, b, ","); if (b[1] == 0 && b[3] > w) w = b[3] } END { print w }' <<<"$form")"
check "not minimised" test -z "$(grep -F '(minimised)' <<<"$header")"
close_form "$pid"

# --- Started minimised without activation: only a taskbar button until restored.
launch "$TOOL_DIR/showrun.exe" 7 "$(winpath "$kit/viewer.exe")"
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "started minimised" grep -qF '(minimised)' <<<"$(head -n 1 <<<"$form")"
check "child windows and show handler wait for the restore" test -z "$(field 2)"
wine_exec "$TOOL_DIR/wintext.exe" restore Tarnsel </dev/null
sleep 1
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "restored: the show handler has run" equals "$(field 2)" 'C:\users\'"$(id -un)"'\Desktop'
close_form "$pid"

# --- Western code page: the same Japanese texts.
LANG=C.UTF-8 launch "$kit/viewer.exe"
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "window shown under code page 1252" test -n "$form"
screenshot waiting-cp1252
close_form "$pid"

finish
