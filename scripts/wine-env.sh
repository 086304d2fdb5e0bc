# Sourced by the run and test scripts: a private Wine prefix, code page 932 and a
# display. Defines ensure_wine_prefix, ensure_display, wine_server_up, wine_server_down
# and remove_installed_copy.

TARNSEL_ROOT="${TARNSEL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
TARNSEL_WINE_DIR="${TARNSEL_WINE_DIR:-$TARNSEL_ROOT/build/wine}"

export WINEARCH=win64
export WINEDEBUG=-all
# No Mono installer: the launcher has no managed code. The HTML engine stays on,
# since the browser control needs it to navigate at all.
export WINEDLLOVERRIDES="mscoree="
export LANG="${TARNSEL_LANG:-ja_JP.UTF-8}"
export HOME="$TARNSEL_WINE_DIR/home"
export WINEPREFIX="$TARNSEL_WINE_DIR/prefix"

# wine_exec, wine_rundll32, wine32_runs: each program by the loader of its bitness.
source "$TARNSEL_ROOT/scripts/wine-loaders.sh"

# True when Wine's 32-bit half is installed, so 32-bit Windows programs run.
wine32_present() { wine_loader_path 32 >/dev/null; }

# Builds the template prefix once, then (re)creates $WINEPREFIX from it when missing.
# A prefix made before Wine's 32-bit half was installed has an empty syswow64 and
# then runs no program at all: such prefixes are made again.
ensure_wine_prefix() {
  local template="$TARNSEL_WINE_DIR/template"
  if wine32_present; then
    if [ ! -f "$template/drive_c/windows/syswow64/kernel32.dll" ]; then
      rm -f "$template/.tarnsel-ready"
    fi
    if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
      rm -f "$WINEPREFIX/.tarnsel-ready"
    fi
  fi
  if [ ! -f "$template/.tarnsel-ready" ]; then
    rm -rf "$template" "$HOME"
    # The desktop folder must exist before wineboot, or Wine links it to $HOME itself.
    mkdir -p "$HOME/Desktop"
    echo "wine: creating prefix (about 15 s)" >&2
    WINEPREFIX="$template" wineboot -i >/dev/null 2>&1 </dev/null
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v 'ＭＳ Ｐゴシック' /t REG_SZ /d 'IPA Pゴシック' /f >/dev/null 2>&1 </dev/null
    # Dot-files are no hidden files on Windows.
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /t REG_SZ /d Y /f \
      >/dev/null 2>&1 </dev/null
    WINEPREFIX="$template" wineserver -w
    if [ ! -f "$template/drive_c/windows/system32/kernel32.dll" ] ||
      { wine32_present && [ ! -f "$template/drive_c/windows/syswow64/kernel32.dll" ]; }; then
      echo "wine: making the prefix in $template failed (wineboot left no system folder)" >&2
      return 1
    fi
    touch "$template/.tarnsel-ready"
  fi
  if [ ! -f "$WINEPREFIX/.tarnsel-ready" ]; then
    rm -rf "$WINEPREFIX"
    cp -a "$template" "$WINEPREFIX"
  fi
}

# A fresh prefix copied from the template, for a test that wants its own.
fresh_wine_prefix() {
  local dir="$1"
  ensure_wine_prefix
  rm -rf "$dir"
  cp -a "$TARNSEL_WINE_DIR/template" "$dir"
}

# A hidden Xvfb display of its own when none is set. A number whose server will
# not start (taken by a server this folder can't see, such as one in another root
# that shares the abstract socket namespace) is passed over.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n i
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      TARNSEL_XVFB_PID=$!
      for i in $(seq 1 50); do
        if [ -e "/tmp/.X11-unix/X$n" ]; then
          export DISPLAY=":$n"
          return 0
        fi
        kill -0 "$TARNSEL_XVFB_PID" 2>/dev/null || break
        sleep 0.1
      done
      kill "$TARNSEL_XVFB_PID" 2>/dev/null || true
      wait "$TARNSEL_XVFB_PID" 2>/dev/null || true
      unset TARNSEL_XVFB_PID
    fi
  done
  echo "wine: no Xvfb display could be started on :91 to :120" >&2
  return 1
}

stop_display() {
  if [ -n "${TARNSEL_XVFB_PID:-}" ]; then
    kill "$TARNSEL_XVFB_PID" 2>/dev/null || true
    wait "$TARNSEL_XVFB_PID" 2>/dev/null || true
    unset TARNSEL_XVFB_PID DISPLAY
  fi
}

# A kept, warmed-up server: Wine's services otherwise inherit the callers' output
# pipes and each start costs seconds.
wine_server_up() {
  wineserver -p 2>/dev/null || true  # already running: keep that one
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
}

wine_server_down() {
  wineserver -k 2>/dev/null || true
}

# Removes the copy named $1 that a run installed on the Wine desktop, but only
# where the desktop is the project's own (under build/); elsewhere it refuses.
remove_installed_copy() {
  local copy="$HOME/Desktop/$1"
  [ -e "$copy" ] || return 0
  case "$(readlink -f "$HOME/Desktop")/" in
    "$TARNSEL_ROOT/build/"*) rm -rf "$copy" ;;
    *)
      echo "$copy is left from an earlier run and lies outside $TARNSEL_ROOT/build;" \
        "remove it yourself to start from a clean state" >&2
      return 1
      ;;
  esac
}
