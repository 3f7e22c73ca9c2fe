#pragma once

#include <array>
#include <string_view>

namespace quilby {

inline constexpr int kKeyChordCount = 25;

// The special-key reference card: for each of the 25 keys that cannot be
// typed into the key editor as themselves, its display name (two blanks in
// front) and the Ctrl+Shift chord that enters it. UTF-8, marked for
// translation in the context "KeyChords".
struct KeyChord {
    std::string_view name;
    std::string_view chord;
};

const std::array<KeyChord, kKeyChordCount>& keyChords();

} // namespace quilby
