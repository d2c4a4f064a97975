# For the kernel test: boots a Linux guest under QEMU (TCG) with ISA
# parallel ports, which runs one command of the host's inside a chroot of the
# host's own root, and keeps every byte written to a port's data register and
# every line on the guest's serial console, in the order they happened.
# Source it, then call prepare_guests once and boot_guest for each guest. Needs
# $work (a scratch folder) and $cache (a folder kept between runs for the kernel
# and the initramfs).

for tool in qemu-system-x86_64 busybox cpio xz modprobe; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (run scripts/setup.sh)"; exit 1; }
done
kernel_release=$(ls /lib/modules | sort -V | tail -n1)
modules=/lib/modules/$kernel_release
[ -r "/boot/vmlinuz-$kernel_release" ] ||
  { echo "FAIL: no /boot/vmlinuz-$kernel_release for the modules in $modules (run scripts/setup.sh)"; exit 1; }
[ -r /usr/share/qemu/qboot.rom ] || { echo "FAIL: QEMU's qboot.rom is missing"; exit 1; }

# The uncompressed kernel boots faster than the bzImage: nothing to decompress
# under emulation, and qboot can load it directly.
unpacked_kernel() {
  local image=/boot/vmlinuz-$kernel_release out=$cache/vmlinux-$kernel_release offset
  if [ ! -s "$out" ] || [ "$image" -nt "$out" ]; then
    offset=$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$image" | head -n1 | cut -d: -f1)
    [ -n "$offset" ] || { echo "FAIL: $image is not an xz-compressed kernel" >&2; exit 1; }
    tail -c +"$((offset + 1))" "$image" | xz -dc 2>/dev/null >"$out.new" || true
    [ "$(head -c4 "$out.new" | od -An -c | tr -d ' ')" = '177ELF' ] ||
      { echo "FAIL: could not unpack $image" >&2; exit 1; }
    mv "$out.new" "$out"
  fi
  echo "$out"
}

# A busybox initramfs whose /init mounts the host's root read-only over 9p,
# under a tmpfs overlay so that the guest can write, and runs the command
# given on the kernel command line inside it.
initramfs() {
  local out=$cache/initramfs-$kernel_release.cpio.gz root=$work/initramfs needed load
  # In the order they load, each module once.
  needed=$(for m in virtio_pci 9pnet_virtio 9p overlay; do modprobe -S "$kernel_release" --show-depends "$m"; done |
    awk '$1 == "insmod" && !seen[$2]++ { print $2 }')
  if [ -s "$out" ] && [ "$out" -nt "${BASH_SOURCE[0]}" ] && [ "$out" -nt "$modules/modules.dep" ]; then
    echo "$out"; return
  fi
  rm -rf "$root"; mkdir -p "$root/bin" "$root/modules" "$root/proc" "$root/sys" "$root/dev" "$root/host" "$root/rw" "$root/guest"
  cp "$(command -v busybox)" "$root/bin/busybox"
  [ -n "$needed" ] || { echo "FAIL: the 9p and overlay modules are not in $modules" >&2; exit 1; }
  # shellcheck disable=SC2086
  cp $needed "$root/modules/"
  load=$(for m in $needed; do printf '%s ' "$(basename "$m")"; done)
  cat >"$root/init" <<INIT
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t devtmpfs dev /dev
for m in $load; do insmod /modules/\$m || echo "init: \$m did not load"; done
mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=524288 host /host
mount -t tmpfs tmpfs /rw
mkdir /rw/upper /rw/work
mount -t overlay overlay -o lowerdir=/host,upperdir=/rw/upper,workdir=/rw/work /guest
mount -t proc proc /guest/proc
mount -t sysfs sys /guest/sys
mount -t devtmpfs dev /guest/dev
mount -t tmpfs tmpfs /guest/run
# The command starts with an empty environment but for the guest_* variables
# of the kernel command line.
chroot /guest /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \$(env | grep '^guest_') bash "\$guest_command"
echo "guest: the command ended with status \$?"
echo o >/proc/sysrq-trigger
sleep 60
INIT
  chmod +x "$root/init"
  (cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) >"$out.new"
  mv "$out.new" "$out"
  echo "$out"
}

# Sets $guest_kernel and $guest_initrd, made anew only when the installed kernel changes.
prepare_guests() {
  guest_kernel=$(unpacked_kernel)
  guest_initrd=$(initramfs)
}

# boot_guest NAME 'kernel arguments' [QEMU device options...]
# The kernel arguments name the script to run (guest_command=PATH) and may set
# more guest_* variables for it; values cannot hold spaces.
# Leaves $work/NAME.console (the serial console) and $work/NAME.writes (QEMU's
# trace of every write to the parallel and serial ports, for events below).
boot_guest() {
  local name=$1 append=$2
  shift 2
  local fifo=$work/$name.trace
  mkfifo "$fifo"
  # QEMU traces every memory and I/O write; only the parallel ports' and the
  # serial port's are kept, as they come.
  LC_ALL=C grep -F --line-buffered -e "name 'parallel'" -e "name 'serial'" <"$fifo" >"$work/$name.writes" &
  local filter=$!
  local status=0
  timeout "${guest_timeout:-300}" qemu-system-x86_64 \
    -machine pc -accel tcg,thread=multi -cpu max -smp 2 -m 1024 \
    -bios /usr/share/qemu/qboot.rom -kernel "$guest_kernel" -initrd "$guest_initrd" \
    -append "console=ttyS0 quiet panic=-1 $append" \
    -nodefaults -nographic -no-reboot -serial "file:$work/$name.console" \
    -fsdev local,id=hostroot,path=/,security_model=none,readonly=on,multidevs=remap \
    -device virtio-9p-pci,fsdev=hostroot,mount_tag=host \
    -trace enable=memory_region_ops_write -D "$fifo" \
    "$@" </dev/null >"$work/$name.qemu" 2>&1 || status=$?
  # A QEMU that never opened the trace leaves the filter waiting for a writer.
  local deadline=$((SECONDS + 10))
  while kill -0 "$filter" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
  kill "$filter" 2>/dev/null || true
  wait "$filter" || true
  [ "$status" -eq 0 ] || { echo "FAIL: QEMU ($name) ended with status $status"; cat "$work/$name.qemu"; tail -n 30 "$work/$name.console"; exit 1; }
}

# events NAME BASE... prints what guest NAME did, in order: "say TEXT" for each
# line on its serial console, "out 378:51" for each byte written to the data
# register at one of the port bases given.
events() {
  local name=$1
  shift
  LC_ALL=C awk -v bases="$*" '
    function hex(s,   i, n) {
      s = tolower(substr(s, 3)); n = 0
      for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
      return n
    }
    BEGIN { split(bases, b, " "); for (i in b) data[hex(b[i])] = 1 }
    {
      for (i = 1; i < NF; i++) { if ($i == "addr") a = hex($(i + 1)); if ($i == "value") v = hex($(i + 1)) }
      if ($0 ~ /name .parallel.$/) {
        if (a in data) printf "out %X:%02X\n", a, v
      } else if (a == 1019) {         # line control: bit 7 switches 0x3F8 to the divisor
        dlab = v >= 128
      } else if (a == 1016 && !dlab) { # the serial transmit register, one character
        if (v == 10) { print "say " line; line = "" } else if (v != 13) line = line sprintf("%c", v)
      }
    }' "$work/$name.writes"
}
