#!/bin/sh
# alvetra-cli against the Linux kernel's own USB serial driver (ftdi_sio), without hardware:
# a QEMU guest (Debian's kernel, tests/vm/make-initramfs.sh) with an emulated FT232 adapter
# whose far end is the simulated unit (alvetra-unit) on a pseudo-terminal of this machine.
# The guest runs the command in the host's root (read-only, under a tmpfs overlay), by default
# tests/vm/guest-checks.sh, and this script exits with the command's status.
#
#   sh scripts/vm-test.sh [GUEST-COMMAND [ARG...]]
#
# GUEST-COMMAND is a path on this machine (the guest sees the same path); the arguments go
# on the kernel command line, so none may hold a space. While the guest runs, this script pulls
# the adapter out and plugs it back in when the guest asks (the unplug step of guest-checks.sh).
# Environment: ALVETRA_VM_TIMEOUT longest run of the guest in seconds (default 480: the guest takes
# about 100 s here, and its emulated processor follows the host's speed),
# ALVETRA_BUILD the build folder (default build), ALVETRA_VM_UNIT_BAUD the unit's pace in bit/s
# (default 0: unpaced). Needs root the first time (apt-get).

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${ALVETRA_BUILD:-$ROOT/build}
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/alvetra/vm
LIMIT=${ALVETRA_VM_TIMEOUT:-480}
QMP="python3 $ROOT/tests/vm/qmp.py"

say() { printf 'vm-test: %s\n' "$*" >&2; }
ms() { echo $(($(date +%s%N) / 1000000)); }
seconds() { awk -v d="$1" 'BEGIN { printf "%.1f", d / 1000 }'; }
began=$(ms)

