#pragma once

#include <cstddef>
#include <string_view>

namespace quilby {

// One character of UTF-8 text as a Korean font sets it: its length in bytes
// and the character cells it takes (two for Hangul, CJK and full-width
// characters). A byte that starts no complete sequence is a character of its
// own, one cell wide.
struct TextCell {
    std::size_t bytes = 1;
    int cells = 1;
};
TextCell textCellAt(std::string_view utf8, std::size_t at);

// Character cells of a whole text.
int textCells(std::string_view utf8);

} // namespace quilby
