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

// Virtual-key codes (Windows numbering) of the keys the capture and the PC
// keyboard model tell apart. Both Shift keys give Shift, both Ctrl keys
// Control, both Alt keys Alt. Letters and digits are their capital letter and
// digit characters.
namespace vk {
inline constexpr std::uint8_t BackSpace = 0x08;
inline constexpr std::uint8_t Tab = 0x09;
inline constexpr std::uint8_t Clear = 0x0c; // keypad 5 with NumLock off
inline constexpr std::uint8_t Enter = 0x0d;
inline constexpr std::uint8_t Shift = 0x10;
inline constexpr std::uint8_t Control = 0x11;
inline constexpr std::uint8_t Alt = 0x12;
inline constexpr std::uint8_t Pause = 0x13;
inline constexpr std::uint8_t CapsLock = 0x14;
inline constexpr std::uint8_t Hangul = 0x15;
inline constexpr std::uint8_t Hanja = 0x19;
inline constexpr std::uint8_t Escape = 0x1b;
inline constexpr std::uint8_t Space = 0x20;
inline constexpr std::uint8_t PageUp = 0x21;
inline constexpr std::uint8_t PageDown = 0x22;
inline constexpr std::uint8_t End = 0x23;
inline constexpr std::uint8_t Home = 0x24;
inline constexpr std::uint8_t Left = 0x25;
inline constexpr std::uint8_t Up = 0x26;
inline constexpr std::uint8_t Right = 0x27;
inline constexpr std::uint8_t Down = 0x28;
inline constexpr std::uint8_t PrintScreen = 0x2c;
inline constexpr std::uint8_t Insert = 0x2d;
inline constexpr std::uint8_t Delete = 0x2e;
inline constexpr std::uint8_t LeftWindows = 0x5b;
inline constexpr std::uint8_t RightWindows = 0x5c;
inline constexpr std::uint8_t Menu = 0x5d;
inline constexpr std::uint8_t Numpad0 = 0x60; // keypad digits 0 to 9 follow in order
inline constexpr std::uint8_t Numpad1 = 0x61;
inline constexpr std::uint8_t Numpad2 = 0x62;
inline constexpr std::uint8_t Numpad3 = 0x63;
inline constexpr std::uint8_t Numpad4 = 0x64;
inline constexpr std::uint8_t Numpad5 = 0x65;
inline constexpr std::uint8_t Numpad6 = 0x66;
inline constexpr std::uint8_t Numpad7 = 0x67;
inline constexpr std::uint8_t Numpad8 = 0x68;
inline constexpr std::uint8_t Numpad9 = 0x69;
inline constexpr std::uint8_t Multiply = 0x6a;
inline constexpr std::uint8_t Add = 0x6b;
inline constexpr std::uint8_t Subtract = 0x6d;
inline constexpr std::uint8_t Decimal = 0x6e;
inline constexpr std::uint8_t Divide = 0x6f;
inline constexpr std::uint8_t F1 = 0x70; // F1 to F12 follow in order
inline constexpr std::uint8_t F10 = 0x79;
inline constexpr std::uint8_t F12 = 0x7b;
inline constexpr std::uint8_t NumLock = 0x90;
inline constexpr std::uint8_t ScrollLock = 0x91;
} // namespace vk

} // namespace quilby
