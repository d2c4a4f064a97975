#!/usr/bin/env bash
# Runs as root inside a QEMU guest that kernel_test.sh boots: loads the
# parallel port drivers step by step and runs the real lptseg as the user
# nobody at each step, clicking it with xdotool on the guest's own Xvfb, one
# case a line (run_cases in ../e2e/xvfb_session.sh). Each case's exit status and
# standard error are checked here; its port writes, which the guest's console
# announces after each case ("@@ports PATTERN"), by the host. The card guest
# then runs lptseg --ftdi against FT232R adapters made by ftdi_gadget.sh, whose
# records are checked here.
#   guest_lptseg    the lptseg to run
#   guest_cases     classic (ports at 0x378, 0x278, 0x3BC) or card (0xE800, 0x278)
#   guest_recorder  ftdi_recorder; none, no FTDI cases
set -euo pipefail
wait_seconds=90 # everything is slow under emulation
source "$(dirname "$0")/../e2e/xvfb_session.sh"
home=$(mktemp -d)
chown 65534:65534 "$home"
# The build may lie where only its owner may pass (a clone in /root): the user
# may pass through to the program, in the guest's own overlay only.
dir=$(dirname "$guest_lptseg")
while [ "$dir" != / ]; do chmod o+x "$dir"; dir=$(dirname "$dir"); done
nobody="setpriv --reuid=65534 --regid=65534"
user="-- env HOME=$home XDG_RUNTIME_DIR=$home $guest_lptseg"
# In group lp, as a user who has set up access to the port is, or not; root
# loads the drivers. The ports get the group and mode udev gives them.
lp="$nobody --groups=$(getent group lp | cut -d: -f3) $user" other="$nobody --clear-groups $user" root=
ppdev="sh -c 'modprobe ppdev && chgrp lp /dev/parport? && chmod 660 /dev/parport?'"
usb="$nobody --groups=$(getent group plugdev | cut -d: -f3) $user" gadget="bash $(dirname "$0")/ftdi_gadget.sh"
# The README's udev rule for the adapters, each the first device on its bus.
allow="sh -c 'chgrp plugdev /dev/bus/usb/*/002 && chmod 660 /dev/bus/usb/*/002'"

# For the FTDI cases, what reached each FT232R since the last case, as
# "1:[WORDS] 2:[WORDS]" (the words of ftdi_recorder), must match the pattern.
check_output() {
  [[ $arguments == --ftdi* ]] || { echo "@@ports $1"; return; }
  local got= n
  for n in /run/ft232r/?.record; do got+="$(basename "$n" .record):[$(paste -sd' ' "$n")] " && : >"$n"; done
  [[ ${got% } =~ $1 ]] || fail "$case: the adapters received \"${got% }\", not /$1/"
}
# Dispatched X events are handled in order: once the figure shows the last
# digit clicked, 1 (shows:bc), every click before it has written its byte;
# and once adapter 1 has received a 00, lptseg has started.
wrote_00() { wait_for grep -qx 00 /run/ft232r/1.record || fail "$case: adapter 1 received no 00"; }
pull_out_1() { $gadget pull 1; }

