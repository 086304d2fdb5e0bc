#!/usr/bin/env bash
# The folder picker through the real windows: the browse button shows it with the
# tree at the start-up folder; OK hands the path field to the destination field,
# abort and the close box leave it; another drive, a typed path, a second browse,
# and widening the dialog.
source "$(dirname "$0")/lib.sh"
ensure_display

kit="$E2E_WORK/kit"
start_folder="$E2E_WORK/Start Here"
mkdir -p "$start_folder/Sub"
new_kit "$kit"
rm -rf "$DESKTOP/viewer"

text_of() {  # text_of <block> <class> <n>: the n-th child of that class
  C="$2" N="$3" awk -F'\t' '$2 == ENVIRON["C"] { i++; if (i == ENVIRON["N"]) print $3 }' <<<"$1"
}
bounds_of() { C="$2" T="$3" awk -F'\t' '$2 == ENVIRON["C"] && $3 == ENVIRON["T"] { print $4; exit }' <<<"$1"; }
destination() { text_of "$(block_of Tarnsel)" Edit 2; }

cd "$start_folder"
launch "$kit/viewer.exe"
cd - >/dev/null
main="$(block_of Tarnsel)"
check "launcher waiting" test -n "$main"
desktop_text="$(destination)"

# --- First browse, OK at once.
browse
picker="$(block_of Form2)"
check "the picker opens titled Form2" test -n "$picker"
expected_start="$(winpath "$start_folder" | tr 'A-Z' 'a-z')"
check "path field shows the start-up folder in lower case" equals "$(text_of "$picker" Edit 1)" "$expected_start"
check "the picker opens at 237, 125" equals "$(xwininfo -id "$(x_window Form2)" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x "," y }' | cut -d, -f1 | awk '{ print ($1 >= 237 && $1 <= 250) ? "yes" : $1 }')" yes
screenshot picker
# One taskbar button: the picker is owned by the main window, which stays
# disabled while the picker runs.
check "the picker is owned by the main window" equals "$(wine_exec "$TOOL_DIR/wintext.exe" owner Form2 </dev/null | tr -d '\r')" Tarnsel
check "the main window is disabled while the picker is open" \
  equals "$(wine_exec "$TOOL_DIR/wintext.exe" enabled Tarnsel </dev/null | tr -d '\r')" disabled
wine_exec "$TOOL_DIR/wintext.exe" raise Tarnsel </dev/null
check "raising the main window keeps the picker above it" equals \
  "$(windows_now | awk -F'\t' '$1 != "" && ($3 == "Form2" || $3 == "Tarnsel") { print $3; exit }')" Form2

# --- The tree by keyboard: from the path field back into the tree, "+" lists
# and opens the start-up folder, Down moves to its sub-folder, which becomes the
# path field's text.
click_child TarnselForm Form2 Edit "$expected_start"
xdotool key shift+Tab plus 2>/dev/null
sleep 0.5
xdotool key Down 2>/dev/null
sleep 1
check "a keyboard move in the tree reports the folder" equals \
  "$(text_of "$(block_of Form2)" Edit 1)" "$expected_start\\sub"
screenshot picker-expanded
xdotool key Up 2>/dev/null
sleep 1
check "and back to the start-up folder" equals "$(text_of "$(block_of Form2)" Edit 1)" "$expected_start"
click_child TarnselForm Form2 Button OK
sleep 1
check "OK hands the path to the destination field" equals "$(destination)" "$expected_start"
check "the main window is enabled after the picker" \
  equals "$(wine_exec "$TOOL_DIR/wintext.exe" enabled Tarnsel </dev/null | tr -d '\r')" enabled

