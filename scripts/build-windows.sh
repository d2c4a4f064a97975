#!/usr/bin/env bash
# `make windows`: lptseg.exe and lptseg-sim.exe for 32-bit Windows, linked
# statically against the Qt that scripts/build-windows-qt.sh builds (or
# reuses), the zip a Windows user downloads and the installer IT deploys:
#   BUILD_DIR/lptseg-VERSION-windows-x86.zip
#   BUILD_DIR/lptseg-VERSION-windows-x86.msi
# BUILD_DIR defaults to build-windows-x86; the zip's path is the last line printed.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build-windows-x86}
triplet=i686-w64-mingw32

qt=$(bash "$source_dir/scripts/build-windows-qt.sh" | tail -n 1)

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/packaging/windows/$triplet.cmake" \
  -DLPTSEG_WINDOWS_QT="$qt" -DCMAKE_PREFIX_PATH="$qt" -DLPTSEG_QT_MAJOR=5 \
  -DLPTSEG_TESTS=OFF -DLPTSEG_BENCHMARKS=OFF -DLPTSEG_WERROR=ON >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}" --target lptseg lptseg-sim

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
name=lptseg-$version-windows-x86
stage=$build_dir/zip/$name
rm -rf "$build_dir/zip"
mkdir -p "$stage"
for exe in lptseg lptseg-sim; do
  $triplet-strip -o "$stage/$exe.exe" "$build_dir/app/$exe.exe"
done

# Text files with Windows line ends, for Notepad.
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }
sed "s/@VERSION@/$version/" "$source_dir/packaging/windows/PROCITAJ.txt" >"$build_dir/PROCITAJ.txt"
crlf "$build_dir/PROCITAJ.txt" "$stage/PROCITAJ-README.txt"
crlf "$source_dir/docs/hardware.md" "$stage/HARDWARE.md"
cp "$source_dir/docs/wiring.svg" "$stage/"
crlf "$source_dir/LICENSE" "$stage/LICENSE.txt"
# A double click starts lptseg.exe for the USB adapter.
crlf "$source_dir/packaging/windows/lptseg-USB.cmd" "$stage/lptseg-USB.cmd"

# The corresponding source: this program's commit and the Qt and mingw-w64
# sources whose code is linked into the programs.
commit=$(git -C "$source_dir" rev-parse HEAD 2>/dev/null || echo unknown)
if [ "$commit" != unknown ] && [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
  commit="$commit (with changes not committed)"
fi
qt_source=$(cat "$qt/lptseg-qt-source")
package_version() { dpkg-query -W -f='${source:Package} ${source:Version}' "$1"; }
cat >"$build_dir/SOURCE.txt" <<EOF
lptseg $version for Windows: where its source is / izvorni kod

lptseg.exe and lptseg-sim.exe are built from lptseg's commit
  $commit
with "make windows" on Debian 12. Statically linked into them are:
  - Qt 5.15 (Core, Gui, Widgets, the windows platform plugin), built from
    Debian's source package $qt_source
    ("apt-get source ${qt_source/ /=}")
  - the GCC runtime and libstdc++ of Debian's $(package_version "g++-mingw-w64-i686-posix")
  - mingw-w64's runtime and winpthreads of Debian's $(package_version "mingw-w64-i686-dev")
The Debian sources are at https://snapshot.debian.org and in every Debian
mirror's pool; "apt-get source NAME=VERSION" fetches each of them.
EOF
crlf "$build_dir/SOURCE.txt" "$stage/SOURCE.txt"

zip=$build_dir/$name.zip
rm -f "$zip"
(cd "$build_dir/zip" && cmake -E tar cf "$zip" --format=zip -- "$name")
echo "windows: $zip ($(du -k "$zip" | cut -f1) KiB)" >&2
# The same files as an installer for IT staff, beside the zip.
# Windows Installer versions have three numbers.
msi_version=$version
while [[ $msi_version != *.*.* ]]; do msi_version+=.0; done
bash "$source_dir/scripts/build-windows-msi.sh" "$stage" "$msi_version" "$build_dir/$name.msi" >/dev/null
echo "$zip"
