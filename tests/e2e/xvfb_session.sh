# Shared by the end-to-end tests: a private Xvfb display, a scratch folder,
# waiting and failing. Source it after setting $sim. The program under test
# always runs on X, whatever QT_QPA_PLATFORM the caller has set.
export QT_QPA_PLATFORM=xcb
for tool in Xvfb xdotool convert import compare script; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (run scripts/setup.sh)"; exit 1; }
done

caption='Upravljanje 7-segmentnim diodnim zaslonom'
work=$(mktemp -d)
xvfb_pid=
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && kill -CONT "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- standard output of lptseg-sim:"; cat "$work/out" 2>/dev/null || true
  echo "--- standard error of lptseg-sim:"; cat "$work/err" 2>/dev/null || true
  exit 1
}

# Waits up to 10 s for the program under test to end; fails unless its status
# is the one given.
expect_status() { # case, status
  local status=0 deadline=$((SECONDS + 10))
  while kill -0 "$sim_pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$1: still running after 10 s"
    sleep 0.1
  done
  wait "$sim_pid" || status=$?
  sim_pid=
  [ "$status" -eq "$2" ] || fail "$1: ended with status $status, not $2"
}

# Waits for a command to succeed, up to $wait_seconds (20 unless set) seconds:
# long enough for a machine busy with other builds.
wait_for() {
  local deadline=$((SECONDS + ${wait_seconds:-20}))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# A display of our own, whatever else runs on this machine. -noreset: a server that resets
# when its last client leaves refuses connections for a moment, which the next
# program started would meet.
start_xvfb() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  wait_for test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/display")"
}
start_xvfb

# Sets $win to the visible window with the program's caption.
found_window() { win=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n1); [ -n "$win" ]; }

# Sets $box to a visible message box: a window with the program's caption that
# is not the 343x356 main window.
found_box() {
  local w
  box=
  for w in $(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "${WIDTH}x${HEIGHT}" = 343x356 ] || { box=$w; return 0; }
  done
  return 1
}

# Presses Return in the message box, which dismisses it.
dismiss_box() {
  xdotool windowfocus --sync "$box"
  xdotool key Return
}

# Clicks a point given in window pixels of $win.
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; }
