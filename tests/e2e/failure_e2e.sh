#!/usr/bin/env bash
# End to end: lptseg-sim whose standard output cannot be written cannot write
# its simulated port either. The first write, at load, fails: a message box
# with the window's caption shows before the main window ever does; once it is
# dismissed the program ends with status 1, the message also on standard error.
set -euo pipefail

sim=$1
source "$(dirname "$0")/xvfb_session.sh"

"$sim" >/dev/full 2>"$work/err" &
sim_pid=$!

wait_for found_window || fail "no message box appeared"
sleep 0.3
[ "$(xdotool search --onlyvisible --name "^$caption\$" | wc -l)" -eq 1 ] ||
  fail "more than one window is showing"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "${WIDTH}x${HEIGHT}" != 343x356 ] || fail "the main window showed instead of the message box"
import -window "$win" "$work/box.png"

xdotool windowfocus --sync "$win"
xdotool key Return
status=0
wait "$sim_pid" || status=$?
sim_pid=
[ "$status" -eq 1 ] || fail "lptseg-sim ended with status $status, not 1"
grep -q 'nije moguće ispisati na standardni izlaz' "$work/err" ||
  fail "the failure is not on standard error"
echo "PASS: failure at load reported in a message box, exit status 1"
