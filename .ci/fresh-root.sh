#!/usr/bin/env bash
# CI: what a new user does on a new Debian 12 machine. A minimal Debian 12
# root is made from the archive (debootstrap, variant minbase), a clean clone
# of this repository is put in it, and there, as root, exactly the README's
# commands run: `make run ARGS=--version`, then `make test` with every test,
# then the package checks. Only /proc, /sys, /dev, /dev/pts and /dev/shm are
# mounted into it, in a mount namespace of its own that goes when this script
# ends; nothing installed on this machine is seen inside. Each step's time is
# printed for the README.
#   .ci/fresh-root.sh [ROOT]    (default /var/tmp/lptseg-fresh-root, made anew)
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
root=${1:-/var/tmp/lptseg-fresh-root}
suite=bookworm
mirror=${LPTSEG_MIRROR:-http://deb.debian.org/debian}

fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "making a Debian root needs root"
started=$SECONDS
step_start=$SECONDS
timed() { echo "TIME: $1: $((SECONDS - step_start)) s"; step_start=$SECONDS; }

if ! command -v debootstrap >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends debootstrap ||
    { apt-get update -q && apt-get install -y --no-install-recommends debootstrap; }
fi

# A root left by an earlier run may still have something mounted in it.
if [ -d "$root" ]; then
  { grep -o " $root/[^ ]*" /proc/mounts || true; } | sort -r | xargs -r -n1 umount -l
  rm -rf --one-file-system "$root"
fi

echo "== a new Debian 12 root ($suite, minbase) in $root =="
debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
  { tail -n 30 "$root.debootstrap.log"; fail "debootstrap failed"; }
rm -f "$root.debootstrap.log"
# The archive as this machine reaches it, with its updates and security
# suites, as a new machine here is set up; and a name server.
rm -f "$root/etc/apt/sources.list"
cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null || true
[ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$root/etc/apt/"
for conf in /etc/apt/apt.conf.d/*; do
  # Only settings of how the archive is reached, not what is installed.
  grep -qE '^Acquire::' "$conf" && cp "$conf" "$root/etc/apt/apt.conf.d/"
done
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
timed "debootstrap"

echo "== a clean clone of $(git -C "$source_dir" rev-parse --short HEAD) =="
git clone -q --no-hardlinks "$source_dir" "$root/root/lptseg"

# Runs a command in the root, as root, with a new login's environment.
in_root() {
  env -i HOME=/root TERM=dumb LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    chroot "$root" /bin/bash -c "cd /root/lptseg && $1"
}
export -f in_root
export root

# The mounts live in a namespace of this script's own: they go when it ends,
# however it ends.
unshare --mount --propagation private -- bash -euo pipefail -c '
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
  mount --bind "$root/dev/pts/ptmx" "$root/dev/ptmx"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"

  step_start=$SECONDS
  timed() { echo "TIME: $1: $((SECONDS - step_start)) s"; step_start=$SECONDS; }

  echo "== the README: what a new machine needs first =="
  in_root "apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends make >/dev/null"
  timed "apt-get install make"

  echo "== make run ARGS=--version =="
  out=$(in_root "make run CMAKE_ARGS=-DLPTSEG_WERROR=ON ARGS=--version") || { echo "$out"; exit 1; }
  grep -q "^lptseg-sim [0-9]" <<<"$out" || { echo "$out"; echo "FAIL: make run did not start lptseg-sim" >&2; exit 1; }
  [ -x "$root/root/lptseg/build/app/lptseg" ] && [ ! -e "$root/root/lptseg/build/tests" ] ||
    { echo "FAIL: make run built more than lptseg and lptseg-sim" >&2; exit 1; }
  timed "make run"

  echo "== make test =="
  in_root "make test CMAKE_ARGS=-DLPTSEG_WERROR=ON"
  timed "make test"

  echo "== the Debian package =="
  in_root "bash .ci/package.sh"
  timed "package"
'
echo "TIME: the whole fresh root: $((SECONDS - started)) s"
rm -rf --one-file-system "$root"
