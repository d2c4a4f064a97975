#!/usr/bin/env bash
# FT232R adapters for the kernel guest, made by the guest's own kernel: dummy_hcd
# joins a gadget controller to a host controller on a bus of its own, and a
# gadget with FTDI's identity (configfs, FunctionFS) has ftdi_recorder behind it,
# recording what reaches the adapter in /run/ft232r/N.record. Runs as root.
#   ftdi_gadget.sh plug N SERIAL   adapter N (1 or 2) plugged in
#   ftdi_gadget.sh pull N          adapter N pulled out
set -euo pipefail
gadget=/sys/kernel/config/usb_gadget/ft232r${2:-} ffs=/run/ft232r/ffs${2:-}
device() { grep -lx "$1" /sys/bus/usb/devices/*/serial 2>/dev/null | xargs -r dirname; }
configured() { [ "$(cat "$(device "$1")/bConfigurationValue" 2>/dev/null)" = 1 ]; }
gone() { [ -z "$(device "$1")" ]; }
wait_until() {
  for _ in $(seq 300); do "$@" && return; sleep 0.1; done
  echo "ftdi_gadget: timed out: $*" >&2; exit 1
}
case $1 in
plug)
  # Full speed, as the FT232R has; two controllers, for two adapters.
  modprobe dummy_hcd is_high_speed=0 num=2 && modprobe -a libcomposite usb_f_fs
  mountpoint -q /sys/kernel/config || mount -t configfs configfs /sys/kernel/config
  mkdir -p "$gadget/strings/0x409" "$gadget/functions/ffs.ft232r$2" "$gadget/configs/c.1" "$ffs"
  # libftdi tells the chip by bcdDevice: 0x0600 is an FT232R or FT245R.
  for value in idVendor=0x0403 idProduct=0x6001 bcdDevice=0x0600 strings/0x409/manufacturer=FTDI \
    "strings/0x409/product=FT232R USB UART" "strings/0x409/serialnumber=$3"; do
    echo "${value#*=}" >"$gadget/${value%%=*}"
  done
  ln -s "$gadget/functions/ffs.ft232r$2" "$gadget/configs/c.1/"
  mount -t functionfs "ft232r$2" "$ffs"
  setsid "$guest_recorder" "$ffs" "/run/ft232r/$2.record" </dev/null >"/run/ft232r/$2.log" 2>&1 &
  wait_until test -e "$ffs/ep2"
  echo "dummy_udc.$(($2 - 1))" >"$gadget/UDC"
  wait_until configured "$3" ;;
pull)
  serial=$(cat "$gadget/strings/0x409/serialnumber")
  echo >"$gadget/UDC"
  wait_until gone "$serial" ;;
esac
