#pragma once

#include "link/EvdevKeys.h"

#include <memory>
#include <string>
#include <vector>

namespace quilby {

// Opens /dev/input devices through libevdev. A device is grabbed while it is
// read, so the identification and the EPROM report the keyboard types do not
// also land in whatever program has the till's focus.

struct InputOpening {
    std::unique_ptr<InputDevice> device; // null on failure
    std::string error;                   // why it failed, with the cure
};

InputOpening openInputDevice(const std::string& path);

struct KeyboardSearch {
    std::vector<std::unique_ptr<InputDevice>> keyboards;
    int denied = 0;     // devices the user may not read
    std::string folder; // where it looked
    bool folderMissing = false;
};

// Every device under /dev/input that looks like a keyboard.
KeyboardSearch findKeyboards();

// The cure for a device the user may not read.
std::string inputPermissionHint();

} // namespace quilby
