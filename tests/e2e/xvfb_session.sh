# Shared by the end-to-end tests and the kernel test's guest: a private Xvfb
# display, a scratch folder and run_cases, which runs the cases of a table one
# by one: starts a program, acts on its window with real X input, then checks
# its exit status, standard output and standard error.
export QT_QPA_PLATFORM=xcb
source "$(dirname "${BASH_SOURCE[0]}")/../need_tools.sh"
need_tools Xvfb=xvfb xdotool=xdotool import=imagemagick
caption='Upravljanje 7-segmentnim diodnim zaslonom'
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
pid= xvfb_pid= helpers=
cleanup() {
  kill $pid $helpers 2>/dev/null || true
  [ -z "$xvfb_pid" ] || { kill -CONT "$xvfb_pid"; kill "$xvfb_pid"; } 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- standard output:"; cat "$work/out" 2>/dev/null || true
  echo "--- standard error:"; cat "$work/err" 2>/dev/null || true
  exit 1
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

# -noreset: a server that resets when its last client leaves refuses
# connections for a moment, which the next program started would meet.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
wait_for test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

# $win: the visible window with the program's caption; $box: one that is not
# the 343x356 main window, a message box.
found_window() { win=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n1); [ -n "$win" ]; }
found_box() {
  for box in $(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$box")"
    [ "${WIDTH}x${HEIGHT}" = 343x356 ] || return 0
  done
  return 1
}
# The numbers of a CARDINAL property (of -root or -id WINDOW), then the ones
# given for when it is not set.
cardinals() { echo "$(xprop $1 "$2" | grep -o '= .*' | tr -d '=,')" "${@:3}"; }
ended() { [ "$(cut -d' ' -f3 "/proc/$pid/stat")" = Z ]; }
writes() { grep -c '^PortOut' "$work/out"; }
has_writes() { [ "$(writes)" -ge "$1" ]; }
# The figure's segment boxes as the design places them, in twips (15 a pixel
# at 96 dpi): left, top, width, height.
declare -A segment=([a]="3120 360 975 285" [b]="4080 600 255 735" [c]="4080 1560 255 735"
  [d]="3120 2280 975 285" [e]="2880 1560 255 735" [f]="2880 600 255 735" [g]="3120 1320 975 285")
# lit LETTERS: on the screen those segments show red, the others white.
lit() {
  local letter left top width height format= want=
  for letter in a b c d e f g; do
    read -r left top width height <<<"${segment[$letter]}"
    format+="%[hex:u.p{$(((left + width / 2) / 15)),$(((top + height / 2) / 15))}] "
    [[ ${1:-} == *$letter* ]] && want+="FF0000 " || want+="FFFFFF "
  done
  import -window "$win" "$work/shot.png" && [ "$(convert "$work/shot.png" -depth 8 -format "$format" info:)" = "$want" ]
}
# shows:LETTERS: the figure comes to show those segments lit (shows: none).
shows() { wait_for lit "${1:-}" || fail "$case: the figure does not come to show \"${1:-}\" lit"; }
# Where the controls are, in window pixels.
declare -A at=([1]="100 24" [7]="100 144" [8]="52 184" [Brisi]="76 224" [Zatvori]="76 244"
  [278]="216 284" [3BC]="288 284")

# One step of a case. "start" starts the program (first, unless the table
# places it later); "window" waits for its window; a control's name clicks it;
# +N waits for N port writes, =N checks that there are N; a signal's name sends
# it; "box" dismisses the message box, "alone" also checks that the main window
# is not shown beside it; "ended" waits for the program to end; words joined by
# ':' are a command (xdotool:key:Delete); any other word, a function of the caller.
step() {
  if [ -n "${at[$1]:-}" ]; then
    step window
    # shellcheck disable=SC2086
    xdotool mousemove --window "$win" ${at[$1]} click 1
    return
  fi
  case $1 in
  start) rm -f "$work/pid"
    # The program's parent is a sleep that never reaps it: once it has ended,
    # /proc still tells whether it exited or died by a signal, as a shell cannot.
    ( (eval "exec env $environment ${!program} $arguments") </dev/null >"$work/out" 2>"$work/err" &
      echo $! >"$work/pid"; exec sleep 1000) &
    reaper=$! helpers+=" $!"
    wait_for test -s "$work/pid" && pid=$(cat "$work/pid") ;;
  window) wait_for found_window || fail "$case: the window did not appear" ;;
  +*) wait_for has_writes "${1#+}" || fail "$case: fewer than ${1#+} port writes after $last" ;;
  =*) [ "$(writes)" -eq "${1#=}" ] || fail "$case: $(writes) port writes after $last, not ${1#=}" ;;
  TERM | INT | HUP | CONT) kill -s "$1" "$pid" ;;
  STOP) kill -s STOP "$pid"
    wait_for grep -q '^State:.*stopped' "/proc/$pid/status" || fail "$case: not stopped" ;;
  alone) wait_for found_box || fail "$case: no message box"
    sleep 0.3
    [ "$(xdotool search --onlyvisible --name "^$caption\$" | wc -l)" -eq 1 ] ||
      fail "$case: the main window showed beside the message box" ;&
  box) wait_for found_box || fail "$case: no message box"
    xdotool windowfocus --sync "$box" key Return ;;
  ended) wait_for ended || fail "$case: still running after $last" ;;
  *:*) eval "${1//:/ }" ;;
  *) "$1" ;;
  esac
}

