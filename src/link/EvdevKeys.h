#pragma once

#include "editing/PcKeyboard.h"
#include "link/KeyMessage.h"
#include "link/KeySources.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quilby {

// One event of a Linux input device, as read from /dev/input/event* (the
// time stamp is not needed).
struct InputEvent {
    std::uint16_t type = 0;
    std::uint16_t code = 0;
    std::int32_t value = 0;
};

// Turns one keyboard device's events into the link's key messages through the
// PC keyboard model, as if a window had received the keys: key presses
// (value 1) and auto-repeats (2) give a key-down and the character it types,
// releases (0) a key-up. Keys a PC keyboard does not have and every other
// event type are ignored.
class EvdevKeyTranslator {
public:
    // The lock toggles as the device's LEDs show them when reading starts.
    void setLockToggles(LockStates toggles) { source_.setLockToggles(toggles); }
    std::vector<KeyMessage> feed(const InputEvent& event);

private:
    PcKeyEventSource source_;
};

// Whether a device with these key capabilities is a keyboard one can type an
// identification on: every letter, the digits, the space bar and Enter.
bool looksLikeKeyboard(const std::function<bool(unsigned keyCode)>& hasKey);

// One opened input device. Reading never blocks.
class InputDevice {
public:
    virtual ~InputDevice() = default;
    // A descriptor to wait on, or -1 for a device that is only ever drained.
    virtual int fd() const = 0;
    // The next event, or nullopt when none is waiting (or the device is gone).
    virtual std::optional<InputEvent> next() = 0;
    virtual LockStates lockToggles() const { return {}; }
    virtual std::string name() const = 0;
    // The kernel's physical path of the device; empty when it has none.
    virtual std::string physicalPath() const { return {}; }
};

// Reads keys from input devices; each device keeps its own modifier state.
class EvdevKeySource : public KeySource {
public:
    explicit EvdevKeySource(std::vector<std::unique_ptr<InputDevice>> devices);

    std::vector<KeyMessage> read(std::chrono::milliseconds timeout) override;
    std::string describe() const override;
    bool tellsOrigin() const override { return true; }

private:
    struct Reader {
        std::unique_ptr<InputDevice> device;
        EvdevKeyTranslator translator;
        KeyOrigin origin = KeyOrigin::Unknown;
    };
    std::vector<Reader> readers_;
};

} // namespace quilby
