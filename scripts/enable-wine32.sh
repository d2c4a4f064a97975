#!/usr/bin/env bash
# Lets 32-bit Wine run where the kernel refuses 32-bit x86 programs (some virtual
# machines run 64-bit user code only): such programs then run under qemu's user
# mode emulator, through a binfmt_misc handler. Does nothing where 32-bit Wine
# already starts. Needs root; the handler lasts until the next reboot.
#
# The emulator is qemu 10 from bookworm-backports, unpacked into
# /usr/local/lib/lptseg. Bookworm's own qemu 7.2 runs Wine but breaks it as soon
# as a second thread meets an exception or the process's end: Qt's first
# warning (OutputDebugString), a Ctrl+C and ExitProcess beside a console
# handler's thread all die with SIGSEGV or a smashed stack there, in programs
# of a few lines as in lptseg.exe.
set -euo pipefail

wine32=/usr/lib/wine/wine
qemu=/usr/local/lib/lptseg/qemu-i386
binfmt=/proc/sys/fs/binfmt_misc
handler=$binfmt/qemu-i386
[ -x "$wine32" ] || exit 0 # wine32 is not installed: nothing to enable

# A handler that an earlier version of this script left, for qemu 7.2.
if [ -e "$handler" ] && grep -qx 'interpreter /usr/local/bin/qemu-i386-wine' "$handler"; then
  [ "$(id -u)" -ne 0 ] || echo -1 >"$handler"
fi
if "$wine32" --version >/dev/null 2>&1; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: 32-bit programs cannot run here, so the 32-bit Wine tests would fail." >&2
  echo "setup: run this as root to run them under qemu: bash $0" >&2
  exit 1
fi

if [ ! -x "$qemu" ]; then
  echo "setup: 32-bit programs cannot run here; fetching qemu-user from bookworm-backports for them" >&2
  # A private package list: the system's sources and pins stay as they are.
  apt=$(mktemp -d)
  trap 'rm -rf "$apt"' EXIT
  cat >"$apt/backports.sources" <<'SOURCES'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  options=(-q -o "Dir::Etc::SourceList=$apt/backports.sources" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
  mkdir -p "$apt/lists/partial" "$apt/cache"
  apt-get "${options[@]}" update >/dev/null
  (cd "$apt" && apt-get "${options[@]}" download qemu-user/bookworm-backports >/dev/null)
  dpkg-deb -x "$apt"/qemu-user_*.deb "$apt/unpacked"
  install -D -m 755 "$apt/unpacked/usr/bin/qemu-i386" "$qemu"
fi

mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
# 32-bit little-endian ELF executables and shared objects for the i386; F opens
# the emulator now, so the handler works inside a chroot too.
[ -e "$handler" ] ||
  echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    >"$binfmt/register"

"$wine32" --version >/dev/null 2>&1 ||
  { echo "setup: 32-bit Wine still cannot start, even under qemu." >&2; exit 1; }
echo "setup: 32-bit programs now run under qemu ($("$qemu" --version | head -n 1))" >&2
