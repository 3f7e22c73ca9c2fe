#include "common/ProgramLocation.h"

#include <system_error>

namespace quilby {

std::filesystem::path runningBinaryDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    return exe.parent_path();
}

} // namespace quilby
