#!/usr/bin/env bash
# The real Windows programs, lptseg.exe and lptseg-sim.exe as the zip carries
# them, under Wine on an Xvfb display of their own with openbox, driven by
# real X input, one case a line (run_cases in ../e2e/xvfb_session.sh). Wine
# maps each window's client area onto an X window of its own, so the controls
# are clicked where the Linux tests click them; the figure is read back from a
# screenshot. lptseg.exe runs beside stand-ins of IO.dll and inpout32.dll
# that log every write to calls.log (IO.dll wins when both are there), or
# beside neither; lptseg.exe --ftdi, also started by the zip's lptseg-USB.cmd,
# meets a stand-in of FTDI's ftd2xx.dll that logs every call.
#   programs_wine.sh ZIP STAND_INS [SCREENSHOT]
# STAND_INS holds io.dll, inpout.dll, inpout_driver.dll and ftd2xx.dll (32-bit,
# built from tests/windows);
# SCREENSHOT keeps a picture of the screen with 7 shown.
set -euo pipefail
zip=$1 stand_ins=$2 screenshot=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/xvfb_session.sh"
export QT_QPA_PLATFORM=windows # the Linux tests' xcb is no Windows platform
wine=/usr/lib/wine/wine
need_tools $wine=wine32:i386 unzip=unzip openbox=openbox convert=imagemagick \
  i686-w64-mingw32-windres=binutils-mingw-w64-i686
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1 || fail "no Wine prefix"

