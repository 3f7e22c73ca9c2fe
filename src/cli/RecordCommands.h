#pragma once

#include "cli/Cli.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quilby {

// diff A.KEY B.KEY [--json]: the positions where two tables differ. Exit 0
// same, 1 different, 2 trouble, or kBadArguments.
int runDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// history [--json] | history --table N OUT.KEY: the record of every download
// kept in `link.historyFolder`.
int runHistoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const LinkEnvironment& link);

} // namespace quilby
