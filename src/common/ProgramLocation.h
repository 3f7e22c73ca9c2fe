#pragma once

#include <filesystem>

namespace quilby {

// The folder of the running program, read from /proc/self/exe; empty when
// it cannot be read. Shipped files (the manual, the translations) are found
// from there.
std::filesystem::path runningBinaryDir();

} // namespace quilby
