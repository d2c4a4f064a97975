#!/usr/bin/env bash
# End to end, on a bare X server and under the openbox window manager: the
# whole frame, title bar included, is centred on the screen's free area to
# within 1 px; the window manager offers neither maximise nor resize, and a
# resize request through it leaves the window at 343x356; the close box still ends the program with the LEDs blanked. The
# program is started with Qt's own -display option and no DISPLAY, which must
# keep working beside the program's own options.
set -euo pipefail

sim=$1
wm_close=$2
source "$(dirname "$0")/xvfb_session.sh"
command -v openbox >/dev/null || fail "openbox is not installed (run scripts/setup.sh)"
command -v xprop >/dev/null || fail "xprop is not installed (run scripts/setup.sh)"

wm_pid=
trap '[ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null; cleanup' EXIT

# The numbers of a CARDINAL property, or nothing if it is not set.
cardinals() { xprop "$@" | grep -o '= .*' | tr -d '=,'; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
framed() { [ -n "$(cardinals -id "$win" _NET_FRAME_EXTENTS)" ]; }

for wm in none openbox; do
  if [ "$wm" = openbox ]; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    wait_for wm_running || fail "openbox did not start"
  fi
  env -u DISPLAY "$sim" -display "$DISPLAY" >"$work/out" 2>"$work/err" &
  sim_pid=$!
  wait_for found_window || fail "$wm: the window did not appear"
  if [ "$wm" = openbox ]; then
    wait_for framed || fail "openbox did not frame the window"
  fi
  sleep 0.5 # let the window settle where it goes

  read -r left right top bottom <<<"$(cardinals -id "$win" _NET_FRAME_EXTENTS)" || true
  x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ { print $4 }')
  y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ { print $4 }')
  eval "$(xdotool getwindowgeometry --shell "$win")"
  frame_x=$((x - ${left:-0})); frame_y=$((y - ${top:-0}))
  frame_w=$((WIDTH + ${left:-0} + ${right:-0})); frame_h=$((HEIGHT + ${top:-0} + ${bottom:-0}))
  read -r area_x area_y area_w area_h _ <<<"$(cardinals -root _NET_WORKAREA)" || true
  [ -n "${area_w:-}" ] || { area_x=0; area_y=0; area_w=1024; area_h=768; }
  # Twice the centres, so that half pixels stay whole numbers.
  dx=$((2 * frame_x + frame_w - 2 * area_x - area_w))
  dy=$((2 * frame_y + frame_h - 2 * area_y - area_h))
  [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] ||
    fail "$wm: frame ${frame_w}x${frame_h}+${frame_x}+${frame_y} is not centred on ${area_w}x${area_h}+${area_x}+${area_y}"
  echo "ok: $wm: frame ${frame_w}x${frame_h}+${frame_x}+${frame_y} centred"

  if [ "$wm" = openbox ]; then
    actions=$(xprop -id "$win" _NET_WM_ALLOWED_ACTIONS)
    grep -q _NET_WM_ACTION_CLOSE <<<"$actions" || fail "openbox lists no allowed actions: $actions"
    ! grep -Eq 'MAXIMIZE|RESIZE' <<<"$actions" || fail "openbox offers to maximise or resize: $actions"
    echo "ok: no maximise or resize offered"
    xdotool windowsize "$win" 500 500
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    [ "${WIDTH}x${HEIGHT}" = 343x356 ] || fail "resized through the window manager to ${WIDTH}x${HEIGHT}"
    echo "ok: the size stays 343x356"
  fi

  "$wm_close" "$win" || fail "$wm: could not send the close request"
  expect_status "$wm" 0
  [ "$(cat "$work/out")" = "PortOut 0x378 0x00
PortOut 0x378 0x00" ] || fail "$wm: unexpected port trace"
done
echo "PASS: centred and fixed in size with and without a window manager"