unzip -q "$zip" -d "$work/zip"
programs=$(echo "$work"/zip/*/)
for folder in io inpout driver none ftdi; do # $io runs lptseg.exe in io/, and so on
  mkdir "$work/$folder"
  cp "$programs/lptseg.exe" "$work/$folder/"
  declare "$folder=$wine $work/$folder/lptseg.exe"
done
cp "$stand_ins/io.dll" "$work/io/IO.dll"
cp "$stand_ins/inpout_driver.dll" "$work/io/inpout32.dll"
cp "$stand_ins/inpout.dll" "$work/inpout/inpout32.dll"
cp "$stand_ins/inpout_driver.dll" "$work/driver/inpout32.dll"
cp "$stand_ins/ftd2xx.dll" "$programs/lptseg-USB.cmd" "$work/ftdi/"
sim="$wine $programs/lptseg-sim.exe"
# The USB adapter's way as the zip starts it: cmd ends at once, and the
# stand-in's log shows when lptseg.exe has.
usb="$wine cmd /c $work/ftdi/lptseg-USB.cmd"

# What Explorer shows of lptseg.exe: the project's version, the window's
# caption as its description, and a 48x48 icon among its sizes.
resources=$(i686-w64-mingw32-windres -i "$programs/lptseg.exe" -O rc) || fail "windres cannot read lptseg.exe"
IFS=. read -r major minor patch < <(sed -n 's/^project(lptseg VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
for value in "\"ProductVersion\", \"$major.${minor:-0}.${patch:-0}\"" "\"FileDescription\", \"$caption\""; do
  grep -qF "VALUE $value" <<<"$resources" || fail "lptseg.exe lacks the version value $value"
done
grep -qF '"\060\060\000\000"' <<<"$resources" || fail "lptseg.exe has no 48x48 icon"
cd "$work" # the stand-ins log to calls.log here

command openbox --sm-disable >/dev/null 2>&1 &
helpers+=" $!"
wait_for eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

# The writes are counted on standard output and in the stand-ins' log alike.
writes() { cat "$work/out" "$work/calls.log" 2>/dev/null | grep -c '^\(PortOut\|Out32\|FT_Write\)' || true; }
# The stand-in's log (Windows' CR LF read as LF) has this line, or is these lines
# once their last line has come.
has_line() { tr -d '\r' <"$work/calls.log" 2>/dev/null | grep -qxF -- "$1"; }
logged() {
  local expected=$1 got
  wait_for has_line "${expected##*$'\n'}" || true
  got=$(tr -d '\r' <"$work/calls.log")
  [ "$got" = "$expected" ] || fail "$case: the library got \"$got\", not \"$expected\""
  rm "$work/calls.log"
}
# calls:ENTRY:378:00:...: the port library's log is those writes, in that order.
calls() { logged "$(printf "$1 0x%s 0x%s\n" "${@:2}")"; }
# d2xx:N:SERIAL:00:51:...: ftd2xx.dll was asked for the N adapters present,
# opened SERIAL, set all eight lines to outputs in bit-bang mode, then took
# those bytes one a write (51=4: that write failed with status 4), and closed it.
d2xx() {
  local count=$1 serial=$2 index expected=FT_CreateDeviceInfoList
  shift 2
  for ((index = 0; index < count; index++)); do expected+=$'\n'"FT_GetDeviceInfoDetail $index"; done
  expected+=$'\n'"FT_OpenEx $serial 1"$'\n'FT_ResetDevice$'\n'"FT_SetBaudRate 9600"$'\n'"FT_SetBitMode 0xFF 1"
  for index; do expected+=$'\n'"FT_Write 0x${index/=/ = }"; done
  logged "$expected"$'\n'FT_Close
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
# The MSI from beside the zip, installed silently: the Start menu's two entries
# start the installed lptseg.exe, the second with --ftdi, which then finds
# ftd2xx.dll where FTDI's driver puts it. $installed runs that second entry.
msi=${zip%.zip}.msi
msi_install() {
  local target arguments exe menu
  "$wine" msiexec /i "$msi" /qn || fail "$case: msiexec /i ended with $?"
  menu=("$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/lptseg)
  exe=$("$wine" winepath -u 'C:\Program Files (x86)\lptseg\lptseg.exe' 2>/dev/null | tr -d '\r')
  for entry in "paralelni port|" "USB adapter FTDI|--ftdi"; do
    IFS='|' read -r target arguments < <(python3 "$here/lnk_target.py" "${menu[0]}/lptseg (${entry%|*}).lnk") ||
      fail "$case: no Start-menu entry \"lptseg (${entry%|*})\""
    [ "$("$wine" winepath -u "$target" 2>/dev/null | tr -d '\r')" = "$exe" ] && [ "$arguments" = "${entry#*|}" ] ||
      fail "$case: \"lptseg (${entry%|*})\" starts \"$target\" \"$arguments\""
  done
  cp "$stand_ins/ftd2xx.dll" "$WINEPREFIX/drive_c/windows/syswow64/"
  installed="$wine $(printf %q "$target") $arguments"
}
# Uninstalled silently: nothing of lptseg is left on drive C:, in Program Files
# or the Start menu.
msi_uninstall() {
  "$wine" msiexec /x "$msi" /qn || fail "$case: msiexec /x ended with $?"
  set -- "$(find "$WINEPREFIX/drive_c" -iname '*lptseg*')"
  [ -z "$1" ] || fail "$case: left behind: $1"
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
io     | - | --port 0xE800 | 7 +2 Zatvori ended calls:PortOut:E800:00:E800:51:E800:00 | 0 | - | -
io     | - | --port=0x100 | Zatvori ended calls:PortOut:100:00:100:00 | 0 | - | -
io     | - | --port=FF | - | 1 | - | „FF“ nije adresa
driver | INPOUT_STAND_IN_DRIVER=0 | - | alone | 1 | - | Upravljački program biblioteke inpout32\.dll nije učitan
driver | INPOUT_STAND_IN_DRIVER=unloadable | - | alone | 1 | - | Biblioteku inpout32\.dll nije moguće učitati
none   | - | - | alone | 1 | - | u mapu u kojoj je lptseg\.exe .*IO\.dll.*inpout32\.dll
usb    | FTD2XX_STAND_IN_ADAPTERS=+FT5H2A,A50285BI | - | 7 +2 278 8 +3 Zatvori d2xx:2:A50285BI:00:51:FF:00 | 0 | - | -
ftdi   | FTD2XX_STAND_IN_ADAPTERS=A50285BI,FT4R2B7C | --ftdi=FT4R2B7C | 7 +2 Zatvori ended d2xx:2:FT4R2B7C:00:51:00 | 0 | - | -
ftdi   | FTD2XX_STAND_IN_ADAPTERS=A50285BI,+FT5H2A,FT4R2B7C | --ftdi=FT0000 | alone =0 | 1 | - | "FT0000" nije priključen\. Priključeni adapteri: A50285BI, FT4R2B7C\.
ftdi   | FTD2XX_STAND_IN_ADAPTERS=- | --ftdi | alone =0 | 1 | - | Nije pronađen nijedan FTDI adapter
ftdi   | FTD2XX_STAND_IN_ADAPTERS=*A50285BI | --ftdi | alone =0 | 1 | - | otvoren u drugom programu
ftdi   | FTD2XX_STAND_IN_FAIL=FT_OpenEx:1:3 | --ftdi | alone =0 | 1 | - | otvoren u drugom programu \(FT_DEVICE_NOT_OPENED
ftdi   | FTD2XX_STAND_IN_FAIL=FT_ResetDevice:1:4 | --ftdi | alone =0 | 1 | - | adapter nije moguće otvoriti \(FT_IO_ERROR, D2XX 4\)
ftdi   | FTD2XX_STAND_IN_FAIL=FT_SetBaudRate:1:4 | --ftdi | alone =0 | 1 | - | adapter nije moguće otvoriti \(FT_IO_ERROR, D2XX 4\)
ftdi   | FTD2XX_STAND_IN_FAIL=FT_SetBitMode:1:4 | --ftdi | alone =0 | 1 | - | u bit-bang način \(FT_IO_ERROR
ftdi   | FTD2XX_STAND_IN_FAIL=FT_Write:3:4 | --ftdi | 7 +2 8 box ended d2xx:1:A50285BI:00:51:FF=4 | 1 | - | pisati \(FT_IO_ERROR, D2XX 4\)\. Je li adapter iskopčan
ftdi   | FTD2XX_STAND_IN_FAIL=FT_Write:2:0 | --ftdi | 7 box ended d2xx:1:A50285BI:00:51=0 | 1 | - | adapter nije primio bajt
none   | - | --ftdi | alone | 1 | - | ftd2xx\.dll.*Windows Update
installed | - | - | msi_install start 7 +2 Zatvori ended d2xx:1:A50285BI:00:51:00 msi_uninstall | 0 | - | -
CASES
# The server saves the prefix on its way out; only then may it be removed.
"${wine%/*}/wineserver" -w
echo "PASS: the Windows programs under Wine"
