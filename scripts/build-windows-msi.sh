#!/usr/bin/env bash
# The Windows Installer package for IT staff, from the folder the Windows zip
# is made of (lptseg.exe, lptseg-sim.exe and the text files beside them):
#   scripts/build-windows-msi.sh STAGE_DIR VERSION OUT_MSI
# e.g. build-windows-x86/zip/lptseg-1.0.0-windows-x86 1.0.0 lptseg-1.0.0-windows-x86.msi
# VERSION is the MSI product version, MAJOR.MINOR.PATCH (numbers only).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

say() { echo "build-windows-msi: $*" >&2; }
fail() { say "$*"; exit 1; }

[ $# -eq 3 ] || fail "usage: $0 STAGE_DIR VERSION OUT_MSI"
stage=$1 version=$2 out=$3
command -v wixl >/dev/null || fail "wixl is missing: apt-get install msitools wixl"
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "version must be MAJOR.MINOR.PATCH: $version"
[ -f "$stage/lptseg.exe" ] || fail "no lptseg.exe in $stage"

# wixl 0.101 finds Source files only by paths relative to where it runs.
out=$(realpath -m "$out")
stage=$(realpath --relative-to=. "$stage")
wixl -a x86 -D Version="$version" -D Stage="$stage" -o "$out" \
  "$source_dir/packaging/windows/lptseg.wxs"
say "$out ($(du -k "$out" | cut -f1) KiB)"
echo "$out"
