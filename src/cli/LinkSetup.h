#pragma once

#include "cli/Cli.h"
#include "link/LinkSettings.h"
#include "link/PortIo.h"

#include <memory>
#include <optional>
#include <string>

namespace quilby {

class HelperPortIo;
class KeySource;
class Pacer;
class SimulatedKeyboard;
class SteadyPacer;

// What a command gets when nothing can reach a port: every access refused.
class NoPortBackEnd : public PortIo, public PortAccess {
public:
    bool portWriteByte(std::uint16_t, std::uint8_t) override { return false; }
    std::uint8_t portReadByte(std::uint16_t) override { return kRefusedRead; }
    bool hasPortInstructions() const override { return false; }
    bool needsPermissionStep() const override { return false; }
    PortGrant acquirePermission() override { return {}; }
    void releasePermission() override {}
};

// The port back-end, the pacing and the key source of one link command, set
// up in this order; the link is shut down and the terminal restored when it
// goes.
class LinkSetup {
public:
    // `brand`: the model the command expects (the simulated keyboard is made
    // as that model); `input`: the --input= value, empty when not given.
    LinkSetup(LinkEnvironment& env, bool simulated, KeyboardBrand brand, std::string input);
    ~LinkSetup();
    LinkSetup(const LinkSetup&) = delete;
    LinkSetup& operator=(const LinkSetup&) = delete;

    // Opens the port; returns the reason when it is out of reach.
    std::optional<std::string> openPort();
    // Chooses where the keyboard's typing is read; returns the reason when
    // nothing can be read.
    std::optional<std::string> openKeys();

    Pacer& pacer();
    bool simulatedPort() const { return simulated_; }
    PortIo& port() { return *port_; }
    KeySource& keys() { return *keys_; }
    SimulatedKeyboard* simulator() { return sim_; }

    LinkSettings settings;

private:
    LinkEnvironment& env_;
    bool simulated_;
    KeyboardBrand brand_;
    std::string input_;
    std::unique_ptr<SimulatedKeyboard> simOwned_;
    SimulatedKeyboard* sim_ = nullptr;
    std::unique_ptr<HelperPortIo> hardware_;
    NoPortBackEnd noPorts_;
    PortIo* port_ = nullptr;
    PortAccess* access_ = nullptr;
    std::unique_ptr<SteadyPacer> pacerOwned_;
    std::unique_ptr<KeySource> keysOwned_;
    KeySource* keys_ = nullptr;
};

} // namespace quilby
