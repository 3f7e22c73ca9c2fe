#include "help/DetachedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace quilby {

namespace {

// The file execvp would run for `name`, and the errno it would end with when
// there is none: a file found without the right to execute it wins over a
// missing one, as the shell reports it.
std::string resolveProgram(const std::string& name, int& error) {
    error = 0;
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const char* env = std::getenv("PATH");
    const std::string_view path = env != nullptr ? env : "/usr/local/bin:/usr/bin:/bin";
    int firstError = ENOENT;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        // An empty PATH element names the working folder.
        std::string dir(path.substr(start, end - start));
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (errno == EACCES && ::access(candidate.c_str(), F_OK) == 0) {
            firstError = EACCES;
        }
        start = end + 1;
    }
    error = firstError;
    return {};
}

ssize_t retryRead(int fd, void* buf, std::size_t size) {
    ssize_t n = 0;
    do {
        n = ::read(fd, buf, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

} // namespace

namespace {

// Starts the program detached; with `endPipe`, a watcher process stays
// between it and init, waits for it and writes its wait status to the pipe.
DetachedStart start(const std::vector<std::string>& argv, bool watch) {
    if (argv.empty() || argv.front().empty()) {
        return {EINVAL, -1};
    }
    int error = 0;
    const std::string program = resolveProgram(argv.front(), error);
    if (error != 0) {
        return {error, -1};
    }
    // Everything the child needs is prepared here: between fork and exec only
    // async-signal-safe calls are allowed in a program with threads.
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);

    // The exec error travels back through a pipe that exec closes.
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return {errno, -1};
    }
    int endFds[2] = {-1, -1};
    if (watch && ::pipe2(endFds, O_CLOEXEC) != 0) {
        const int e = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return {e, -1};
    }
    const auto closeEnd = [&endFds] {
        for (int& fd : endFds) {
            if (fd >= 0) {
                ::close(fd);
                fd = -1;
            }
        }
    };
    const pid_t child = ::fork();
    if (child < 0) {
        const int e = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        closeEnd();
        return {e, -1};
    }
    if (child == 0) {
        // The intermediate child: a new session, and a grandchild that init
        // adopts once this one exits, so nobody has to reap the program.
        ::close(pipeFds[0]);
        if (watch) {
            ::close(endFds[0]);
        }
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            if (grandchild < 0) {
                const int e = errno;
                (void)!::write(pipeFds[1], &e, sizeof e);
            }
            ::_exit(0);
        }
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (watch) {
            // The watcher: the program is its child, and its end goes into
            // the pipe. A reader that has gone away ends the watcher only.
            const pid_t watched = ::fork();
            if (watched > 0) {
                ::close(pipeFds[1]);
                int status = 0;
                while (::waitpid(watched, &status, 0) < 0 && errno == EINTR) {
                }
                (void)!::write(endFds[1], &status, sizeof status);
                ::_exit(0);
            }
            if (watched < 0) {
                const int e = errno;
                (void)!::write(pipeFds[1], &e, sizeof e);
                ::_exit(127);
            }
        }
        ::execv(program.c_str(), args.data());
        const int e = errno;
        (void)!::write(pipeFds[1], &e, sizeof e);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (watch) {
        ::close(endFds[1]);
        endFds[1] = -1;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int reported = 0;
    const ssize_t n = retryRead(pipeFds[0], &reported, sizeof reported);
    ::close(pipeFds[0]);
    if (n == static_cast<ssize_t>(sizeof reported)) {
        closeEnd();
        return {reported != 0 ? reported : EIO, -1};
    }
    return {0, endFds[0]};
}

} // namespace

int startDetached(const std::vector<std::string>& argv) {
    return start(argv, false).error;
}

DetachedStart startWatched(const std::vector<std::string>& argv) {
    return start(argv, true);
}

std::optional<int> readProgramEnd(int endPipe) {
    int status = 0;
    const ssize_t n = retryRead(endPipe, &status, sizeof status);
    if (n != static_cast<ssize_t>(sizeof status)) {
        return std::nullopt;
    }
    return status;
}

} // namespace quilby