run=${1:-$ROOT/tests/vm/guest-checks.sh}
[ $# -gt 0 ] && shift
case $run in
    /*) ;;
    *) run=$(pwd)/$run ;;
esac
[ -e "$run" ] || { say "no $run"; exit 2; }
append="console=ttyS0 quiet panic=-1 alvetra.run=$run alvetra.udev=$CACHE/udev"
for arg in "$@"; do
    case $arg in
        '' | *[[:space:]]*) say "a guest argument may not be empty or hold a space: '$arg'"; exit 2 ;;
    esac
    append="$append alvetra.arg=$arg"
done
for tool in alvetra-cli alvetra-unit tests/vm_window_check; do
    [ -x "$BUILD/$tool" ] || { say "no $BUILD/$tool; build first (sh scripts/build.sh)"; exit 2; }
done

timeout 900 sh "$ROOT/tests/vm/make-initramfs.sh" || { say "no kernel or initramfs"; exit 2; }
kernel=$CACHE/vmlinux
[ -f "$kernel" ] || kernel=$CACHE/vmlinuz

T=$(mktemp -d "${TMPDIR:-/tmp}/alvetra-vm.XXXXXX") || exit 2
unit_pid=""
qemu_pid=""
watch_pid=""
pull_pid=""
cleanup() {
    for pid in $watch_pid $pull_pid; do
        pkill -P "$pid" 2>/dev/null
        kill "$pid" 2>/dev/null
    done
    # qemu_pid is timeout(1), which passes the signal on to QEMU.
    for pid in $qemu_pid $unit_pid; do
        kill "$pid" 2>/dev/null
    done
    for pid in $watch_pid $pull_pid $qemu_pid $unit_pid; do
        wait "$pid" 2>/dev/null
    done
    rm -rf "$T"
}
# dash runs the EXIT trap on exit, also on an exit from a signal's trap, not on the signal itself.
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# The unit takes its commands (latency, ...) from a FIFO this script keeps open on fd 3.
mkfifo "$T/unit.in"
exec 3<>"$T/unit.in"
"$BUILD/alvetra-unit" --baud "${ALVETRA_VM_UNIT_BAUD:-0}" --link "$T/unit" --verbose <&3 >"$T/unit.log" 2>&1 &
unit_pid=$!
tenths=0
until [ -e "$T/unit" ]; do
    kill -0 "$unit_pid" 2>/dev/null && [ $tenths -lt 100 ] || { say "alvetra-unit did not start"; cat "$T/unit.log"; exit 2; }
    sleep 0.1
    tenths=$((tenths + 1))
done

# The adapter has a serial number of its own, as FTDI's chips do: plugged back in, it gets the
# same /dev/serial/by-id name (QEMU's default names the USB port, which changes with each plug).
ADAPTER_SERIAL=A10ALVET
adapter='{"driver": "usb-serial", "chardev": "C", "id": "adapter", "bus": "xhci.0", "serial": "'$ADAPTER_SERIAL'"}'

: >"$T/console.log"
qemu_began=$(ms)
timeout -k 5 "$LIMIT" nice -n 10 qemu-system-x86_64 -nodefaults -machine q35 -accel tcg,thread=multi -smp 2 -m 512 \
    -kernel "$kernel" -initrd "$CACHE/initramfs.gz" -append "$append" \
    -display none -serial "file:$T/console.log" -no-reboot \
    -chardev "serial,id=C,path=$T/unit" \
    -device qemu-xhci,id=xhci -device usb-serial,chardev=C,id=adapter,bus=xhci.0,serial=$ADAPTER_SERIAL \
    -virtfs local,path=/,mount_tag=host,readonly=on,multidevs=remap,security_model=none \
    -qmp "unix:$T/qmp.sock,server=on,wait=off" >"$T/qemu.log" 2>&1 &
qemu_pid=$!

running() { kill -0 "$qemu_pid" 2>/dev/null; }
# Waits while QEMU runs until the guest's console shows $1.
await() {
    until grep -q "$1" "$T/console.log"; do
        running || return 1
        sleep 0.1
    done
}
stamp() { echo "host: $(seconds $(($(ms) - qemu_began))) s: $*"; }

# The host's side of the unplug step: once the guest is armed, slow the unit's replies, pull
# the adapter out after the unit has answered three read requests, and plug it back in when
# the guest has seen it go.
watch_unplug() {
    await ALVETRA-VM-STEP=unplug-armed || return 0
    base=$(wc -l <"$T/unit.log")
    echo "latency 50" >&3
    reads=0
    while [ "$reads" -lt 3 ]; do
        running || return 0
        if grep -q ALVETRA-VM-STEP=unplug-done "$T/console.log"; then
            stamp "the read ended after $reads read requests, before the adapter could be pulled out"
            return 0
        fi
        sleep 0.05
        reads=$(tail -n +$((base + 1)) "$T/unit.log" | grep -cE '^<- :C5[0-9A-F]{2}02')
    done
    if $QMP "$T/qmp.sock" device_del '{"id": "adapter"}' --wait-event DEVICE_DELETED >/dev/null; then
        stamp "adapter pulled out after $reads read requests"
    else
        echo "FAIL host: device_del"
    fi
    await ALVETRA-VM-STEP=unplug-done || return 0
    echo "latency 0" >&3
    if answer=$($QMP "$T/qmp.sock" device_add "$adapter" 2>&1); then
        stamp "adapter plugged back in"
    else
        echo "FAIL host: device_add: $answer"
    fi
}
watch_unplug >"$T/host.log" 2>&1 &
watch_pid=$!

# The host's side of the ports steps: the adapter pulled out and plugged in on the guest's word,
# as often as it asks (the nth "pull" line, then the nth "plug").
await_nth() {
    until [ "$(grep -c "$1" "$T/console.log")" -ge "$2" ]; do
        running || return 1
        sleep 0.1
    done
}
watch_pull_plug() {
    n=1
    while await_nth ALVETRA-VM-STEP=pull $n; do
        $QMP "$T/qmp.sock" device_del '{"id": "adapter"}' --wait-event DEVICE_DELETED >/dev/null \
            && stamp "adapter pulled out ($n)" || echo "FAIL host: device_del"
        await_nth ALVETRA-VM-STEP=plug $n || return 0
        answer=$($QMP "$T/qmp.sock" device_add "$adapter" 2>&1) \
            && stamp "adapter plugged in ($n)" || echo "FAIL host: device_add: $answer"
        n=$((n + 1))
    done
}
watch_pull_plug >"$T/host-ports.log" 2>&1 &
pull_pid=$!

up_at=""
while ! grep -q 'ALVETRA-VM-EXIT=' "$T/console.log" && running; do
    [ -z "$up_at" ] && grep -q 'ALVETRA-VM-UP=' "$T/console.log" && up_at=$(ms)
    sleep 0.1
done
[ -z "$up_at" ] && grep -q 'ALVETRA-VM-UP=' "$T/console.log" && up_at=$(ms)
ended_at=$(ms)
# After its last line the guest powers off; QEMU then ends by itself.
tenths=0
while running && [ $tenths -lt 100 ]; do
    sleep 0.1
    tenths=$((tenths + 1))
done
running && kill "$qemu_pid"
wait "$qemu_pid"
qemu_status=$?
qemu_pid=""
sleep 0.2
for pid in $watch_pid $pull_pid; do
    kill "$pid" 2>/dev/null && pkill -P "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done
watch_pid=""
pull_pid=""
cat "$T/host-ports.log" >>"$T/host.log"

tr -d '\r' <"$T/console.log" >"$T/guest.log"
status=$(sed -n 's/^ALVETRA-VM-EXIT=\([0-9]*\)$/\1/p' "$T/guest.log" | tail -n 1)
if [ -z "$status" ]; then
    if [ "$qemu_status" = 124 ]; then
        say "the guest did not end within $LIMIT s"
    else
        say "the guest ended without its exit line (QEMU status $qemu_status)"
    fi
    status=125
fi
grep -q '^FAIL' "$T/host.log" && [ "$status" = 0 ] && status=1

grep -E '^(PASS|FAIL) ' "$T/guest.log"
cat "$T/host.log"
if [ -n "$up_at" ]; then
    guest_up=$(sed -n 's/^ALVETRA-VM-UP=//p' "$T/guest.log")
    echo "boot: $(seconds $((up_at - qemu_began))) s from QEMU's start to the guest command (guest uptime $guest_up s);" \
        "guest command: $(seconds $((ended_at - up_at))) s; whole run: $(seconds $(($(ms) - began))) s"
fi
if [ "$status" != 0 ]; then
    echo "--- guest console"
    cat "$T/guest.log"
    echo "--- QEMU"
    cat "$T/qemu.log"
    echo "--- the unit's last lines"
    tail -n 20 "$T/unit.log"
    echo "vm-test: status $status"
fi
exit "$status"
