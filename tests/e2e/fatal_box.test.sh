#!/usr/bin/env bash
# The fatal error box: an intro page whose browser control can't be created ends
# the program before its window shows, with a box naming the error's class, the
# program and the code address where the error was raised, then exit code 1.
source "$(dirname "$0")/lib.sh"
ensure_display

# Reads $3 little-endian bytes at offset $2 of file $1 as a number.
read_le() { od -An -tx1 -j "$2" -N "$3" "$1" | tr -d ' \n' | fold -w2 | tac | tr -d '\n'; }

# The image's preferred base and size, from its PE header (PE32 or PE32+).
image=$(printf '%d' "0x$(read_le "$TARNSEL_EXE" 60 4)")
optional=$((image + 24))
if [ "$(read_le "$TARNSEL_EXE" "$optional" 2)" = "020b" ]; then
  base=$((16#$(read_le "$TARNSEL_EXE" $((optional + 24)) 8)))
else
  base=$((16#$(read_le "$TARNSEL_EXE" $((optional + 28)) 4)))
fi
size=$((16#$(read_le "$TARNSEL_EXE" $((optional + 56)) 4)))

kit="$E2E_WORK/kit"
new_kit "$kit"
echo '<html><body>intro</body></html>' >"$kit/index.html"
# Without the browser library the control can't be created.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;ieframe=d" launch "$kit/viewer.exe"
box="$(wait_for_window '#32770' 'アプリケーション エラー' 30 || true)"
check "fatal box shown" test -n "$box"
text="$(awk -F'\t' '$2 == "Static" && $3 != "" { print $3 }' <<<"$box")"
echo "box: $text"
address="$(sed -nE 's/^EOleSysErrorがモジュール viewer\.exe の ([0-9A-Fa-f]+) で発生しました。.*/\1/p' <<<"$text" | head -n 1)"
check "box names the error's class, the program and an address" test -n "$address"
in_image() { [ $((16#$address)) -ge "$base" ] && [ $((16#$address)) -lt $((base + size)) ]; }
check "the address lies in the program's code, not null" in_image
check "no main window" test -z "$(windows_now | awk -F'\t' '$2 == "TarnselForm"')"
screenshot fatal
send_keys "$(x_window 'アプリケーション エラー')" Return
status=0
wait_exit "$pid" 20 || status=$?
check "the program ends with exit code 1" equals "$status" 1
finish
