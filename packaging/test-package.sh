#!/bin/sh
# Tests the Debian package of the program.
#
#   sh packaging/test-package.sh                  builds the package (scripts/package.sh) and tests it
#   sh packaging/test-package.sh --build-dir DIR  packs an existing build (cpack in DIR) and tests it
#   sh packaging/test-package.sh PACKAGE.deb      tests a given package
#
# 1. the control fields: name, version, every library the executables need and the run-time
#    packages (Qt platform plugins, fonts) among the dependencies;
# 2. the files: the executables, the car databases, the lock diagrams, the manual, the desktop
#    entry, the icons and the manual pages, and nothing outside them;
# 3. the program unpacked from the package starts (--version); alvetra-cli unpacked finds the
#    package's car databases and reads the built-in simulated unit;
# 4. as root (skip with ALVETRA_PACKAGE_SYSTEM_INSTALL=0): apt installs the package into this
#    system with its dependencies; the installed program starts, runs its window against the
#    simulated unit, keeps its preferences in the user's configuration folder; then the package
#    is purged again. A system that already has the package is left alone.
# 5. with ALVETRA_PACKAGE_CLEAN_SYSTEM=1 (root, network, about two minutes): the same
#    installation and window into a fresh minimal Debian 12 made by debootstrap, so that only the
#    package's declared dependencies are there.
set -eu
cd "$(dirname "$0")/.."
root_dir=$(pwd)

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok:   $*"; }

case "${1:-}" in
  --build-dir)
    [ -n "${2:-}" ] || fail "--build-dir needs a folder"
    rm -f "$2"/package/*.deb
    (cd "$2" && cpack -G DEB >/dev/null)
    deb=$(ls "$2"/package/*.deb) ;;
  "") deb=$(sh scripts/package.sh | tail -n 1) ;;
  *) deb=$1 ;;
esac
[ -f "$deb" ] || fail "no package at $deb"
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
echo "Testing $deb"

work=$(mktemp -d)
cleanup() {
  [ -n "${gui_pid:-}" ] && kill "$gui_pid" 2>/dev/null || true
  # A failed run does not leave the package it installed behind.
  [ -n "${installed_here:-}" ] && dpkg --purge alvetra >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

version=$(sed -n 's/^project(Alvetra VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
data_files="MZRAv14.txt MZRAv17.txt MZRAv18.txt MZRFv10.txt alvetra.png
  Ikony/Otworz0.bmp Ikony/Otworz1.bmp Ikony/Otworz2.bmp Ikony/Otworz3.bmp
  Ikony/Zamknij0.bmp Ikony/Zamknij1.bmp Ikony/Zamknij2.bmp Ikony/Zamknij3.bmp Ikony/Zamknij4.bmp Ikony/Zamknij5.bmp"
manual="Autoalrm Tervona CAN read.pdf"

# Checks that every file the program reads is in the data folder $1.
check_data_folder() {
  for f in $data_files; do
    [ -s "$1/$f" ] || fail "$1/$f is missing"
  done
  head -c 5 "$1/$manual" | grep -q '^%PDF-' || fail "the manual in $1 is not a PDF"
}

# ---- 1. control fields
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = alvetra ] || fail "package name $(field Package)"
case "$(field Version)" in
  "$version"-*) ;;
  *) fail "version $(field Version), the project is $version" ;;
esac
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
depends_on() { echo "$depends" | grep -qx "$1"; }
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins fonts-liberation2 fonts-dejavu-core libc6 libstdc++6; do
  depends_on "$p" || fail "Depends lacks $p: $(field Depends)"
done
pass "control fields: $(field Package) $(field Version), Depends: $(field Depends)"

# ---- 2. files
dpkg-deb -c "$deb" | sed 's/^.* \.\//\//; s/ -> .*//' > "$work/files"
for f in /usr/bin/alvetra /usr/bin/alvetra-unit /usr/bin/alvetra-cli "/usr/share/alvetra/$manual" \
         /usr/share/applications/alvetra.desktop /usr/share/icons/hicolor/scalable/apps/alvetra.svg \
         /usr/share/icons/hicolor/48x48/apps/alvetra.png /usr/share/icons/hicolor/256x256/apps/alvetra.png \
         /usr/share/man/man1/alvetra.1.gz /usr/share/man/man1/alvetra-cli.1.gz /usr/share/doc/alvetra/copyright; do
  grep -qxF "$f" "$work/files" || fail "the package lacks $f"
