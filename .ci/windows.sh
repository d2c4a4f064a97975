#!/usr/bin/env bash
# The Windows port code under Wine: cross-compiles src/port with IoDllPortWriter
# and D2xxPortWriter, the stand-in IO.dlls, InpOuts and ftd2xx.dll and the test
# program for 32- and 64-bit Windows with mingw-w64 (warnings are errors), lays
# out one folder per case
# (the libraries that lie beside the program decide the case) and runs each
# case with the matching Wine loader in a fresh, headless Wine prefix. The
#   .ci/windows.sh [BUILD_DIR]              build, then run both widths
#   .ci/windows.sh BUILD_DIR build          build and lay out the cases only
#   .ci/windows.sh BUILD_DIR run i686|x86_64
# A width whose Wine loader cannot start here fails: scripts/setup.sh makes
# 32-bit Wine run under qemu where the kernel refuses 32-bit programs.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${1:-$source_dir/build-windows}"
step="${2:-all}"
arches=(i686 x86_64)
# What the real programs show under Wine (the writes reaching each library,
# the missing library, InpOut's driver) is left to tests/windows/programs_wine.sh.
cases=(io-dll inpout no-port-out no-out32 other-bitness inpout-other-bitness)

# Debian installs the 64-bit loader outside PATH.
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wine32=/usr/lib/wine/wine
loader() { [ "$1" = i686 ] && echo "$wine32" || echo "$wine64"; }
other() { [ "$1" = i686 ] && echo x86_64 || echo i686; }
inpout() { [ "$1" = i686 ] && echo inpout32.dll || echo inpoutx64.dll; }

build() {
  source "$source_dir/tests/need_tools.sh"
  need_tools i686-w64-mingw32-g++=g++-mingw-w64-i686 x86_64-w64-mingw32-g++=g++-mingw-w64-x86-64
  # The Windows build presets cannot be used here, but their file must parse.
  (cd "$source_dir" && cmake --list-presets >/dev/null)
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  for arch in "${arches[@]}"; do
    echo "== cross build for $arch-w64-mingw32 =="
    cmake -S "$source_dir/tests/windows" -B "$build_dir/$arch" -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
      -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER="$arch-w64-mingw32-g++" \
      >/dev/null
    cmake --build "$build_dir/$arch" -j 2
  done
  # Each case is the test program with the libraries it needs beside it, or none.
  for arch in "${arches[@]}"; do
    for case_name in "${cases[@]}"; do
      rm -rf "$build_dir/cases/$arch/$case_name"
      mkdir -p "$build_dir/cases/$arch/$case_name"
      cp "$build_dir/$arch/io_dll_writer_test.exe" "$build_dir/cases/$arch/$case_name/"
    done
    local dir="$build_dir/cases/$arch" built="$build_dir/$arch" other_built
    other_built="$build_dir/$(other "$arch")"
    cp "$built/io.dll" "$dir/io-dll/IO.dll"
    cp "$built/inpout_driver.dll" "$dir/io-dll/$(inpout "$arch")"
    cp "$built/inpout.dll" "$dir/inpout/$(inpout "$arch")"
    cp "$built/inpout.dll" "$dir/no-port-out/IO.dll"
    cp "$built/io.dll" "$dir/no-out32/$(inpout "$arch")"
    cp "$other_built/io.dll" "$dir/other-bitness/IO.dll"
    cp "$other_built/inpout.dll" "$dir/inpout-other-bitness/$(inpout "$(other "$arch")")"
  done
}

# Runs every case of one width in its own Wine prefix.
run() {
  local arch=$1 wine
  wine=$(loader "$arch")
  if ! "$wine" --version >/dev/null 2>&1; then
    # Some kernels and sandboxes refuse every 32-bit program, wine32 included.
    # Packages: wine64 for the 64-bit loader, wine32:i386 for the 32-bit one.
    echo "FAIL: $wine cannot start on this machine ($(uname -srm)); install $([ "$arch" = i686 ] && echo wine32:i386 || echo wine64) (run scripts/setup.sh test)." >&2
    return 1
  fi
  local prefix failures=0
  prefix="$(mktemp -d "${TMPDIR:-/tmp}/lptseg-wine.XXXXXX")"
  (
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset DISPLAY WAYLAND_DISPLAY
    trap '"$(dirname "$wine64")/wineserver" -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
    echo "== Wine prefix for $arch =="
    "$wine64" wineboot -i >/dev/null 2>&1
    for case_name in "${cases[@]}"; do
      # The real 32-bit lptseg.exe's writes through each library are shown under Wine.
      [ "$arch" = x86_64 ] || [[ $case_name != io-dll && $case_name != inpout ]] || continue
      echo "-- $arch: $case_name"
      (cd "$build_dir/cases/$arch/$case_name" && "$wine" io_dll_writer_test.exe "$case_name") ||
        failures=$((failures + 1))
    done
    [ "$failures" -eq 0 ]
  )
}

case "$step" in
build) build ;;
run) run "$3" ;;
all)
  build
  status=0
  for arch in x86_64 i686; do
    run "$arch" || status=1
  done
  exit "$status"
  ;;
*)
  echo "usage: $0 [BUILD_DIR [build | run i686|x86_64]]" >&2
  exit 2
  ;;
esac
