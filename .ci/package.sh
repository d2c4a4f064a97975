#!/usr/bin/env bash
# CI: builds the Debian package from the main build, checks what it holds and
# that lintian finds no error in it, installs it, runs the installed lptseg-sim
# end to end under Xvfb, purges it and checks that nothing of it is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo)
else
  echo "package.sh: installing the package needs root (or sudo without a password)" >&2
  exit 1
fi

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== Debian package =="
rm -f "$build"/lptseg_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/lptseg_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one lptseg_*.deb in $build"
deb=$(realpath "${debs[0]}")

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation libieee1284-3 libftdi1-2 'libqt[56]widgets[56]'; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

modules=usr/lib/modules-load.d/lptseg.conf rules=usr/lib/udev/rules.d/70-lptseg.rules
echo "== what the package holds =="
dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/lptseg usr/bin/lptseg-sim; do
  [ -x "$work/root/$f" ] || fail "$f missing or not executable"
done
for f in usr/share/applications/lptseg.desktop usr/share/icons/hicolor/scalable/apps/lptseg.svg \
  usr/share/man/man1/lptseg.1.gz usr/share/man/man1/lptseg-sim.1.gz usr/share/doc/lptseg/README.md \
  usr/share/doc/lptseg/docs/hardware.md "$modules" "$rules"; do
  [ -s "$work/root/$f" ] || fail "$f missing"
done
grep -qx ppdev "$work/root/$modules" || fail "$modules does not load ppdev"
file "$work/root/usr/share/icons/hicolor/48x48/apps/lptseg.png" | grep -q 'PNG image data, 48 x 48' ||
  fail "no 48x48 PNG icon"
# As desktops and software centres read them: any hint on the desktop entry is
# a fault too, and the metainfo is validated where it is installed, beside the
# desktop entry it names.
hints=$(desktop-file-validate "$work/root/usr/share/applications/lptseg.desktop" 2>&1) && [ -z "$hints" ] ||
  fail "desktop-file-validate: $hints"
appstreamcli validate-tree --no-net --pedantic "$work/root"
# No placeholder licence or web address in anything the package installs.
! grep -rlE 'LicenseRef-proprietary|https?://[^ ]*example\.org' "$work/root" ||
  fail "a placeholder licence or address is left in the files above"

echo "== lintian =="
# Errors fail the build; warnings and notes are shown for the record.
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian" || true
! grep -q '^E:' "$work/lintian" || fail "lintian reports errors"

echo "== install =="
# A previous run may have left the package installed.
if dpkg-query -W lptseg >/dev/null 2>&1; then
  "${as_root[@]}" dpkg --purge lptseg
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get install -y --no-install-recommends "$deb"
dpkg-query -L lptseg >"$work/files"
for f in "$modules" "$rules"; do
  grep -qx "/$f" "$work/files" || fail "/$f is not installed by the package"
done

echo "== udev reads the rules =="
# udevadm test parses every rules file and names each line it cannot take.
command -v udevadm >/dev/null || fail "udevadm is not installed (package udev; run scripts/setup.sh)"
udevadm test /sys/devices/virtual/mem/null >"$work/udev" 2>&1 || fail "udevadm test failed: $(cat "$work/udev")"
grep -q "Reading rules file: /$rules" "$work/udev" || fail "udevadm did not read /$rules"
! grep "70-lptseg.rules" "$work/udev" | grep -v "Reading rules file" || fail "udevadm complains about /$rules"
[ "$(dpkg-query -S /usr/bin/lptseg-sim | cut -d: -f1)" = lptseg ] ||
  fail "/usr/bin/lptseg-sim does not come from the package"

echo "== the installed programs under Xvfb =="
bash tests/e2e/programs_e2e.sh /usr/bin/lptseg-sim /usr/bin/lptseg "$build/tests/e2e/bell_watcher"

echo "== purge =="
"${as_root[@]}" dpkg --purge lptseg
left=()
while read -r path; do
  [ "$path" = "/." ] && continue
  if [ -L "$path" ] || [ -f "$path" ]; then
    left+=("$path")
  elif [ -d "$path" ] && [ -z "$(ls -A "$path")" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
    # An empty directory that no other package owns. (With /lib a link to
    # /usr/lib, dpkg sees udev's /lib/udev/rules.d as another directory.)
    left+=("$path/")
  fi
done <"$work/files"
[ ${#left[@]} -eq 0 ] || fail "left behind after purge: ${left[*]}"
echo "PASS: package built, installed, run from /usr/bin, purged without leftovers"
