#include "editing/KeyChords.h"

#include "common/TextMarker.h"

namespace quilby {

const std::array<KeyChord, kKeyChordCount>& keyChords() {
    static constexpr std::array<KeyChord, kKeyChordCount> chords = {{
        {QUILBY_TEXT("KeyChords", "  PrintScreen"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + A")},
        {QUILBY_TEXT("KeyChords", "  ScrollLock"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + B")},
        {QUILBY_TEXT("KeyChords", "  Pause"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + C")},
        {QUILBY_TEXT("KeyChords", "  NumLock"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + D")},
        {QUILBY_TEXT("KeyChords", "  CapsLock"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + E")},
        {QUILBY_TEXT("KeyChords", "  Left Ctrl"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + F")},
        {QUILBY_TEXT("KeyChords", "  Right Ctrl"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + G")},
        {QUILBY_TEXT("KeyChords", "  Left Alt"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + H")},
        {QUILBY_TEXT("KeyChords", "  Right Alt"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + I")},
        {QUILBY_TEXT("KeyChords", "  Esc"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + J")},
        {QUILBY_TEXT("KeyChords", "  Left Shift"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + K")},
        {QUILBY_TEXT("KeyChords", "  Right Shift"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + L")},
        {QUILBY_TEXT("KeyChords", "  Back Space"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + M")},
        {QUILBY_TEXT("KeyChords", "  Up Arrow"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + N")},
        {QUILBY_TEXT("KeyChords", "  Down Arrow"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + O")},
        {QUILBY_TEXT("KeyChords", "  Left Arrow"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + P")},
        {QUILBY_TEXT("KeyChords", "  Right Arrow"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + Q")},
        {QUILBY_TEXT("KeyChords", "  00"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + R")},
        {QUILBY_TEXT("KeyChords", "  000"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + S")},
        {QUILBY_TEXT("KeyChords", "  Ctrl+Alt+Del"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + T")},
        {QUILBY_TEXT("KeyChords", "  Left Window"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + U")},
        {QUILBY_TEXT("KeyChords", "  Right Window"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + V")},
        {QUILBY_TEXT("KeyChords", "  한/영"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + W")},
        {QUILBY_TEXT("KeyChords", "  Application"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + X")},
        {QUILBY_TEXT("KeyChords", "  한자"), QUILBY_TEXT("KeyChords", "Ctrl + Shift + Y")},
    }};
    return chords;
}

} // namespace quilby
