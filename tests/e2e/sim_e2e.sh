#!/usr/bin/env bash
# End to end: starts lptseg-sim on its own Xvfb display, checks that the
# banners move and the clock shows, clicks "7", "Brisi", "278" and "8" with real
# X input, checks the segment colours on screen, holds Space on "8", types digits
# on a French keyboard, closes the window through WM_DELETE_WINDOW, and compares
# the port trace.
set -euo pipefail

sim=$1
wm_close=$2
source "$(dirname "$0")/xvfb_session.sh"
command -v setxkbmap >/dev/null || fail "setxkbmap is not installed (run scripts/setup.sh)"

"$sim" >"$work/out" 2>"$work/err" &
sim_pid=$!
started=$(date +%s%N)

wait_for found_window || fail "the window did not appear"

lines() { wc -l <"$work/out"; }
has_lines() { [ "$(lines)" -ge "$1" ]; }
wait_for has_lines 1 || fail "no port write at start"

# The colour of one window pixel as RRGGBB.
pixel() {
  convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1 | tr -d '#'
}
shot() { import -window "$win" "$work/shot.png"; }

expect_pixel() { # name x y RRGGBB
  local got
  got=$(pixel "$2" "$3")
  [ "$got" = "$4" ] || fail "$1 at ($2,$3) shows #$got, expected #$4"
}

# Unique colours in a region (w h x y) of a screenshot.
colours_in() { convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -format %k info:; }
# Pixels that differ between two screenshots in a region (w h x y).
changed_in() {
  convert "$1" -crop "${3}x${4}+${5}+${6}" +repage "$work/r1.png"
  convert "$2" -crop "${3}x${4}+${5}+${6}" +repage "$work/r2.png"
  compare -metric AE "$work/r1.png" "$work/r2.png" null: 2>&1 || true
}

# 1.5 s after start the clock has ticked; 200 ms later both banners have moved.
sleep "$(awk -v t="$started" -v now="$(date +%s%N)" 'BEGIN { s = 1.5 - (now - t) / 1e9; print (s > 0 ? s : 0) }')"
shot; cp "$work/shot.png" "$work/early.png"
sleep 0.2; shot
time_label="81 17 192 232"; number_banner="97 25 192 176"; credit_banner="289 33 32 312"
[ "$(colours_in "$work/early.png" $time_label)" -gt 1 ] || fail "the time label is empty 1.5 s after start"
moved() { [[ "$(changed_in "$work/early.png" "$work/shot.png" "$@")" =~ ^[1-9][0-9]* ]]; }
moved $number_banner || fail "the number banner did not move in 200 ms"
moved $credit_banner || fail "the credit banner did not move in 200 ms"

# Segment box centres in window pixels.
seg_a="240 33"; seg_b="280 64"; seg_c="280 128"; seg_d="240 161"
seg_e="200 128"; seg_f="200 64"; seg_g="240 97"
red=FF0000; white=FFFFFF

click 100 144                                   # "7"
wait_for has_lines 2 || fail "clicking 7 wrote nothing"
sleep 0.2; shot
for s in a b c; do v="seg_$s"; expect_pixel "segment $s after 7" ${!v} $red; done
for s in d e f g; do v="seg_$s"; expect_pixel "segment $s after 7" ${!v} $white; done

click 76 224                                    # "Brisi"
wait_for has_lines 3 || fail "clicking Brisi wrote nothing"

click 192 284                                   # option "278"
click 52 168                                    # "8"
wait_for has_lines 4 || fail "clicking 8 wrote nothing"
sleep 0.2; shot
for s in a b c d e f g; do v="seg_$s"; expect_pixel "segment $s after 8" ${!v} $red; done

# Held, Space auto-repeats: X sends release and press pairs all the while. It is
# still one press of the focused "8", written on the real release.
xdotool keydown space; sleep 1.5
[ "$(lines)" -eq 4 ] || fail "holding Space on 8 wrote before its release"
xdotool keyup space
wait_for has_lines 5 || fail "releasing Space on 8 wrote nothing"

# On a French keyboard the main-row digits take Shift: "7" is Shift and "è", "0"
# Shift and "à". With Ctrl the same key presses nothing.
setxkbmap fr
xdotool key shift+egrave ctrl+shift+egrave shift+agrave
wait_for has_lines 7 || fail "Shift and the French digit keys did not press 7 and 0"

"$wm_close" "$win" || fail "could not send the close request"
expect_status "closing the window" 0

expected='PortOut 0x378 0x00
PortOut 0x378 0x51
PortOut 0x378 0x00
PortOut 0x278 0xFF
PortOut 0x278 0xFF
PortOut 0x278 0x51
PortOut 0x278 0xF7
PortOut 0x278 0x00'
[ "$(cat "$work/out")" = "$expected" ] || fail "unexpected port trace"
grep -q 'simuliran' "$work/err" || fail "no notice on standard error that the port is simulated"
echo "PASS: banners, clock, segment colours, held Space, French digits and port trace as expected"
