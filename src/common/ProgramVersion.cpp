#include "common/ProgramVersion.h"

namespace quilby {

// Only this file is built with the version, so a new version rebuilds one object.
std::string_view programVersion() {
    return QUILBY_VERSION;
}

std::string versionLine(std::string_view programName) {
    return std::string(programName) + " " + std::string(programVersion());
}

} // namespace quilby
