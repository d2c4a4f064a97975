#!/usr/bin/env bash
# End to end: lptseg-sim whose trace cannot be written. A reader that goes away
# (lptseg-sim | head -n 1) makes the next write a port failure like any other:
# the message box, the message on standard error, status 1, not death by
# SIGPIPE. A reader that stops reading blocks the program in its next write
# once the pipe is full; a signal still ends it, by the signal. With standard
# output closed at start the trace has nowhere to go:
# the load fails with a message saying so, instead of writing into the X
# connection that would otherwise take descriptor 1. Closed standard input and
# error do no harm either.
set -euo pipefail

sim=$1
source "$(dirname "$0")/xvfb_session.sh"

expect_box_then_status_1() { # case, what standard error must say
  wait_for found_box || fail "$1: no message box"
  dismiss_box
  expect_status "$1" 1
  grep -q "$2" "$work/err" || fail "$1: standard error does not say: $2"
  echo "ok: $1"
}

case="the reader of the trace goes away"
mkfifo "$work/trace"
head -n 1 <"$work/trace" >"$work/out" &
head_pid=$!
"$sim" >"$work/trace" 2>"$work/err" &
sim_pid=$!
wait_for found_window || fail "$case: the window did not appear"
wait "$head_pid" # gone once it has its line
click 100 144 # "7"
expect_box_then_status_1 "$case" '0x51'
[ "$(cat "$work/out")" = "PortOut 0x378 0x00" ] || fail "$case: unexpected port trace"

case="nobody reads the trace"
rm -f "$work/trace"
mkfifo "$work/trace"
exec 3<>"$work/trace" # the reader that never reads
"$sim" >"$work/trace" 2>"$work/err" &
sim_pid=$!
wait_for found_window || fail "$case: the window did not appear"
dd if=/dev/zero of="$work/trace" bs=1 count=1M oflag=nonblock status=none 2>/dev/null || true
click 100 144 # its write now blocks
kill -s TERM "$sim_pid"
expect_status "$case" 143
exec 3<&-
echo "ok: $case"

case="standard output closed at start"
"$sim" >&- 2>"$work/err" &
sim_pid=$!
expect_box_then_status_1 "$case" 'Standardni izlaz je zatvoren'
# Standard input and error closed: whatever Qt or the program says on standard
# error must not go into the X connection. The window works and ends as usual.
case="standard input and error closed at start"
"$sim" >"$work/out" <&- 2>&- &
sim_pid=$!
wait_for found_window || fail "$case: the window did not appear"
click 100 144
wait_for grep -q 0x51 "$work/out" || fail "$case: clicking 7 wrote nothing"
kill -s TERM "$sim_pid"
expect_status "$case" 143
[ "$(tail -n 1 "$work/out")" = "PortOut 0x378 0x00" ] || fail "$case: the LEDs were not blanked"
echo "ok: $case"
echo "PASS: failed trace writes end the program with status 1, blocked ones by a signal; closed descriptors are harmless"
