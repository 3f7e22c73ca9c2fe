#!/usr/bin/env python3
"""The hardware road in a virtual PC: quilby-key and the port helper in a QEMU
guest with the kernel's own i8042 and AT keyboard drivers. Keys are typed into
the emulated keyboard through QEMU's monitor (QMP send-key); every byte the
emulated keyboard receives is read from QEMU's trace (ps2_write_keyboard),
in order with the keys it was given (ps2_put_keycode), the reads of the
controller's status (pckbd_kbd_read_status) and the guest's writes to its
serial ports (serial_write).

The emulated keyboard is a plain AT keyboard: it answers 0xFE to most bytes
and obeys 0xED-0xFF, so nothing read back is asserted, and the cases that type
after a transfer has begun rely on Default.key's codes staying below 0xED
(checked before any boot).

Usage: vmcases.py BUILD_DIR [ps2|usb]...   (standard library only)
"""

import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time

FLOOR_SECONDS = 49.0  # 1960 bytes at 25 ms
IMAGE_SIZE = 1960
ANNOUNCEMENT = "varoposkeyboard"
PS2_PHYS = "isa0060/serio0"
PROGRAM = "/opt/quilby/bin/quilby-key"
TRACE_LINE = re.compile(r"^(?:\d+@([\d.]+):)?(ps2_\w+|pckbd_\w+|serial_write) (?:.* )?(\w+)$")
# Written to the control port right after a signal is sent: the serial port's
# trace puts that moment in order with the keyboard's bytes (one vCPU).
SIGNAL_MARK = "~"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


