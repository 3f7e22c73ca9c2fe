#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quilby {

// quilby-key: runs one command with its arguments (without the program name)
// and returns the exit status. Output goes to `out`, errors to `err`, so the
// tests run every command in-process.
int runQuilbyKey(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quilby
