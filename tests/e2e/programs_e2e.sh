#!/usr/bin/env bash
# End to end: the real lptseg-sim (and lptseg where no port is needed) on an
# Xvfb display of its own, driven by real X input, one case a line (run_cases
# in xvfb_session.sh). Without a display: the command line, Qt's options left
# to Qt, and Qt that cannot start. Under X: clicks, drags, double clicks,
# keys held, Tab and the keypad give their port writes, and the buttons look
# pressed on the screen; every ending blanks the LEDs with its status; a trace
# that cannot be written; failures at load shown in a message box alone; the
# window centred on a bare X server and under openbox, whose close box ends it
# too (openbox then stays, for the cases after it); the X bell rung six times
# by "Zatvori" and never by any other ending; the banners, clock and keypad's
# colours moving on the screen.
#   programs_e2e.sh LPTSEG-SIM LPTSEG BELL-WATCHER
set -euo pipefail
sim=$1 lptseg=$2 watcher=$3
source "$(dirname "$0")/xvfb_session.sh"
need_tools setxkbmap=x11-xkb-utils openbox=openbox xprop=x11-utils xwininfo=x11-utils script=bsdutils unshare=util-linux
mkfifo "$work/fifo"
free=59 # a display with no server behind it
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

# The reader of the trace takes one line and goes; or it never reads, and the
# pipe is full.
reader() { head -n 1 <"$work/fifo" >"$work/out"; }
stuck() {
  exec 3<"$work/fifo"
  step window
  dd if=/dev/zero of="$work/fifo" bs=1 count=1M oflag=nonblock status=none 2>/dev/null || true
}
# The terminal that shows the trace, then closed: the program is hung up.
terminal() {
  script -qc "tty >'$work/tty'; exec sleep 1000" /dev/null </dev/null >/dev/null &
  terminal=$! helpers+=" $!"
  wait_for test -s "$work/tty" || fail "$case: no terminal"
  tty=$(cat "$work/tty")
}
hangup() { kill -KILL "$terminal"; wait "$terminal" 2>/dev/null || true; }
# The X server stopped (the window's thread soon blocks on the full
# connection), continued, killed.
stop_x() { kill -STOP "$xvfb_pid"; sleep 2; }
cont_x() { kill -CONT "$xvfb_pid"; }
kill_x() { kill "$xvfb_pid"; xvfb_pid=; }

# The standard descriptors the program found closed are open on /dev/null.
on_null() {
  for fd in "$@"; do
    [ "$(readlink "/proc/$pid/fd/$fd")" = /dev/null ] || fail "$case: descriptor $fd is not open on /dev/null"
  done
}
openbox() {
  command openbox --sm-disable >/dev/null 2>&1 &
  wm=$! helpers+=" $!"
  wait_for eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
}
framed() { [ -n "$(cardinals "-id $win" _NET_FRAME_EXTENTS)" ]; }
# The whole frame, title bar included, centred on the screen's free area to
# within 1 px (twice the centres, so that half pixels stay whole numbers).
centred() {
  step window
  [ -z "${wm:-}" ] || wait_for framed || fail "the window was not framed"
  sleep 0.5 # let the window settle where it goes
  read -r left right top bottom _ <<<"$(cardinals "-id $win" _NET_FRAME_EXTENTS 0 0 0 0)"
  read -r area_x area_y area_w area_h _ <<<"$(cardinals -root _NET_WORKAREA 0 0 1024 768)"
  eval "$(xwininfo -id "$win" | awk '/Absolute upper-left X/ { print "X=" $4 } /Absolute upper-left Y/ { print "Y=" $4 }
    /Width:/ { print "WIDTH=" $2 } /Height:/ { print "HEIGHT=" $2 }')"
  dx=$((2 * (X - left) + WIDTH + left + right - 2 * area_x - area_w))
  dy=$((2 * (Y - top) + HEIGHT + top + bottom - 2 * area_y - area_h))
  [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "$case: the frame is off the centre by ($dx, $dy)/2 px"
}
# Neither maximise nor resize offered, and a resize request refused.
fixed() {
  xprop -id "$win" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_CLOSE || fail "openbox lists no allowed actions"
  ! xprop -id "$win" _NET_WM_ALLOWED_ACTIONS | grep -Eq 'MAXIMIZE|RESIZE' || fail "openbox offers to maximise or resize"
  xdotool windowsize "$win" 500 500
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "${WIDTH}x${HEIGHT}" = 343x356 ] || fail "resized through the window manager to ${WIDTH}x${HEIGHT}"
}

