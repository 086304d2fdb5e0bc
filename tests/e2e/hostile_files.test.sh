#!/usr/bin/env bash
# Kits and machines that make file handling hard, under the real program: Shift-JIS
# names whose second byte is a backslash everywhere, a kit of 10,000 files, names
# at and beyond the 260-byte path limit, a launcher stored deeper than that limit,
# and a destination on a drive that is not ready. Each ends the way the launcher
# always ends, or with a clear error box; none crashes or hangs.
source "$(dirname "$0")/lib.sh"
ensure_display

user_desktop='C:\users\'"$(id -un)"'\Desktop'
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"

# Windows attributes set from the Linux side, for paths the ANSI calls can't take:
# read-only is the write bit, hidden and system live in an extended attribute.
mark_hidden() { setfattr -n user.DOSATTRIB -v '"0x2"' "$@"; }

# Every file below Windows folder $1 that carries more than the archive bit.
not_archive_only() { attrtool dump "$1" | tr -d '\r' | awk -F'\t' '$1 != "20" && $1 != "10"'; }

setup_with_button() {  # setup_with_button <launcher> <seconds allowed>
  launch "$1"
  wait_for_window TarnselForm Tarnsel 60 >/dev/null || true
  click_child TarnselForm Tarnsel Button セットアップ開始
  wait_exit "$pid" "$2"
}

# --- Shift-JIS names whose trail byte is 0x5C: the launcher, the kit folder
# (so the installed copy's path ends in such a byte), the program, the start file
# and folders and files at every depth, with read-only, hidden and system bits.
kit="$E2E_WORK/sjis"
name='表ソ'
new_kit "$kit" "$name" 'ソ表.exe'
mkdir -p "$kit/$name/能/十"
echo start >"$kit/$name/startup表.txt"
echo deep >"$kit/$name/能/十/予定表.txt"
echo data >"$kit/$name/能/ソース.dat"
attrtool set 01 "$(winpath "$kit/$name/ソ表.exe")"
attrtool set 07 "$(winpath "$kit/$name/能/十/予定表.txt")"
attrtool set 03 "$(winpath "$kit/$name/能/ソース.dat")"
rm -rf "$DESKTOP/$name"
setup_with_button "$kit/$name.exe" 60
check "Shift-JIS: setup ends the launcher" equals "$?" 0
sleep 1
check "Shift-JIS: the copied program starts with the copied start file" equals "$(last_start)" \
  "\"$user_desktop\\$name\\ソ表.exe\" $user_desktop\\$name\\startup表.txt"
check "Shift-JIS: every copied file is archive-only" \
  test -z "$(not_archive_only "$user_desktop\\$name")"
check "Shift-JIS: the deepest file was copied" test -f "$DESKTOP/$name/能/十/予定表.txt"
# Start-up with the installed copy, after something set its bits again.
attrtool set 07 "$(winpath "$DESKTOP/$name/能/十/予定表.txt")"
rm -f "$TARNSEL_PROBE_LOG"
run_launcher "$kit/$name.exe"
check "Shift-JIS: start-up hands over and ends" equals "$?" 0
sleep 1
check "Shift-JIS: the installed program was started" equals "$(last_start)" \
  "\"$user_desktop\\$name\\ソ表.exe\" $user_desktop\\$name\\startup表.txt"
check "Shift-JIS: start-up resets the installed copy again" \
  test -z "$(not_archive_only "$user_desktop\\$name")"
rm -rf "$DESKTOP/$name"

