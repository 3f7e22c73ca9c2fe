#pragma once

#include <chrono>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace quilby {

class HelperPortIo;
class KeySource;
class Pacer;
class SimulatedKeyboard;

// What the keyboard link commands (download, mcr, identify) work with. The
// program fills it with the real things (forProgram); a default one reaches
// no hardware at all, so a test can never touch a port by mistake.
struct LinkEnvironment {
    // QUILBY_PORT ("sim" or "hw"); --port= on the command line wins.
    std::string portEnv;
    // Makes the hardware back-end; empty: no port can be reached.
    std::function<std::unique_ptr<HelperPortIo>()> hardware;
    // Paces the transfer; nullptr: real sleeps.
    Pacer* pacer = nullptr;
    // The simulated keyboard of --port=sim; nullptr: a fresh one.
    SimulatedKeyboard* simulator = nullptr;
    // How long after the start the simulated keyboard announces itself.
    std::chrono::milliseconds simulatorAnnounceAfter{500};
    // Where keys come from; nullptr: chosen by --input= and the terminal.
    KeySource* keys = nullptr;
    // The terminal that may carry the keyboard's typing.
    int terminalFd = -1;
    // Draw a progress bar on the error stream (it is a terminal).
    bool progressBar = false;
    // The width of that terminal in columns.
    int terminalColumns = 80;
    // Catch Ctrl+C and SIGTERM while a command runs.
    bool catchSignals = true;
    // Where the record of every download is kept; empty: nothing is recorded.
    std::string historyFolder;

    static LinkEnvironment forProgram();
};

// quilby-key: runs one command with its arguments (without the program name)
// and returns the exit status. Output goes to `out`, errors to `err`, so the
// tests run every command in-process.
int runQuilbyKey(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runQuilbyKey(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 LinkEnvironment& link);

} // namespace quilby
