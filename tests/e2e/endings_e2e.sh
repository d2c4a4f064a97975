#!/usr/bin/env bash
# End to end: every way lptseg-sim can end blanks the LEDs on the port chosen at
# that moment. SIGTERM, SIGINT and SIGHUP end it like the close box, then by the
# signal itself (status 128+N); signals pending together make one such ending.
# When the unload write fails after a signal, the message goes to standard error
# and the program still ends by the signal, without a box. A stopped X server
# does not keep a signal from ending it. Last, the X server is killed under it.
set -euo pipefail

sim=$1
source "$(dirname "$0")/xvfb_session.sh"

start_sim() { # [output]: standard output goes to $work/out unless given
  "$sim" >"${1:-$work/out}" 2>"$work/err" &
  sim_pid=$!
  wait_for found_window || fail "the window did not appear"
}

lines() { wc -l <"$work/out"; }
has_lines() { [ "$(lines)" -ge "$1" ]; }
stopped() { grep -q '^State:.*stopped' "/proc/$sim_pid/status"; }

# signal, its status, the option to click first (window pixels), the port.
while read -r signal status option port; do
  case="SIG$signal on port $port"
  start_sim
  [ "$option" = - ] || click ${option/,/ }
  click 100 144 # "7"
  wait_for has_lines 2 || fail "$case: clicking 7 wrote nothing"
  for each in ${signal//,/ }; do
    kill -s "$each" "$sim_pid"
    [ "$each" != STOP ] || wait_for stopped || fail "$case: not stopped"
  done
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
STOP,TERM,INT,CONT 130 - 0x378
CASES

# The terminal that shows the trace is closed: SIGHUP, and the unload write to
# the hung-up line fails.
case="terminal closed"
script -qc "tty >'$work/tty'; exec sleep 1000" /dev/null </dev/null >/dev/null &
terminal_pid=$!
wait_for test -s "$work/tty" || fail "$case: no terminal"
start_sim "$(cat "$work/tty")"
kill -KILL "$terminal_pid"
wait "$terminal_pid" || true # gone, and its end of the line closed
kill -s HUP "$sim_pid"
expect_status "$case" 129
grep -q 'nije moguće ispisati' "$work/err" || fail "$case: the failure is not on standard error"
echo "ok: $case"

# The X server stops: the window's thread soon blocks on the full connection.
case="SIGTERM with the X server stopped"
start_sim
click 100 144
wait_for has_lines 2 || fail "$case: clicking 7 wrote nothing"
kill -STOP "$xvfb_pid"
sleep 2 # meanwhile the banners' images fill the connection
kill -s TERM "$sim_pid"
expect_status "$case" 143
kill -CONT "$xvfb_pid"
[ "$(lines)" -eq 3 ] && [ "$(tail -n 1 "$work/out")" = "PortOut 0x378 0x00" ] ||
  fail "$case: the LEDs were not blanked once"
echo "ok: $case"

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
