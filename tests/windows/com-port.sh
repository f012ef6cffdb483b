#!/bin/sh
# alvetra-cli.exe under Wine through COM ports that Wine maps to simulated units (alvetra-unit,
# built for Linux, each on a pseudo-terminal of its own): a read gives the Linux tool's file byte
# for byte, a write reaches the unit, and a port in use, a port that does not exist and a port
# pulled out while open end with their exit statuses and messages; an FTDI adapter's long
# latency timer is told once; and a console shows its Polish letters.
#   sh tests/windows/com-port.sh [LINUX_BUILD [WINDOWS_BUILD]]   (build, build-windows)
set -eu
linux=$(cd "${1:-build}" && pwd)
windows=$(cd "${2:-build-windows}" && pwd)
prefix=${ALVETRA_WINEPREFIX:-$windows/wine}
work=$(mktemp -d)
units=""
failed=0

cleanup() {
  for pid in $units; do kill "$pid" 2>/dev/null || true; done
  rm -f "$prefix/dosdevices/com7" "$prefix/dosdevices/com8"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A simulated unit on a new pseudo-terminal, linked as $work/NAME; its counter stands still for an hour.
serve() {
  name=$1
  shift
  "$linux/alvetra-unit" --link "$work/$name" --minute-ms 3600000 "$@" </dev/null >"$work/$name.log" 2>&1 &
  units="$units $!"
  for _ in $(seq 50); do
    [ -e "$work/$name" ] && return
    sleep 0.1
  done
  echo "alvetra-unit did not start: $(cat "$work/$name.log")" >&2
  exit 1
}

# COMn of the Wine prefix stands for the unit NAME.
map() { ln -sfn "$work/$2" "$prefix/dosdevices/$1"; }

# alvetra-cli.exe; its output in $work/out (lines ended by CR LF on Windows, by LF here), its
# exit status in $status.
win() {
  status=0
  "$windows/wine-run.sh" "$windows/alvetra-cli.exe" "$@" >"$work/raw" 2>&1 || status=$?
  tr -d '\r' <"$work/raw" >"$work/out"
}

pass() { echo "ok   $1"; }
fail() {
  echo "FAIL $1" >&2
  sed 's/^/     /' "$work/out" >&2
  failed=$((failed + 1))
}

# CASE STATUS TEXT: the last alvetra-cli.exe ended with STATUS and said TEXT (a whole line).
expect() {
  if [ "$status" -eq "$2" ] && grep -qxF "$3" "$work/out"; then pass "$1"; else fail "$1 (status $status, wanted $2: $3)"; fi
}

# Byte BYTE of FILE becomes VALUE (octal).
poke() { printf "\\$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

"$windows/wine-run.sh" "$windows/alvetra-cli.exe" --version >/dev/null   # the prefix, made once

serve first
serve twin
map com7 first
win read --port COM7 --password 1234 -o "Z:$work/windows.alm"
"$linux/alvetra-cli" read --port "$work/twin" --password 1234 -o "$work/linux.alm" >/dev/null 2>&1
if [ "$status" -eq 0 ] && cmp -s "$work/windows.alm" "$work/linux.alm"; then
  pass "read through COM7: the Linux tool's file byte for byte"
else
  fail "read through COM7: the Linux tool's file byte for byte"
fi

# Two settings changed (the pulse C1 and the anti-theft delay of the unit's layout).
cp "$work/linux.alm" "$work/changed.alm"
poke "$work/changed.alm" 71 007
poke "$work/changed.alm" 77 014
win write --port COM7 --password 1234 "Z:$work/changed.alm"
expect "write through COM7" 0 "Zapisano wszystkie pozycje"
win read --port COM7 --password 1234 -o "Z:$work/after.alm"
if [ "$status" -eq 0 ] && cmp -s "$work/after.alm" "$work/changed.alm"; then
  pass "the unit holds what was written"
else
  fail "the unit holds what was written"
fi

# COM7 behind an FTDI adapter whose driver holds received bytes 16 ms (the Windows default): the
# fitter is told once what it costs and how to lower it; at 1 ms, nothing is said.
ftdi='HKLM\SYSTEM\CurrentControlSet\Enum\FTDIBUS\VID_0403+PID_6001+A10ALVETA\0000'
reg() { "$windows/wine-run.sh" reg "$@" >/dev/null; }
reg add "$ftdi" /v ClassGUID /d '{4d36e978-e325-11ce-bfc1-08002be10318}' /f
reg add "$ftdi\Device Parameters" /v PortName /d COM7 /f
for latency in 16 1; do
  reg add "$ftdi\Device Parameters" /v LatencyTimer /t REG_DWORD /d $latency /f
  win info --port COM7 --password 1234
  told=$(grep -c "^Przejściówka USB portu COM7 przetrzymuje odebrane dane do $latency ms" "$work/out" || true)
  wanted=$([ $latency = 16 ] && echo 1 || echo 0)
  if [ "$status" -eq 0 ] && [ "$told" -eq "$wanted" ]; then
    pass "an FTDI adapter holding bytes $latency ms: the advice told $told times"
  else
    fail "an FTDI adapter holding bytes $latency ms: status $status, the advice told $told times, $wanted wanted"
  fi
done
reg delete 'HKLM\SYSTEM\CurrentControlSet\Enum\FTDIBUS' /f

win info --port COM200 --password 1234
expect "a port that does not exist" 7 "Port COM200 nie istnieje w systemie."

# A slow unit keeps the first program on COM8 while the second tries it; then it is pulled out.
serve slow --latency 300
slow_unit=${units##* }
map com8 slow
"$windows/wine-run.sh" "$windows/alvetra-cli.exe" read --port COM8 --password 1234 -o "Z:$work/slow.alm" \
  >"$work/holder" 2>&1 &
holder=$!
sleep 3
win info --port COM8 --password 1234
expect "a port in use by another program" 8 "Port COM8 jest już używany przez inny program."
kill "$slow_unit"
status=0
wait "$holder" || status=$?
tr -d '\r' <"$work/holder" >"$work/out"
lost=$(grep -cxF "Port COM8 został odłączony." "$work/out" || true)
if [ "$status" -eq 7 ] && [ "$lost" -eq 1 ] && [ ! -e "$work/slow.alm" ]; then
  pass "a port pulled out while open: told once, exit 7, no file"
else
  fail "a port pulled out while open: told once, exit 7, no file (status $status, told $lost times)"
fi

# A console (Wine makes one of a terminal) shows the Polish letters, whatever its code page.
script -q -c "\"$windows/wine-run.sh\" \"$windows/alvetra-cli.exe\" show Z:$work/none.alm" /dev/null \
  </dev/null >"$work/raw" 2>&1 || true
tr -d '\r' <"$work/raw" >"$work/out"
if grep -qF "Nie można otworzyć pliku" "$work/out"; then
  pass "a console shows Polish letters"
else
  fail "a console shows Polish letters"
fi

if [ "$failed" -ne 0 ]; then
  echo "$failed of the COM port checks failed" >&2
  exit 1
fi
echo "COM port checks passed"