# The writes of parport_pc's probe, when it loads, are no case's.
case $guest_cases in
classic) run_cases <<CASES ;;
lp    | - | -       | box | 1 | ^$ | nema paralelnog porta: jezgra ne poznaje nijedan.*--ftdi.*hardware\.md
root  | - | modprobe parport_pc | - | 0 | - | -
lp    | - | -       | box | 1 | ^$ | ^Paralelni port parport0 \(0x378\) nije moguće otvoriti\. Uređaj /dev/parport0 ne postoji: .*modprobe ppdev
root  | - | $ppdev  | -   | 0 | - | -
other | - | -       | box | 1 | ^$ | ^Paralelni port parport0 \(0x378\) nije moguće otvoriti\. Nema dozvole za /dev/parport0: .*grupe.*obično lp
lp    | - | -       | 7 Brisi 278 8 3BC 1 shows:bc TERM | SIGTERM | ^378:00 378:51 378:00 278:FF 3BC:11 3BC:00$ | -
CASES
card) run_cases <<CASES ;;
root  | - | modprobe parport_pc | - | 0 | - | -
root  | - | $ppdev  | -   | 0 | - | -
lp    | - | --port=parport9 | - | 1 | ^$ | ^lptseg: Paralelni port „parport9“ nije pronađen\. Pronađeni portovi: parport0 \(0xE800\), parport1 \(0x278\)\.
lp    | - | -       | box | 1 | ^$ | Na adresi 0x378 nema paralelnog porta\. Pronađeni portovi: parport0 \(0xE800\), parport1 \(0x278\)\.
lp    | - | --port=0xE800 | 7 278 8 3BC Brisi 1 shows:bc TERM | SIGTERM | ^E800:00 E800:51 E800:FF E800:00 E800:11 E800:00$ | -
lp    | - | --port=/dev/parport0 | 3BC 1 shows:bc TERM | SIGTERM | ^E800:00 E800:11 E800:00$ | -
CASES
esac
# Libftdi's own requests (reset, baud rate) come first; SET_BITMODE (0B) with
# bit-bang mode and all eight lines outputs (01FF) precedes every byte. The
# guests share the cases: one adapter in the classic guest, its serial number
# unreadable without access too, and refusing bit-bang mode, then the reset
# (SIO_RESET, 00) that opening sends; two in the card guest, where adapter 1 is
# pulled out while its window is open, then adapter 2: none is left.
requests='([0-9A-F]{2}:[0-9A-F]{4} )*'
[ -z "$guest_recorder" ] || case $guest_cases in
classic) run_cases <<CASES ;;
root  | - | $gadget plug 1 LPTSEG01 | - | 0 | - | -
other | - | --ftdi  | box | 1 | ^1:\[\]$ | ^Nema dozvole za pristup FTDI adapteru .*70-lptseg\.rules.*README
other | - | --ftdi=LPTSEG01 | box | 1 | ^1:\[\]$ | ^Serijski broj FTDI adaptera nije moguće pročitati\. Nema dozvole za pristup FTDI adapteru .*70-lptseg\.rules
root  | - | $allow | - | 0 | - | -
usb   | - | --ftdi  | 7 278 8 1 shows:bc TERM | SIGTERM | ^1:\[${requests}0B:01FF 00 51 FF 11 00\]$ | -
root  | - | sh -c 'echo 0B >/run/ft232r/1.record.stall' | - | 0 | - | -
usb   | - | --ftdi  | box | 1 | ^1:\[${requests}0B:01FF\]$ | ^FTDI adapter nije moguće prebaciti u bit-bang način \(.*\)\. Je li to doista FT232R ili FT245R
root  | - | sh -c 'echo 00 >/run/ft232r/1.record.stall' | - | 0 | - | -
usb   | - | --ftdi  | box | 1 | ^1:\[00:0000\]$ | ^FTDI adapter nije moguće otvoriti \(ftdi_usb_reset failed, libftdi -6\)\. Iskopčajte ga
CASES
card) run_cases <<CASES ;;
root  | - | sh -c '$gadget plug 1 LPTSEG01 && $gadget plug 2 LPTSEG02' | - | 0 | - | -
root  | - | $allow | - | 0 | - | -
usb   | - | --ftdi=LPTSEG02 | 1 shows:bc TERM | SIGTERM | ^1:\[\] 2:\[${requests}0B:01FF 00 11 00\]$ | -
usb   | - | --ftdi=NEMA | box | 1 | ^1:\[\] 2:\[\]$ | FTDI adapter sa serijskim brojem "NEMA" nije priključen\. Priključeni adapteri: LPTSEG0[12], LPTSEG0[12]\.
usb   | - | --ftdi=LPTSEG01 | window wrote_00 pull_out_1 7 box ended | 1 | ^1:\[${requests}0B:01FF 00\] 2:\[\]$ | Na FTDI adapter nije moguće pisati \(.*\)\. Je li adapter iskopčan\?
root  | - | $gadget pull 2 | - | 0 | - | -
usb   | - | --ftdi  | alone | 1 | ^1:\[\] 2:\[\]$ | Nije pronađen nijedan FTDI adapter FT232R ili FT245R \(USB 0403:6001\)\. Priključite
CASES
esac
echo "@@done"
