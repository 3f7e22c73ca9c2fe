#pragma once

#include "link/PortIo.h"

#include <chrono>
#include <string>
#include <vector>

namespace quilby {

// The port helper a program starts: its path and arguments.
struct HelperCommand {
    std::string path;
    std::vector<std::string> arguments;
    // How long the helper may take to give its first reply.
    std::chrono::milliseconds replyWait{5000};

    // quilby-port beside the running program (a build tree), else in
    // ../libexec/quilby/ from the program's folder (installed).
    static HelperCommand located();
    // The same choice for a program in `programFolder`; `exists` tells
    // whether a file may be executed.
    static HelperCommand locatedFrom(const std::string& programFolder,
                                     bool (*exists)(const std::string& path));
};

// The hardware back-end of the programs: a client of the port helper, which
// alone holds the port permission. The permission step asks the helper
// whether the port can be reached without sending a byte; every run is
// handed to a helper of its own, which paces it and reports each byte. The
// program itself reaches no port: single-byte accesses are refused.
class HelperPortIo : public PortIo, public PortAccess {
public:
    explicit HelperPortIo(HelperCommand command = HelperCommand::located());

    bool portWriteByte(std::uint16_t, std::uint8_t) override { return false; }
    std::uint8_t portReadByte(std::uint16_t) override { return kRefusedRead; }
    RunEnd sendRun(RunKind kind, const std::vector<std::uint8_t>& bytes, Pacer& pacer,
                   RunControl& control) override;

    bool hasPortInstructions() const override;
    bool needsPermissionStep() const override { return true; }
    PortGrant acquirePermission() override;
    // The helper holds nothing between runs.
    void releasePermission() override {}

    const HelperCommand& command() const { return command_; }

private:
    HelperCommand command_;
};

} // namespace quilby
