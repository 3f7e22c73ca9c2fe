#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quilby {

// Commands of quilby-key about key editing. Each returns the exit status, or
// -1 when its arguments are wrong (the caller then prints the usage line).

// keys [--json]: the 220-row key vocabulary.
int runKeysCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// replay TRACE [--table FILE.KEY]: plays a key event trace through the key
// editor as the Key Edit command opens it, and prints the result as JSON.
int runReplayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quilby
