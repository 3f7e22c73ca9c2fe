#include "link/HardwarePortIo.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define QUILBY_PORT_INSTRUCTIONS 1
#else
#define QUILBY_PORT_INSTRUCTIONS 0
#endif

namespace quilby {

namespace {

#if QUILBY_PORT_INSTRUCTIONS
void outByteInstruction(std::uint16_t port, std::uint8_t value) {
    asm volatile("outb %0, %1" : : "a"(value), "d"(port));
}

std::uint8_t inByteInstruction(std::uint16_t port) {
    std::uint8_t value = 0;
    asm volatile("inb %1, %0" : "=a"(value) : "d"(port));
    return value;
}
#endif

} // namespace

PortSyscalls PortSyscalls::system() {
    PortSyscalls s;
#if QUILBY_PORT_INSTRUCTIONS
    s.portInstructions = true;
    s.ioperm = [](unsigned long from, unsigned long count, bool on) {
        return ::ioperm(from, count, on ? 1 : 0) == 0 ? 0 : errno;
    };
    s.outByte = outByteInstruction;
    s.inByte = inByteInstruction;
#else
    s.ioperm = [](unsigned long, unsigned long, bool) { return ENOSYS; };
    s.outByte = [](std::uint16_t, std::uint8_t) {};
    s.inByte = [](std::uint16_t) { return PortIo::kRefusedRead; };
#endif
    s.openDevPort = [] {
        const int fd = ::open("/dev/port", O_RDWR | O_CLOEXEC);
        return fd >= 0 ? fd : -errno;
    };
    s.closeFd = [](int fd) { ::close(fd); };
    s.devPortWrite = [](int fd, std::uint16_t port, std::uint8_t value) {
        return ::pwrite(fd, &value, 1, port) == 1;
    };
    s.devPortRead = [](int fd, std::uint16_t port) {
        std::uint8_t value = 0;
        return ::pread(fd, &value, 1, port) == 1 ? int{value} : -1;
    };
    return s;
}

HardwarePortIo::HardwarePortIo(PortSyscalls syscalls) : sys_(std::move(syscalls)) {}

HardwarePortIo::~HardwarePortIo() {
    releasePermission();
}

PortGrant HardwarePortIo::acquirePermission() {
    releasePermission();
    PortGrant grant;
    if (!sys_.portInstructions) {
        grant.instructionsError = ENOSYS;
        return grant;
    }
    grant.instructionsError = sys_.ioperm(kKeyboardDataPort, 1, true);
    if (grant.instructionsError == 0) {
        grant.granted = true;
        grant.route = PortGrant::Route::PortInstructions;
        route_.store(grant.route);
        return grant;
    }
    const int fd = sys_.openDevPort();
    if (fd < 0) {
        grant.devPortError = -fd;
        return grant;
    }
    devPortFd_ = fd;
    grant.granted = true;
    grant.route = PortGrant::Route::DevPort;
    route_.store(grant.route);
    return grant;
}

void HardwarePortIo::releasePermission() {
    switch (route_.exchange(PortGrant::Route::None)) {
    case PortGrant::Route::PortInstructions:
        sys_.ioperm(kKeyboardDataPort, 1, false);
        break;
    case PortGrant::Route::DevPort:
        sys_.closeFd(devPortFd_);
        devPortFd_ = -1;
        break;
    case PortGrant::Route::None:
        break;
    }
}

bool HardwarePortIo::portWriteByte(std::uint16_t port, std::uint8_t value) {
    if (port != kKeyboardDataPort) {
        return false;
    }
    switch (route_.load()) {
    case PortGrant::Route::PortInstructions:
        sys_.outByte(port, value);
        return true;
    case PortGrant::Route::DevPort:
        return sys_.devPortWrite(devPortFd_, port, value);
    case PortGrant::Route::None:
        break;
    }
    return false;
}

std::uint8_t HardwarePortIo::portReadByte(std::uint16_t port) {
    if (port != kKeyboardDataPort) {
        return kRefusedRead;
    }
    switch (route_.load()) {
    case PortGrant::Route::PortInstructions:
        return sys_.inByte(port);
    case PortGrant::Route::DevPort: {
        const int value = sys_.devPortRead(devPortFd_, port);
        return value < 0 ? kRefusedRead : static_cast<std::uint8_t>(value);
    }
    case PortGrant::Route::None:
        break;
    }
    return kRefusedRead;
}

} // namespace quilby
