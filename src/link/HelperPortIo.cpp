#include "link/HelperPortIo.h"

#include "port/PortHelper.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quilby {

namespace {

bool executable(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0;
}

// How long a run may go without a word from its helper before it is given
// up: far more than the longest pause and the controller's wait together.
constexpr std::chrono::milliseconds kSilenceLimit{2000};
// How often a run looks at its owner's stop request.
constexpr std::chrono::milliseconds kStopLook{5};

// One started helper, talked to over a stream socket that is its standard
// input and output. Waits for it when it goes.
class HelperProcess {
public:
    HelperProcess() = default;
    ~HelperProcess() { finish(); }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // 0, or the errno value of the start (EACCES: not allowed to run it).
    int start(const HelperCommand& command) {
        int pair[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
            return errno;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pair[1], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, pair[1], STDOUT_FILENO);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(command.path.c_str()));
        for (const std::string& argument : command.arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        // The helper is given no environment at all.
        char* envp[] = {nullptr};
        const int error =
            ::posix_spawn(&pid_, command.path.c_str(), &actions, nullptr, argv.data(), envp);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pair[1]);
        if (error != 0) {
            ::close(pair[0]);
            pid_ = -1;
            return error;
        }
        fd_ = pair[0];
        return 0;
    }

    // The next byte within `timeout`, or -1 for the end, -2 for none yet.
    int readByte(std::chrono::milliseconds timeout) {
        pollfd in{fd_, POLLIN, 0};
        const int waited = ::poll(&in, 1, static_cast<int>(timeout.count()));
        if (waited <= 0) {
            return waited < 0 && errno != EINTR ? -1 : -2;
        }
        std::uint8_t byte = 0;
        const ssize_t got = ::recv(fd_, &byte, 1, 0);
        if (got == 1) {
            return byte;
        }
        return got < 0 && errno == EINTR ? -2 : -1;
    }

    bool send(const std::vector<std::uint8_t>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t sent =
                ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR) {
                continue;
            }
            if (sent <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(sent);
        }
        return true;
    }

    // The end of the helper's input: a stop, or the end of a probe.
    void closeInput() { ::shutdown(fd_, SHUT_WR); }

    void kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
        }
    }

    void finish() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
        if (pid_ > 0) {
            int status = 0;
            while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
            }
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

PortGrant grantOf(int reply, int detail, const std::string& path) {
    PortGrant grant;
    grant.helperPath = path;
    switch (reply) {
    case helper::kReady:
        grant.granted = true;
        return grant;
    case helper::kNoPermission:
        grant.instructionsError = detail;
        grant.refusal =
            detail == EPERM ? PortGrant::Refusal::NoPermission : PortGrant::Refusal::KernelRefuses;
        return grant;
    case helper::kNoController:
        grant.refusal = PortGrant::Refusal::NoController;
        return grant;
    default:
        grant.refusal = PortGrant::Refusal::HelperFailed;
        return grant;
    }
}

// Starts the helper and reads its first reply into a grant.
PortGrant startHelper(HelperProcess& process, const HelperCommand& command) {
    PortGrant grant;
    grant.helperPath = command.path;
    const int reach = command.path.empty() || ::access(command.path.c_str(), X_OK) != 0
                          ? (command.path.empty() ? ENOENT : errno)
                          : 0;
    if (reach != 0) {
        // Not there, or this account may not run it (outside its group).
        grant.refusal =
            reach == EACCES ? PortGrant::Refusal::NoPermission : PortGrant::Refusal::HelperMissing;
        grant.instructionsError = reach == EACCES ? EACCES : 0;
        return grant;
    }
    if (const int error = process.start(command)) {
        grant.refusal = error == EACCES || error == EPERM ? PortGrant::Refusal::NoPermission
                                                          : PortGrant::Refusal::HelperFailed;
        grant.instructionsError = error;
        return grant;
    }
    const int reply = process.readByte(command.replyWait);
    const bool withDetail = reply == helper::kNoPermission || reply == helper::kDropFailed;
    const int detail = withDetail ? process.readByte(command.replyWait) : 0;
    return grantOf(reply, detail < 0 ? 0 : detail, command.path);
}

RunEnd runEndOf(int status) {
    switch (static_cast<helper::Exit>(status)) {
    case helper::Exit::Done:
        return RunEnd::Completed;
    case helper::Exit::Stopped:
        return RunEnd::Stopped;
    case helper::Exit::ControllerFault:
        return RunEnd::ControllerFault;
    default:
        return RunEnd::Refused;
    }
}

} // namespace

HelperCommand HelperCommand::locatedFrom(const std::string& programFolder,
                                         bool (*exists)(const std::string& path)) {
    HelperCommand command;
    const std::string beside = programFolder + "/quilby-port";
    command.path = exists(beside) ? beside : programFolder + "/../libexec/quilby/quilby-port";
    return command;
}

HelperCommand HelperCommand::located() {
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return HelperCommand{"/usr/libexec/quilby/quilby-port", {}};
    }
    std::string folder(self, static_cast<std::size_t>(length));
    folder.erase(folder.find_last_of('/'));
    return locatedFrom(folder, executable);
}

HelperPortIo::HelperPortIo(HelperCommand command) : command_(std::move(command)) {}

bool HelperPortIo::hasPortInstructions() const {
#if defined(__x86_64__) || defined(__i386__)
    return true;
#else
    return false;
#endif
}

PortGrant HelperPortIo::acquirePermission() {
    HelperProcess process;
    PortGrant grant = startHelper(process, command_);
    // A probe asks for nothing: the end of its input lets the helper go.
    process.closeInput();
    return grant;
}

RunEnd HelperPortIo::sendRun(RunKind kind, const std::vector<std::uint8_t>& bytes, Pacer&,
                             RunControl& control) {
    HelperProcess process;
    if (!startHelper(process, command_).granted ||
        !process.send(helper::encodeRequest(kind, bytes))) {
        return RunEnd::Refused;
    }
    std::size_t sent = 0;
    bool stopSent = false;
    auto silentSince = std::chrono::steady_clock::now();
    for (;;) {
        if (kind == RunKind::Download && !stopSent && control.stopRequested()) {
            stopSent = process.send({helper::kStop});
        }
        const int report = process.readByte(kStopLook);
        if (report == -2) {
            if (std::chrono::steady_clock::now() - silentSince > kSilenceLimit) {
                process.kill();
                return sent == 0 ? RunEnd::Refused : RunEnd::ControllerFault;
            }
            continue;
        }
        silentSince = std::chrono::steady_clock::now();
        const int value = report < 0 ? -1 : process.readByte(kSilenceLimit);
        if (report == helper::kByteSent && value >= 0) {
            control.byteSent(sent++, static_cast<std::uint8_t>(value));
        } else if (report == helper::kRunEnded && value >= 0) {
            return runEndOf(value);
        } else {
            // The helper went away without an end: what it sent is all.
            return sent == 0 ? RunEnd::Refused : RunEnd::ControllerFault;
        }
    }
}

} // namespace quilby
