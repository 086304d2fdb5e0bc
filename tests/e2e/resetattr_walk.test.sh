#!/usr/bin/env bash
# The real launcher, renamed after a kit, resets attributes in the installed copy
# on the Wine desktop: every file archive-only, folders untouched, and nothing
# reached through a link out of the copy or back into it is changed.
source "$(dirname "$0")/lib.sh"

kit="$E2E_WORK/kit"
outside="$E2E_WORK/outside"
copy="$DESKTOP/viewer"
rm -rf "$copy"
mkdir -p "$outside" "$copy/sub/deeper" "$copy/hid" "$copy/empty"
new_kit "$kit"
echo start >"$kit/viewer/startup.txt"
cp "$TOOL_DIR/probe.exe" "$copy/viewer.exe"
echo start >"$copy/startup.txt"
echo x >"$copy/sub/deeper/deep.dat"
echo x >"$copy/hid/inner.txt"
echo x >"$copy/old.txt"
echo x >"$outside/system.ini"
ln -s "$outside" "$copy/windows"
ln -s "$copy" "$copy/sub/again"
ln -s "$outside/system.ini" "$copy/sub/system.ini"

wcopy='C:\users\'"$(id -un)"'\Desktop\viewer'
attrtool set 01 "$wcopy\\viewer.exe"
attrtool set 06 "$wcopy\\startup.txt"
attrtool set 07 "$wcopy\\sub\\deeper\\deep.dat"
attrtool set 12 "$wcopy\\hid"
attrtool set 03 "$wcopy\\hid\\inner.txt"
attrtool set 02 "$wcopy\\old.txt"
attrtool age 1975 "$wcopy\\old.txt"
attrtool set 06 "$(winpath "$outside/system.ini")"

# A file deeper than a path may reach: skipped, never a crash.
long="$copy/long"
for i in 1 2 3 4 5; do long="$long/$(printf 'n%.0s' $(seq 1 60))"; done
mkdir -p "$long"
echo x >"$long/far.txt"
setfattr -n user.DOSATTRIB -v 0x307832 "$long/far.txt"  # the text "0x2": hidden

start=$(date +%s.%N)
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"
status=0
run_launcher "$kit/viewer.exe" || status=$?
echo "launcher run took $(awk -v a="$start" -v b="$(date +%s.%N)" "BEGIN { printf \"%.2f\", b - a }") s"

check "launcher hands over and exits on its own" equals "$status" 0
check "installed program started with its start file" equals \
  "$(tr -d '\r' <"$E2E_WORK/probe.log")" "\"$wcopy\\viewer.exe\" $wcopy\\startup.txt"
dump="$(attrtool dump "$wcopy" | tr -d '\r' | sort -k2)"
echo "$dump"
attr_of() { awk -F'\t' -v p="$1" '$2 == p { print $1 }' <<<"$dump"; }
check "read-only program reset" equals "$(attr_of viewer.exe)" 20
check "hidden system start file reset" equals "$(attr_of startup.txt)" 20
check "deep file reset" equals "$(attr_of 'sub\deeper\deep.dat')" 20
check "file in hidden folder reset" equals "$(attr_of 'hid\inner.txt')" 20
check "hidden folder keeps its attributes" equals "$(attr_of hid)" 12
check "file without a DOS time keeps hidden" equals "$(attr_of old.txt)" 22
check "file beyond the path limit untouched" equals "$(getfattr --only-values -n user.DOSATTRIB "$long/far.txt")" 0x2
outside_attr="$(attrtool dump "$(winpath "$E2E_WORK")" | tr -d '\r' | awk -F'\t' '$2 == "outside\\system.ini" { print $1 }')"
check "file outside reached by links untouched" equals "$outside_attr" 26

rm -rf "$copy"
finish
