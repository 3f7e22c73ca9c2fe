#pragma once

#include "document/KeyTable.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// The layout view's picture of the table: the keyboard's two blocks of 7 x 7
// keys side by side, positions 00 to 48 row by row on the left and 49 to 97
// on the right.
inline constexpr int kLayoutRows = 7;
inline constexpr int kLayoutBlockColumns = 7;
inline constexpr int kLayoutColumns = 2 * kLayoutBlockColumns;

struct LayoutPlace {
    int row = 0;
    int column = 0; // 0 to 6 the left block, 7 to 13 the right
    bool operator==(const LayoutPlace&) const = default;
};

// The place of a position; the position at a place, or -1 outside the grid.
LayoutPlace layoutPlace(int position);
int layoutPosition(int row, int column);

enum class LayoutMove { Left, Right, Up, Down, Home };

// The selection after a key: arrows move one place and stop at the edges of
// the whole grid (Right from 06 goes on to 55 across the gap), Home is 00. An
// invalid `position` starts from 00.
int layoutStep(int position, LayoutMove move);

// Display columns of UTF-8 text: wide (Hangul, CJK, full-width) characters
// take two, others one.
std::size_t displayColumns(std::string_view utf8);

// `utf8` cut to at most `columns` display columns, ending in "…" when cut.
std::string elideText(std::string_view utf8, std::size_t columns);

struct LayoutCell {
    int position = 0;
    std::string number; // "00" to "97"
    int count = 0;      // entries in use, 0 to 20
    // The labels set in at most `lines` lines of `columns` display columns,
    // blank-separated; the last line ends in "…" when they do not all fit.
    // Labels past the last line are not even converted: this runs 98 times
    // per repaint.
    std::vector<std::string> lines;

    bool empty() const { return count == 0; }
};

struct CellTextFit {
    std::size_t columns = 12;
    std::size_t lines = 3;
};

LayoutCell layoutCell(const KeyTableData& table, int position, CellTextFit fit = {});

// The full list for the tooltip: the position, then one "%04x label" line
// per entry (labels in UTF-8); "NN: -" for an empty position.
std::string layoutTooltip(const KeyTableData& table, int position);

// Where the layout's PDF is proposed: beside the document, named after it
// with ".pdf" in place of its extension; an untitled document (empty
// `documentPath`) proposes its title in `currentFolder`.
std::string proposedLayoutPdfPath(const std::string& documentPath, const std::string& title,
                                  const std::string& currentFolder);

} // namespace quilby
