#!/usr/bin/env bash
# End to end: every way lptseg-sim can end blanks the LEDs on the port chosen at
# that moment. SIGTERM, SIGINT and SIGHUP end it like the close box, then by the
# signal itself (status 128+N). When the unload write fails the message box and
# status 1 follow, and a second signal then ends it at once. Last, the X server
# is killed under it.
set -euo pipefail

sim=$1
source "$(dirname "$0")/xvfb_session.sh"

start_sim() { # [output]: standard output goes to $work/out unless given
  "$sim" >"${1:-$work/out}" 2>"$work/err" &
  sim_pid=$!
  wait_for found_window || fail "the window did not appear"
}

lines() { wc -l <"$work/out"; }
# Standard error holds more than the notice that the port is simulated.
said_more() { grep -v -e 'port je simuliran' -e '^QStandardPaths' "$work/err" | grep -q .; }
has_lines() { [ "$(lines)" -ge "$1" ]; }

# signal, its status, the option to click first (window pixels), the port.
while read -r signal status option port; do
  case="SIG$signal on port $port"
  start_sim
  [ "$option" = - ] || click ${option/,/ }
  click 100 144 # "7"
  wait_for has_lines 2 || fail "$case: clicking 7 wrote nothing"
  kill -s "$signal" "$sim_pid"
  expect_status "$case" "$status"
  expected="PortOut 0x378 0x00
PortOut $port 0x51
PortOut $port 0x00"
  [ "$(cat "$work/out")" = "$expected" ] || fail "$case: unexpected port trace"
  echo "ok: $case, status $status"
done <<'CASES'
TERM 143 - 0x378
INT 130 192,284 0x278
HUP 129 268,284 0x3BC
CASES

# The reader of the trace goes away after two lines, so the unload write fails.
# The box says so; dismissing it ends with status 1, a second signal ends at once.
for second in none TERM; do
  case="SIGTERM with the unload write failing, then $second"
  rm -f "$work/trace"
  mkfifo "$work/trace"
  head -n 2 <"$work/trace" >"$work/out" &
  head_pid=$!
  start_sim "$work/trace"
  click 100 144
  wait_for has_lines 2 || fail "$case: clicking 7 wrote nothing"
  wait "$head_pid" # gone once it has its two lines
  kill -s TERM "$sim_pid"
  wait_for found_box || fail "$case: no message box"
  said_more || fail "$case: the failure is not on standard error"
  if [ "$second" = none ]; then
    dismiss_box
    expect_status "$case" 1
  else
    kill -s "$second" "$sim_pid"
    expect_status "$case" 143
  fi
  echo "ok: $case"
done

# The display goes away under the program: the LEDs are still blanked.
case="X server killed"
start_sim
click 100 144
wait_for has_lines 2 || fail "$case: clicking 7 wrote nothing"
kill "$xvfb_pid"
xvfb_pid=
status=0
wait "$sim_pid" || status=$?
sim_pid=
[ "$status" -ne 0 ] || fail "$case: ended with status 0"
[ "$(tail -n 1 "$work/out")" = "PortOut 0x378 0x00" ] || fail "$case: the LEDs were not blanked"
[ "$(lines)" -eq 3 ] || fail "$case: unexpected port trace"
grep -q 'Veza sa zaslonom je prekinuta' "$work/err" || fail "$case: nothing said on standard error"
echo "PASS: every ending blanked the LEDs with the expected status"
