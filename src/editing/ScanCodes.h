#pragma once

#include <cstdint>

namespace quilby {

// PC keyboard scan code set 1 make codes, by the key's place on a US layout.
// An extended key shares the make code of the key it was added beside and is
// told apart by the extended flag, so its name is an alias of that code.
namespace scan {
inline constexpr std::uint8_t Escape = 1;
inline constexpr std::uint8_t Digit1 = 2;
inline constexpr std::uint8_t Digit2 = 3;
inline constexpr std::uint8_t Digit3 = 4;
inline constexpr std::uint8_t Digit4 = 5;
inline constexpr std::uint8_t Digit5 = 6;
inline constexpr std::uint8_t Digit6 = 7;
inline constexpr std::uint8_t Digit7 = 8;
inline constexpr std::uint8_t Digit8 = 9;
inline constexpr std::uint8_t Digit9 = 10;
inline constexpr std::uint8_t Digit0 = 11;
inline constexpr std::uint8_t Minus = 12;
inline constexpr std::uint8_t Equals = 13;
inline constexpr std::uint8_t BackSpace = 14;
inline constexpr std::uint8_t Tab = 15;
inline constexpr std::uint8_t Q = 16; // Q W E R T Y U I O P [ ] in order
inline constexpr std::uint8_t O = 24;
inline constexpr std::uint8_t P = 25;
inline constexpr std::uint8_t LeftBracket = 26;
inline constexpr std::uint8_t RightBracket = 27;
inline constexpr std::uint8_t Enter = 28;
inline constexpr std::uint8_t Ctrl = 29;
inline constexpr std::uint8_t A = 30; // A S D F G H J K L in order
inline constexpr std::uint8_t S = 31;
inline constexpr std::uint8_t L = 38;
inline constexpr std::uint8_t Semicolon = 39;
inline constexpr std::uint8_t Apostrophe = 40;
inline constexpr std::uint8_t Grave = 41;
inline constexpr std::uint8_t LeftShift = 42;
inline constexpr std::uint8_t Backslash = 43;
inline constexpr std::uint8_t Z = 44; // Z X C V B N M in order
inline constexpr std::uint8_t X = 45;
inline constexpr std::uint8_t C = 46;
inline constexpr std::uint8_t V = 47;
inline constexpr std::uint8_t N = 49;
inline constexpr std::uint8_t M = 50;
inline constexpr std::uint8_t Comma = 51;
inline constexpr std::uint8_t Period = 52;
inline constexpr std::uint8_t Slash = 53;
inline constexpr std::uint8_t RightShift = 54;
inline constexpr std::uint8_t KeypadStar = 55;
inline constexpr std::uint8_t Alt = 56;
inline constexpr std::uint8_t Space = 57;
inline constexpr std::uint8_t CapsLock = 58;
inline constexpr std::uint8_t F1 = 59; // F1 to F10 follow in order
inline constexpr std::uint8_t F10 = 68;
inline constexpr std::uint8_t NumLock = 69;
inline constexpr std::uint8_t ScrollLock = 70;
inline constexpr std::uint8_t Keypad7 = 71;
inline constexpr std::uint8_t Keypad8 = 72;
inline constexpr std::uint8_t Keypad9 = 73;
inline constexpr std::uint8_t KeypadMinus = 74;
inline constexpr std::uint8_t Keypad4 = 75;
inline constexpr std::uint8_t Keypad5 = 76;
inline constexpr std::uint8_t Keypad6 = 77;
inline constexpr std::uint8_t KeypadPlus = 78;
inline constexpr std::uint8_t Keypad1 = 79;
inline constexpr std::uint8_t Keypad2 = 80;
inline constexpr std::uint8_t Keypad3 = 81;
inline constexpr std::uint8_t Keypad0 = 82;
inline constexpr std::uint8_t KeypadPoint = 83;
inline constexpr std::uint8_t Iso102nd = 86; // the extra key beside left Shift
inline constexpr std::uint8_t F11 = 87;
inline constexpr std::uint8_t F12 = 88;
inline constexpr std::uint8_t LeftWindows = 91; // extended
inline constexpr std::uint8_t RightWindows = 92;
inline constexpr std::uint8_t Menu = 93;
inline constexpr std::uint8_t Hanja = 113;
inline constexpr std::uint8_t Hangul = 114;

// Extended keys, by the make code they share.
inline constexpr std::uint8_t KeypadEnter = Enter;
inline constexpr std::uint8_t RightCtrl = Ctrl;
inline constexpr std::uint8_t KeypadSlash = Slash;
inline constexpr std::uint8_t PrintScreen = KeypadStar;
inline constexpr std::uint8_t RightAlt = Alt;
inline constexpr std::uint8_t Home = Keypad7;
inline constexpr std::uint8_t Up = Keypad8;
inline constexpr std::uint8_t PageUp = Keypad9;
inline constexpr std::uint8_t Left = Keypad4;
inline constexpr std::uint8_t Right = Keypad6;
inline constexpr std::uint8_t End = Keypad1;
inline constexpr std::uint8_t Down = Keypad2;
inline constexpr std::uint8_t PageDown = Keypad3;
inline constexpr std::uint8_t Insert = Keypad0;
inline constexpr std::uint8_t Delete = KeypadPoint;
// Pause sends the NumLock make code, not extended.
inline constexpr std::uint8_t Pause = NumLock;
} // namespace scan

} // namespace quilby
