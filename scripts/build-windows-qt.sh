#!/usr/bin/env bash
# Cross-builds a static Qt 5.15 for 32-bit Windows (i686-w64-mingw32) from
# Debian's own qtbase source package, with only what lptseg's window needs:
# Core, Gui, Widgets, the `windows` platform plugin and the UI Automation
# support that lets screen readers read the window.
#
#   scripts/build-windows-qt.sh          # prints the Qt folder on its last line
#
# The result goes to ${LPTSEG_CACHE:-/var/cache/lptseg}/qt-5.15.8-i686-w64-mingw32,
# outside the clone, and is reused once it is complete. A build that stopped
# half way resumes where it was. JOBS (default 2) sets make's -j.
#
# 32-bit because the classic IO.dll is 32-bit and inpout32.dll serves 32-bit
# programs on 64-bit Windows too: one program serves every user.
set -euo pipefail

qt_version=5.15.8
source_package=qtbase-opensource-src
cache=${LPTSEG_CACHE:-/var/cache/lptseg}
prefix=$cache/qt-$qt_version-i686-w64-mingw32
work=$prefix.build
jobs=${JOBS:-2}
complete=$prefix/lptseg-qt-complete

say() { echo "build-windows-qt: $*" >&2; }
fail() { say "$*"; exit 1; }

if [ -f "$complete" ]; then
  say "reusing $prefix ($(cat "$complete"))"
  echo "$prefix"
  exit 0
fi

for tool in i686-w64-mingw32-g++-posix i686-w64-mingw32-gcc-posix i686-w64-mingw32-windres \
  dpkg-source make perl; do
  command -v "$tool" >/dev/null || fail "$tool is missing: apt-get install mingw-w64 dpkg-dev make perl"
done

started=$(date +%s)
mkdir -p "$work"

as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo -n); fi

# apt-get source needs a deb-src entry: the same archive and suite that
# already provide Debian's Qt packages.
if [ -z "$(apt-get indextargets --format '$(IDENTIFIER)' 'Created-By: Sources' 2>/dev/null)" ]; then
  line=$(apt-cache policy qtbase5-dev | awk '$1 ~ /^[0-9]+$/ && $2 ~ /^https?:/ { print $2, $3; exit }')
  [ -n "$line" ] || fail "no Debian archive offers qtbase5-dev, so there is no archive to take Qt's source from"
  uri=${line%% *}
  suite=${line#* }
  suite=${suite%%/*}
  say "adding the deb-src entry for $uri $suite main"
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" "$suite" | "${as_root[@]}" tee /etc/apt/sources.list.d/lptseg-deb-src.sources >/dev/null
  while pgrep -x apt-get >/dev/null || pgrep -x dpkg >/dev/null; do sleep 10; done
  "${as_root[@]}" apt-get update -q >&2
fi

# The source, unpacked with Debian's patches as the package builds it.
if [ ! -f "$work/source.ok" ]; then
  rm -rf "$work/get" "$work/src"
  mkdir -p "$work/get"
  (cd "$work/get" && apt-get source --download-only -q "$source_package" >&2)
  dsc=$(ls "$work"/get/"$source_package"_*.dsc 2>/dev/null | head -n 1)
  [ -n "$dsc" ] || fail "apt-get source gave no $source_package .dsc"
  version=$(sed -n 's/^Version: //p' "$dsc")
  [[ $version == "$qt_version"+* ]] ||
    fail "Debian's $source_package is $version, this script builds $qt_version (change qt_version)"
  dpkg-source -x "$dsc" "$work/src" >&2
  [ -x "$work/src/configure" ] && [ -d "$work/src/src/plugins/platforms/windows" ] ||
    fail "the unpacked $source_package $version has no configure or no Windows platform plugin"
  echo "$source_package $version" >"$work/source.ok"
fi
source_id=$(cat "$work/source.ok")

# One thread model for Qt and lptseg: the posix variant of mingw-w64, whose
# libstdc++ has the timed mutexes lptseg uses. Qt's mkspec names the compiler
# as CROSS_COMPILE + "g++", so a folder of links puts that variant under the
# plain names.
bin=$work/bin
mkdir -p "$bin"
for t in gcc g++; do ln -sf "$(command -v i686-w64-mingw32-$t-posix)" "$bin/i686-w64-mingw32-$t"; done
export PATH=$bin:$PATH

build=$work/build
mkdir -p "$build"
cd "$build"
if [ ! -f "$build/config.summary" ] || [ ! -f "$build/Makefile" ]; then
  say "configuring $source_id (a few minutes: qmake is built first)"
  "$work/src/configure" -xplatform win32-g++ -device-option CROSS_COMPILE=i686-w64-mingw32- \
    -prefix "$prefix" -static -static-runtime -release -opensource -confirm-license \
    -nomake examples -nomake tests -no-opengl -no-dbus -no-feature-tabletevent \
    -no-feature-sql -no-feature-network -no-feature-testlib -qt-zlib -qt-libpng \
    -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-icu -no-openssl \
    -no-feature-concurrent -no-feature-vulkan -accessibility >&2
fi

say "building Core, Gui, Widgets and the windows platform plugin with -j$jobs (about 40 minutes on two cores)"
make -j"$jobs" sub-src-qmake_all >&2
make -C src -j"$jobs" sub-widgets-make_first sub-platformsupport-make_first sub-winmain-make_first >&2
make -C src/plugins/platforms -j"$jobs" sub-windows-make_first >&2

say "installing into $prefix"
make -C src $(sed -n 's/^\(sub-3rdparty-[A-Za-z0-9_-]*-install_subtargets\):.*/\1/p' src/Makefile | sort -u) \
  sub-platformsupport-install_subtargets sub-winmain-install_subtargets \
  sub-moc-install_subtargets sub-rcc-install_subtargets sub-uic-install_subtargets >&2
for d in src/corelib src/gui src/widgets src/plugins/platforms/windows; do make -C "$d" install >&2; done
make sub-qmake-qmake-aux-pro-install_subtargets install_mkspecs install_syncqt >&2

for f in lib/libQt5Core.a lib/libQt5Gui.a lib/libQt5Widgets.a lib/libQt5WindowsUIAutomationSupport.a \
  plugins/platforms/libqwindows.a lib/cmake/Qt5Widgets/Qt5WidgetsConfig.cmake bin/qmake bin/moc bin/rcc bin/uic; do
  [ -e "$prefix/$f" ] || fail "the build left no $prefix/$f"
done

minutes=$((($(date +%s) - started + 59) / 60))
echo "$source_id, built in $minutes min with -j$jobs on $(nproc) cores" >"$complete"
cp "$work/source.ok" "$prefix/lptseg-qt-source"
say "done in $minutes min: $prefix"
rm -rf "$work"
echo "$prefix"
