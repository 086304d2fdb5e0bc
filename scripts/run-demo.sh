#!/usr/bin/env bash
# Builds everything and runs the launcher on the demo kit under Wine (on Xvfb
# when there is no display). Usage: scripts/run-demo.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh"
cd "$root"
cmake --preset win64 >/dev/null
cmake --build --preset win64

kit="$root/build/demo"
rm -rf "$kit"
mkdir -p "$kit"
cp -r "$root/demo/kit/." "$kit/"
cp "$root/build/win64/Tarnsel.exe" "$kit/viewer.exe"
cp "$root/build/win64/probe.exe" "$kit/viewer/viewer.exe"

source "$root/scripts/wine-env.sh"
ensure_wine_prefix
ensure_display
trap stop_display EXIT
echo "running $kit/viewer.exe (desktop: $HOME/Desktop)"
wine "$kit/viewer.exe" </dev/null
echo "launcher ended with exit code $?"
if [ -f "$HOME/Desktop/viewer/viewer.exe.log" ]; then
  echo "installed program was started with: $(tail -n 1 "$HOME/Desktop/viewer/viewer.exe.log")"
fi
