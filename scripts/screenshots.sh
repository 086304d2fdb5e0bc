#!/usr/bin/env bash
# Makes the README's pictures from a real run under Wine on a hidden Xvfb display:
# the main window without and with the intro page, and the folder picker open on
# its tree. Each is cut to its window and written as a small PNG to docs/images/.
# Usage: scripts/screenshots.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source "$root/scripts/cmake-presets.sh"
configure_preset win64
cmake --build --preset win64 --target Tarnsel probe wintext

work="$root/build/screenshots"
images="$root/docs/images"
export E2E_WORK="$work/run"
unset DISPLAY  # always the hidden display: a desktop's own windows stay out of the pictures
# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh" "$root/build/win64/Tarnsel.exe" "$root/build/win64"
ensure_display
# The kit lies on drive D:, as on a medium.
medium="$work/medium"
trap 'end_launched; rm -f "$WINEPREFIX/dosdevices/d:"; wine_server_down; stop_display' EXIT
wine_server_up
remove_installed_copy viewer

rm -rf "$medium"
new_kit "$medium"
cp "$root/demo/kit/viewer/startup.txt" "$medium/viewer/"
ln -sfn "$medium" "$WINEPREFIX/dosdevices/d:"
mkdir -p "$images"

# Writes the visible window titled $1 to docs/images/$2.png as a palette PNG.
picture() {
  local raw="$E2E_WORK/$2.png"
  window_screenshot "$1" "$raw"
  convert "$raw" -strip -define png:compression-level=9 "PNG8:$images/$2.png"
  echo "screenshots: $images/$2.png ($(identify -format '%wx%h' "$images/$2.png"), $(stat -c %s "$images/$2.png") bytes)"
}

# Starts the launcher from D:\ with the user's folder as the current directory
# (where the picker opens); waits for its window.
start_launcher() {
  cd "$WINEPREFIX/drive_c/users/$(id -un)"
  launch 'D:\viewer.exe'
  cd "$root"
  [ -n "$(block_of Tarnsel)" ] || { echo "screenshots: the launcher showed no window" >&2; exit 1; }
  sleep 1  # the lists and the intro pane finish drawing
}
close_launcher() {
  click_child TarnselForm Tarnsel Button 中止
  for _ in $(seq 1 100); do
    [ -z "$(windows_now | awk -F'\t' '$1 != "" && $2 == "TarnselForm"')" ] && return 0
    sleep 0.2
  done
  echo "screenshots: the launcher did not close" >&2
  exit 1
}

start_launcher
picture Tarnsel main-window

# The picker on its tree: from the path field back into the tree, "+" opens the
# start-up folder's branch.
browse
picker="$(block_of Form2)"
[ -n "$picker" ] || { echo "screenshots: the picker did not open" >&2; exit 1; }
start_text="$(awk -F'\t' '$2 == "Edit" { print $3; exit }' <<<"$picker")"
click_child TarnselForm Form2 Edit "$start_text"
xdotool key shift+Tab plus 2>/dev/null
sleep 1
picture Form2 picker
click_child TarnselForm Form2 Button 中止
sleep 1
close_launcher

cp "$root/demo/kit/index.html" "$medium/"
start_launcher
picture Tarnsel main-window-intro
close_launcher