done
for f in $data_files; do
  grep -qxF "/usr/share/alvetra/$f" "$work/files" || fail "the package lacks /usr/share/alvetra/$f"
done
stray=$(grep -v -e '^/usr/bin/alvetra' -e '^/usr/share/alvetra' -e '^/usr/share/applications' \
  -e '^/usr/share/icons' -e '^/usr/share/man' -e '^/usr/share/doc' -e '^/usr/$' -e '^/usr/bin/$' -e '^/usr/share/$' "$work/files" || true)
[ -z "$stray" ] || fail "files that do not belong in the package: $stray"
pass "files: $(grep -cv '/$' "$work/files") files where the program and the desktop look for them"

# ---- 3. unpacked
dpkg-deb -x "$deb" "$work/root"
check_data_folder "$work/root/usr/share/alvetra"
out=$(QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/alvetra" --version)
[ "$out" = "alvetra $version" ] || fail "unpacked program says: $out"
out=$("$work/root/usr/bin/alvetra-cli" --version)
[ "$out" = "alvetra-cli $version" ] || fail "unpacked alvetra-cli says: $out"
out=$("$work/root/usr/bin/alvetra-cli" info --simulator --password 1234 2>&1) ||
  { echo "$out" >&2; fail "the unpacked alvetra-cli could not read the simulated unit"; }
echo "$out" | grep -qx 'Rodzina: 17' || fail "the unpacked alvetra-cli says: $out"
# Every library an executable asks for comes from a package it depends on (or from one of
# theirs: those are installed with them).
for exe in alvetra alvetra-unit alvetra-cli; do
  bin="$work/root/usr/bin/$exe"
  for lib in $(objdump -p "$bin" | awk '/NEEDED/ {print $2}'); do
    path=$(ldd "$bin" | awk -v l="$lib" '$1 == l {print $3}')
    [ -n "$path" ] || fail "$exe needs $lib, which this system lacks"
    # dpkg knows a file by the path its package ships, which merged /usr may hide.
    owner=""
    for candidate in "$path" "$(readlink -f "$path")" "$(echo "$path" | sed 's|^/usr/lib/|/lib/|')" \
                     "$(readlink -f "$path" | sed 's|^/usr/lib/|/lib/|')"; do
      [ -n "$owner" ] || owner=$(dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1)
    done
    [ -n "$owner" ] || fail "$exe needs $lib ($path), which no Debian package provides"
    depends_on "$owner" || fail "$exe needs $lib from $owner, which the package does not depend on"
  done
done
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$work/root/usr/share/applications/alvetra.desktop" || fail "the desktop entry is not valid"
fi
pass "unpacked program starts; every library it needs comes from a dependency"

# ---- 4. and 5. installation
# Installs the package with apt in the system at $1 ("" = this one) and runs the installed
# program there.
run_in() { if [ -n "$1" ]; then shift; chroot "$target" "$@"; else shift; "$@"; fi; }

install_and_start() {
  target=$1
  export DEBIAN_FRONTEND=noninteractive
  if [ -n "$target" ]; then
    cp "$deb" "$target/tmp/alvetra.deb"
    package_path=/tmp/alvetra.deb
  else
    package_path=$deb
  fi
  run_in "$target" apt-get install -y --no-install-recommends "$package_path" >"$work/apt.log" 2>&1 ||
    { run_in "$target" apt-get update >/dev/null 2>&1 &&
      run_in "$target" apt-get install -y --no-install-recommends "$package_path" >"$work/apt.log" 2>&1; } ||
    { cat "$work/apt.log" >&2; fail "apt could not install the package"; }
  run_in "$target" dpkg-query -W -f='${Status}' alvetra | grep -q 'install ok installed' || fail "dpkg does not list alvetra as installed"
  check_data_folder "$target/usr/share/alvetra"
  out=$(run_in "$target" env QT_QPA_PLATFORM=offscreen /usr/bin/alvetra --version)
  [ "$out" = "alvetra $version" ] || fail "installed program says: $out"
  pass "installed with apt${target:+ into $target}; /usr/bin/alvetra --version: $out"
}

start_window() {
  # The window on the simulated unit, with a configuration folder of its own; the reminder about
  # the COM port is switched off there so that nothing waits for a click.
  target=$1
  home=/tmp/alvetra-package-test-home
  rm -rf "$target$home"
  mkdir -p "$target$home/.config/alvetra"
  printf '[COMINFORMATION]\r\nVALUE=0\r\n' > "$target$home/.config/alvetra/Serkano.ini"
  # Started directly (chroot and env replace themselves with the program), so that $! is the
  # program and the signal below reaches it.
  set -- env HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen /usr/bin/alvetra --simulator
  if [ -n "$target" ]; then
    chroot "$target" "$@" >"$work/gui.log" 2>&1 &
  else
    "$@" >"$work/gui.log" 2>&1 &
  fi
  gui_pid=$!
  sleep 4
  kill -0 "$gui_pid" 2>/dev/null || { cat "$work/gui.log" >&2; fail "the installed program ended by itself"; }
  kill -TERM "$gui_pid"
  status=0
  wait "$gui_pid" || status=$?
  [ "$status" = 0 ] || { cat "$work/gui.log" >&2; fail "the installed program ended with status $status on SIGTERM"; }
  gui_pid=
  grep -q 'CMBPORTSPEEDINDEX' "$target$home/.config/alvetra/Serkano.ini" ||
    fail "the installed program did not store its preferences in the user's configuration folder"
  [ ! -e "$target/usr/share/alvetra/Serkano.ini" ] || fail "the installed program wrote its preferences into /usr/share/alvetra"
  rm -rf "$target$home"
  pass "installed window ran on the simulated unit and stored its preferences in ~/.config/alvetra"
}

purge() {
  run_in "$1" dpkg --purge alvetra >/dev/null
  [ ! -e "$1/usr/bin/alvetra" ] && [ ! -e "$1/usr/bin/alvetra-cli" ] && [ ! -e "$1/usr/share/alvetra" ] ||
    fail "purging left files behind"
  pass "purged"
}

if [ "${ALVETRA_PACKAGE_SYSTEM_INSTALL:-1}" = 0 ]; then
  echo "skip: installation into this system (ALVETRA_PACKAGE_SYSTEM_INSTALL=0)"
elif [ "$(id -u)" != 0 ]; then
  echo "skip: installation into this system needs root"
elif dpkg-query -W -f='${Status}' alvetra 2>/dev/null | grep -q 'install ok installed'; then
  echo "skip: alvetra is already installed on this system; it is left as it is"
else
  installed_here=1
  install_and_start ""
  start_window ""
  purge ""
  installed_here=
fi

if [ "${ALVETRA_PACKAGE_CLEAN_SYSTEM:-0}" = 1 ]; then
  [ "$(id -u)" = 0 ] || fail "a clean system needs root"
  command -v debootstrap >/dev/null 2>&1 || EXTRA_PACKAGES=debootstrap sh scripts/deps.sh
  chroot_dir=$work/debian12
  debootstrap --variant=minbase bookworm "$chroot_dir" "${DEBIAN_MIRROR:-http://deb.debian.org/debian}" >"$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log" >&2; fail "debootstrap failed"; }
  install_and_start "$chroot_dir"
  start_window "$chroot_dir"
  purge "$chroot_dir"
fi
echo "Package tests passed."
