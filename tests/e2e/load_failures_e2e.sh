#!/usr/bin/env bash
# End to end: a port that fails at its first write, at load. A message box with
# the window's caption shows alone, before the main window ever does; once it is
# dismissed the program ends with status 1, the message also on standard error.
#   lptseg-sim whose standard output cannot be written (/dev/full);
#   lptseg --ftdi on a machine with no FTDI adapter plugged in.
set -euo pipefail

sim=$1
lptseg=${2:-} # empty where lptseg is built without the FTDI writer
source "$(dirname "$0")/xvfb_session.sh"

# name | what standard error must say (words separated by |)
check() {
  local name=$1 words=$2 w
  wait_for found_box || fail "$name: no message box appeared"
  sleep 0.3
  [ "$(xdotool search --onlyvisible --name "^$caption\$" | wc -l)" -eq 1 ] ||
    fail "$name: the main window showed beside the message box"
  dismiss_box
  expect_status "$name" 1
  IFS='|' read -ra words <<<"$words"
  for w in "${words[@]}"; do
    grep -qF "$w" "$work/err" || fail "$name: standard error does not say: $w"
  done
}

"$sim" >/dev/full 2>"$work/err" &
sim_pid=$!
check "lptseg-sim >/dev/full" "nije moguće ispisati na standardni izlaz"

if [ -z "$lptseg" ]; then
  echo "NOTE: lptseg is built without the FTDI writer; its --ftdi case was not run"
else
  "$lptseg" --ftdi >"$work/out" 2>"$work/err" &
  sim_pid=$!
  check "lptseg --ftdi" "Nije pronađen nijedan FTDI adapter|FT232R|FT245R|0403:6001"
  [ ! -s "$work/out" ] || fail "lptseg --ftdi wrote on standard output"
fi
echo "PASS: failures at load reported in a message box alone, exit status 1"
