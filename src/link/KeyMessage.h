#pragma once

#include <cstdint>
#include <string_view>

namespace quilby {

// Where a key was typed, as far as the program can tell: port 0x60 reaches
// only a keyboard on the PS/2 port.
enum class KeyOrigin : std::uint8_t {
    Unknown,   // the key source cannot tell (a terminal, a window)
    Ps2Port,   // a keyboard on the PS/2 port
    Elsewhere, // a keyboard attached another way (USB, a USB adapter)
};

// Whether an input device's physical path is the PS/2 keyboard port's,
// e.g. "isa0060/serio0/input0".
bool onPs2Port(std::string_view physicalPath);

// One keyboard message as the link dialogs see it, independent of any window
// system: the Qt layer builds these from its key events, and the simulated
// keyboard produces them for the Qt layer to post as real key events.
struct KeyMessage {
    enum class Kind : std::uint8_t {
        KeyDown,       // an ordinary key-down
        SystemKeyDown, // a key-down while Alt is held, and F10
        Character,     // the character a key-down produced
        KeyUp,
    };

    Kind kind = Kind::KeyDown;
    // Virtual-key code of key-downs and key-ups: letter keys give their
    // upper-case letter, digits their digit, the space bar 0x20.
    std::uint16_t virtualKey = 0;
    // Character of a Character message (code page 949 / ASCII code).
    std::uint16_t character = 0;
    // PC scan code set 1 make code, and whether the key is an extended key.
    std::uint8_t scanCode = 0;
    bool extended = false;
    KeyOrigin origin = KeyOrigin::Unknown;

    static constexpr std::uint16_t kEnter = 13;
    static constexpr std::uint16_t kShift = 0x10;
    static constexpr std::uint16_t kEscape = 27;
    static constexpr std::uint16_t kSpace = 0x20;
    static constexpr std::uint16_t kF11 = 0x7A;

    static KeyMessage keyDown(std::uint16_t vk, std::uint8_t scan = 0) {
        return {Kind::KeyDown, vk, 0, scan, false};
    }
    static KeyMessage keyUp(std::uint16_t vk, std::uint8_t scan = 0) {
        return {Kind::KeyUp, vk, 0, scan, false};
    }
    static KeyMessage characterOf(std::uint16_t ch, std::uint8_t scan = 0) {
        return {Kind::Character, 0, ch, scan, false};
    }

    bool operator==(const KeyMessage&) const = default;
};

// What a link dialog's key pre-processing answers for a message.
enum class KeyVerdict : std::uint8_t {
    PassOn,   // normal dialog processing
    Consumed, // the dialog does not see the message
};

} // namespace quilby
