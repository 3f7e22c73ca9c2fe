#pragma once

#include <array>
#include <string_view>

namespace quilby {

// The usage notes the main view draws, each at x = 20 and its own y in device
// pixels (y downward). They are fixed and do not depend on the document.
struct CautionNoteLine {
    int y;
    std::string_view text;
};

inline constexpr int kCautionNotesX = 20;

extern const std::array<CautionNoteLine, 18> CautionNotes;

} // namespace quilby
