#!/usr/bin/env bash
# The README's two commands on a fresh Debian 12 machine, as a new user would run
# them: makes a new Debian 12 root with debootstrap under build/fresh-machine,
# clones this repository's HEAD into a user's folder there, and runs
# scripts/run-demo.sh and scripts/test-all.sh inside it as that user (who installs
# what is missing through sudo). Prints each command's outcome, its time and the
# last lines of its output; exits non-zero when either fails. Not a test level: it
# downloads a whole system. Needs root (or sudo) for debootstrap, chroot and mounts.
# Usage: scripts/fresh-machine.sh [--mirror URL] [--keep]
#   --keep  leaves the root in place afterwards (it is always made afresh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mirror="http://deb.debian.org/debian"
keep=no
while [ $# -gt 0 ]; do
  case "$1" in
    --mirror) mirror="$2"; shift 2 ;;
    --keep) keep=yes; shift ;;
    *) echo "usage: scripts/fresh-machine.sh [--mirror URL] [--keep]" >&2; exit 1 ;;
  esac
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "fresh-machine: needs root or sudo" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
if ! command -v debootstrap >/dev/null; then
  echo "fresh-machine: installing debootstrap"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    debootstrap >/dev/null || { echo "fresh-machine: debootstrap could not be installed" >&2; exit 1; }
fi

work="$root/build/fresh-machine"
target="$work/root"
user=tester
# A clone in a folder deeper than a short one, as users keep them: the tests must
# pass wherever the clone lies.
clone_dir="/home/$user/projects/windows-launchers-and-installers/tarnsel-from-a-clean-clone"
logs="$work/logs"

mounted=()
unmount_all() {
  local i
  # Whatever the commands left running in the root (Wine's server, Xvfb) ends first.
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$target" ]; then
      "${sudo_cmd[@]}" kill -9 "$pid" 2>/dev/null || true
    fi
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    "${sudo_cmd[@]}" umount -l "${mounted[$i]}" 2>/dev/null || true
  done
  mounted=()
}
trap unmount_all EXIT
trap "exit 130" INT TERM
mount_into() {  # mount_into <mount arguments...> <mount point below the root>
  local point="$target${*: -1}"
  "${sudo_cmd[@]}" mkdir -p "$point"
  "${sudo_cmd[@]}" mount "${@:1:$#-1}" "$point"
  mounted+=("$point")
}

if [ -d "$target" ]; then
  unmount_all
  "${sudo_cmd[@]}" rm -rf --one-file-system "$target"
fi
mkdir -p "$work" "$logs"
rm -f "$logs"/*

echo "fresh-machine: making a Debian 12 root in $target (from $mirror)"
started=$(date +%s)
if ! "${sudo_cmd[@]}" debootstrap --include=sudo,git,ca-certificates bookworm "$target" "$mirror" \
  >"$logs/debootstrap.log" 2>&1; then
  tail -n 20 "$logs/debootstrap.log" >&2
  echo "fresh-machine: debootstrap failed (its last lines above; whole log $logs/debootstrap.log)" >&2
  exit 1
fi
echo "fresh-machine: root made in $(($(date +%s) - started)) s"

# What a Debian 12 machine has besides its packages: the security and update
# suites, a name server, and a user who may use sudo.
"${sudo_cmd[@]}" tee "$target/etc/apt/sources.list" >/dev/null <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
"${sudo_cmd[@]}" cp /etc/resolv.conf "$target/etc/resolv.conf"
"${sudo_cmd[@]}" chroot "$target" useradd -m -s /bin/bash "$user"
echo "$user ALL=(ALL) NOPASSWD: ALL" | "${sudo_cmd[@]}" tee "$target/etc/sudoers.d/$user" >/dev/null
"${sudo_cmd[@]}" chmod 0440 "$target/etc/sudoers.d/$user"

mount_into -t proc proc /proc
mount_into -t sysfs sys /sys
mount_into --bind /dev /dev
mount_into --bind /dev/pts /dev/pts
mount_into -t tmpfs tmpfs /dev/shm
# Xvfb's sockets: the commands start their own hidden display inside the root.
mount_into -t tmpfs -o mode=1777 tmpfs /tmp

# The clone, as the user makes it: the committed HEAD of this repository.
"${sudo_cmd[@]}" git clone -q --no-hardlinks "$root" "$target$clone_dir"
"${sudo_cmd[@]}" chroot "$target" chown -R "$user:$user" "/home/$user"
echo "fresh-machine: cloned $(git -C "$root" rev-parse --short HEAD) into $clone_dir"

overall=0
results=()
# Runs one of the README's commands in the clone as the user, without a display.
run_command() {
  local command="$1" log="$logs/$(basename "$1" .sh).log" start status=0 seconds
  echo "fresh-machine: running $command"
  start=$(date +%s)
  "${sudo_cmd[@]}" chroot "$target" /usr/bin/env -i HOME="/home/$user" TERM=dumb \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin \
    su - "$user" -c "cd '$clone_dir' && unset DISPLAY && $command" </dev/null >"$log" 2>&1 || status=$?
  seconds=$(($(date +%s) - start))
  echo "--- last lines of $command ($log)"
  tail -n 25 "$log"
  if [ "$status" -eq 0 ]; then
    results+=("$(printf '%-22s passed in %4d s' "$command" "$seconds")")
  else
    results+=("$(printf '%-22s FAILED (exit %d) after %4d s' "$command" "$status" "$seconds")")
    overall=1
  fi
}
run_command scripts/run-demo.sh
run_command scripts/test-all.sh

unmount_all
if [ "$keep" = no ]; then "${sudo_cmd[@]}" rm -rf --one-file-system "$target"; fi
echo
echo "== on a fresh Debian 12 root ($(uname -m), kernel $(uname -r)) =="
printf '%s\n' "${results[@]}"
exit "$overall"
