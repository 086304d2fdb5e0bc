#!/usr/bin/env bash
# The setup through the real window: the button copies the kit to the desktop,
# resets attributes and starts the copied program; abort copies nothing; Enter in
# the destination field sets up there; Escape does nothing; the window's size
# with and without an intro page, and what widening it does. The kit holds
# read-only files whose names the code page cannot hold; their copies lose it too.
source "$(dirname "$0")/lib.sh"
ensure_display

user_desktop='C:\users\'"$(id -un)"'\Desktop'
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"

make_kit() {  # make_kit <folder>
  new_kit "$1"
  mkdir -p "$1/viewer/data"
  echo start >"$1/viewer/startup.txt"
  head -c 100000 /dev/urandom >"$1/viewer/data/blob.bin"
  attrtool set 01 "$(winpath "$1/viewer/viewer.exe")"
  attrtool set 03 "$(winpath "$1/viewer/data/blob.bin")"
  # Read-only is the Unix write bit; the ANSI calls cannot reach these names.
  echo x >"$1/viewer/Straße_ö.txt"
  echo x >"$1/viewer/data/한국어.txt"
  chmod a-w "$1/viewer/Straße_ö.txt" "$1/viewer/data/한국어.txt"
}

# True when the owner may write the file: read-only is off (as root, [ -w ] is
# true whatever the mode).
writable() { [ $((0$(stat -c %a "$1") & 0200)) -ne 0 ]; }

