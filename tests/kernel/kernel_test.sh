#!/usr/bin/env bash
# End to end on a real Linux kernel: boots guests under QEMU with emulated ISA
# parallel ports, runs the real lptseg in them through libieee1284, ppdev and
# parport_pc (guest_cases.sh, which checks each case's status and messages),
# and checks here every byte that reaches each port's data register, case by
# case. Two guests: the three classic ports, and a port at 0xE800 beside one at
# 0x278 (QEMU takes no more than three).
#   kernel_test.sh LPTSEG CACHE_DIR
set -euo pipefail

lptseg=$(realpath "$1")
cache=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$cache"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/guest_boot.sh"

# guest NAME BASE... boots a guest with ports at the bases given that runs the
# NAME cases, then checks the writes each case announced after it.
guest() {
  local name=$1 i=0 base ports=()
  shift
  for base in "$@"; do
    ports+=(-chardev "null,id=lpt$i" -device "isa-parallel,chardev=lpt$i,iobase=$base,index=$i")
    i=$((i + 1))
  done
  # QEMU decodes 0x3BC only in part, so the kernel is told the addresses
  # rather than left to probe for them.
  boot_guest "$name" "parport_pc.io=$(IFS=,; echo "$*") parport_pc.irq=$(printf 'none,%.0s' "$@" | sed 's/,$//')
    guest_command=$here/guest_cases.sh guest_lptseg=$lptseg guest_cases=$name" "${ports[@]}"
  events "$name" "$@" | awk -v guest="$name" '
    /^say -- / { name = substr($0, 8); got = ""; sep = "" }
    /^out / { got = got sep $2; sep = " " }
    /^say ok: / { print substr($0, 5) }
    /^say @@ports / && got !~ substr($0, 14) { print "FAIL: " name ": the ports received \"" got "\", not /" substr($0, 14) "/"; failed = 1 }
    /^say @@done$/ { done = 1 }
    END { if (!done) print "FAIL: the " guest " guest did not finish its cases"; exit failed || !done }' ||
    { echo "--- the $name guest:"; tail -n 40 "$work/$name.console"; return 1; }
}

started=$SECONDS
prepare_guests
# The two guests share the two cores; side by side they take little longer than one.
guest classic 0x378 0x278 0x3bc >"$work/classic.log" &
classic=$!
guest card 0xe800 0x278 >"$work/card.log" &
card=$!
status=0
wait "$classic" || status=1
wait "$card" || status=1
cat "$work/classic.log" "$work/card.log"
echo "The guests ran for $((SECONDS - started)) s."
[ "$status" -eq 0 ] || exit 1
echo "PASS: the real lptseg on a real kernel: every data register write as expected"
