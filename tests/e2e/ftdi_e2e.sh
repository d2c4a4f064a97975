#!/usr/bin/env bash
# End to end: lptseg --ftdi on a machine with no FTDI adapter plugged in. The
# first write, at load, finds no adapter: a message box with the window's caption
# shows before the main window ever does, saying which chips were looked for;
# once it is dismissed the program ends with status 1, the message also on
# standard error.
set -euo pipefail

sim=$1
source "$(dirname "$0")/xvfb_session.sh"

QT_QPA_PLATFORM=xcb "$sim" --ftdi >"$work/out" 2>"$work/err" &
sim_pid=$!

wait_for found_window || fail "no message box appeared"
sleep 0.3
[ "$(xdotool search --onlyvisible --name "^$caption\$" | wc -l)" -eq 1 ] ||
  fail "more than one window is showing"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "${WIDTH}x${HEIGHT}" != 343x356 ] || fail "the main window showed instead of the message box"

xdotool windowfocus --sync "$win"
xdotool key Return
status=0
wait "$sim_pid" || status=$?
sim_pid=
[ "$status" -eq 1 ] || fail "lptseg --ftdi ended with status $status, not 1"
for words in 'Nije pronađen nijedan FTDI adapter' 'FT232R' 'FT245R' '0403:6001'; do
  grep -qF "$words" "$work/err" || fail "standard error does not say: $words"
done
[ ! -s "$work/out" ] || fail "something was written on standard output"
echo "PASS: no FTDI adapter reported in a message box, exit status 1"
