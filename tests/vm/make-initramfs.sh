#!/bin/sh
# Kernel and initramfs of the test guest (scripts/vm-test.sh): Debian's own kernel, unpacked
# from the package linux-image-amd64 points to, and a busybox initramfs that loads the USB
# serial and 9p modules, mounts the host's root read-only under a tmpfs overlay and runs one
# command in it (tests/vm/init.sh is its /init).
#
# Writes $CACHE/vmlinux (the kernel unpacked; vmlinuz too), $CACHE/initramfs.gz and $CACHE/udev
# (the package udev unpacked), CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/alvetra/vm.
# Does nothing when both are newer than this script and init.sh and the kernel is current.
# --force rebuilds the initramfs. Needs root for apt-get when a package is missing.
set -eu

HERE=$(cd "$(dirname "$0")" && pwd)
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/alvetra/vm
MODULES="xhci-pci usbserial ftdi_sio virtio_pci 9pnet_virtio 9p overlay"
FORCE=0
[ "${1:-}" = --force ] && FORCE=1

say() { printf 'make-initramfs: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

# Host packages: QEMU, a static busybox for the initramfs, cpio, depmod/modprobe (kmod), xz for
# compressed modules, Python for the QMP client (tests/vm/qmp.py).
missing=""
command -v qemu-system-x86_64 >/dev/null 2>&1 || missing="$missing qemu-system-x86"
dpkg-query -W -f='${Status}' busybox-static 2>/dev/null | grep -q 'ok installed' || missing="$missing busybox-static"
command -v cpio >/dev/null 2>&1 || missing="$missing cpio"
command -v depmod >/dev/null 2>&1 || missing="$missing kmod"
command -v xz >/dev/null 2>&1 || missing="$missing xz-utils"
dpkg-query -W -f='${Status}' python3 2>/dev/null | grep -q 'ok installed' || missing="$missing python3"
if [ -n "$missing" ]; then
    say "installing$missing"
    apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >&2
fi

mkdir -p "$CACHE"

# The kernel package linux-image-amd64 currently depends on, e.g. linux-image-6.1.0-57-amd64.
kpkg=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[0-9][^ ]*\)$/\1/p' | head -n 1)
if [ -z "$kpkg" ]; then
    apt-get update -qq
    kpkg=$(apt-cache depends linux-image-amd64 | sed -n 's/^ *Depends: \(linux-image-[0-9][^ ]*\)$/\1/p' | head -n 1)
fi
[ -n "$kpkg" ] || die "cannot tell which kernel package linux-image-amd64 depends on"
kver=${kpkg#linux-image-}
kroot=$CACHE/$kpkg

if [ ! -f "$kroot/boot/vmlinuz-$kver" ]; then
    say "fetching $kpkg"
    rm -rf "$CACHE/deb" "$kroot.new"
    mkdir -p "$CACHE/deb"
    # apt's download user cannot write into root's home; the package is checked against the
    # signed lists all the same.
    if ! (cd "$CACHE/deb" && apt-get download -q -o APT::Sandbox::User=root "$kpkg" >&2); then
        apt-get update -qq
        (cd "$CACHE/deb" && apt-get download -q -o APT::Sandbox::User=root "$kpkg" >&2)
    fi
    dpkg-deb -x "$CACHE"/deb/"$kpkg"_*.deb "$kroot.new"
    # The package carries no modules.dep (depmod makes it on installation).
    depmod -b "$kroot.new" "$kver"
    rm -rf "$kroot" "$CACHE/deb"
    mv "$kroot.new" "$kroot"
    # Older kernels are of no further use.
    for old in "$CACHE"/linux-image-*; do
        [ "$old" = "$kroot" ] || rm -rf "$old"
    done
    FORCE=1
fi

# udev, unpacked beside the kernel (not installed on this machine): the guest starts its daemon
# from there, so that the watch on udev's announcements and the /dev/serial/by-id names meet a
# real device (tests/vm/guest-checks.sh, step udev).
upkg=udev_$(apt-cache policy udev | sed -n 's/^ *Candidate: //p' | sed 's/:/%3a/')
if [ ! -x "$CACHE/udev/bin/udevadm" ] || [ "$(cat "$CACHE/udev/version" 2>/dev/null)" != "$upkg" ]; then
    say "fetching $upkg"
    rm -rf "$CACHE/udev-deb" "$CACHE/udev"
    mkdir -p "$CACHE/udev-deb"
    (cd "$CACHE/udev-deb" && apt-get download -q -o APT::Sandbox::User=root udev >&2) || die "cannot fetch udev"
    dpkg-deb -x "$CACHE"/udev-deb/udev_*.deb "$CACHE/udev"
    echo "$upkg" >"$CACHE/udev/version"
    rm -rf "$CACHE/udev-deb"
fi

if [ $FORCE = 0 ] && [ -f "$CACHE/initramfs.gz" ] && [ -f "$CACHE/vmlinuz" ] \
    && [ "$(cat "$CACHE/kernel-version" 2>/dev/null)" = "$kver" ] \
    && [ "$CACHE/initramfs.gz" -nt "$HERE/init.sh" ] && [ "$CACHE/initramfs.gz" -nt "$HERE/make-initramfs.sh" ]; then
    exit 0
fi

say "building the initramfs for $kver"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/lib/modules" "$work/dev" "$work/proc" "$work/sys"
cp /bin/busybox "$work/bin/busybox"
cp "$HERE/init.sh" "$work/init"
chmod 755 "$work/init" "$work/bin/busybox"

# Every module with the modules it needs, in load order (modprobe lists them dependencies
# first), each once; compressed ones decompressed, busybox insmod reads plain files only.
: >"$work/lib/modules/load-order"
for m in $MODULES; do
    modprobe -d "$kroot" -S "$kver" --show-depends "$m" >"$work/deps" \
        || die "module $m missing from $kpkg"
    while read -r verb path _; do
        [ "$verb" = insmod ] || continue   # "builtin NAME": nothing to load
        name=$(basename "$path")
        case $name in
            *.ko.xz)  plain=${name%.xz};  xz -dc "$path" >"$work/lib/modules/$plain" ;;
            *.ko.zst) plain=${name%.zst}; zstd -qdc "$path" >"$work/lib/modules/$plain" || die "$name: zstd needed" ;;
            *.ko.gz)  plain=${name%.gz};  gzip -dc "$path" >"$work/lib/modules/$plain" ;;
            *)        plain=$name;        cp "$path" "$work/lib/modules/$plain" ;;
        esac
        grep -qx "$plain" "$work/lib/modules/load-order" || echo "$plain" >>"$work/lib/modules/load-order"
    done <"$work/deps"
