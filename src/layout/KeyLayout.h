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

// A label as the layout shows it: code page 949 text in UTF-8, each control
// byte (00-1F, 7F) as its Unicode control picture (U+2400 + byte, U+2421 for
// 7F). A control byte would otherwise be invisible, and an escape with a
// backslash reads as a won sign in Korean fonts.
std::string labelDisplayText(std::string_view cp949);

// The abbreviation a control picture stands for ("ESC" for U+241B, "NUL" for
// U+2400), empty for any other code point. The layout draws a picture as its
// abbreviation in a frame, one display column per letter: no installed face
// has these glyphs, and the font's own picture would be unreadably small.
std::string_view controlPictureName(char32_t codePoint);

// Display columns of UTF-8 text as the fixed-pitch Korean face sets it:
// ASCII takes one, every other character two (all that code page 949 holds
// beyond ASCII is double-byte and wide there, the ellipsis too), a control
// picture as many as its abbreviation has letters.
std::size_t displayColumns(std::string_view utf8);

// `utf8` cut to at most `columns` display columns, ending in "…" when cut; a
// control picture is never split.
std::string elideText(std::string_view utf8, std::size_t columns);

// A line split where its style changes: plain text, or one control picture
// (`text` then holds its abbreviation); `column` is where the run starts.
struct TextRun {
    std::string text;
    bool control = false;
    std::size_t column = 0;
    bool operator==(const TextRun&) const = default;
};
std::vector<TextRun> textRuns(std::string_view utf8);

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

// The listing pages: every entry of every used position in order, set in
// `columns` columns of `rows` lines per page, filled column by column. The
// position is named on its first entry and again at the top of a column it
// continues in. An empty table has no pages.
struct ListingLine {
    int position = 0;
    int entry = 0;
    bool named = false;
    bool operator==(const ListingLine&) const = default;
};
using ListingColumn = std::vector<ListingLine>;
using ListingPage = std::vector<ListingColumn>;
std::vector<ListingPage> listingPages(const KeyTableData& table, int rows, int columns);

// The full list for the tooltip: the position, then one "%04x label" line
// per entry (labels in UTF-8); "NN: -" for an empty position.
std::string layoutTooltip(const KeyTableData& table, int position);

// Where the layout's PDF is proposed: beside the document, named after it
// with ".pdf" in place of its extension; an untitled document (empty
// `documentPath`) proposes its title in `currentFolder`.
std::string proposedLayoutPdfPath(const std::string& documentPath, const std::string& title,
                                  const std::string& currentFolder);

} // namespace quilby
