#!/usr/bin/env bash
# FT232R adapters for the kernel guest, made by the guest's own kernel: dummy_hcd
# joins a gadget controller to a host controller on a bus of its own, and a
# gadget with FTDI's identity (configfs, FunctionFS) has ftdi_recorder behind it,
# which answers libftdi's requests and records what reaches the adapter in
# /run/ft232r/N.record. Runs as root.
#   ftdi_gadget.sh plug N SERIAL   adapter N (1 or 2) plugged in
#   ftdi_gadget.sh allow           the udev rule's access: group plugdev, mode 0660
#   ftdi_gadget.sh pull N          adapter N pulled out
set -euo pipefail
config=/sys/kernel/config/usb_gadget
gadget=$config/ft232r${2:-} ffs=/run/ft232r/ffs${2:-} serial=${3:-}

# The adapter's device in sysfs, by its serial number.
usb_device() { grep -lx "$1" /sys/bus/usb/devices/*/serial 2>/dev/null | xargs -r dirname; }
node() { printf '/dev/bus/usb/%03d/%03d' "$(cat "$1/busnum")" "$(cat "$1/devnum")"; }
wait_until() {
  local tries=300 # 30 s
  until "$@"; do
    ((--tries)) || { echo "ftdi_gadget: timed out waiting for: $*" >&2; exit 1; }
    sleep 0.1
  done
}

case $1 in
plug)
  if ! [ -d "$config" ]; then
    # Full speed, as the FT232R has; two controllers, for two adapters.
    modprobe dummy_hcd is_high_speed=0 num=2
    modprobe -a libcomposite usb_f_fs
    mountpoint -q /sys/kernel/config || mount -t configfs configfs /sys/kernel/config
  fi
  mkdir -p "$gadget/strings/0x409" "$gadget/configs/c.1" "$gadget/functions/ffs.ft232r$2" "$ffs"
  echo 0x0403 >"$gadget/idVendor"
  echo 0x6001 >"$gadget/idProduct"
  echo 0x0600 >"$gadget/bcdDevice" # what libftdi reads the chip type from
  echo FTDI >"$gadget/strings/0x409/manufacturer"
  echo "FT232R USB UART" >"$gadget/strings/0x409/product"
  echo "$3" >"$gadget/strings/0x409/serialnumber"
  ln -s "$gadget/functions/ffs.ft232r$2" "$gadget/configs/c.1/"
  mount -t functionfs "ft232r$2" "$ffs"
  setsid "$guest_recorder" "$ffs" "/run/ft232r/$2.record" </dev/null >"/run/ft232r/$2.log" 2>&1 &
  wait_until test -e "$ffs/ep2"
  echo "dummy_udc.$(($2 - 1))" >"$gadget/UDC"
  # Enumerated and configured by the USB core, its device node made.
  wait_until eval '[ -n "$(usb_device "$serial")" ] && [ "$(cat "$(usb_device "$serial")/bConfigurationValue")" = 1 ]'
  wait_until test -c "$(node "$(usb_device "$serial")")"
  ;;
allow)
  for device in $(grep -lx 0403 /sys/bus/usb/devices/*/idVendor | xargs dirname); do
    chgrp plugdev "$(node "$device")" && chmod 660 "$(node "$device")"
  done
  ;;
pull)
  serial=$(cat "$gadget/strings/0x409/serialnumber")
  echo >"$gadget/UDC"
  wait_until eval '[ -z "$(usb_device "$serial")" ]'
  ;;
esac