done
rm -f "$work/deps"

(cd "$work" && find . | cpio -o -H newc --quiet -R 0:0 | gzip -6) >"$CACHE/initramfs.gz.new"
mv "$CACHE/initramfs.gz.new" "$CACHE/initramfs.gz"
cp "$kroot/boot/vmlinuz-$kver" "$CACHE/vmlinuz"

# The kernel unpacked (vmlinux, an ELF file QEMU starts at its PVH entry): under emulation the
# kernel's own decompression and the BIOS's boot path take some 10 s of every start.
# The compressed payload's place is in the bzImage header (setup_sects at 0x1f1,
# payload_offset at 0x248, payload_length at 0x24c); its last 4 bytes are the unpacked size,
# which tells whether the unpacking is whole (the decompressors complain about that trailer).
rm -f "$CACHE/vmlinux"
u8() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
z=$CACHE/vmlinuz
if [ "$(od -An -c -j 514 -N4 "$z" | tr -d ' ')" = HdrS ]; then
    setup=$(u8 "$z" $((0x1f1)))
    [ "$setup" = 0 ] && setup=4
    start=$(( (setup + 1) * 512 + $(u32 "$z" $((0x248))) ))
    length=$(u32 "$z" $((0x24c)))
    size=$(u32 "$z" $((start + length - 4)))
    case $(od -An -tx1 -j "$start" -N2 "$z" | tr -d ' ') in
        fd37) unpack="xz -dcq" ;;
        1f8b) unpack="gzip -dcq" ;;
        28b5) unpack="zstd -dcq" ;;
        *) unpack="" ;;
    esac
    if [ -n "$unpack" ]; then
        tail -c +$((start + 1)) "$z" | head -c "$length" | $unpack >"$CACHE/vmlinux.new" 2>/dev/null || :
        if [ "$(stat -c %s "$CACHE/vmlinux.new")" = "$size" ] \
            && [ "$(od -An -c -N4 "$CACHE/vmlinux.new" | tr -d ' ')" = 177ELF ]; then
            mv "$CACHE/vmlinux.new" "$CACHE/vmlinux"
        fi
    fi
    rm -f "$CACHE/vmlinux.new"
fi
[ -f "$CACHE/vmlinux" ] || say "could not unpack the kernel; the guest starts from vmlinuz, some 10 s slower"

echo "$kver" >"$CACHE/kernel-version"
say "$CACHE/vmlinux, $CACHE/initramfs.gz ($(wc -l <"$work/lib/modules/load-order") modules)"
