#!/usr/bin/env bash
# The program icon: the executable offers the shell one icon, first among its
# resources, with images of 16, 32 and 48 pixels whose corners are transparent.
# (Wine answers a window class's icons only inside the owning process; the Wine
# test ProgramIconTest checks the forms' class icons there.)
source "$(dirname "$0")/lib.sh"
ensure_display

icontool() { wine_exec "$TOOL_DIR/icontool.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
fact() { awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print; exit }' <<<"$2"; }

kit="$E2E_WORK/kit"
rm -rf "$DESKTOP/viewer"
new_kit "$kit"

file="$(icontool file "$(winpath "$kit/viewer.exe")")"
check "the executable offers one icon" equals "$(fact count "$file")" 1
check "its first icon group is the lowest identifier, 16, 32 and 48 pixels" \
  equals "$(fact group "$file")" "1 16 32 48"
check "the shell's large icon: 32 pixels, transparent corner" equals "$(fact large "$file")" "32x32 clear"
check "the shell's small icon: 16 pixels, transparent corner" equals "$(fact small "$file")" "16x16 clear"

finish
