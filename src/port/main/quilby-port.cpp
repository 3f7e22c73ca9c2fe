// The only program with a capability: it takes ports 0x60 and 0x64, drops
// every capability, then sends one run its parent asks for. See
// port/PortHelper.h for the conversation.
#include "port/SystemHelper.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    // Nothing here reads the environment; clearing it keeps it that way for
    // anything linked in.
    ::clearenv();
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("quilby-port %s\n", QUILBY_VERSION);
        return 0;
    }
    if (argc != 1) {
        std::fputs("quilby-port: takes no option but --version; the Quilby programs start it\n",
                   stderr);
        return static_cast<int>(quilby::helper::Exit::Usage);
    }
    quilby::HelperSystem system = quilby::systemHelper();
    return static_cast<int>(quilby::runPortHelper(system));
}
