#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing lptseg need,
# and only those that are missing.
set -euo pipefail

packages=(
  cmake make g++ pkg-config ninja-build
  qt6-base-dev qtbase5-dev libgtest-dev libgmock-dev libieee1284-3-dev libftdi1-dev libxcb1-dev
  xvfb xdotool imagemagick openbox x11-utils x11-xkb-utils
  libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  librsvg2-bin desktop-file-utils appstream groff-base dpkg-dev file
  mingw-w64 wine wine64 wine32:i386
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

enable_wine32() { bash "$(dirname "$0")/enable-wine32.sh"; }

if [ ${#missing[@]} -eq 0 ]; then
  enable_wine32
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
enable_wine32
