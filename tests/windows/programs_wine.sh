#!/usr/bin/env bash
# The real Windows programs, lptseg.exe and lptseg-sim.exe as the zip carries
# them, under Wine on an Xvfb display of their own with openbox, driven by
# real X input, one case a line (run_cases in ../e2e/xvfb_session.sh). Wine
# maps each window's client area onto an X window of its own, so the controls
# are clicked where the Linux tests click them; the figure is read back from a
# screenshot. lptseg.exe runs beside stand-ins of IO.dll and inpout32.dll
# that log every write to calls.log (IO.dll wins when both are there), or
# beside neither.
#   programs_wine.sh ZIP STAND_INS [SCREENSHOT]
# STAND_INS holds io.dll, inpout.dll and inpout_driver.dll (32-bit, built from
# tests/windows);
# SCREENSHOT keeps a picture of the screen with 7 shown.
set -euo pipefail
zip=$1 stand_ins=$2 screenshot=${3:-}
source "$(dirname "$0")/../e2e/xvfb_session.sh"
export QT_QPA_PLATFORM=windows # the Linux tests' xcb is no Windows platform
wine=/usr/lib/wine/wine
need_tools $wine=wine32:i386 unzip=unzip openbox=openbox convert=imagemagick \
  i686-w64-mingw32-windres=binutils-mingw-w64-i686
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1 || fail "no Wine prefix"

unzip -q "$zip" -d "$work/zip"
programs=$(echo "$work"/zip/*/)
for folder in io inpout driver none; do # $io runs lptseg.exe in io/, and so on
  mkdir "$work/$folder"
  cp "$programs/lptseg.exe" "$work/$folder/"
  declare "$folder=$wine $work/$folder/lptseg.exe"
done
cp "$stand_ins/io.dll" "$work/io/IO.dll"
cp "$stand_ins/inpout_driver.dll" "$work/io/inpout32.dll"
cp "$stand_ins/inpout.dll" "$work/inpout/inpout32.dll"
cp "$stand_ins/inpout_driver.dll" "$work/driver/inpout32.dll"
sim="$wine $programs/lptseg-sim.exe"

# What Explorer shows of lptseg.exe: the project's version, the window's
# caption as its description, and a 48x48 icon among its sizes.
resources=$(i686-w64-mingw32-windres -i "$programs/lptseg.exe" -O rc) || fail "windres cannot read lptseg.exe"
IFS=. read -r major minor patch < <(sed -n 's/^project(lptseg VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
for value in "\"ProductVersion\", \"$major.${minor:-0}.${patch:-0}\"" "\"FileDescription\", \"$caption\""; do
  grep -qF "VALUE $value" <<<"$resources" || fail "lptseg.exe lacks the version value $value"
done
grep -qF '"\060\060\000\000"' <<<"$resources" || fail "lptseg.exe has no 48x48 icon"
cd "$work" # the stand-ins log to calls.log here

command openbox --sm-disable >/dev/null 2>&1 &
helpers+=" $!"
wait_for eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

# The writes are counted on standard output and in the stand-ins' log alike.
writes() { cat "$work/out" "$work/calls.log" 2>/dev/null | grep -c '^\(PortOut\|Out32\)' || true; }
# calls:ENTRY:378:00:...: the stand-in's log is those writes, in that order.
calls() {
  local entry=$1 expected="" got
  shift
  while [ $# -gt 0 ]; do expected+="$entry 0x$1 0x$2"$'\n'; shift 2; done
  got=$(tr -d '\r' <"$work/calls.log")
  [ "$got"$'\n' = "$expected" ] || fail "$case: the library got \"$got\", not \"$expected\""
  rm "$work/calls.log"
}

# The screen as it is, kept for a person to look at.
shot() { [ -z "$screenshot" ] || import -window root "$screenshot"; }
# The close box of openbox's frame, at the right end of its title bar.
close_box() {
  step window
  read -r _ right top _ <<<"$(cardinals "-id $win" _NET_FRAME_EXTENTS)"
  eval "$(xwininfo -id "$win" | awk '/Absolute upper-left X/ { print "X=" $4 } /Absolute upper-left Y/ { print "Y=" $4 }
    /Width:/ { print "WIDTH=" $2 }')"
  xdotool mousemove $((X + WIDTH + right - 10)) $((Y - top / 2)) click 1
}
# A Windows command: taskkill without /F, the session's end (WM_QUERYENDSESSION, WM_ENDSESSION).
windows() { "$wine" "$@" >/dev/null 2>&1; }

run_cases <<CASES
sim    | - | - | 7 +2 shows:abc shot Brisi +3 shows: 278 8 +4 shows:abcdefg close_box | 0 | ^378:00 378:51 378:00 278:FF 278:00$ | simuliran
sim    | - | - | 7 +2 INT ended      | 58 | ^378:00 378:51 378:00$ | -
sim    | - | - | 3BC 7 +2 windows:taskkill:/im:lptseg-sim.exe | 0 | ^378:00 3BC:51 3BC:00$ | -
sim    | - | - | 7 +2 windows:wineboot:--end-session | 0 | ^378:00 378:51 378:00$ | -
io     | - | - | 7 +2 278 8 +3 Zatvori ended calls:PortOut:378:00:378:51:278:FF:278:00 | 0 | - | -
inpout | - | - | 7 +2 Zatvori ended calls:Out32:378:00:378:51:378:00 | 0 | - | -
io     | - | --port=0xE800 | 7 +2 Zatvori ended calls:PortOut:E800:00:E800:51:E800:00 | 0 | - | -
io     | - | --port=0x100 | Zatvori ended calls:PortOut:100:00:100:00 | 0 | - | -
io     | - | --port=FF | - | 1 | - | „FF“ nije adresa
driver | INPOUT_STAND_IN_DRIVER=0 | - | alone | 1 | - | Upravljački program biblioteke inpout32\.dll nije učitan
driver | INPOUT_STAND_IN_DRIVER=unloadable | - | alone | 1 | - | Biblioteku inpout32\.dll nije moguće učitati
none   | - | - | alone | 1 | - | u mapu u kojoj je lptseg\.exe .*IO\.dll.*inpout32\.dll
CASES
echo "PASS: the Windows programs under Wine"