# --- Names at and beyond the path limit inside the kit: a 255-byte name, and a
# nesting whose copy lies deeper than 260 bytes. The shell copies what it can;
# the launcher ends as always, and the files it can reach are reset.
kit="$E2E_WORK/long"
new_kit "$kit"
echo start >"$kit/viewer/startup.txt"
long_name="$(printf 'n%.0s' $(seq 1 251)).txt"
deep="$kit/viewer/$(printf 'd%.0s' $(seq 1 120))/$(printf 'e%.0s' $(seq 1 120))"
mkdir -p "$deep"
echo a >"$kit/viewer/$long_name"
echo b >"$deep/$long_name"
echo c >"$deep/short.txt"
echo d >"$kit/viewer/reachable.txt"
mark_hidden "$kit/viewer/$long_name" "$deep/$long_name" "$deep/short.txt" "$kit/viewer/reachable.txt"
rm -rf "$DESKTOP/viewer"
setup_with_button "$kit/viewer.exe" 60
check "long names: setup ends the launcher" equals "$?" 0
sleep 1
check "long names: the copied program was started" equals "$(last_start)" \
  "\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"
check "long names: reachable files are archive-only" \
  test -z "$(not_archive_only "$user_desktop\\viewer")"
rm -rf "$DESKTOP/viewer"

# --- A launcher stored deeper than the path limit: the start-up check can't list
# its folder; the error box says so, then the window waits, and abort ends it.
kit="$E2E_WORK/$(printf 'k%.0s' $(seq 1 120))/$(printf 'm%.0s' $(seq 1 120))"
new_kit "$kit"
launch "$kit/viewer.exe"
box="$(wait_for_window '#32770' Tarnsel 30 || true)"
check "deep launcher: the error box names the too-long path" \
  grep -q $'\tStatic\tI/O エラー (206)\t' <<<"$box"
click_child '#32770' Tarnsel Button OK
check "deep launcher: then the window waits" test -n "$(wait_for_window TarnselForm Tarnsel 30 || true)"
click_child TarnselForm Tarnsel Button 中止
wait_exit "$pid" 20
check "deep launcher: abort ends it" equals "$?" 0

# --- A destination on a drive that is not ready (its medium is gone): nothing
# is created or started; the launcher ends.
kit="$E2E_WORK/notready"
new_kit "$kit"
ln -sfn "$E2E_WORK/no-such-medium" "$WINEPREFIX/dosdevices/q:"
rm -f "$TARNSEL_PROBE_LOG"
launch "$kit/viewer.exe"
wait_for_window TarnselForm Tarnsel 30 >/dev/null || true
click_child TarnselForm Tarnsel Edit "$user_desktop"
xdotool key ctrl+a BackSpace 2>/dev/null
xdotool type --delay 20 'Q:\apps' 2>/dev/null
click_child TarnselForm Tarnsel Button セットアップ開始
wait_exit "$pid" 60
check "drive not ready: setup ends the launcher" equals "$?" 0
check "drive not ready: nothing was started" test ! -e "$TARNSEL_PROBE_LOG"
check "drive not ready: nothing was created" test ! -e "$E2E_WORK/no-such-medium"
rm -f "$WINEPREFIX/dosdevices/q:"

# --- A kit of 10,000 files in 100 folders, every tenth hidden, all read-only.
kit="$E2E_WORK/big"
new_kit "$kit"
echo start >"$kit/viewer/startup.txt"
for folder in $(seq -w 1 100); do
  mkdir -p "$kit/viewer/f$folder"
  for file in $(seq -w 1 100); do echo "$folder $file" >"$kit/viewer/f$folder/file$file.txt"; done
done
find "$kit/viewer" -name 'file*0.txt' -exec setfattr -n user.DOSATTRIB -v '"0x2"' {} +
find "$kit/viewer" -name 'file*.txt' -exec chmod a-w {} +
rm -rf "$DESKTOP/viewer"
started=$(date +%s)
setup_with_button "$kit/viewer.exe" 240
check "10,000 files: setup ends the launcher" equals "$?" 0
echo "10,000 files: setup took $(($(date +%s) - started)) s"
check "10,000 files: all were copied" equals \
  "$(find "$DESKTOP/viewer" -name 'file*.txt' | wc -l)" 10000
check "10,000 files: every copied file is archive-only" \
  test -z "$(not_archive_only "$user_desktop\\viewer")"
sleep 1
check "10,000 files: the copied program was started" equals "$(last_start)" \
  "\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"
rm -rf "$DESKTOP/viewer"

finish
