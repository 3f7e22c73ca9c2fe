#include "editing/KeyChords.h"

namespace quilby {

const std::array<KeyChord, kKeyChordCount>& KeyChords() {
    static constexpr std::array<KeyChord, kKeyChordCount> chords = {{
        {"  PrintScreen", "Ctrl + Shift + A"}, {"  ScrollLock", "Ctrl + Shift + B"},
        {"  Pause", "Ctrl + Shift + C"},       {"  NumLock", "Ctrl + Shift + D"},
        {"  CapsLock", "Ctrl + Shift + E"},    {"  Left Ctrl", "Ctrl + Shift + F"},
        {"  Right Ctrl", "Ctrl + Shift + G"},  {"  Left Alt", "Ctrl + Shift + H"},
        {"  Right Alt", "Ctrl + Shift + I"},   {"  Esc", "Ctrl + Shift + J"},
        {"  Left Shift", "Ctrl + Shift + K"},  {"  Right Shift", "Ctrl + Shift + L"},
        {"  Back Space", "Ctrl + Shift + M"},  {"  Up Arrow", "Ctrl + Shift + N"},
        {"  Down Arrow", "Ctrl + Shift + O"},  {"  Left Arrow", "Ctrl + Shift + P"},
        {"  Right Arrow", "Ctrl + Shift + Q"}, {"  00", "Ctrl + Shift + R"},
        {"  000", "Ctrl + Shift + S"},         {"  Ctrl+Alt+Del", "Ctrl + Shift + T"},
        {"  Left Window", "Ctrl + Shift + U"}, {"  Right Window", "Ctrl + Shift + V"},
        {"  한/영", "Ctrl + Shift + W"},       {"  Application", "Ctrl + Shift + X"},
        {"  한자", "Ctrl + Shift + Y"},
    }};
    return chords;
}

} // namespace quilby