# Standard output, its PortOut lines written as 378:51 (Windows' CR LF as LF),
# must match a pattern.
# The kernel test's guest, where the host sees the port, replaces this.
check_output() {
  local got
  got=$(tr -d '\r' <"$work/out" | sed 's/^PortOut 0x\([0-9A-F]*\) 0x/\1:/' | paste -sd' ')
  [[ $got =~ $1 ]] || fail "$case: standard output is \"$got\", not /$1/"
}

# Runs the cases on standard input, one a line:
#   program | environment | arguments | steps | status | standard output | standard error
# program names a variable holding the command; environment goes to env(1);
# arguments may redirect the standard streams; status is the exit status or the
# signal the program died by (SIGTERM), or several with commas where the
# kernel may deliver either first (SIGINT,SIGTERM). Standard error, its lines
# joined by spaces, must match a pattern too, and when the program fails on its
# own hold at most two lines but Qt's. "-": nothing, for the steps, or no check.
run_cases() {
  local program environment arguments steps status out err v got
  while IFS='|' read -r program environment arguments steps status out err; do
    for v in program environment arguments steps status out err; do read -r "$v" <<<"${!v}"; done
    [ -n "$program" ] || continue
    [ "$environment" != - ] || environment=
    [ "$arguments" != - ] || arguments=
    case="$program $environment $arguments [$steps]"
    echo "-- $case"
    [[ " $steps " == *" start "* ]] || steps="start $steps"
    last=start
    for v in $steps; do [ "$v" = - ] || step "$v"; last=$v; done
    wait_for ended || fail "$case: still running after its steps"
    read -ra got <"/proc/$pid/stat" # its 52nd field: how it ended, as wait(2) tells
    if ((got[51] & 127)); then got=SIG$(kill -l $((got[51] & 127))); else got=$((got[51] >> 8)); fi
    kill "$reaper"; wait "$reaper" 2>/dev/null || true
    pid=
    [[ ",$status," == *",$got,"* ]] || fail "$case: ended with $got, not $status"
    [ "$out" = - ] || check_output "$out"
    [ "$err" = - ] || [[ $(tr '\n' ' ' <"$work/err") =~ $err ]] || fail "$case: standard error does not match /$err/"
    [ "$steps" != start ] || [ "$status" = 0 ] ||
      [ "$(grep -cv $'^QApplication:\\|^\t' "$work/err")" -le 2 ] || fail "$case: more than two lines on standard error"
    echo "ok: $case"
  done
}
