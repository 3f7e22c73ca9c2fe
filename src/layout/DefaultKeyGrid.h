#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quilby {

// What the default-table viewer shows: the default assignment of the 98 key
// positions as a grid of bordered boxes, the keyboard's two blocks of 7 x 7
// keys side by side. The content is fixed; the viewer never reads a file.
// Geometry is in dialog units.

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DialogRect&) const = default;
};

inline constexpr int kDefaultGridRows = 7;
inline constexpr int kDefaultGridColumns = 14;
inline constexpr std::size_t kDefaultGridCells = 98;

struct DefaultKeyCell {
    int row = 0;      // 0 to 6
    int column = 0;   // 0 to 13; 0 to 6 the left block, 7 to 13 the right
    int position = 0; // key position 0 to 97
    // The key's name as shown (UTF-8). The box under the long keycap has no
    // code and shows the circle "○" with no word.
    std::string_view name;
    std::optional<std::uint16_t> word;
    DialogRect rect;

    // The word as four lower-case hexadecimal digits in parentheses,
    // "(011b)"; empty for the long-keycap box.
    std::string wordText() const;
    // The box's text as the dialog template carries it: blanks, the name with
    // every ampersand doubled (a text control shows "&&" as one "&" and takes
    // a single one as a mnemonic marker), blanks and the word:
    // "   Esc     (011b)", "     &&     (0826)".
    std::string rawText() const;
    // The same text as it appears on screen, with single ampersands.
    std::string displayText() const;
};

struct DefaultKeyGrid {
    std::string_view caption;
    std::string_view fontFace;
    int fontPoints = 0;
    int width = 0; // of the dialog
    int height = 0;
    std::array<DefaultKeyCell, kDefaultGridCells> cells; // row by row, left to right
    std::string_view legend;                             // the line under the grid
    DialogRect legendRect;
    std::string_view okText;
    DialogRect okRect;

    // The cell of a grid place, or of a key position; nullptr when out of range.
    const DefaultKeyCell* cellAt(int row, int column) const;
    const DefaultKeyCell* cellForPosition(int position) const;
};

const DefaultKeyGrid& defaultKeyGrid();

// Key position shown at a grid place: the left block holds positions 0 to 48
// row by row, the right block 49 to 97; -1 outside the grid.
int defaultGridPosition(int row, int column);

} // namespace quilby
