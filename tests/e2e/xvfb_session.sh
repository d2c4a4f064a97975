# Shared by the end-to-end tests: a private Xvfb display, a scratch folder,
# waiting and failing. Source it after setting $sim.
for tool in Xvfb xdotool convert import compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (run scripts/setup.sh)"; exit 1; }
done

caption='Upravljanje 7-segmentnim diodnim zaslonom'
work=$(mktemp -d)
xvfb_pid=
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- standard output of lptseg-sim:"; cat "$work/out" 2>/dev/null || true
  echo "--- standard error of lptseg-sim:"; cat "$work/err" 2>/dev/null || true
  exit 1
}

# Waits up to 10 s for a command to succeed.
wait_for() {
  local i
  for i in $(seq 100); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# A display of our own, whatever else runs on this machine.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
wait_for test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

# Sets $win to the visible window with the program's caption.
found_window() { win=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n1); [ -n "$win" ]; }
