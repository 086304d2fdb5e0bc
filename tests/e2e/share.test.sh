#!/usr/bin/env bash
# A kit on a file server, started as Explorer starts it: by its network path, with
# the share's folder as the current directory. No fatal box: the main window lists
# the source on the share, the picker opens at the system drive's root, and the
# setup copies from the share and starts the copy.
source "$(dirname "$0")/lib.sh"
ensure_display

export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"
user_desktop='C:\users\'"$(id -un)"'\Desktop'

text_of() {  # text_of <block> <class> <n>: the n-th child of that class
  C="$2" N="$3" awk -F'\t' '$2 == ENVIRON["C"] { i++; if (i == ENVIRON["N"]) print $3 }' <<<"$1"
}
fatal_box() { windows_now | awk -F'\t' '$3 == "アプリケーション エラー"'; }
error_box() { windows_now | awk -F'\t' '$2 == "#32770" && $3 == "Tarnsel"'; }

# Wine serves \\server\share from this folder.
share="$WINEPREFIX/dosdevices/unc/server/share"
rm -rf "$share" "$DESKTOP/viewer"
new_kit "$share/kit"
echo start >"$share/kit/viewer/startup.txt"

# --- Started from the share, the share's folder current.
launch cmd /c 'cd /d \\server\share\kit && viewer.exe'
main="$(wait_for_window TarnselForm Tarnsel 30 || true)"
check "main window shown" test -n "$main"
check "no fatal box" test -z "$(fatal_box)"
if [ -n "$(fatal_box)" ]; then  # the program waits in the box: end it, the rest can't run
  click_child '#32770' 'アプリケーション エラー' Button OK
  finish
fi
check "no error box" test -z "$(error_box)"
check "source field shows the folder on the share" equals "$(text_of "$main" Edit 1)" \
  '\\server\share\kit\viewer'
check "program listed from the share" equals "$(text_of "$main" ListBox 1)" "viewer.exe"
check "start file listed from the share" equals "$(text_of "$main" ListBox 2)" "startup.txt"
screenshot started-from-share

# --- The picker opens at the root of the system's drive.
browse
picker="$(block_of Form2)"
check "picker shown" test -n "$picker"
check "picker's path is the system drive's root" equals "$(text_of "$picker" Edit 1)" 'c:\'
click_child TarnselForm Form2 Button 中止
sleep 0.5

# --- Setup copies from the share and starts the copy.
main="$(block_of Tarnsel)"
read -r x y < <(awk -F'\t' '$2 == "Button" && $3 == "セットアップ開始" {
  split($4, b, ","); print int(b[1] + b[3] / 2), int(b[2] + b[4] / 2); exit }' <<<"$main")
xdotool mousemove --window "$(x_window Tarnsel)" "$x" "$y" click 1 2>/dev/null
for _ in $(seq 1 100); do [ -s "$TARNSEL_PROBE_LOG" ] && break; sleep 0.2; done
check "copy on the desktop" test -f "$DESKTOP/viewer/viewer.exe"
check "copied program started with the copied start file" equals "$(last_start)" \
  "\"$user_desktop\\viewer\\viewer.exe\" $user_desktop\\viewer\\startup.txt"
for _ in $(seq 1 50); do [ -z "$(windows_now | awk -F'\t' '$3 == "Tarnsel"')" ] && break; sleep 0.2; done
check "launcher ended" test -z "$(windows_now | awk -F'\t' '$3 == "Tarnsel"')"

rm -rf "$share"
finish
