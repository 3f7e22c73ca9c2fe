#include "cli/Cli.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    // A reader that went away makes writes fail with EPIPE, which every
    // command checks; a transfer catches the signal itself to stop cleanly.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    quilby::LinkEnvironment link = quilby::LinkEnvironment::forProgram();
    return quilby::runQuilbyKey(args, std::cout, std::cerr, link);
}
