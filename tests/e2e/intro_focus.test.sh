#!/usr/bin/env bash
# The keyboard around the intro page in the real window: the first focus lies in
# the browser, Tab leaves it for the program list and Shift+Tab comes back, and
# Enter typed in the page starts no setup; without a page the collapsed browser
# keeps its place at the head of the tab order.
source "$(dirname "$0")/lib.sh"
ensure_display

export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"
rm -rf "$DESKTOP/viewer"

# The window holding the focus in the launcher's thread: class, text, ancestors.
focus_now() { wine_exec "$TOOL_DIR/wintext.exe" focus Tarnsel </dev/null 2>/dev/null | tr -d '\r'; }
in_browser() { grep -q 'TarnselWebBrowser' <<<"$1"; }
# The program list shows the program; the start-file list shows the start file.
on_program_list() { equals "$(cut -f1,2 <<<"$1")" $'ListBox\tviewer.exe'; }

kit="$E2E_WORK/kit"
new_kit "$kit"
echo start >"$kit/viewer/startup.txt"
cp "$E2E_ROOT/demo/kit/index.html" "$kit/index.html"

# --- With the intro page.
launch "$kit/viewer.exe"
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "window shown" test -n "$form"
window="$(x_window Tarnsel)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.5
first="$(focus_now)"
echo "first focus: $first"
check "the first focus lies inside the browser" in_browser "$first"

xdotool key Return 2>/dev/null
sleep 2
check "Enter in the page leaves the window up" kill -0 "$pid"
check "Enter in the page starts nothing" test ! -e "$TARNSEL_PROBE_LOG"
check "Enter in the page copies nothing" test ! -e "$DESKTOP/viewer"

xdotool key Tab 2>/dev/null
sleep 0.5
after_tab="$(focus_now)"
echo "after Tab: $after_tab"
check "Tab from the browser reaches the program list" on_program_list "$after_tab"
xdotool key shift+Tab 2>/dev/null
sleep 0.5
check "Shift+Tab from the program list returns to the browser" in_browser "$(focus_now)"
xdotool key shift+Tab 2>/dev/null
sleep 0.5
check "Shift+Tab from the browser goes round to the setup button" equals \
  "$(cut -f1,2 <<<"$(focus_now)")" $'Button\tセットアップ開始'
xdotool key Tab 2>/dev/null
sleep 0.5
check "Tab from the setup button goes round to the browser" in_browser "$(focus_now)"
screenshot intro-focus
send_keys "$window" alt+F4
wait_exit "$pid" 20
check "Alt+F4 in the page closes the launcher" equals "$?" 0

# --- Without the page: the collapsed browser stays first in the tab order.
rm "$kit/index.html"
launch "$kit/viewer.exe"
form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
window="$(x_window Tarnsel)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.5
check "collapsed: the first focus lies inside the browser" in_browser "$(focus_now)"
xdotool key Tab 2>/dev/null
sleep 0.5
check "collapsed: Tab reaches the program list" on_program_list "$(focus_now)"
send_keys "$window" alt+F4
wait_exit "$pid" 20
check "nothing was started in either run" test ! -e "$TARNSEL_PROBE_LOG"
rm -rf "$DESKTOP/viewer"
finish
