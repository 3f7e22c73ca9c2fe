#!/usr/bin/env bash
# Builds what the test guest boots from, in BUILD_DIR/vm:
#   cache/  Debian's kernel package unpacked (downloaded once, not installed)
#           and the static busybox, kept for the build tree;
#   vmlinuz and initramfs.cpio.gz: busybox, quilby-key and quilby-port from
#           BUILD_DIR with their libraries, setcap/getcap, the kernel modules
#           for evdev and USB HID, the test tables and tests/vm/guest-init.sh
#           as /init.
# Usage: tests/vm/make-image.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
build="$(cd "${1:?usage: make-image.sh BUILD_DIR}" && pwd)"
vm="$build/vm"
cache="$vm/cache"
mkdir -p "$cache"

for program in quilby-key quilby-port; do
    [ -x "$build/src/$program" ] || { echo "make-image: $build/$program is not built" >&2; exit 1; }
done

# The kernel: the package linux-image-amd64 points at, e.g.
# linux-image-6.1.0-NN-amd64, fetched with apt-get download and unpacked.
package="$(apt-cache depends linux-image-amd64 2>/dev/null |
    sed -n 's/^ *Depends: \(linux-image-[0-9].*-amd64\)$/\1/p' | head -n 1)"
if [ -z "$package" ]; then
    # No package lists (no apt-get update yet): reuse what is cached.
    package="$(ls -d "$cache"/linux-image-* 2>/dev/null | sed 's|.*/||' | tail -n 1)"
fi
[ -n "$package" ] || { echo "make-image: cannot resolve linux-image-amd64 (run apt-get update)" >&2; exit 1; }
kernel_dir="$cache/$package"
if [ ! -f "$kernel_dir/.unpacked" ]; then
    echo "make-image: fetching $package"
    rm -rf "$cache"/linux-image-* "$cache/deb" # an older kernel is not needed any more
    mkdir -p "$cache/deb"
    (cd "$cache/deb" && apt-get download "$package")
    dpkg-deb -x "$cache"/deb/"$package"_*.deb "$kernel_dir"
    rm -rf "$cache/deb"
    touch "$kernel_dir/.unpacked"
fi
release="${package#linux-image-}"
modules="$kernel_dir/lib/modules/$release/kernel"

if [ ! -x "$cache/busybox" ]; then
    busybox="$(dpkg -L busybox-static 2>/dev/null | grep -E '/busybox$' | head -n 1)"
    [ -n "$busybox" ] || { echo "make-image: busybox-static is not installed (scripts/install-deps.sh)" >&2; exit 1; }
    cp "$busybox" "$cache/busybox"
fi

root="$vm/root"
rm -rf "$root"
mkdir -p "$root"/{bin,sbin,etc,proc,sys,dev,tmp,stage,modules,tables}
cp "$cache/busybox" "$root/bin/busybox"
for applet in $("$root/bin/busybox" --list); do
    [ "$applet" = busybox ] || ln -s busybox "$root/bin/$applet"
done

# A program and the shared libraries it loads, at the same paths.
add_program() {
    local program="$1" target="$2"
    cp "$program" "$target"
    ldd "$program" | grep -oE '/[^ ]+' | while read -r lib; do
        mkdir -p "$root$(dirname "$lib")"
        cp -L "$lib" "$root$lib"
    done
}
add_program "$build/src/quilby-key" "$root/stage/quilby-key"
add_program "$build/src/quilby-port" "$root/stage/quilby-port"
add_program /usr/sbin/setcap "$root/sbin/setcap"
add_program /usr/sbin/getcap "$root/sbin/getcap"

for m in input/evdev usb/common/usb-common usb/core/usbcore usb/host/xhci-hcd \
    usb/host/xhci-pci hid/hid hid/usbhid/usbhid hid/hid-generic; do
    ko="$(ls "$modules/drivers/$m".ko* | head -n 1)"
    case "$ko" in
    *.xz) xz -dc "$ko" >"$root/modules/${m##*/}.ko" ;;
    *) cp "$ko" "$root/modules/${m##*/}.ko" ;;
    esac
done

cp "$source_dir/data/Default.key" "$root/tables/Default.key"
cp "$source_dir/data/MCR.OPN" "$root/stage/MCR.OPN"
cp "$here/guest-init.sh" "$root/init"
chmod 0755 "$root/init"

cat >"$root/etc/passwd" <<'PASSWD'
root:x:0:0:root:/root:/bin/sh
clerk:x:1000:1000:clerk:/home/clerk:/bin/sh
PASSWD
cat >"$root/etc/group" <<'GROUP'
root:x:0:
input:x:101:clerk
quilby:x:102:clerk
clerk:x:1000:
GROUP

(cd "$root" && find . | "$cache/busybox" cpio -o -H newc | gzip -1 >"$vm/initramfs.cpio.gz")
cp "$kernel_dir/boot/vmlinuz-$release" "$vm/vmlinuz"
echo "make-image: $vm/vmlinuz, $vm/initramfs.cpio.gz ($(du -h "$vm/initramfs.cpio.gz" | cut -f1))"
