#!/usr/bin/env bash
# The outline's grid window on a small fixed tree: row selection by mouse and
# keys, expanding with "+", Right and "*" and by a double click on a row,
# collapsing with "-", the current row kept in view, and the scroll bars that
# come when the rows or the column no longer fit and go when they fit again.
source "$(dirname "$0")/lib.sh"
ensure_display

demo="$TOOL_DIR/OutlineDemo.exe"
output="$E2E_WORK/demo.out"

# The demo's state: the outline's window text, "name=value" fields split by ";".
state() {
  windows_now | awk -F'\t' '$1 != "" { keep = ($2 == "TarnselForm" && $3 == "OutlineDemo") }
    keep && $2 == "TarnselOutline" { print $3 }'
}
field() { tr ';' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
# Waits (at most 10 s) until field $1 reads $2: the demo handles input in its own time.
await() {
  local i now
  for i in $(seq 1 50); do
    now="$(field "$(state)" "$1")"
    [ "$now" = "$2" ] && return 0
    sleep 0.2
  done
  echo "  $1: expected [$2], got [$now]" >&2
  return 1
}
now() { field "$(state)" "$1"; }
said() { tr -d '\r' <"$output"; }
# Clicks row $1 of the grid ($2 clicks in a row: 2 is a double click).
click_row() {
  local s at height top
  s="$(state)"
  at="$(field "$s" at)"
  height="$(field "$s" height)"
  top="$(field "$s" top)"
  xdotool mousemove --window "$window" $((${at%,*} + 40)) $((${at#*,} + ($1 - top) * height + height / 2)) \
    click --repeat "${2:-1}" --delay 80 1 2>/dev/null
}

"$WINE_EXEC" "$demo" </dev/null >"$output" 2>"$E2E_WORK/demo.err" &
pid=$!
E2E_LAUNCHED+=("$pid")
check "demo window shown" wait_for_window TarnselForm OutlineDemo 30 >/dev/null
window="$(x_window OutlineDemo)"
check "top-level items shown, all collapsed" await rows "Programs|Documents|Music"
check "first item selected" await sel "Programs"
check "no scroll bars while everything fits" equals "$(now bars)" ""

# A click selects its row and makes the window active, so keys reach the tree.
click_row 1
check "click on a row selects it" await sel "Documents"
check "the click is reported once" equals "$(said | grep -c '^click Documents$')" 1
xdotool key Up 2>/dev/null
check "Up moves to the row above" await sel "Programs"

xdotool key plus 2>/dev/null
check '"+" expands the selected item' await rows "Programs|.Tarnsel|.Tools|Documents|Music"
check "the expansion is reported" grep -qx 'expand Programs' <(said)
xdotool key Right 2>/dev/null
check "Right moves into the expanded item" await sel 'Programs\Tarnsel'
xdotool key asterisk 2>/dev/null
check '"*" expands everything below the item' await rows \
  "Programs|.Tarnsel|..Data|...Bitmaps|....Buttons|.....Pictures of the deepest folder|.Tools|Documents|Music"
check "both scroll bars come when rows and column outgrow the window" await bars vh
screenshot expanded-by-keys

xdotool key End 2>/dev/null
check "End selects the last row" await sel "Music"
check "the grid scrolls to keep the current row in view" test "$(now top)" -gt 0

click_row "$(($(now row) - 1))" 2
check "a double click expands the row's item" await rows \
  "Programs|.Tarnsel|..Data|...Bitmaps|....Buttons|.....Pictures of the deepest folder|.Tools|Documents|.Letters|.Notes|Music"
check "the double-clicked row is selected" equals "$(now sel)" "Documents"
check "a double click is one click and one double click" equals \
  "$(said | tail -n 3 | tr '\n' ,)" "click Documents,dblclick,expand Documents,"
screenshot expanded-by-mouse

xdotool key Home 2>/dev/null
check "Home selects the first row and scrolls back to the top" await top 0
check "Home selected the first item" equals "$(now sel)" "Programs"
xdotool key minus 2>/dev/null
check '"-" collapses the selected item' await rows "Programs|Documents|.Letters|.Notes|Music"
check "the scroll bars go when everything fits again" await bars ""
screenshot collapsed

xdotool key alt+F4 2>/dev/null
status=0
wait_exit "$pid" 20 || status=$?
check "closing the window ends the demo" equals "$status" 0
said | sed 's/^/demo: /'

finish
