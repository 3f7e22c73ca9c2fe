#pragma once

// Runs the command-line tool in-process and gives its tests a scratch folder.

#include "cli/Cli.h"

#include "TempFiles.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quilby::testing {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runQuilbyKey(args, out, err);
    return {status, out.str(), err.str()};
}

class CliFixture : public ::testing::Test {
protected:
    // Writes a file into the scratch folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        writeFile(path(name), bytes);
        return path(name);
    }
    std::string path(const std::string& name) const { return scratch_.file(name); }
    static std::string read(const std::string& p) { return readFile(p); }

    ScratchDir scratch_{"quilby-cli"};
    const std::string dir_ = scratch_.path();
};

} // namespace quilby::testing
