#!/usr/bin/env bash
# Lets 32-bit Wine run where the kernel refuses 32-bit x86 programs (some virtual
# machines run 64-bit user code only): such programs then run under qemu's user
# mode emulator, through a binfmt_misc handler. Does nothing where 32-bit Wine
# already starts. Needs root; the handler lasts until the next reboot.
set -euo pipefail

wine32=/usr/lib/wine/wine
[ -x "$wine32" ] || exit 0 # wine32 is not installed: nothing to enable
if "$wine32" --version >/dev/null 2>&1; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: 32-bit programs cannot run here, so the 32-bit Wine tests would fail." >&2
  echo "setup: run this as root to run them under qemu: bash $0" >&2
  exit 1
fi

if ! command -v qemu-i386-static >/dev/null 2>&1; then
  echo "setup: 32-bit programs cannot run here; installing qemu-user-static for them" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends qemu-user-static ||
    { apt-get update -q && apt-get install -y --no-install-recommends qemu-user-static; }
fi

# qemu's default 4 GiB guest space makes 32-bit Wine probe the upper half of it
# page by page, about a minute for every process; a guest space that ends just
# above 2 GiB starts it in seconds.
wrapper=/usr/local/bin/qemu-i386-wine
cat >"$wrapper" <<'WRAPPER'
#!/bin/sh
QEMU_RESERVED_VA="${QEMU_RESERVED_VA:-0x81000000}" exec /usr/bin/qemu-i386-static "$@"
WRAPPER
chmod 755 "$wrapper"

binfmt=/proc/sys/fs/binfmt_misc
mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
# 32-bit little-endian ELF executables and shared objects for the i386.
[ -e "$binfmt/qemu-i386" ] ||
  echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$wrapper"':F' \
    >"$binfmt/register"

"$wine32" --version >/dev/null 2>&1 ||
  { echo "setup: 32-bit Wine still cannot start, even under qemu." >&2; exit 1; }
echo "setup: 32-bit programs now run under qemu ($wrapper)" >&2
