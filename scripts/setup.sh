#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing lptseg need,
# and only those that are missing.
set -euo pipefail

packages=(
  cmake make g++ pkg-config ninja-build
  qt6-base-dev libgtest-dev libgmock-dev libieee1284-3-dev libxcb1-dev
  xvfb xdotool imagemagick
  libbenchmark-dev
  fonts-liberation fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

install_line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo)
else
  echo "setup: packages are missing (${missing[*]}) and installing them needs root." >&2
  echo "setup: run this as root, then try again:" >&2
  echo "    apt-get update && $install_line" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
# shellcheck disable=SC2086
"${as_root[@]}" $install_line
