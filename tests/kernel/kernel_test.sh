#!/usr/bin/env bash
# End to end on a real Linux kernel: boots guests under QEMU with emulated ISA
# parallel ports, runs the real lptseg in them through libieee1284, ppdev and
# parport_pc (guest_cases.sh), and checks from the host every byte that reaches
# each port's data register, case by case, with each case's exit status and
# message. Two guests: the three classic ports, and a port at 0xE800 beside
# one at 0x278 (QEMU takes no more than three).
#   kernel_test.sh LPTSEG CACHE_DIR
set -euo pipefail

lptseg=$(realpath "$1")
cache=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$cache"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/guest_boot.sh"

ports() { # iobase... as QEMU devices
  local i=0 base
  for base in "$@"; do
    echo "-chardev null,id=lpt$i -device isa-parallel,chardev=lpt$i,iobase=$base,index=$i"
    i=$((i + 1))
  done
}

# guest NAME CASES BASE... boots a guest with ports at the bases given that
# runs guest_cases.sh with CASES, and leaves $work/NAME.events.
guest() {
  local name=$1 cases=$2
  shift 2
  local io
  io=$(IFS=,; echo "$*")
  # QEMU decodes 0x3BC only in part, so the kernel is told the addresses
  # rather than left to probe for them.
  # shellcheck disable=SC2046
  boot_guest "$name" "parport_pc.io=$io parport_pc.irq=$(printf 'none,%.0s' "$@" | sed 's/,$//')
    guest_command=$here/guest_cases.sh guest_lptseg=$lptseg guest_cases=$cases" $(ports "$@")
  # The guest's own marks, "@@case NAME" and so on, become "case NAME".
  events "$name" "$@" | sed -n 's/^say .*@@//p; /^out /p' >"$work/$name.events"
  grep -qx done "$work/$name.events" ||
    { echo "FAIL: the $name guest did not finish its cases"; tail -n 40 "$work/$name.console"; exit 1; }
}

started=$SECONDS
prepare_guests
# The two guests share the two cores; side by side they take little longer than one.
guest classic classic 0x378 0x278 0x3bc &
classic=$!
guest card card 0xe800 0x278 &
card=$!
status=0
wait "$classic" || status=1
wait "$card" || status=1
[ "$status" -eq 0 ] || exit 1
echo "The guests ran for $((SECONDS - started)) s."

# case | port writes after its marker ("378:51" is 0x51 to the data register at
# 0x378) | exit status | what standard error says (grep -E, lines joined by spaces)
cases="
no_port_known     | -                                   | 1 | nema paralelnog porta: jezgra ne poznaje nijedan.*--ftdi.*hardware\.md
without_ppdev     | -                                   | 1 | ^Paralelni port parport0 \(0x378\) nije moguće otvoriti\. Uređaj /dev/parport0 ne postoji: .*modprobe ppdev
not_in_group_lp   | -                                   | 1 | ^Paralelni port parport0 \(0x378\) nije moguće otvoriti\. Nema dozvole za /dev/parport0: .*grupe.*obično lp
unknown_port      | -                                   | 1 | ^lptseg: Paralelni port „parport9“ nije pronađen\. Pronađeni portovi: parport0 \(0x378\), parport1 \(0x278\), parport2 \(0x3BC\)\.
classic_ports     | 378:00 378:51 378:00 278:FF 3BC:11 3BC:00 | 143 | -
no_parport_module | -                                   | 1 | nema paralelnog porta: jezgra ne poznaje nijedan.*--ftdi
no_port_at_0x378  | -                                   | 1 | Na adresi 0x378 nema paralelnog porta\. Pronađeni portovi: parport0 \(0xE800\), parport1 \(0x278\)\.
by_address        | E800:00 E800:51 E800:FF E800:00 E800:11 E800:00 | 143 | -
by_device         | E800:00 E800:11 E800:00             | 143 | -
end               | -                                   | - | -
"

failed=0
all=$(cat "$work/classic.events" "$work/card.events")
while IFS='|' read -r name writes status message; do
  name=$(echo $name); writes=$(echo $writes); status=$(echo $status); message=$(echo $message)
  [ -n "$name" ] || continue
  [ "$writes" = - ] && writes=
  problem=
  grep -q "^case $name\$" <<<"$all" || problem=" it never ran"
  got=$(awk -v c="$name" '$1 == "case" { now = $2 } $1 == "out" && now == c { printf "%s%s", sep, $2; sep = " " }' \
    <<<"$all")
  [ "$got" = "$writes" ] || problem+=" the ports received \"$got\", not \"$writes\""
  if [ "$status" != - ]; then
    got=$(sed -n "s/^status $name //p" <<<"$all")
    [ "$got" = "$status" ] || problem+=" status ${got:-none}, not $status"
  fi
  errors=$(sed -n "s/^err $name //p" <<<"$all" | tr '\n' ' ')
  if [ "$message" = - ]; then
    # Qt's own notes may appear; none of lptseg's.
    ! grep -q 'lptseg' <<<"$errors" || problem+=" standard error says: $errors"
  else
    grep -Eq "$message" <<<"$errors" || problem+=" standard error does not match /$message/: $errors"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL: $name:$problem"
    failed=1
  else
    echo "ok: $name"
  fi
done <<<"$cases"
if [ "$failed" -ne 0 ]; then
  for g in classic card; do echo "--- $g guest:"; cat "$work/$g.events"; done
  exit 1
fi
echo "PASS: the real lptseg on a real kernel: every data register write as expected"
