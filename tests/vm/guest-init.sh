#!/bin/sh
# /init of the test guest: a small Linux with the kernel's own keyboard
# controller and keyboard drivers, the programs as the packages install them
# (the helper holding CAP_SYS_RAWIO, run by group quilby), and an ordinary
# user in groups quilby and input. It then serves the host's harness: each
# line read from the second serial port (ttyS1) is run by the shell and
# answered with its output and "@@END <status>". The console is ttyS0.
export PATH=/bin:/sbin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
chmod 1777 /tmp

# Input first, then USB for the case with a USB keyboard; the kernel's i8042
# and AT keyboard drivers are built in.
for m in evdev usb-common usbcore xhci-hcd xhci-pci hid usbhid hid-generic; do
    insmod "/modules/$m.ko" || echo "guest: cannot load $m" >/dev/console
done

# The initramfs cannot carry the capability (cpio keeps no extended
# attributes), so it is set here, as the package's postinst does; the root
# file system is a tmpfs, which keeps it (the download case checks getcap).
mkdir -p /opt/quilby/bin
cp /stage/quilby-key /stage/quilby-port /opt/quilby/bin/
chown root:quilby /opt/quilby/bin/quilby-port
chmod 0750 /opt/quilby/bin/quilby-port
setcap cap_sys_rawio+ep /opt/quilby/bin/quilby-port
mkdir -p /home/clerk
cp /stage/MCR.OPN /home/clerk/
chown -R clerk:clerk /home/clerk

# Input devices as udev leaves them: group input, 0660. Devices that come
# later (the USB keyboard) get the same by `inputperms`.
inputperms() {
    for d in /dev/input/event*; do
        [ -e "$d" ] && chgrp input "$d" && chmod 0660 "$d"
    done
    return 0
}
inputperms

# Runs a command as the clerk (uid 1000, groups quilby and input).
asclerk() {
    su -s /bin/sh clerk -c "$*"
}

# The input device whose physical path starts with $1 (isa0060/serio0, usb-).
eventof() {
    for d in /sys/class/input/event*; do
        if grep -q "^$1" "$d/device/phys" 2>/dev/null; then
            echo "/dev/input/${d##*/}"
            return 0
        fi
    done
    return 1
}

stty -F /dev/ttyS1 raw -echo
exec 3<>/dev/ttyS1
echo "@@READY $(cut -d' ' -f1 /proc/uptime)" >&3
# Each line runs in a shell of its own, so a line that makes a shell exit
# does not end init.
while IFS= read -r line <&3; do
    (eval "$line") >&3 2>&1 </dev/null
    echo "@@END $?" >&3
done
echo "guest: the control port closed" >/dev/console
poweroff -f
