#!/usr/bin/env bash
# Runs as root inside the QEMU guest that kernel_test.sh boots: loads the
# parallel port drivers step by step and runs the real lptseg as an ordinary
# user at each step, clicking it with xdotool on an Xvfb of the guest's own.
# Before each case it prints "@@case NAME" on the serial console, so that the
# host can tell which port writes belong to it, and after it "@@status NAME N"
# and "@@err NAME LINE" for each line on standard error. The host checks them.
#   guest_lptseg  the lptseg to run
#   guest_cases   classic (ports at 0x378, 0x278, 0x3BC) or card (0xE800, 0x278)
set -euo pipefail
lptseg=$guest_lptseg
wait_seconds=90 # everything is slow under emulation
source "$(dirname "$0")/../e2e/xvfb_session.sh"

lp_gid=$(getent group lp | cut -d: -f3)
home=$(mktemp -d)
chown 65534:65534 "$home"

# Becomes the command, run as the user nobody; "lp" makes it a member of group
# lp, as a user who has set up access to the port is.
as_user() { # lp|-, command...
  local groups=--clear-groups
  [ "$1" = lp ] && groups=--groups=$lp_gid
  shift
  exec setpriv --reuid=65534 --regid=65534 "$groups" -- env HOME="$home" XDG_RUNTIME_DIR="$home" \
    DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb "$@"
}

current=
start_case() {
  current=$1
  echo "@@case $current"
}
end_case() { # status
  echo "@@status $current $1"
  sed "s/^/@@err $current /" "$work/err"
}

# Starts lptseg in the background as nobody (in group lp or not) with the arguments given.
start_lptseg() { # lp|-, arguments...
  local groups=$1
  shift
  (as_user "$groups" "$lptseg" "$@" >"$work/out" 2>"$work/err") &
  sim_pid=$!
}

wait_status() {
  local status=0
  wait "$sim_pid" || status=$?
  sim_pid=
  end_case "$status"
}

# A case where the first write, at load, fails: the message box is dismissed.
failure_at_load() { # name, lp|-, arguments...
  start_case "$1"
  shift
  start_lptseg "$@"
  wait_for found_box || fail "$current: no message box appeared"
  dismiss_box
  wait_status
}

# A case where lptseg refuses to start: nothing to click.
refused_at_start() { # name, lp|-, arguments...
  start_case "$1"
  shift
  start_lptseg "$@"
  wait_status
}

# Dispatched X events are handled in order, so once the figure shows the last
# digit clicked every click before it has written its byte.
pixel() {
  convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1 | tr -d '#'
}
figure_shows_1() { # b lit, a dark
  import -window "$win" "$work/shot.png" && [ "$(pixel 280 64)" = FF0000 ] && [ "$(pixel 240 33)" = FFFFFF ]
}

# Window pixels of the buttons and options.
b1="100 24"; b7="100 144"; b8="52 168"; clear="76 224"; o278="192 284"; o3bc="264 284"

# Clicks through the window, then ends lptseg with SIGTERM.
clicks() { # name, arguments..., then -- and the clicks
  start_case "$1"
  shift
  local arguments=()
  while [ "$1" != -- ]; do arguments+=("$1"); shift; done
  shift
  start_lptseg lp "${arguments[@]}"
  wait_for found_window || fail "$current: the window did not appear"
  local point
  for point in "$@"; do
    # shellcheck disable=SC2086
    click ${!point}
  done
  wait_for figure_shows_1 || fail "$current: the figure does not show 1 after the clicks"
  kill -TERM "$sim_pid"
  wait_status
}

# The ports get the group and mode that udev gives them on a desktop system.
load_ppdev() {
  modprobe ppdev
  wait_for test -e /dev/parport0 || fail "ppdev made no /dev/parport0"
  chgrp lp /dev/parport*
  chmod 660 /dev/parport*
}

# Loading a driver is no case: parport_pc writes test patterns to every data
# register while it probes. The host does not count writes under "-".
driver() {
  start_case -
  "$@"
}

case $guest_cases in
classic)
  driver modprobe parport # the kernel's port list, still without a port
  failure_at_load no_port_known -
  # parport_pc takes its addresses and irq=none from the kernel command line.
  driver modprobe parport_pc
  failure_at_load without_ppdev lp
  driver load_ppdev
  failure_at_load not_in_group_lp -
  refused_at_start unknown_port lp --port=parport9
  clicks classic_ports -- b7 clear o278 b8 o3bc b1
  ;;
card)
  failure_at_load no_parport_module lp
  driver modprobe parport_pc
  driver load_ppdev
  failure_at_load no_port_at_0x378 lp
  clicks by_address --port=0xE800 -- b7 o278 b8 o3bc clear b1
  clicks by_device --port=/dev/parport0 -- o3bc b1
  ;;
esac
start_case end
echo "@@done"
