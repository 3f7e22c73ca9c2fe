#pragma once

#include "link/PortIo.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace quilby {

// The system calls and processor instructions the hardware back-end uses, so
// that tests can stand in for every one of them: no test ever reaches a real
// port.
struct PortSyscalls {
    // Whether this build's processor has port instructions (x86).
    bool portInstructions = false;
    // ioperm(from, count, on): 0, or the errno value.
    std::function<int(unsigned long from, unsigned long count, bool on)> ioperm;
    // Opens /dev/port for reading and writing: a descriptor, or -errno.
    std::function<int()> openDevPort;
    std::function<void(int fd)> closeFd;
    // One byte at offset `port` of /dev/port; false or -1 on failure.
    std::function<bool(int fd, std::uint16_t port, std::uint8_t value)> devPortWrite;
    std::function<int(int fd, std::uint16_t port)> devPortRead;
    // The one-byte port instructions, port number in a register.
    std::function<void(std::uint16_t port, std::uint8_t value)> outByte;
    std::function<std::uint8_t(std::uint16_t port)> inByte;

    // The real ones of this build.
    static PortSyscalls system();
};

// Port 0x60 on Linux. The permission is asked once: ioperm for the port
// first (port instructions), /dev/port as the second route. Without a
// granted route, or for any port but 0x60, an access is refused before any
// instruction runs: a write is dropped and a read answers kRefusedRead.
class HardwarePortIo : public PortIo, public PortAccess {
public:
    explicit HardwarePortIo(PortSyscalls syscalls = PortSyscalls::system());
    ~HardwarePortIo() override;
    HardwarePortIo(const HardwarePortIo&) = delete;
    HardwarePortIo& operator=(const HardwarePortIo&) = delete;

    bool portWriteByte(std::uint16_t port, std::uint8_t value) override;
    std::uint8_t portReadByte(std::uint16_t port) override;

    bool hasPortInstructions() const override { return sys_.portInstructions; }
    // Linux always asks for port access first.
    bool needsPermissionStep() const override { return true; }
    PortGrant acquirePermission() override;
    void releasePermission() override;

    PortGrant::Route route() const { return route_.load(); }

private:
    PortSyscalls sys_;
    std::atomic<PortGrant::Route> route_{PortGrant::Route::None};
    int devPortFd_ = -1;
};

} // namespace quilby
