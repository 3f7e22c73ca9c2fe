// The port helper with a recording back-end, built for the tests only: the
// same conversation as the installed helper, but no system call reaches a
// port or a capability. Options (this program only):
//   --record=FILE      append every byte written to port 0x60 to FILE
//   --permit=ERRNO     what ioperm answers (default 0)
//   --status=HH,HH,..  the status port's answers in turn; the last repeats
//   --fast             a clock that jumps over every pause
#include "port/PortHelper.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace quilby;

namespace {

struct Options {
    std::string record;
    int permit = 0;
    std::vector<std::uint8_t> status{0x00};
    bool fast = false;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--record=", 0) == 0) {
            o.record = a.substr(9);
        } else if (a.rfind("--permit=", 0) == 0) {
            o.permit = std::atoi(a.c_str() + 9);
        } else if (a.rfind("--status=", 0) == 0) {
            o.status.clear();
            for (std::size_t at = 9; at < a.size(); at += 3) {
                o.status.push_back(
                    static_cast<std::uint8_t>(std::stoi(a.substr(at, 2), nullptr, 16)));
            }
        } else if (a == "--fast") {
            o.fast = true;
        }
    }
    return o;
}

int readByte(std::chrono::microseconds timeout) {
    pollfd in{STDIN_FILENO, POLLIN, 0};
    const auto seconds = std::chrono::floor<std::chrono::seconds>(timeout);
    const timespec wait{static_cast<time_t>(seconds.count()),
                        static_cast<long>((timeout - seconds).count() * 1000)};
    const int waited = ::ppoll(&in, 1, timeout.count() < 0 ? nullptr : &wait, nullptr);
    if (waited <= 0) {
        return HelperSystem::kNoInput;
    }
    std::uint8_t byte = 0;
    return ::read(STDIN_FILENO, &byte, 1) == 1 ? byte : HelperSystem::kEndOfInput;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    std::FILE* record = options.record.empty() ? nullptr : std::fopen(options.record.c_str(), "ab");
    std::size_t statusRead = 0;
    auto fakeNow = HelperSystem::Clock::now();

    HelperSystem s;
    s.permitPort = [&](std::uint16_t) { return options.permit; };
    s.dropPrivileges = [] { return 0; };
    s.watchParent = [] { return true; };
    s.outByte = [&](std::uint16_t port, std::uint8_t value) {
        if (record != nullptr && port == 0x60) {
            std::fputc(value, record);
            std::fflush(record);
        }
    };
    s.inByte = [&](std::uint16_t port) -> std::uint8_t {
        if (port != 0x64) {
            return 0xFA;
        }
        const std::size_t at = std::min(statusRead++, options.status.size() - 1);
        return options.status[at];
    };
    s.readByte = [&](std::chrono::microseconds timeout) {
        if (!options.fast || timeout.count() <= 0) {
            return readByte(timeout);
        }
        const int got = readByte(std::chrono::microseconds(0));
        if (got == HelperSystem::kNoInput) {
            fakeNow += timeout;
        }
        return got;
    };
    s.write = [](const std::vector<std::uint8_t>& bytes) {
        return ::write(STDOUT_FILENO, bytes.data(), bytes.size()) ==
               static_cast<ssize_t>(bytes.size());
    };
    s.now = [&] { return options.fast ? fakeNow : HelperSystem::Clock::now(); };
    s.sleepUntil = [&](HelperSystem::Clock::time_point until) {
        if (options.fast) {
            fakeNow = std::max(fakeNow, until);
        } else {
            std::this_thread::sleep_until(until);
        }
    };
    const int status = static_cast<int>(runPortHelper(s));
    if (record != nullptr) {
        std::fclose(record);
    }
    return status;
}