class Guest:
    """One boot of the test guest, driven through its second serial port."""

    def __init__(self, vm_dir, work, usb_keyboard):
        self.work = work
        self.trace_path = os.path.join(work, "trace.log")
        self.console_path = os.path.join(work, "console.log")
        qmp_path = os.path.join(work, "qmp.sock")
        control_path = os.path.join(work, "control.sock")
        accel = os.environ.get("QUILBY_VM_ACCEL", "tcg")
        if "kvm" in accel.split(":") and not os.access("/dev/kvm", os.R_OK | os.W_OK):
            accel = "tcg"
        command = [os.environ.get("QUILBY_VM_QEMU", "qemu-system-x86_64"),
                   "-machine", "pc", "-m", "384", "-smp", "1", "-nic", "none",
                   "-display", "none", "-no-reboot", "-monitor", "none",
                   "-kernel", os.path.join(vm_dir, "vmlinuz"),
                   "-initrd", os.path.join(vm_dir, "initramfs.cpio.gz"),
                   "-append", "console=ttyS0 quiet panic=-1 8250.nr_uarts=2",
                   "-serial", "file:" + self.console_path,
                   "-chardev", "socket,id=control,path=%s,server=on,wait=off" % control_path,
                   "-serial", "chardev:control",
                   "-qmp", "unix:%s,server=on,wait=off" % qmp_path,
                   "-msg", "timestamp=on", "-D", self.trace_path,
                   "-trace", "ps2_write_keyboard", "-trace", "ps2_put_keycode",
                   "-trace", "pckbd_kbd_read_status", "-trace", "serial_write"]
        for name in accel.split(":"):
            command += ["-accel", name]
        if usb_keyboard:
            # Added last, so QEMU sends typed keys to it and not to the PS/2 one.
            command += ["-device", "qemu-xhci", "-device", "usb-kbd"]
        self.started = time.monotonic()
        self.qemu = subprocess.Popen(command, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL,
                                     stderr=open(os.path.join(work, "qemu.err"), "w"))
        self.qmp = self._connect(qmp_path)
        self.qmp_file = self.qmp.makefile("rw")
        self._qmp_read()  # greeting
        self.qmp_command("qmp_capabilities")
        self.control = self._connect(control_path)
        self.buffer = b""
        self._read_until(b"@@READY", 240)
        self.boot_seconds = time.monotonic() - self.started

    def _connect(self, path):
        for _ in range(200):
            if self.qemu.poll() is not None:
                raise Failure("QEMU ended at start: " + open(os.path.join(self.work, "qemu.err")).read())
            try:
                s = socket.socket(socket.AF_UNIX)
                s.connect(path)
                return s
            except OSError:
                time.sleep(0.05)
        raise Failure("QEMU opened no socket " + path)

    def _qmp_read(self):
        while True:
            message = json.loads(self.qmp_file.readline())
            if "event" not in message:
                return message

    def qmp_command(self, name, **arguments):
        self.qmp_file.write(json.dumps({"execute": name, "arguments": arguments}) + "\n")
        self.qmp_file.flush()
        reply = self._qmp_read()
        check("error" not in reply, "QMP %s: %s" % (name, reply))
        return reply.get("return")

    def _read_until(self, marker, timeout):
        deadline = time.monotonic() + timeout
        while marker not in self.buffer or b"\n" not in self.buffer.partition(marker)[2]:
            remaining = deadline - time.monotonic()
            if remaining <= 0 or self.qemu.poll() is not None:
                raise Failure("the guest did not answer (%s); console: %s"
                              % (marker.decode(), self.console_path))
            self.control.settimeout(remaining)
            try:
                chunk = self.control.recv(4096)
            except socket.timeout:
                continue
            check(chunk, "the guest's control port closed")
            self.buffer += chunk
        head, _, rest = self.buffer.partition(marker)
        line, _, self.buffer = rest.partition(b"\n")
        return head.decode(errors="replace"), line.decode().strip()

    def shell(self, line, timeout=30):
        """Runs one shell line in the guest as root; returns (output, status)."""
        self.control.sendall(line.encode() + b"\n")
        output, status = self._read_until(b"@@END", timeout)
        return output.replace("\r", ""), int(status)

    def type_text(self, text, hold_ms=40):
        for key in text:
            self.press(key, hold_ms)

    def press(self, qcode, hold_ms=40):
        self.qmp_command("send-key", keys=[{"type": "qcode", "data": qcode}],
                         **{"hold-time": hold_ms})
        time.sleep((hold_ms + 40) / 1000)

    def trace(self):
        """The trace so far: (seconds, event, value) per line."""
        events = []
        with open(self.trace_path) as f:
            for line in f:
                m = TRACE_LINE.match(line.strip())
                if m:
                    events.append((float(m.group(1) or 0), m.group(2), int(m.group(3), 0)))
        return events

    def writes_from(self, mark):
        return [v for _, e, v in self.trace()[mark:] if e == "ps2_write_keyboard"]

    def wait_writes(self, mark, count, timeout):
        deadline = time.monotonic() + timeout
        while len(self.writes_from(mark)) < count:
            check(time.monotonic() < deadline,
                  "the keyboard received %d of %d bytes" % (len(self.writes_from(mark)), count))
            time.sleep(0.1)

    def close(self):
        if self.qemu.poll() is None:
            try:
                self.qmp_command("quit")
            except Exception:
                pass
        try:
            self.qemu.wait(10)
        except subprocess.TimeoutExpired:
            self.qemu.kill()
            self.qemu.wait()


class Run:
    """One quilby-key command started in the guest as the clerk."""

    def __init__(self, guest, name, arguments):
        self.guest = guest
        self.name = name
        self.mark = len(guest.trace())
        guest.shell("(cd /home/clerk && asclerk 'exec %s %s' >/tmp/%s.out 2>/tmp/%s.err;"
                    " echo $? >/tmp/%s.rc) &" % (PROGRAM, arguments, name, name, name))
        # Typing before the program reads its device would be lost.
        self.wait_for('"event": "waiting"', 60)
        guest.shell("pidof quilby-key >/tmp/%s.pid" % name)

    def output(self):
        return self.guest.shell("cat /tmp/%s.out" % self.name)[0]

    def wait_for(self, text, timeout):
        deadline = time.monotonic() + timeout
        while text not in self.output():
            check(time.monotonic() < deadline, "%s: no %s; stderr: %s"
                  % (self.name, text, self.guest.shell("cat /tmp/%s.err" % self.name)[0]))
            time.sleep(0.2)

    def finish(self, timeout=90):
        deadline = time.monotonic() + timeout
        while True:
            # Looked at no more than twice a second: every look starts
            # processes in the guest, which would delay a stop being measured.
            time.sleep(0.5)
            out, status = self.guest.shell("cat /tmp/%s.rc" % self.name)
            if status == 0 and out.strip():
                break
            check(time.monotonic() < deadline, "%s did not end" % self.name)
        done = [json.loads(line) for line in self.output().splitlines()
                if '"event": "done"' in line]
        check(done, "%s printed no done line" % self.name)
        return int(out.strip()), done[-1]


