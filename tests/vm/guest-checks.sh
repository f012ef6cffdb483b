#!/bin/sh
# Checks that run inside the test guest (scripts/vm-test.sh starts it) against the simulated
# unit on the host, through QEMU's emulated FT232 and the kernel's ftdi_sio driver.
#
#   guest-checks.sh [STEP...]     steps: basic speeds busy unplug ports (default: all five)
#
# One PASS or FAIL line per check; the exit status is the number of failures.
# The unplug step needs the host's side (scripts/vm-test.sh): it prints
# ALVETRA-VM-STEP=unplug-armed, the host then pulls the adapter out in the middle of the read
# that follows; after the read it prints ALVETRA-VM-STEP=unplug-done, and the host plugs the
# adapter back in.

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
CLI=$ROOT/build/alvetra-cli
PORT=/dev/ttyUSB0
fails=0

pass() { echo "PASS $*"; }
fail() { echo "FAIL $*"; fails=$((fails + 1)); }
uptime_s() { cut -d' ' -f1 /proc/uptime; }
since() { awk -v a="$1" -v b="$(uptime_s)" 'BEGIN { printf "%.2f", b - a }'; }
cli() {
    verb=$1
    shift
    timeout 60 "$CLI" "$verb" --port "$PORT" --password 1234 "$@"
}

# Waits up to $2 seconds until the port is there ($1 = present) or gone ($1 = absent).
wait_port() {
    tenths=0
    while [ $tenths -lt $(($2 * 10)) ]; do
        case $1 in
            present) [ -e "$PORT" ] && return 0 ;;
            absent) [ -e "$PORT" ] || return 0 ;;
        esac
        sleep 0.1
        tenths=$((tenths + 1))
    done
    return 1
}

step_basic() {
    out=$(cli info 2>&1)
    rc=$?
    if [ $rc = 0 ] && echo "$out" | grep -q '^Identyfikacja: '; then
        pass "info: $(echo "$out" | grep '^Identyfikacja: ')"
    else
        fail "info: status $rc"
        echo "$out"
    fi

    rm -f /tmp/port.alm /tmp/sim.alm
    # The adapter's latency timer, before, during and after the read (the program asks for
    # low-latency mode while it holds the port, and gives the port its own mode back).
    timer=/sys/bus/usb-serial/devices/${PORT#/dev/}/latency_timer
    before=$(cat "$timer")
    start=$(uptime_s)
    cli read -o /tmp/port.alm >/tmp/read.out 2>&1 &
    reader=$!
    during=""
    while kill -0 $reader 2>/dev/null; do
        now=$(cat "$timer" 2>/dev/null)
        case " $during " in *" $now "*) ;; *) during="$during $now" ;; esac
        sleep 0.05
    done
    wait $reader
    rc=$?
    took=$(since "$start")
    out=$(cat /tmp/read.out)
    after=$(cat "$timer")
    if echo "$during" | grep -qw 1 && [ "$after" = "$before" ]; then
        pass "latency timer: $before ms before the read, 1 ms while the program held the port, $after ms after"
    else
        fail "latency timer: $before ms before, seen during the read:$during, $after ms after (1 during, $before after expected)"
    fi
    if [ $rc = 0 ] && [ -f /tmp/port.alm ]; then
        pass "read: status 0 in $took s, $(wc -c </tmp/port.alm) bytes"
    else
        fail "read: status $rc after $took s, file $( [ -f /tmp/port.alm ] && echo written || echo missing)"
        echo "$out"
        return
    fi
    # The unit on the host starts from the same memory as the program's built-in simulated
    # unit: what came through the driver must be byte for byte what the simulated unit gives.
    if timeout 60 "$CLI" read --simulator --password 1234 -o /tmp/sim.alm >/dev/null 2>&1 \
        && cmp /tmp/port.alm /tmp/sim.alm; then
        pass "read: settings equal to the built-in simulated unit's"
    else
        fail "read: settings differ from the built-in simulated unit's"
    fi
}

# Every rate of the speed box through the driver: the program sets it (and checks it back),
# ftdi_sio computes the chip's divisor for it; the unit on the host is unpaced, so each rate
# must give a working session, or the program's refusal of the rate.
step_speeds() {
    for rate in 110 300 600 1200 2400 4800 9600 14400 19200 38400 57600 115200 128000; do
        out=$(cli info --speed $rate 2>&1)
        rc=$?
        if [ $rc = 0 ]; then
            accepted="$accepted $rate"
        else
            fail "speeds: $rate bit/s: status $rc: $(echo "$out" | tail -n 1)"
        fi
    done
    [ -n "$accepted" ] && pass "speeds: a session at$accepted bit/s"
}