# lptseg on a kernel that knows no parallel port, as on most PCs today: a mount
# namespace of its own hides /proc/sys/dev/parport, whatever ports this machine
# has. (Its /proc is made private first, so that nothing reaches the machine's;
# unshare's own way of doing so fails inside a chroot, whose / is no mount.)
# Its message sends the user to the hardware guide where the user has it.
noport="unshare -m --propagation unchanged $([ "$(id -u)" -eq 0 ] || echo -r) -- sh -c \
  'mount --make-rprivate /proc && mount -t tmpfs tmpfs /proc/sys/dev && exec \"\$@\"' - $lptseg"
case $lptseg in
/usr/bin/lptseg) guide=/usr/share/doc/lptseg/docs/hardware.md ;;
*) guide=$(cd "$(dirname "$0")/../.." && pwd)/docs/hardware.md ;;
esac
[ -f "$guide" ] || fail "the hardware guide is not at $guide"

# "listen": the X server's bells from here on, a line each; "rung:N": the
# program, once it has ended, rang N of them.
listen() {
  "$watcher" >"$work/bells" &
  bells=$! helpers+=" $!"
  wait_for grep -q '^ready$' "$work/bells" || fail "$case: the bell watcher did not start"
}
rung() {
  step ended
  wait_for eval "[ \$(grep -c '^bell$' $work/bells) -ge $1 ]" && sleep 0.5 && kill "$bells"
  [ "$(grep -c '^bell$' "$work/bells")" = "$1" ] || fail "$case: $(grep -c '^bell$' "$work/bells") bells, not $1"
}

# keypad:RRGGBB: the screen comes to show the ten digit buttons' faces in this
# colour (within 45 s: the keypad's timers), "Brisi" still yellow and "Zatvori"
# green. Each face is read at the left of its caption.
keypad() {
  local x y format="%[hex:u.p{36,224}] %[hex:u.p{36,244}]" want="FFFF00 00FF00"
  for y in 24 64 104 144 184; do for x in 36 84; do format+=" %[hex:u.p{$x,$y}]" want+=" $1"; done; done
  wait_seconds=45 wait_for eval 'import -window "$win" "$work/keypad.png" &&
    [ "$(convert "$work/keypad.png" -depth 8 -format "$format" info:)" = "$want" ]' ||
    fail "$case: the keypad does not come to show $1 on the screen"
}

