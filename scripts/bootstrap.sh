#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the launcher.
# Idempotent: packages already present are not fetched again.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-format clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  wine wine64
  xvfb xauth xdotool x11-utils imagemagick
  fonts-ipafont-gothic fontconfig locales attr jq
  nsis
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# kernel_runs_32bit
source "$(dirname "$0")/wine-loaders.sh"

# Wine's 32-bit half runs the shipped 32-bit program and the peer installer of
# the benchmark report; only where the kernel can run 32-bit programs, since on
# other kernels it breaks the `wine` command for 64-bit programs as well.
# TARNSEL_WINE32=off keeps Wine to its 64-bit half where 32-bit programs could
# run, to try the set-up of kernels that run none.
if [ "${TARNSEL_WINE32:-}" != off ] && kernel_runs_32bit; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "bootstrap: adding the i386 architecture for 32-bit Wine"
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  packages+=(wine32:i386)
  echo "bootstrap: this kernel runs 32-bit programs: Wine with its 32-bit and 64-bit halves"
else
  if [ "${TARNSEL_WINE32:-}" = off ]; then
    echo "bootstrap: TARNSEL_WINE32=off: Wine's 64-bit half only (32-bit programs are built, not run)"
  else
    echo "bootstrap: this kernel runs no 32-bit programs: Wine's 64-bit half only (32-bit programs are built, not run)"
  fi
  if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    echo "bootstrap: wine32:i386 is installed, but Wine is to run with its 64-bit half only;" \
      "remove it (apt-get remove wine32:i386): on a kernel without 32-bit programs it stops Wine altogether" >&2
    exit 1
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ ${#sudo_cmd[@]} -gt 0 ] && ! command -v sudo >/dev/null 2>&1; then
    echo "bootstrap: missing ${missing[*]}, and sudo is not installed to install them; run this as root" >&2
    exit 1
  fi
  echo "bootstrap: installing ${missing[*]}"
  if ! "${sudo_cmd[@]}" apt-get update -qq; then
    echo "bootstrap: apt-get update failed (see above); the packages' lists could not be read" >&2
    exit 1
  fi
  log="$(mktemp)"
  if ! DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    rm -f "$log"
    echo "bootstrap: apt-get could not install ${missing[*]} (its last lines above)" >&2
    exit 1
  fi
  rm -f "$log"
fi

# Wine takes its ANSI code page from LANG: ja_JP.UTF-8 must exist for code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "bootstrap: generating ja_JP.UTF-8"
  "${sudo_cmd[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
