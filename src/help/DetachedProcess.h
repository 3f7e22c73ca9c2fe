#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quilby {

// Starts argv[0] with the arguments argv[1..] as a process of its own: the
// caller neither waits for it nor has to reap it, and it lives on when the
// program exits. A program name without a slash is looked up along PATH.
//
// Returns 0 once the program is running, otherwise the errno of the failed
// start: ENOENT when it (or a folder of its path) does not exist, EACCES when
// it is there but may not be executed, ENOEXEC when it is not an executable
// format, EINVAL for an empty argv, or whatever fork and exec reported.
int startDetached(const std::vector<std::string>& argv);

struct DetachedStart {
    int error = 0;    // as startDetached returns it
    int endPipe = -1; // once started: readable when the program has ended; the caller closes it
};

// startDetached, with a small watcher process kept between the program and
// init that writes the program's wait status to `endPipe` when it ends, so a
// caller can hear, without waiting, that an opener failed after it started.
DetachedStart startWatched(const std::vector<std::string>& argv);

// The wait status the watcher wrote (blocks until it is there); nullopt when
// the watcher went away without writing one.
std::optional<int> readProgramEnd(int endPipe);

} // namespace quilby
