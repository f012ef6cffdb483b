#!/bin/busybox sh
# /init of the test guest (tests/vm/make-initramfs.sh puts it into the initramfs).
# Loads the USB serial and 9p modules, mounts the host's root (9p, read-only) under a tmpfs
# overlay, waits for /dev/ttyUSB0 and runs one command in that root. Ends with the line
# ALVETRA-VM-EXIT=<status> on the console and powers the machine off.
#
# Kernel command line:
#   alvetra.run=PATH      the command, a path in the host's root (default /bin/sh)
#   alvetra.arg=WORD      an argument of it; repeatable, in order
#   alvetra.usbwait=S     longest wait for /dev/ttyUSB0 in seconds (default 20)
#   alvetra.udev=PATH     the package udev unpacked on the host (ALVETRA_VM_UDEV of the command)

/bin/busybox mkdir -p /proc /sys /dev /bin
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

finish() {
    echo "ALVETRA-VM-EXIT=$1"
    sync
    poweroff -f
    echo o >/proc/sysrq-trigger
    sleep 5
    exit "$1"   # init ending: the kernel panics, and panic=-1 with QEMU's -no-reboot ends the machine
}

run=/bin/sh
args=""
usbwait=20
udev=""
for word in $(cat /proc/cmdline); do
    case $word in
        alvetra.run=*) run=${word#*=} ;;
        alvetra.arg=*) args="$args ${word#*=}" ;;
        alvetra.usbwait=*) usbwait=${word#*=} ;;
        alvetra.udev=*) udev=${word#*=} ;;
    esac
done

while read -r module; do
    insmod "/lib/modules/$module" || echo "init: insmod $module failed"
done </lib/modules/load-order

mkdir -p /host /rw /newroot
# The 9p device may appear a moment after its driver loads.
tries=0
until mount -t 9p -o ro,trans=virtio,version=9p2000.L,msize=512000,cache=loose host /host 2>/dev/null; do
    tries=$((tries + 1))
    [ $tries -lt 50 ] || { echo "init: cannot mount the host's root (9p tag host)"; finish 120; }
    sleep 0.1
done
mount -t tmpfs -o mode=755 tmpfs /rw
mkdir -p /rw/upper /rw/work
mount -t overlay -o lowerdir=/host,upperdir=/rw/upper,workdir=/rw/work overlay /newroot \
    || { echo "init: overlay mount failed"; finish 121; }
mount -t proc proc /newroot/proc
mount -t sysfs sysfs /newroot/sys
mount -t devtmpfs devtmpfs /newroot/dev
mkdir -p /newroot/dev/pts
mount -t devpts devpts /newroot/dev/pts
mount -t tmpfs -o mode=1777 tmpfs /newroot/tmp
mount -t tmpfs -o mode=755 tmpfs /newroot/run

tenths=0
while [ ! -e /dev/ttyUSB0 ] && [ $tenths -lt $((usbwait * 10)) ]; do
    sleep 0.1
    tenths=$((tenths + 1))
done
[ -e /dev/ttyUSB0 ] || echo "init: no /dev/ttyUSB0 after ${usbwait} s"

case $run in
    *.sh) set -- /bin/sh "$run" ;;
    *) set -- "$run" ;;
esac
echo "ALVETRA-VM-UP=$(cut -d' ' -f1 /proc/uptime)"
# shellcheck disable=SC2086
chroot /newroot /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root \
    LANG=C.UTF-8 TERM=dumb ALVETRA_VM=1 ALVETRA_VM_UDEV="$udev" "$@" $args </dev/console >/dev/console 2>&1
finish $?
