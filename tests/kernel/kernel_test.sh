#!/usr/bin/env bash
# End to end on a real Linux kernel: boots guests under QEMU (TCG) with
# emulated ISA parallel ports, runs the real lptseg in them through
# libieee1284, ppdev and parport_pc (guest_cases.sh, which checks each case's
# status and messages), and checks here every byte that reaches each port's
# data register, case by case. Two guests: the three classic ports, and a port
# at 0xE800 beside one at 0x278 (QEMU takes no more than three). The second also
# runs lptseg --ftdi against FT232R adapters that its own kernel makes, which
# ftdi_recorder stands behind (ftdi_gadget.sh).
#   kernel_test.sh LPTSEG CACHE_DIR [FTDI_RECORDER]
set -euo pipefail
lptseg=$(realpath "$1")
cache=$(realpath "$2")
recorder=${3:+$(realpath "$3")} # none: lptseg was built without the FTDI adapter
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$cache" "$work/root/bin" "$work/root/modules"
source "$here/../need_tools.sh"
need_tools qemu-system-x86_64=qemu-system-x86 busybox=busybox-static cpio=cpio modprobe=kmod
release=$(ls /lib/modules | sort -V | tail -n1)
kernel=/boot/vmlinuz-$release
[ -r "$kernel" ] || { echo "FAIL: no $kernel for the modules in /lib/modules (package linux-image-amd64; run scripts/setup.sh test)"; exit 1; }

# A busybox initramfs whose /init mounts the host's root read-only over 9p,
# under a tmpfs overlay so that the guest can write (and look names up without
# asking the host each time), and runs there the command named on the kernel
# command line, with an empty environment but for the guest_* variables.
initrd=$cache/initramfs-$release.cpio.gz
if ! [ "$initrd" -nt "$0" ] || ! [ "$initrd" -nt "/lib/modules/$release/modules.dep" ]; then
  modules=$(for m in virtio_pci 9pnet_virtio 9p overlay; do modprobe -S "$release" --show-depends "$m"; done |
    awk '$1 == "insmod" && !seen[$2]++ { print $2 }') # in the order they load, each once
  # shellcheck disable=SC2086
  cp $modules "$work/root/modules/"
  cp "$(command -v busybox)" "$work/root/bin/"
  cat >"$work/root/init" <<INIT
#!/bin/busybox sh
/bin/busybox --install -s /bin
for m in $(for m in $modules; do printf '%s ' "${m##*/}"; done); do insmod /modules/\$m; done
mkdir /host /rw /guest && mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=524288 host /host
mount -t tmpfs tmpfs /rw && mkdir /rw/upper /rw/work
mount -t overlay overlay -o lowerdir=/host,upperdir=/rw/upper,workdir=/rw/work /guest && cd /guest
mount -t proc proc proc && mount -t sysfs sys sys && mount -t devtmpfs dev dev && mount -t tmpfs tmpfs run
chroot . /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \$(env | grep '^guest_') bash "\$guest_command"
poweroff -f
INIT
  chmod +x "$work/root/init"
  (cd "$work/root" && find . | cpio -o -H newc --quiet | gzip -1) >"$initrd"
fi

# guest NAME BASE... boots a guest with ports at the bases given that runs the
# NAME cases. QEMU traces every write to the I/O ports; from those to the
# guest's serial console come the case's marks and results, from those to a
# parallel port's data register the bytes each case announces it expects.
guest() {
  local name=$1 i=0 base ports=()
  shift
  for base in "$@"; do
    ports+=(-chardev "null,id=lpt$i" -device "isa-parallel,chardev=lpt$i,iobase=$base,index=$i")
    i=$((i + 1))
  done
  # QEMU decodes 0x3BC only in part, so the kernel is told the addresses
  # rather than left to probe for them.
  timeout 300 qemu-system-x86_64 -machine pc -accel tcg,thread=multi -cpu max -smp 2 -m 1024 \
    -bios /usr/share/qemu/qboot.rom -kernel "$kernel" -initrd "$initrd" -nodefaults -nographic -no-reboot \
    -append "console=ttyS0 quiet panic=-1 parport_pc.io=$(IFS=,; echo "$*") parport_pc.irq=$(printf 'none,%.0s' "$@" | sed 's/,$//')
      guest_command=$here/guest_cases.sh guest_lptseg=$lptseg guest_recorder=$recorder guest_cases=$name" \
    -serial "file:$work/$name.console" -device virtio-9p-pci,fsdev=root,mount_tag=host \
    -fsdev local,id=root,path=/,security_model=none,readonly=on,multidevs=remap \
    -trace enable=memory_region_ops_write -D "$work/$name.writes" "${ports[@]}" </dev/null >"$work/$name.qemu" 2>&1 ||
    { echo "FAIL: QEMU ($name) ended with status $?"; cat "$work/$name.qemu"; }
  LC_ALL=C awk -v bases="$*" -v guest="$name" '
    BEGIN { for (i = 0; i < 256; i++) { v = sprintf("0x%x", i); byte[v] = sprintf("%02X", i); char[v] = sprintf("%c", i) }
      char["0xd"] = ""; split(bases, b, " "); for (i in b) data[b[i]] = 1 }
    $7 in data && /parallel/ { got = got sep toupper(substr($7, 3)) ":" byte[$9]; sep = " " }
    $7 != "0x3f8" || !/serial/ { next }
    $9 != "0xa" { line = line char[$9]; next }
    line ~ /^-- / { case_ = substr(line, 4); got = ""; sep = "" }
    line ~ /^ok: / { print line }
    line ~ /^@@ports / && got !~ substr(line, 9) { print "FAIL: " case_ ": the ports received \"" got "\", not /" substr(line, 9) "/"; failed = 1 }
    line == "@@done" { done = 1 }
    { line = "" }
    END { if (!done) print "FAIL: the " guest " guest did not finish its cases"; exit failed || !done }' "$work/$name.writes" ||
    { echo "--- the $name guest:"; tail -n 40 "$work/$name.console"; return 1; }
}

started=$SECONDS
# The two guests share the two cores; side by side they take little longer than one.
guest classic 0x378 0x278 0x3bc >"$work/classic.log" &
classic=$!
guest card 0xe800 0x278 >"$work/card.log" &
card=$!
status=0
wait "$classic" || status=1
wait "$card" || status=1
cat "$work/classic.log" "$work/card.log"
echo "The guests ran for $((SECONDS - started)) s."
[ "$status" -eq 0 ] || exit 1
echo "PASS: the real lptseg on a real kernel: every data register write as expected"
