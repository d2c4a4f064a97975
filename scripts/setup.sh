#!/usr/bin/env bash
# Installs the Debian packages that lptseg needs, and only those that are
# missing. `setup.sh run`: what building and running lptseg and lptseg-sim
# needs. `setup.sh test` (the default): that and everything the tests, the
# benchmarks and the package checks need.
set -euo pipefail

what=${1:-test}

run_packages=(
  cmake make g++ pkg-config ninja-build
  qt6-base-dev libieee1284-3-dev libftdi1-dev libxcb1-dev
  fonts-liberation fonts-dejavu-core
)

test_packages=(
  qtbase5-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick openbox x11-utils x11-xkb-utils bsdutils libx11-dev
  librsvg2-bin desktop-file-utils appstream groff-base dpkg-dev file lintian udev
  mingw-w64 wine wine64 wine32:i386
  # make windows unpacks Debian's Qt source (dpkg-dev) and makes the MSI (wixl);
  # its Wine tests unpack the zip and read the Start menu's shortcuts (python3).
  wixl unzip python3-minimal
  # The screen reader's test reads the window on the accessibility bus.
  at-spi2-core dbus-daemon python3-pyatspi
  # The kernel test boots Linux guests under QEMU (tests/kernel).
  qemu-system-x86 linux-image-amd64 busybox-static cpio kmod
)

case $what in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# Only the Windows tests need 32-bit Wine. Where the kernel runs no 32-bit
# programs, enable-wine32.sh runs it under qemu 10 from bookworm-backports. What
# that costs, measured on an idle 2-core machine (natively, then under qemu):
# fetching qemu 8 s; windows.UnderWine.i686 14 s, then 17 s;
# .ci/windows-programs.sh 36 to 39 s, then 97 s.
after_install() {
  if [ "$what" = test ]; then bash "$(dirname "$0")/enable-wine32.sh"; fi
}

if [ ${#missing[@]} -eq 0 ]; then
  after_install
  exit 0
fi

install_line="apt-get install -y --no-install-recommends ${missing[*]}"
# wine32 comes from the i386 architecture, which dpkg must know before apt-get update.
add_i386=false
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  add_i386=true
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo)
else
  echo "setup: packages are missing (${missing[*]}) and installing them needs root." >&2
  echo "setup: run this as root, then try again:" >&2
  if $add_i386; then
    echo "    dpkg --add-architecture i386 && apt-get update && $install_line" >&2
  else
    echo "    apt-get update && $install_line" >&2
  fi
  exit 1
fi

echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
if $add_i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -q
# shellcheck disable=SC2086
"${as_root[@]}" $install_line
after_install