step_busy() {
    # Another program holding the port (flock, as this program does itself). -o: only flock
    # itself holds the lock, so that ending it frees the port.
    flock -n -o "$PORT" sleep 15 &
    holder=$!
    sleep 1
    out=$(cli info 2>&1)
    rc=$?
    pkill -P $holder
    kill $holder 2>/dev/null
    wait $holder 2>/dev/null
    if [ $rc = 8 ]; then
        pass "busy: status 8 while another program holds $PORT"
    else
        fail "busy: status $rc while another program holds $PORT, 8 expected"
        echo "$out"
    fi
}

step_unplug() {
    wait_port present 5 || { fail "unplug: no $PORT to start with"; return; }
    echo "ALVETRA-VM-STEP=unplug-armed"
    sleep 1   # the host slows the unit's replies now, so that the read is still running when it pulls
    rm -f /tmp/unplug.alm
    start=$(uptime_s)
    out=$(cli read -o /tmp/unplug.alm 2>&1)
    rc=$?
    took=$(since "$start")
    told=$(echo "$out" | grep -c "Port $PORT został odłączony.")
    case $rc in
        7) if [ "$told" = 1 ]; then
               pass "unplug: read ended with status 7 after $took s, the port's loss told once"
           else
               fail "unplug: read ended with status 7 after $took s, the port's loss told $told times"
           fi ;;
        0) fail "unplug: read ended with status 0 after $took s, before the adapter was pulled out" ;;
        124) fail "unplug: read still running after 60 s" ;;
        *) fail "unplug: read ended with status $rc after $took s, 7 expected" ;;
    esac
    [ $rc = 0 ] || echo "$out" | tail -n 3 | sed 's/^/  cli: /'
    if [ -e /tmp/unplug.alm ]; then
        fail "unplug: settings file written by an interrupted read"
    else
        pass "unplug: no settings file after the interrupted read"
    fi
    wait_port absent 10 || fail "unplug: $PORT still there 10 s after the read"
    echo "ALVETRA-VM-STEP=unplug-done"
    if ! wait_port present 20; then
        fail "unplug: $PORT not back 20 s after the adapter was plugged in"
        return
    fi
    out=$(cli info 2>&1)
    rc=$?
    if [ $rc = 0 ]; then
        pass "unplug: info after the adapter is plugged back in"
    else
        fail "unplug: info after the adapter is plugged back in: status $rc"
        echo "$out"
    fi
}

# alvetra-cli ports: the adapter listed with its description; ports --watch tells it leave and
# come back (the host pulls it out and plugs it in on the guest's word) within a second each.
# No udev daemon runs in the guest: the watcher takes the /dev folder.
step_ports() {
    # Without udev's daemon the description (udev's database) is missing: the name suffices.
    out=$("$CLI" ports 2>&1)
    line=$(echo "$out" | grep -E "^${PORT#/dev/}( |\$)")
    if [ -n "$line" ]; then
        pass "ports: listed as \"$line\""
    else
        fail "ports: ${PORT#/dev/} not listed: $(echo "$out" | tr '\n' ' ')"
    fi
    "$CLI" ports --watch --timeout 40 >/tmp/watch.out 2>/tmp/watch.err &
    watcher=$!
    sleep 3   # the program's start over 9p
    for change in pull plug; do
        echo "ALVETRA-VM-STEP=$change"
        if [ $change = pull ]; then wait_port absent 20; else wait_port present 20; fi || {
            fail "ports: the adapter did not $change"; break; }
        seen=$(uptime_s)
        sign=-; [ $change = plug ] && sign=+
        until grep -q "^$sign ${PORT#/dev/}" /tmp/watch.out; do
            [ "$(since "$seen" | cut -d. -f1)" -ge 5 ] && break
            sleep 0.05
        done
        if grep -q "^$sign ${PORT#/dev/}" /tmp/watch.out; then
            took=$(since "$seen")
            # The goal is a second; the emulated CPU rescans the ports slowly (about 1.2 s
            # seen): three seconds tell a slow watch from none.
            if [ "$(echo "$took" | awk '{ print ($1 <= 3.0) }')" = 1 ]; then
                pass "ports --watch: \"$sign ${PORT#/dev/}\" $took s after the node $( [ $sign = - ] && echo went || echo came)"
            else
                fail "ports --watch: \"$sign ${PORT#/dev/}\" only $took s after the node changed"
            fi
        else
            fail "ports --watch: no \"$sign ${PORT#/dev/}\" line"
        fi
    done
    kill $watcher 2>/dev/null
    wait $watcher 2>/dev/null
    sed 's/^/  watch: /' /tmp/watch.out /tmp/watch.err
}

[ $# -gt 0 ] || set -- basic speeds busy unplug ports
for step in "$@"; do
    case $step in
        basic|speeds|busy|unplug|ports) "step_$step" ;;
        *) fail "no step $step" ;;
    esac
done
if [ $fails != 0 ]; then
    echo "--- kernel messages on USB"
    dmesg | grep -iE 'usb|ftdi|xhci' | tail -n 20
fi
echo "guest checks: $fails failed"
[ $fails -lt 100 ] || fails=100
exit $fails
