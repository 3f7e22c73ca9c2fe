#pragma once

#include <cstdint>

namespace quilby {

// A keyboard event as the key editor's capture sees it, in the PC keyboard's
// terms whatever the platform: the virtual-key code of a key event (Windows
// numbering) or the character code of a character event (one byte of code
// page 949), the key's scan code (set 1 make code) and the extended-key flag
// (grey cursor and editing keys, keypad Enter and /, right Ctrl and Alt).
enum class KeyEventKind : std::uint8_t {
    KeyDown,
    SystemKeyDown, // a key pressed while Alt is down, and F10
    Character,
    KeyUp,
    SystemKeyUp,
};

struct KeyEvent {
    KeyEventKind kind = KeyEventKind::KeyDown;
    std::uint8_t code = 0;
    std::uint8_t scan = 0;
    bool extended = false;

    bool operator==(const KeyEvent&) const = default;
};

// NumLock and CapsLock as the event saw them: on when toggled on or held down.
struct LockStates {
    bool numLock = false;
    bool capsLock = false;

    bool operator==(const LockStates&) const = default;
};

// What happens to an event after the capture has seen it.
enum class CaptureOutcome : std::uint8_t {
    Consumed,       // ends here; no control sees it, no character event follows
    DialogHandling, // the dialog's own keyboard handling (Esc cancels)
    NormalDelivery, // as if there were no capture
};

// Virtual-key codes the capture tells apart. Both Shift keys give Shift, both
// Ctrl keys Control.
namespace vk {
inline constexpr std::uint8_t BackSpace = 0x08;
inline constexpr std::uint8_t Tab = 0x09;
inline constexpr std::uint8_t Enter = 0x0d;
inline constexpr std::uint8_t Shift = 0x10;
inline constexpr std::uint8_t Control = 0x11;
inline constexpr std::uint8_t Alt = 0x12;
inline constexpr std::uint8_t CapsLock = 0x14;
inline constexpr std::uint8_t Escape = 0x1b;
inline constexpr std::uint8_t Left = 0x25;
inline constexpr std::uint8_t Up = 0x26;
inline constexpr std::uint8_t Right = 0x27;
inline constexpr std::uint8_t Down = 0x28;
inline constexpr std::uint8_t NumLock = 0x90;
inline constexpr std::uint8_t ScrollLock = 0x91;
} // namespace vk

} // namespace quilby