# --- Abort and the close box leave the destination field alone.
browse
block_of Form2 >/dev/null
check "second browse shows the same path" equals "$(text_of "$(block_of Form2)" Edit 1)" "$expected_start"
click_child TarnselForm Form2 Edit "$expected_start"
xdotool key ctrl+a BackSpace 2>/dev/null
xdotool type --delay 20 'Q:\typed\folder' 2>/dev/null
click_child TarnselForm Form2 Button 中止
sleep 1
check "abort leaves the destination field" equals "$(destination)" "$expected_start"
browse
picker="$(block_of Form2)"
check "the typed text is still there on the next browse" equals "$(text_of "$picker" Edit 1)" 'Q:\typed\folder'
send_keys "$(x_window Form2)" alt+F4
sleep 1
check "the close box ends the picker" test -z "$(windows_now | awk -F'\t' '$3 == "Form2"')"
check "and leaves the destination field" equals "$(destination)" "$expected_start"

# --- Enter in the path field hands over the typed text, unchecked.
browse
click_child TarnselForm Form2 Edit 'Q:\typed\folder'
xdotool key Return 2>/dev/null
sleep 1
check "Enter in the path field is OK with the typed text" equals "$(destination)" 'Q:\typed\folder'

# --- Another drive: the tree shows only its root, and the path field that root.
browse
picker="$(block_of Form2)"
combo="$(awk -F'\t' '$2 == "ComboBox" { print $4; exit }' <<<"$picker")"
IFS=, read -r cx cy cw ch <<<"$combo"
check "the drive list shows the start-up drive" equals "$(text_of "$picker" ComboBox 1)" "z: []"
xdotool mousemove --window "$(x_window Form2)" $((cx + cw / 2)) $((cy + ch / 2)) click 1 2>/dev/null
sleep 0.5
# "c" picks drive c: in the list; a Return now would be the dialog's OK.
xdotool key c 2>/dev/null
sleep 1
picker="$(block_of Form2)"
check "picking drive c: shows its root" equals "$(text_of "$picker" Edit 1)" 'c:\'
# --- Enter with the focus in the tree ends the dialog with OK.
tree="$(awk -F'\t' '$2 ~ /Outline/ { print $4; exit }' <<<"$picker")"
IFS=, read -r tx ty tw th <<<"$tree"
xdotool mousemove --window "$(x_window Form2)" $((tx + 30)) $((ty + 8)) click 1 2>/dev/null
xdotool key Return 2>/dev/null
sleep 1
check "Enter in the tree is OK" equals "$(destination)" 'c:\'

# --- Widening the dialog stretches the path field and moves the buttons.
browse
picker="$(block_of Form2)"
edit_before="$(bounds_of "$picker" Edit 'c:\')"
ok_before="$(bounds_of "$picker" Button OK)"
size="$(xwininfo -id "$(x_window Form2)" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w " " h }')"
xdotool windowsize "$(x_window Form2)" $((${size% *} + 100)) "${size#* }"
sleep 1
picker="$(block_of Form2)"
check "widening stretches the path field" equals "$(($(cut -d, -f3 <<<"$(bounds_of "$picker" Edit 'c:\')") - $(cut -d, -f3 <<<"$edit_before")))" 100
check "widening moves the OK button" equals "$(($(cut -d, -f1 <<<"$(bounds_of "$picker" Button OK)") - $(cut -d, -f1 <<<"$ok_before")))" 100
screenshot picker-widened
click_child TarnselForm Form2 Button 中止

click_child TarnselForm Tarnsel Button 中止
wait_exit "$pid" 20
check "the launcher ends" equals "$?" 0

# --- Started in a folder the tree can't show (below a dot folder): the picker
# opens at the drive's root instead of the program ending.
mkdir -p "$E2E_WORK/.cache/inner"
cd "$E2E_WORK/.cache/inner"
launch "$kit/viewer.exe"
cd - >/dev/null
check "the launcher starts from an unshowable folder" test -n "$(block_of Tarnsel)"
browse
check "the picker shows the drive's root" equals "$(text_of "$(block_of Form2)" Edit 1)" 'z:\'
click_child TarnselForm Form2 Button 中止
click_child TarnselForm Tarnsel Button 中止
wait_exit "$pid" 20
finish
