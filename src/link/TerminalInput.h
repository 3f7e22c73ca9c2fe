#pragma once

#include <optional>

#include <termios.h>

namespace quilby {

// Whether `fd` is a terminal this process may read and reconfigure: a
// background job that touched its terminal would be stopped. A terminal that
// is not the controlling one answers ENOTTY to the check and is safe to use.
bool isForegroundTerminal(int fd);

// Switches the terminal on `fd` to key-by-key input: no line editing, reads
// that never wait, and (unless `echo`) no echo; ISIG stays, so Ctrl+C still
// reaches the process as a signal. What was typed before is thrown away. Gives
// the settings to put back, or nullopt when the terminal could not be taken.
std::optional<termios> takeTerminalKeys(int fd, bool echo);

} // namespace quilby
