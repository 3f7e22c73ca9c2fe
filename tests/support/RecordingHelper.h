#pragma once

#include "link/HelperPortIo.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quilby::testing {

// The test build's port helper with its recording back-end: every byte it
// writes to port 0x60 is appended to `record`; nothing reaches a port.
inline HelperCommand recordingHelper(const std::string& record,
                                     const std::vector<std::string>& extra = {}) {
    HelperCommand command;
    command.path = QUILBY_RECORDING_HELPER;
    command.arguments = {"--record=" + record, "--fast"};
    command.arguments.insert(command.arguments.end(), extra.begin(), extra.end());
    return command;
}

inline std::vector<std::uint8_t> recordedBytes(const std::string& record) {
    std::ifstream in(record, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace quilby::testing