def expected_image(build, table):
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "image")
        subprocess.run([os.path.join(build, "src", "quilby-key"), "image", table, out], check=True)
        return list(open(out, "rb").read())


def status_waits(events):
    """How many keyboard bytes after the first were written right after a
    read of the controller's status: closer to it than that read is to the
    byte before. The kernel reads the status too, but in its interrupt just
    after a byte; only the helper's wait reads it just before one."""
    waited = 0
    last_write = last_status = None
    for seconds, event, _ in events:
        if event == "pckbd_kbd_read_status":
            last_status = seconds
        elif event == "ps2_write_keyboard":
            if last_write is not None and last_status is not None and last_status >= last_write \
                    and seconds - last_status < last_status - last_write:
                waited += 1
            last_write = seconds
    return waited


def image_run(writes, image):
    """How many bytes of the image `writes` holds from its first byte on,
    contiguous and in order, and what was written outside them."""
    start = writes.index(image[0]) if image[0] in writes else len(writes)
    count = 0
    while start + count < len(writes) and count < len(image) and writes[start + count] == image[count]:
        count += 1
    return count, writes[:start], writes[start + count:]


class Cases:
    def __init__(self, build, source):
        self.build = build
        self.vm_dir = os.path.join(build, "vm")
        self.default = expected_image(build, os.path.join(source, "data", "Default.key"))
        check(max(self.default) < 0xED, "Default.key holds a keyboard command byte")
        self.figures = {}
        self.results = []

    def boot(self, usb_keyboard):
        # The last boot of each kind stays for a look after the run.
        work = os.path.join(self.vm_dir, "boot-usb" if usb_keyboard else "boot-ps2")
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
        guest = Guest(self.vm_dir, work, usb_keyboard)
        self.figures["boot seconds" + (" (usb)" if usb_keyboard else "")] = guest.boot_seconds
        print("booted in %.1f s; console: %s" % (guest.boot_seconds, guest.console_path), flush=True)
        return guest

    def case(self, name, function, *arguments):
        started = time.monotonic()
        try:
            function(*arguments)
            verdict = "PASS"
        except Failure as failure:
            verdict = "FAIL: %s" % failure
        self.results.append((name, verdict))
        print("%-58s %s (%.0f s)" % (name, verdict, time.monotonic() - started), flush=True)

    # 1. A whole download over the PS/2 keyboard, as the clerk.
    def download(self, guest, device):
        run = Run(guest, "download", "download --port=hw --json --timeout=60 --input=%s "
                  "/tables/Default.key" % device)
        guest.type_text(ANNOUNCEMENT)
        guest.wait_writes(run.mark, 200, 30)
        # Who runs, mid-transfer: the program and the helper as the clerk,
        # neither holding a capability; the helper's file carries it.
        program, _ = guest.shell("grep -E '^(Uid|Groups|CapEff)' /proc/$(cat /tmp/download.pid)/status")
        helper, _ = guest.shell("grep -E '^(Uid|CapEff)' /proc/$(pidof quilby-port)/status;"
                                " getcap /opt/quilby/bin/quilby-port")
        status, done = run.finish()
        count, before, after = image_run(guest.writes_from(run.mark), self.default)
        self.figures["download guest seconds"] = done["seconds"]
        self.figures["download / floor"] = done["seconds"] / FLOOR_SECONDS
        groups = re.search(r"Groups:\s*([\d ]*)", program)
        check(re.search(r"Uid:\s+1000\s", program) and groups
              and {"101", "102"} <= set(groups.group(1).split())
              and re.search(r"CapEff:\s+0+\n", program), "quilby-key ran as:\n" + program)
        check(re.search(r"Uid:\s+1000\s", helper) and re.search(r"CapEff:\s+0+\n", helper)
              and "cap_sys_rawio" in helper, "the helper during the transfer:\n" + helper)
        check((status, done["result"], done["bytes"]) == (0, "completed", IMAGE_SIZE),
              "exit %d, %s" % (status, done))
        check(count == IMAGE_SIZE and not before,
              "%d image bytes in order; before them %s" % (count, before))
        waited = status_waits(guest.trace()[run.mark:])
        self.figures["bytes after a status wait"] = "%d of %d" % (waited, IMAGE_SIZE - 1)
        check(waited >= 0.99 * (IMAGE_SIZE - 1),
              "%d of %d bytes followed a look at the controller's status" % (waited, IMAGE_SIZE - 1))
        # Never faster than the pacing allows. How far above the floor it
        # lands depends on the host's load (a figure, not a verdict), unless
        # QUILBY_VM_MAX_RATIO asks for a bound (1.01 on an idle machine).
        check(done["seconds"] >= FLOOR_SECONDS, "%.3f s of guest time" % done["seconds"])
        bound = float(os.environ.get("QUILBY_VM_MAX_RATIO", "0"))
        check(not bound or done["seconds"] <= bound * FLOOR_SECONDS,
              "%.3f s of guest time, over %.3f x the floor" % (done["seconds"], bound))

    # 2. EPROM & MCR: the command arrives, the typed report is read.
    def mcr(self, guest, device):
        run = Run(guest, "mcr", "mcr --port=hw --json --timeout=60 --set=ff --input=%s" % device)
        guest.type_text(ANNOUNCEMENT)
        guest.wait_writes(run.mark, 4, 20)
        guest.type_text("ab12345678890z")
        status, done = run.finish(30)
        check(guest.writes_from(run.mark) == [0xAA, 0xAA, 0xAA, 1],
              "the keyboard received %s" % guest.writes_from(run.mark))
        check((status, done.get("version"), done.get("checksum")) == (0, "567-890", "1234"),
              "exit %d, %s" % (status, done))

    # 3. The announcement typed on a USB keyboard: refused before any byte,
    # whether the USB device is named or every keyboard is read.
    def usb_refused(self, guest):
        device = ""
        for _ in range(100):
            guest.shell("inputperms")
            device, found = guest.shell("eventof usb-")
            if found == 0:
                break
            time.sleep(0.2)
        check(device.strip(), "no USB keyboard in the guest")
        for name, input_option in (("usbnamed", "--input=" + device.strip()), ("usball", "")):
            run = Run(guest, name, "download --port=hw --json --timeout=30 %s /tables/Default.key"
                      % input_option)
            guest.type_text(ANNOUNCEMENT)
            # Long enough for a whole transfer, so one that was not refused
            # shows what it did.
            status, done = run.finish(70)
            check((status, done["result"], done["bytes"]) == (1, "refused", 0),
                  "%s: exit %d, %s" % (name, status, done))
            check("PS/2" in done.get("reason", ""), "%s: reason %s" % (name, done))
            check(not guest.writes_from(run.mark),
                  "%s: the PS/2 keyboard received %s" % (name, guest.writes_from(run.mark)[:8]))

    def _started(self, guest, name, device, at_byte):
        run = Run(guest, name, "download --port=hw --json --timeout=60 --input=%s "
                  "/tables/Default.key" % device)
        guest.type_text(ANNOUNCEMENT)
        guest.wait_writes(run.mark, at_byte, 60)
        return run

    def _check_stop(self, guest, run, stop_index, what, allowed):
        """A transfer that was asked to stop at trace line `stop_index`: it
        ended aborted (exit 3) with at most `allowed` bytes after the request,
        and what the keyboard received is the image's beginning, as many
        bytes as the program reports."""
        status, done = run.finish(30)
        latency = len(guest.writes_from(stop_index + 1))
        count, before, after = image_run(guest.writes_from(run.mark), self.default)
        self.figures["stop latency, %s (bytes)" % what] = latency
        check((status, done["result"]) == (3, "aborted"), "exit %d, %s" % (status, done))
        check(latency <= allowed, "%d bytes after the %s" % (latency, what))
        check(count == done["bytes"] and not before and not after,
              "%d image bytes in order, %s reported; outside them %s %s"
              % (count, done["bytes"], before, after))

    def _first(self, guest, mark, event, value=None):
        events = guest.trace()
        return next(i for i in range(mark, len(events))
                    if events[i][1] == event and value in (None, events[i][2]))

    # 4. The keyboard announces itself again half-way.
    def announce_again(self, guest, device):
        run = self._started(guest, "again", device, 300)
        guest.type_text(ANNOUNCEMENT[:-1])
        mark = len(guest.trace())
        guest.press(ANNOUNCEMENT[-1])
        # Counted from the last key's code reaching the controller: the byte
        # under way then may still go out, and the key's way through the
        # emulated CPU (interrupt, evdev, the program, the helper) has taken
        # up to one more byte period (28 ms once) on a loaded host.
        self._check_stop(guest, run, self._first(guest, mark, "ps2_put_keycode"), "announcement",
                         2)

    # 5. SIGINT half-way: stops at once (see below), exit 3, the device released.
    def interrupted(self, guest, device):
        run = self._started(guest, "sigint", device, 300)
        # A reader that opens the device while the program holds it.
        guest.shell("(timeout 20 dd if=%s of=/tmp/reader.ev bs=24 count=1 2>/dev/null) &" % device)
        mark = len(guest.trace())
        guest.shell("read pid </tmp/sigint.pid; kill -INT $pid; printf '%s'" % SIGNAL_MARK)
        # Counted from the mark written after the signal: the byte under way
        # may still go out, and on a loaded host the guest's clock can jump a
        # whole byte period while the program waits for the one vCPU, so the
        # helper's next deadline may pass before the stop reaches it (seen
        # once, 2 bytes, with a build running beside the guest).
        self._check_stop(guest, run, self._first(guest, mark, "serial_write", ord(SIGNAL_MARK)),
                         "signal", 2)
        guest.press("x")
        read, _ = guest.shell("sleep 0.5; wc -c </tmp/reader.ev")
        check(read.strip() == "24", "another reader saw no key after the stop")

    # 6. Lock keys half-way through a command-line transfer put no byte into
    # the image (the grab keeps them from the kernel's LED handling); without
    # a grab the same keys make the kernel write LED commands to the port.
    def lock_keys(self, guest, device):
        run = self._started(guest, "locks", device, 300)
        guest.press("caps_lock")
        guest.press("num_lock")
        guest.wait_writes(run.mark, 400, 30)
        guest.shell("kill -INT $(cat /tmp/locks.pid)")
        run.finish(30)
        count, before, after = image_run(guest.writes_from(run.mark), self.default)
        check(count >= 400 and not before and not after,
              "%d image bytes in order; outside them %s %s" % (count, before, after))
        # Nobody grabs now: the kernel sets the LEDs itself.
        mark = len(guest.trace())
        guest.press("caps_lock")
        guest.press("caps_lock")
        time.sleep(0.5)
        led = guest.writes_from(mark)
        self.figures["ungrabbed CapsLock writes"] = " ".join("%02X" % v for v in led)
        check(0xED in led, "without a grab CapsLock wrote %s" % led)

    def ps2(self):
        guest = self.boot(False)
        try:
            device, found = guest.shell("eventof " + PS2_PHYS)
            check(found == 0, "no PS/2 keyboard device in the guest")
            device = device.strip()
            self.case("1 download over PS/2, as the clerk", self.download, guest, device)
            self.case("2 EPROM & MCR over PS/2", self.mcr, guest, device)
            self.case("4 announcement during a transfer", self.announce_again, guest, device)
            self.case("5 SIGINT during a transfer", self.interrupted, guest, device)
            self.case("6 lock keys during a transfer", self.lock_keys, guest, device)
        finally:
            guest.close()

    def usb(self):
        guest = self.boot(True)
        try:
            self.case("3 USB keyboard announces: refused", self.usb_refused, guest)
        finally:
            guest.close()


def main():
    build = os.path.abspath(sys.argv[1])
    source = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    groups = sys.argv[2:] or ["ps2", "usb"]
    started = time.monotonic()
    cases = Cases(build, source)
    for group in groups:
        try:
            getattr(cases, group)()
        except Failure as failure:
            cases.results.append((group, "FAIL: %s" % failure))
            print("%s: FAIL: %s" % (group, failure), flush=True)
    print("figures:")
    for name, value in cases.figures.items():
        print("  %-40s %s" % (name, "%.3f" % value if isinstance(value, float) else value))
    print("total %.0f s" % (time.monotonic() - started))
    failed = [name for name, verdict in cases.results if verdict != "PASS"]
    print("%d cases, %d failed%s" % (len(cases.results), len(failed),
                                    (": " + ", ".join(failed)) if failed else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
