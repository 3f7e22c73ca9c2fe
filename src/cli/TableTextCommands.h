#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quilby {

// A key table as text and back (exchange/TableText.h). Each returns the exit
// status, or kBadArguments when its arguments are wrong.

// export [--format=json|csv] FILE.KEY [OUT]: standard output without OUT;
// the format from OUT's extension when not given, JSON otherwise.
int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// import IN OUT.KEY: JSON or CSV into a .KEY file through the write guard;
// 0 written, 1 refused, 2 unreadable.
int runImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quilby
