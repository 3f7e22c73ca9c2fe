#pragma once

#include "cli/Cli.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quilby {

// The commands of quilby-key that talk to the keyboard, one file each over
// LinkCommand. Each returns the exit status, or kBadArguments when its
// arguments are wrong (the caller prints the usage).
int runDownloadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       LinkEnvironment& link);
int runMcrCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  LinkEnvironment& link);
int runIdentifyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       LinkEnvironment& link);
int runPortStatusCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                         LinkEnvironment& link);

} // namespace quilby
