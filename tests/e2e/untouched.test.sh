#!/usr/bin/env bash
# Nothing but the installed copy changes. After every way the launcher can be
# used (abort, the folder picker, setup, start-up with an installed copy, setup
# over an earlier copy) the kit on the medium, the rest of the desktop, and the
# folder that links in the kit and in the copy lead to are as they were, byte
# for byte and attribute for attribute.
source "$(dirname "$0")/lib.sh"
ensure_display

user_desktop='C:\users\'"$(id -un)"'\Desktop'
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"
kit="$E2E_WORK/kit"
outside="$E2E_WORK/outside"
bystander="$DESKTOP/bystander"
rm -rf "$DESKTOP/viewer" "$bystander"

# The kit: a program and files with read-only, hidden and system bits, and links
# from inside the kit to a folder and a file that are not part of it.
new_kit "$kit"
mkdir -p "$kit/viewer/data" "$outside/deep" "$bystander"
echo start >"$kit/viewer/startup.txt"
head -c 50000 /dev/urandom >"$kit/viewer/data/blob.bin"
echo settings >"$kit/viewer/data/system.dat"
echo secret >"$outside/secret.txt"
echo deeper >"$outside/deep/note.txt"
echo mine >"$bystander/keep.txt"
ln -s "$outside" "$kit/viewer/data/linked-folder"
ln -s "$outside/secret.txt" "$kit/viewer/linked-file.txt"
attrtool set 01 "$(winpath "$kit/viewer/viewer.exe")"
attrtool set 01 "$(winpath "$kit/viewer/startup.txt")"
attrtool set 03 "$(winpath "$kit/viewer/data/blob.bin")"
attrtool set 06 "$(winpath "$kit/viewer/data/system.dat")"
attrtool set 07 "$(winpath "$outside/secret.txt")"
attrtool set 02 "$(winpath "$outside/deep/note.txt")"
attrtool set 05 "$(winpath "$bystander/keep.txt")"

kit_state="$(tree_state "$kit")"
outside_state="$(tree_state "$outside")"
desktop_state="$(tree_state "$DESKTOP" viewer)"
check "the states see read-only, hidden and system" grep -q $'secret.txt\tfile .*\t444\t0x6$' \
  <<<"$outside_state"

# Checks that nothing but the copy on the desktop changed during scenario $1.
nothing_else_changed() {
  check "$1: the kit is unchanged" same_state "$(tree_state "$kit")" "$kit_state"
  check "$1: the linked folder is unchanged" same_state "$(tree_state "$outside")" "$outside_state"
  check "$1: the rest of the desktop is unchanged" same_state "$(tree_state "$DESKTOP" viewer)" \
    "$desktop_state"
}

# Starts the launcher from the linked folder (its current directory is where the
# folder picker opens) and waits for its window.
start_launcher() {
  cd "$outside"
  launch "$kit/viewer.exe"
  cd - >/dev/null
  check "$1: window shown" test -n "$(wait_for_window TarnselForm Tarnsel 30 || true)"
}

# --- Abort.
start_launcher abort
click_child TarnselForm Tarnsel Button 中止
wait_exit "$pid" 20
check "abort: nothing installed" test ! -e "$DESKTOP/viewer"
nothing_else_changed abort

# --- The folder picker, opened at the linked folder, OK, then abort.
start_launcher picker
browse
check "picker: shown" test -n "$(block_of Form2)"
click_child TarnselForm Form2 Button OK
sleep 1
click_child TarnselForm Tarnsel Button 中止
wait_exit "$pid" 20
check "picker: nothing installed" test ! -e "$DESKTOP/viewer"
nothing_else_changed picker

# --- Setup.
start_launcher setup
click_child TarnselForm Tarnsel Button セットアップ開始
wait_exit "$pid" 60
check "setup: the copy is on the desktop" test -f "$DESKTOP/viewer/data/blob.bin"
sleep 1
check "setup: the copied program was started" equals "$(last_start)" \
  "\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"
nothing_else_changed setup

# --- Start-up with the installed copy, which now holds links out of itself.
ln -s "$outside" "$DESKTOP/viewer/back-out"
ln -s "$outside/deep/note.txt" "$DESKTOP/viewer/note-link.txt"
rm -f "$TARNSEL_PROBE_LOG"
run_launcher "$kit/viewer.exe"
check "start-up: hands over to the installed copy and ends" equals "$?" 0
sleep 1
check "start-up: the installed program was started" test -s "$TARNSEL_PROBE_LOG"
nothing_else_changed start-up

# --- Setup over the earlier copy (its program gone, so nothing is handed over).
rm "$DESKTOP/viewer/viewer.exe"
start_launcher "setup over an earlier copy"
click_child TarnselForm Tarnsel Button セットアップ開始
check "setup over an earlier copy: the shell asks" \
  test -n "$(wait_for_window '#32770' 'ファイルの上書きの確認' 20 || true)"
click_child '#32770' 'ファイルの上書きの確認' Button 'はい(&Y)'
wait_exit "$pid" 60
check "setup over an earlier copy: the program is back" test -f "$DESKTOP/viewer/viewer.exe"
nothing_else_changed "setup over an earlier copy"

rm -rf "$DESKTOP/viewer" "$bystander"
finish