# layout: the buttons lie where the design puts them (in twips, 15 a pixel),
# to the pixel: each bevel white at its top-left corner with the window's cyan
# just outside it, and black at its bottom-right corner ("Brisi"'s lies under
# "Zatvori").
layout() {
  local place left top width height format= want=
  for place in {480,1200}\ {120,720,1320,1920,2520}\ 615\ 495 "480 3480 1335 345" "480 3240 1335 0"; do
    read -r left top width height <<<"$place"
    format+="%[hex:u.p{$((left / 15 - 1)),$((top / 15 - 1))}] %[hex:u.p{$((left / 15)),$((top / 15))}] "
    want+="00FFFF FFFFFF "
    [ "$height" = 0 ] || { format+="%[hex:u.p{$(((left + width) / 15 - 1)),$(((top + height) / 15 - 1))}] "; want+="000000 "; }
  done
  step window
  import -window "$win" "$work/layout.png"
  [ "$(convert "$work/layout.png" -depth 8 -format "$format" info:)" = "$want" ] || fail "$case: the buttons are not where the design puts them"
}
# down:C, move:C, up:C: the left button goes down over a control, is dragged
# over another, goes up over one.
down() { step window; xdotool mousemove --window "$win" ${at[$1]} mousedown 1; }
move() { xdotool mousemove --window "$win" ${at[$1]}; }
up() { xdotool mousemove --window "$win" ${at[$1]} mouseup 1; }
# looks:D:raised or looks:D:sunken: the screen comes to show digit button D so,
# its bevel's top-left corner (20 and 16 px left of and above where it is
# clicked) white (light) or black (shadow).
corner() {
  set -- ${at[$1]} "$2" && import -window "$win" "$work/look.png" &&
    [ "$(convert "$work/look.png" -depth 8 -format "%[hex:u.p{$(($1 - 20)),$(($2 - 16))}]" info:)" = "$3" ]
}
looks() { wait_for corner "$1" "$([ "$2" = raised ] && echo FFFFFF || echo 000000)" || fail "$case: \"$1\" does not look $2"; }
# grep:-vqz:-e:SYSV:-e:memfd.xorg:/proc/$pid/maps: no shared memory of the X server's
# is mapped (System V or memfd): the window's images go over the X connection.
# decor: on the screen the credit banner shows blue ink, the number banner red,
# the time dark grey; each changes within a few seconds: the banners scroll, the
# clock ticks. (Each area in window pixels: WIDTHxHEIGHT+LEFT+TOP.)
crop() { import -window "$win" "$work/decor.png" && convert "$work/decor.png" -crop "$area" +repage -depth 8 "$1"; }
decor() {
  local area ink
  step window
  for area in 289x33+32+312:0000FF 97x25+192+176:FF0000 81x17+192+232:404040; do
    ink=${area#*:} area=${area%:*}
    wait_for eval 'crop txt:- | grep -c "#$ink" >/dev/null' || fail "$case: no $ink ink at $area"
    crop "$work/before.rgb"
    wait_for eval '! crop rgb:- | cmp -s - "$work/before.rgb"' || fail "$case: the $ink ink does not move"
  done
}

run_cases <<CASES
sim    | -u DISPLAY | -h        | - | 0 | ^Uporaba: lptseg-sim .*Delete.*Brisi | ^$
sim    | -u DISPLAY | --version | - | 0 | ^lptseg-sim [0-9]+\.[0-9]+ Licenca: GNU GPL, inačica 3 ili novija \(GPL-3\.0-or-later\)\.$ | ^$
sim    | -u DISPLAY | --bogus   | - | 2 | ^$ | ^lptseg-sim: nepoznata opcija „--bogus“\..*--help
sim    | -u DISPLAY | -platform offscreen -display :3 -v | - | 0 | ^lptseg-sim [0-9] | ^$
sim    | -u DISPLAY | -hx       | - | 2 | ^$ | ^lptseg-sim: nepoznata opcija „-hx“\.
sim    | -u DISPLAY | -reverse=1 | - | 2 | ^$ | nepoznata opcija „-reverse=1“\.
sim    | -u DISPLAY | --version=2 | - | 2 | ^$ | opcija „--version=2“ ne prima vrijednost\.
lptseg | -u DISPLAY | --ftdi A9X1 | - | 2 | ^$ | suvišan argument „A9X1“\.
lptseg | -u DISPLAY | --ftdi=  | - | 2 | ^$ | opcija „--ftdi=“ traži serijski broj adaptera \(ili samo --ftdi za prvi\)\.
lptseg | -u DISPLAY | --port   | - | 2 | ^$ | opcija „--port“ traži port, npr\. --port=/dev/parport1 ili --port=0xE800\.
lptseg | -u DISPLAY | --ftdi --port=parport1 | - | 2 | ^$ | opcije --port i --ftdi ne mogu se zadati zajedno\.
sim    | -u DISPLAY | --platform=xcb:nograb -style fusion -stylesheet=a.qss -qwindowtitle 'x y' -reverse --display :$free | - | 1 | ^$ | X zaslon „:$free“
sim    | -u DISPLAY | --ftdi    | - | 2 | ^$ | ^lptseg-sim: nepoznata opcija „--ftdi“\.
sim    | -u DISPLAY | -         | - | 1 | ^$ | X zaslon nije zadan.*DISPLAY
sim    | -u DISPLAY | -display :$free | - | 1 | ^$ | ^lptseg-sim: nije moguće spojiti se na X zaslon „:$free“
sim    | QT_QPA_PLATFORM=offscreen DISPLAY=:$free | -platform xcb | - | 1 | ^$ | X zaslon „:$free“
sim    | -u DISPLAY | --platform=offscreen | - | 1 | ^$ | ^lptseg-sim: Qt ne može pokrenuti grafičku platformu „xcb“\. .*-platform
lptseg | -          | --help >/dev/full | - | 1 | - | ^lptseg: pomoć nije moguće ispisati na standardni izlaz
sim    | QT_QPA_PLATFORM=minimal | >/dev/full | - | 1 | - | Simulirani zapis 0x00
sim    | | -platform offscreen -style nosuchstyle >/dev/full | - | 1 | - | style override .nosuchstyle.*Simulirani zapis 0x00 .*nije moguće ispisati
sim    | - | - | listen start centred grep:-vqz:-e:SYSV:-e:memfd.xorg:/proc/\$pid/maps 7 +2 Brisi +3 278 8 +4 xdotool:keydown:space sleep:1.5 =4 xdotool:keyup:space +5 setxkbmap:fr xdotool:key:shift+egrave:ctrl+shift+egrave:shift+agrave +7 Zatvori rung:6 | 0 | ^378:00 378:51 378:00 278:FF 278:FF 278:51 278:F7 278:00$ | simuliran
sim    | - | -         | listen start 7 +2 TERM rung:0 | SIGTERM | ^378:00 378:51 378:00$ | -
sim    | - | -         | 278 7 +2 INT            | SIGINT | ^378:00 278:51 278:00$ | -
sim    | - | -         | 3BC 7 +2 HUP            | SIGHUP | ^378:00 3BC:51 3BC:00$ | -
sim    | - | -         | 7 +2 STOP TERM INT CONT | SIGINT,SIGTERM | ^378:00 378:51 378:00$ | -
sim    | - | -         | 7 +2 stop_x TERM ended cont_x | SIGTERM | ^378:00 378:51 378:00$ | -
sim    | - | >\$tty    | terminal start window hangup HUP | SIGHUP | - | nije moguće ispisati
sim    | - | >$work/fifo | reader 7 box          | 1   | ^378:00$ | 0x51
sim    | - | >$work/fifo | stuck 7 TERM ended exec:3<&- | SIGTERM | - | -
sim    | - | >&-       | box                     | 1   | - | Standardni izlaz je zatvoren
sim    | - | <&- 2>&-  | 7 +2 on_null:0:2 TERM   | SIGTERM | ^378:00 378:51 378:00$ | -
sim    | - | >/dev/full | alone                  | 1   | - | nije moguće ispisati na standardni izlaz
noport | - | -         | alone                   | 1   | ^$ | nema paralelnog porta: .*Upute o sklopovlju \($guide\) kažu više\.
sim    | -u DISPLAY | -display $DISPLAY | listen openbox start centred fixed xdotool:key:alt+F4 rung:0 | 0 | ^378:00 378:00$ | -
sim    | - | - | layout decor down:7 looks:7:sunken move:8 looks:7:raised move:7 looks:7:sunken up:7 looks:7:raised +2 down:7 move:8 up:8 xdotool:click:--repeat:2:--delay:80:1 +4 TERM | SIGTERM | ^378:00 378:51 378:FF 378:FF 378:00$ | -
sim    | - | - | window xdotool:windowactivate:--sync:\$win xdotool:key:Return:Tab:Return:Tab:Return:Tab:Return:Tab:Return:Tab:Return:Tab:Return:Tab:Return:Tab:Return:Tab:Return:Tab:Tab:Right:Tab:Return:Tab:KP_Enter:Delete xdotool:key:Num_Lock:KP_Home:Num_Lock:KP_Home +15 sleep:0.5 =15 xdotool:keydown:7 sleep:1.5 looks:7:sunken xdotool:keyup:7 +25 TERM | SIGTERM | ^378:00 378:11 378:FB 378:FF 378:51 378:EF 378:6B 378:39 378:5B 378:5E 378:F7 278:00 278:11 278:00 278:51( 278:51){10,} 278:00$ | -
sim    | - | - | down:7 xdotool:keydown:space up:7 +2 looks:7:sunken xdotool:keyup:space +3 looks:7:raised xdotool:key:7 looks:7:raised down:7 xdotool:key:Tab up:7 xdotool:keydown:space xdotool:key:Tab xdotool:keyup:space sleep:0.5 =4 xdotool:key:space:space:space:Tab +7 TERM | SIGTERM | ^378:00 378:51 378:51 378:51( 378:6B){3} 378:00$ | -
sim    | - | -         | window keypad:FFFF00 keypad:FF4123 keypad:C34123 Zatvori | 0 | ^378:00 378:00$ | -
sim    | - | -         | 7 +2 kill_x             | 1   | ^378:00 378:51 378:00$ | Veza sa zaslonom je prekinuta
CASES
echo "PASS: every case as a user sees it"
