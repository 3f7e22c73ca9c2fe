#include "port/SystemHelper.h"

#include "port/Privileges.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <poll.h>
#include <thread>
#include <unistd.h>

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

int readParentByte(std::chrono::microseconds timeout) {
    pollfd in{STDIN_FILENO, POLLIN, 0};
    const auto seconds = std::chrono::floor<std::chrono::seconds>(timeout);
    const timespec wait{static_cast<time_t>(seconds.count()),
                        static_cast<long>((timeout - seconds).count() * 1000)};
    const int waited = ::ppoll(&in, 1, timeout.count() < 0 ? nullptr : &wait, nullptr);
    if (waited == 0) {
        return HelperSystem::kNoInput;
    }
    if (waited < 0) {
        return errno == EINTR ? HelperSystem::kNoInput : HelperSystem::kEndOfInput;
    }
    std::uint8_t byte = 0;
    const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
    if (got == 1) {
        return byte;
    }
    return got < 0 && errno == EINTR ? HelperSystem::kNoInput : HelperSystem::kEndOfInput;
}

bool writeParent(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

} // namespace

HelperSystem systemHelper() {
    // A parent that goes away must not kill the helper halfway through a
    // report: a failed write says so instead.
    std::signal(SIGPIPE, SIG_IGN);
    HelperSystem s;
#if QUILBY_PORT_INSTRUCTIONS
    s.permitPort = [](std::uint16_t port) { return ::ioperm(port, 1, 1) == 0 ? 0 : errno; };
    s.outByte = outByteInstruction;
    s.inByte = inByteInstruction;
#else
    s.permitPort = [](std::uint16_t) { return ENOSYS; };
    s.outByte = [](std::uint16_t, std::uint8_t) {};
    s.inByte = [](std::uint16_t) { return std::uint8_t{0xFF}; };
#endif
    s.dropPrivileges = dropEveryCapability;
    s.watchParent = watchParentDeath;
    s.readByte = readParentByte;
    s.write = writeParent;
    s.now = [] { return HelperSystem::Clock::now(); };
    s.sleepUntil = [](HelperSystem::Clock::time_point until) {
        std::this_thread::sleep_until(until);
    };
    return s;
}

} // namespace quilby