# A fingerprint of the source: every file's bytes and every entry's attributes.
fingerprint() {
  (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
  attrtool dump "$(winpath "$1")" | tr -d '\r' | sort -k2
}

start_launcher() {  # start_launcher <exe>; sets pid and form
  launch "$1"
  form="$(wait_for_window TarnselForm Tarnsel 30 || true)"
}

# Client coordinates of the centre of the child of class $1 with text $2.
# (Texts go through the environment: awk -v would read backslashes as escapes.)
centre_of() {
  C="$1" T="$2" awk -F'\t' '$2 == ENVIRON["C"] && $3 == ENVIRON["T"] { split($4, b, ","); print int(b[1] + b[3] / 2), int(b[2] + b[4] / 2); exit }' <<<"$form"
}
bounds_of() { C="$1" T="$2" awk -F'\t' '$2 == ENVIRON["C"] && $3 == ENVIRON["T"] { print $4; exit }' <<<"$form"; }
click_at() { xdotool mousemove --window "$(x_window Tarnsel)" $1 $2 click 1 2>/dev/null; }
client_size() { xwininfo -id "$(x_window Tarnsel)" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }

kit="$E2E_WORK/kit"
make_kit "$kit"
before="$(fingerprint "$kit")"
rm -rf "$DESKTOP/viewer" "$DESKTOP/apps"

# --- Collapsed window (no intro page), and widening it.
start_launcher "$kit/viewer.exe"
check "window shown" test -n "$form"
panel2="$(awk -F'\t' '$2 == "TarnselPanel" { print $4 }' <<<"$form" | sort -t, -k4 -n | tail -n 1)"
size="$(client_size)"
check "collapsed: the client area is the setup panel" equals "${size#*x}" "$(cut -d, -f4 <<<"$panel2")"
echo "collapsed client size $size"
screenshot collapsed
edit1_before="$(awk -F'\t' '$2 == "Edit" { e = $4 } END { print e }' <<<"$form")"
abort_before="$(bounds_of Button 中止)"
xdotool windowsize "$(x_window Tarnsel)" $((${size%x*} + 100)) "${size#*x}"
sleep 1
form="$(wait_for_window TarnselForm Tarnsel 10)"
edit1_after="$(awk -F'\t' '$2 == "Edit" { e = $4 } END { print e }' <<<"$form")"
check "widening stretches the destination field by the same amount" equals \
  "$(($(cut -d, -f3 <<<"$edit1_after") - $(cut -d, -f3 <<<"$edit1_before")))" 100
check "the abort button stays put" equals "$(bounds_of Button 中止)" "$abort_before"
screenshot widened

# --- Escape presses nothing; abort copies nothing.
# Keys reach the form once a click has made it active: Escape in the
# destination field, then in the abort button's company.
click_at $(centre_of Edit "$user_desktop")
xdotool key Escape 2>/dev/null
sleep 1
check "Escape leaves the window up" kill -0 "$pid"
# Tab from the destination field reaches the start-file list, then the abort
# button; Enter on a focused button presses that button, not the default one.
xdotool key Tab Tab Return 2>/dev/null
wait_exit "$pid" 20
check "Enter on the focused abort button ends the launcher" equals "$?" 0
check "abort copies nothing" test ! -e "$DESKTOP/viewer"

# --- The setup button.
start_launcher "$kit/viewer.exe"
click_at $(centre_of Button セットアップ開始)
wait_exit "$pid" 60
check "setup ends the launcher" equals "$?" 0
check "folder landed on the desktop" test -f "$DESKTOP/viewer/data/blob.bin"
check "copy is byte for byte" cmp -s "$kit/viewer/data/blob.bin" "$DESKTOP/viewer/data/blob.bin"
copied="$(attrtool dump "$user_desktop\\viewer" | tr -d '\r')"
check "every copied file is archive-only" test -z "$(awk -F'\t' '$1 != "20" && $1 != "10"' <<<"$copied")"
check "the source's Straße_ö.txt stays read-only" eval '! writable "$kit/viewer/Straße_ö.txt"'
check "copy of Straße_ö.txt lost read-only" writable "$DESKTOP/viewer/Straße_ö.txt"
check "copy of 한국어.txt lost read-only" writable "$DESKTOP/viewer/data/한국어.txt"
sleep 1
check "copied program started with the copied start file" equals "$(last_start)" \
  "\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"

# --- An earlier copy present (without its program, so nothing is handed over):
# the shell asks before overwriting.
rm "$DESKTOP/viewer/viewer.exe"
start_launcher "$kit/viewer.exe"
click_at $(centre_of Button セットアップ開始)
confirm="$(wait_for_window '#32770' 'ファイルの上書きの確認' 20 || true)"
check "the shell asks before overwriting an earlier copy" test -n "$confirm"
click_child '#32770' 'ファイルの上書きの確認' Button 'はい(&Y)'
wait_exit "$pid" 60
check "setup over an earlier copy ends the launcher" equals "$?" 0

# --- Enter in an edited destination field.
rm -rf "$DESKTOP/viewer"
start_launcher "$kit/viewer.exe"
click_at $(centre_of Edit "$user_desktop")
xdotool key End 2>/dev/null
xdotool type --delay 20 '\apps' 2>/dev/null
xdotool key Return 2>/dev/null
wait_exit "$pid" 60
check "Enter in the destination field sets up there" test -f "$DESKTOP/apps/viewer/viewer.exe"
sleep 1
check "program started from the edited destination" equals "$(last_start)" \
  "\"$user_desktop\\apps\\viewer\\viewer.exe\" $user_desktop\\apps\\viewer\\startup.txt"

# --- With an intro page the window keeps its designed proportions.
cp "$E2E_ROOT/demo/kit/index.html" "$kit/index.html"
rm -rf "$DESKTOP/viewer"
start_launcher "$kit/viewer.exe"
size="$(client_size)"
echo "full client size $size"
panels="$(awk -F'\t' '$2 == "TarnselPanel" { split($4, b, ","); if (b[1] == 0) s += b[4] } END { print s }' <<<"$form")"
check "full: the pane and the setup panel share the client height" equals "$panels" "${size#*x}"
check "full: width to height as designed (668 x 611)" equals \
  "$(awk -v s="$size" 'BEGIN { split(s, d, "x"); r = d[1] / d[2]; print (r > 1.09 && r < 1.10) ? "yes" : r }')" yes
screenshot full
click_at $(centre_of Button 中止)
wait_exit "$pid" 20
rm -f "$kit/index.html"

check "the source kit is unchanged after every run" equals "$(fingerprint "$kit")" "$before"
rm -rf "$DESKTOP/viewer" "$DESKTOP/apps"
finish
