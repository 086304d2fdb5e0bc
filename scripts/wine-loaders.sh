# Sourced by wine-env.sh and scripts/wine-exec: which Wine loader runs which program.
#
# Debian's `wine` command is a script that starts the 32-bit loader whenever Wine's
# 32-bit half is installed, else the 64-bit one. The 32-bit loader hands a 64-bit
# program over to the 64-bit loader through start.exe and ShellExecuteEx, which
# fails for a program path past 260 characters, and its rundll32 is the 32-bit
# one, which loads no 64-bit library. So every program here is started by the
# loader of its own bitness, read from its PE header.

# The loaders of each bitness; empty when that half of Wine is not installed.
wine_loader_path() {  # wine_loader_path 32|64
  local name candidate
  case "$1" in
    32) name=wine ;;
    64) name=wine64 ;;
    *) return 1 ;;
  esac
  for candidate in "/usr/lib/wine/$name" $(dpkg -L "$name" 2>/dev/null | grep "/$name\$" || true); do
    if [ -x "$candidate" ] && [ ! -d "$candidate" ]; then
      printf '%s\n' "$candidate"
      return 0
    fi
  done
  return 1
}

# 32 or 64 for a PE file (program or library), nothing for anything else.
pe_bitness() {
  local file="$1" offset machine
  [ -f "$file" ] || return 1
  [ "$(head -c 2 "$file" 2>/dev/null)" = MZ ] || return 1
  offset="$(od -An -tu4 -j60 -N4 "$file" 2>/dev/null | tr -d ' ')"
  [ -n "$offset" ] || return 1
  [ "$(od -An -c -j"$offset" -N4 "$file" 2>/dev/null | tr -d ' ')" = 'PE\0\0' ] || return 1
  machine="$(od -An -tx2 -j$((offset + 4)) -N2 "$file" 2>/dev/null | tr -d ' ')"
  case "$machine" in
    014c) echo 32 ;;
    8664) echo 64 ;;
    *) return 1 ;;
  esac
}

# The loader for a program: for a Linux path to a PE file, the loader of its
# bitness; for anything else (a Windows path, or a program of Wine's own such as
# cmd), the loader of the bitness that TARNSEL_WINE_BITS names (the program under
# test), else Wine's default. Fails with one line on standard error when that
# bitness cannot run here.
wine_loader_for() {
  local bits loader
  if [ -f "$1" ]; then
    bits="$(pe_bitness "$1")" || { echo "wine: $1 is no Windows program or library" >&2; return 1; }
  elif [ -n "${TARNSEL_WINE_BITS:-}" ]; then
    bits="$TARNSEL_WINE_BITS"
  else
    command -v wine
    return
  fi
  loader="$(wine_loader_path "$bits")" || {
    echo "wine: $1 needs Wine's $bits-bit half, which is not installed" >&2
    return 1
  }
  printf '%s\n' "$loader"
}

# Runs a Windows program (a Linux path to its file) with the loader of its
# bitness (scripts/wine-exec). As a command of its own, "$WINE_EXEC" becomes the
# program's process: for a program started in the background whose process id
# the caller waits on or ends.
WINE_EXEC="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-exec"
wine_exec() { "$WINE_EXEC" "$@"; }

# The Windows form of a Linux path (drive Z: is the Linux root).
winpath() { printf 'Z:%s' "$(readlink -f "$1" | tr / '\\')"; }

# Loads library $1 (a Linux path) through the rundll32 of its bitness and calls
# its entry $2; the remaining arguments go to rundll32.
wine_rundll32() {
  local library="$1" entry="$2" loader
  shift 2
  loader="$(wine_loader_for "$library")" || return 127
  WINELOADER="$loader" "$loader" rundll32 "$(winpath "$library"),$entry" "$@"
}

# True when the kernel runs 32-bit x86 programs: a 93-byte static ELF whose only
# instructions are exit(0). Kernels without 32-bit emulation refuse it ("Exec
# format error"); on those, Wine's 32-bit half must not be installed, since it
# then breaks the `wine` command for 64-bit programs too.
kernel_runs_32bit() {
  local dir status
  dir="$(mktemp -d)"
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$dir/exit32"
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$dir/exit32"
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$dir/exit32"
  printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$dir/exit32"
  printf '\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00' >>"$dir/exit32"
  printf '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >>"$dir/exit32"
  chmod +x "$dir/exit32"
  status=0
  "$dir/exit32" 2>/dev/null || status=$?
  rm -rf "$dir"
  [ "$status" -eq 0 ]
}

# True when 32-bit Windows programs run here: the kernel runs 32-bit programs,
# Wine's 32-bit half is installed and the prefix has its 32-bit system folder.
# Otherwise says on standard error, in one line, why not.
wine32_runs() {
  if ! kernel_runs_32bit; then
    echo "this kernel runs no 32-bit programs (no 32-bit emulation), so Wine has no 32-bit half here" >&2
    return 1
  fi
  if ! wine_loader_path 32 >/dev/null; then
    echo "Wine's 32-bit half (wine32:i386) is not installed" >&2
    return 1
  fi
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/drive_c" ] &&
    [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "the Wine prefix $WINEPREFIX has no 32-bit system folder (it was made before Wine's 32-bit half)" >&2
    return 1
  fi
  return 0
}
