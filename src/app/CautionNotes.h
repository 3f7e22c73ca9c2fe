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

// The translation context of the notes.
inline constexpr const char* kCautionNotesContext = "CautionNotes";

extern const std::array<CautionNoteLine, 18> kCautionNotes;

} // namespace quilby
