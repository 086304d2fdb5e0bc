#!/usr/bin/env bash
# The drive list on Wine's own drives plus a mapped E: with a volume label: its
# entries, the selected drive of the current directory, the dropped-down list,
# a pick by keys, and the time that filling the list takes.
source "$(dirname "$0")/lib.sh"
ensure_display

demo="$TOOL_DIR/DriveListDemo.exe"
drive_e="$E2E_WORK/drive-e"
mkdir -p "$drive_e"
printf 'Setup Data' >"$drive_e/.windows-label"
# A prefix of its own: Wine's mount manager takes note of the mapped drives when
# the prefix's server starts, so E: must be there before anything runs in it.
export WINEPREFIX="$E2E_WORK/prefix"
fresh_wine_prefix "$WINEPREFIX"
ln -sfn "$drive_e" "$WINEPREFIX/dosdevices/e:"
output="$E2E_WORK/demo.out"

# The combo box line and its entry lines of the demo's window block.
selected() { awk -F'\t' '$2 == "ComboBox" { print $3 }' <<<"$1"; }
entries() { awk -F'\t' '$1 == "" && $2 == "" { print $3 }' <<<"$1"; }
changes() { grep -c '^change' "$output" || true; }
# The demo's lines without the console's carriage returns.
said() { tr -d '\r' <"$output"; }

# Started in E:'s root, so that E: is the current drive.
(cd "$drive_e" && exec "$WINE_EXEC" "$demo" </dev/null >"$output" 2>"$E2E_WORK/demo.err") &
pid=$!
form="$(wait_for_window TarnselForm DriveListDemo 30 || true)"
check "demo window shown" test -n "$form"
listed="$(entries "$form")"
printf 'entries:\n%s\n' "$listed"
check "C: listed with its label brackets" grep -q '^c: \[' <<<"$listed"
check "E: listed with its label in lower case" grep -qx 'e: \[setup data\]' <<<"$listed"
check "Z: listed" grep -q '^z: \[' <<<"$listed"
check "current drive E: selected" equals "$(selected "$form")" "e: [setup data]"
# Window creation raises OnChange, and so does the demo's selection after its
# timed second fill.
check "creation raised OnChange with e" equals "$(said | head -n 1)" "change e"
check "OnChange twice at start" equals "$(changes)" 2

# Drop the list down and keep a picture of it.
window="$(x_window DriveListDemo)"
send_keys "$window" alt+Down
sleep 1
check "list dropped down" grep -q $'\tComboLBox\t' <<<"$(windows_now)"
screenshot dropped-down

# Pick the entry above E: with the keys.
above="$(grep -B1 -x 'e: \[setup data\]' <<<"$listed" | head -n 1)"
before="$(changes)"
send_keys "$window" Up Return
sleep 1
form="$(wait_for_window TarnselForm DriveListDemo 10 || true)"
check "picked entry selected" equals "$(selected "$form")" "$above"
check "OnChange reports the picked drive" equals "$(said | grep '^change' | tail -n 1)" \
  "change ${above:0:1}"
check "a pick of another drive raises OnChange twice" equals "$(($(changes) - before))" 2
screenshot picked

send_keys "$window" alt+F4
status=0
wait_exit "$pid" 20 || status=$?
check "closing the window ends the demo" equals "$status" 0
said | sed 's/^/demo: /'
wineserver -k 2>/dev/null || true  # the server of this test's own prefix
rm -rf "$WINEPREFIX"

finish
