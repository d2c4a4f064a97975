#!/usr/bin/env bash
# The real Windows programs under Wine: `make windows` (which builds the static
# Qt into /var/cache/lptseg the first time, about 55 minutes on two busy cores, and
# reuses it after), the stand-in port and FTDI libraries of tests/windows, then
# tests/windows/programs_wine.sh on the zip as a user gets it.
#   .ci/windows-programs.sh [BUILD_DIR] [SCREENSHOT]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath -m "${1:-build-windows-x86}")
started=$SECONDS

echo "== make windows =="
zip=$(bash scripts/build-windows.sh "$build_dir" | tail -n 1)
echo "== the stand-in IO.dll, inpout32.dll and ftd2xx.dll =="
bash .ci/windows.sh "$build_dir/stand-ins" build >/dev/null
echo "== lptseg.exe and lptseg-sim.exe under Wine =="
bash tests/windows/programs_wine.sh "$zip" "$build_dir/stand-ins/i686" ${2:+"$2"}
echo "windows-programs: $(basename "$zip"), $(du -k "$zip" | cut -f1) KiB, all in $((SECONDS - started)) s"
