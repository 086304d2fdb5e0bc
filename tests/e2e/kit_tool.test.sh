#!/usr/bin/env bash
# The kit tool on real kits under Wine: make a kit from the demo kit, check it,
# run the real launcher on it and compare what it started with what the check
# predicted; then the pitfalls' exit codes, make's refusals and a kit left unchanged.
source "$(dirname "$0")/lib.sh"
ensure_display
export LANG=ja_JP.UTF-8

KIT_TOOL="$TOOL_DIR/TarnselKit.exe"
out_file="$E2E_WORK/stdout.txt"
# kit <arguments>: runs the tool; sets `code`, leaves its output in $out_file.
kit() {
  code=0
  timeout 60 "$WINE_EXEC" "$KIT_TOOL" "$@" </dev/null >"$out_file" 2>"$E2E_WORK/stderr.txt" || code=$?
  tr -d '\r' <"$out_file" >"$out_file.tmp" && mv "$out_file.tmp" "$out_file"
}
says() { grep -qF -- "$1" "$out_file" "$E2E_WORK/stderr.txt" || { cat "$out_file" "$E2E_WORK/stderr.txt" >&2; return 1; }; }
field() { sed -n "s/^$1: *//p" "$out_file"; }
# What a folder holds, bytes and names, to show it unchanged.
fingerprint() { (cd "$1" && find . -printf '%p %s %m\n' | sort && find . -type f -exec md5sum {} + | sort); }

rm -rf "$DESKTOP/viewer"
export TARNSEL_PROBE_LOG="$E2E_WORK/probe.log"

# --- make from the demo kit: the application folder with the stand-in program.
app="$E2E_WORK/app"
mkdir -p "$app"
cp -r "$E2E_ROOT/demo/kit/viewer/." "$app/"
cp "$TOOL_DIR/probe.exe" "$app/viewer.exe"
before="$(fingerprint "$app")"
app_at_start="$before"
out="$E2E_WORK/out"
kit make "$(winpath "$app")" viewer "$(winpath "$E2E_WORK")\\out" --intro "$(winpath "$E2E_ROOT/demo/kit/index.html")"
check "make of the demo kit is clean" equals "$code" 0
check "the launcher is shipped under the kit's name" cmp "$TARNSEL_EXE" "$out/viewer.exe"
check "the application folder is copied" cmp "$app/viewer.exe" "$out/viewer/viewer.exe"
check "the intro page is copied" cmp "$E2E_ROOT/demo/kit/index.html" "$out/index.html"
check "the source is unchanged by make" equals "$(fingerprint "$app")" "$before"
check "program predicted" equals "$(field Program)" "viewer.exe"
check "start file predicted" equals "$(field 'Start file')" "startup.txt"
check "intro page predicted" equals "$(field 'Intro page')" "file:///$(winpath "$out")\\index.html"
check "copy counted" equals "$(field Copy)" "2 files, 0 folders, $(( $(stat -c %s "$app/viewer.exe") + $(stat -c %s "$app/startup.txt") )) bytes"
predicted="$(field 'Command line')"
check "result line" says "Result: 0 (clean)"

# --- The launcher on the same kit, with the copy already installed: it starts the
# installed program, whose command line must be the predicted one.
cp -r "$out/viewer" "$DESKTOP/viewer"
run_launcher "$out/viewer.exe"
check "the launcher started what the check predicted" equals "$(last_start)" "$predicted"
rm -rf "$DESKTOP/viewer"

# --- check only reads.
before="$(fingerprint "$out")"
kit check "$(winpath "$out/viewer.exe")"
check "check of the made kit is clean" equals "$code" 0
check "check changes nothing" equals "$(fingerprint "$out")" "$before"

# --- Pitfalls, each with its code.
pit="$E2E_WORK/pit"
cp -r "$out" "$pit"
mkdir "$pit/viewer/tools.exe"
kit check "$(winpath "$pit/viewer.exe")"
check "folder named like a program: error 23" equals "$code" 23
check "the folder is named as listed" says '"[tools.exe]" sorts first'
check "nothing is started" equals "$(field 'Command line')" "(none: nothing is started)"
rmdir "$pit/viewer/tools.exe"

cp "$TOOL_DIR/probe.exe" "$pit/viewer/alpha.exe"
kit check "$(winpath "$pit/viewer.exe")"
check "two programs: warning 11" equals "$code" 11
check "the winner is named" says '"alpha.exe" wins'
check "it is the program" equals "$(field Program)" "alpha.exe"
rm "$pit/viewer/alpha.exe"

attrtool set 22 "$(winpath "$pit/viewer/viewer.exe")"
kit check "$(winpath "$pit/viewer.exe")"
check "only a hidden program: error 22" equals "$code" 22
attrtool set 20 "$(winpath "$pit/viewer/viewer.exe")"

mkdir -p "$pit/viewer/docs"
echo x >"$pit/viewer/docs/한국어.txt"
kit check "$(winpath "$pit/viewer.exe")"
check "a name code page 932 lacks: error 25" equals "$code" 25
check "the name is shown as stored" says 'docs\한국어.txt'
rm -r "$pit/viewer/docs"

mkdir "$pit/viewer/startup"
kit check "$(winpath "$pit/viewer.exe")"
check "a folder matching startup*.*: error 24" equals "$code" 24
check "the listed start file still wins" equals "$(field 'Start file')" "startup.txt"
rmdir "$pit/viewer/startup"

rm "$pit/index.html"
kit check "$(winpath "$pit/viewer.exe")"
check "no intro page: the window collapses" says "(none: the window collapses to the setup panel)"
check "no intro page is no pitfall" equals "$code" 0

# --- Bad input and make's refusals.
kit check "$(winpath "$E2E_WORK")\\none.exe"
check "missing launcher: 2" equals "$code" 2
kit check "$(winpath "$pit/viewer")"
check "a folder named as the launcher: 3" equals "$code" 3
kit make "$(winpath "$app")" viewer "$(winpath "$pit")"
check "non-empty output refused: 5" equals "$code" 5
kit make "$(winpath "$app")" viewer "$(winpath "$app")\\kit"
check "output inside the application refused: 5" equals "$code" 5
check "nothing was made inside the application" test ! -e "$app/kit"
kit make "$(winpath "$app")" 'a:b' "$(winpath "$E2E_WORK")\\out2"
check "invalid kit name: 4" equals "$code" 4
kit
check "no arguments: 1" equals "$code" 1
kit --help
check "help lists the codes" says "27  error"

lonely="$E2E_WORK/lonely"
mkdir -p "$lonely"
cp "$KIT_TOOL" "$lonely/"
code=0
timeout 60 "$WINE_EXEC" "$lonely/TarnselKit.exe" make "$(winpath "$app")" viewer "$(winpath "$E2E_WORK")\\out3" \
  </dev/null >"$out_file" 2>"$E2E_WORK/stderr.txt" || code=$?
check "no Tarnsel.exe beside the tool: 7" equals "$code" 7
check "the source is unchanged after all" equals "$(fingerprint "$app")" "$app_at_start"
finish
