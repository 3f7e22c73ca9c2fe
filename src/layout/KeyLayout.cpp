#include "layout/KeyLayout.h"

#include "common/TextCells.h"
#include "document/Cp949.h"
#include "editing/KeyEditor.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace quilby {

namespace {

constexpr std::string_view kEllipsis = "…";
// The Korean faces set the ellipsis, like every character code page 949
// encodes in two bytes, two columns wide.
constexpr std::size_t kEllipsisColumns = 2;

constexpr std::string_view kControlNames[] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
constexpr char32_t kPictureBase = 0x2400;
constexpr char32_t kDeletePicture = 0x2421;

// The abbreviation of the control picture at `at`, empty for anything else.
// Pictures are three UTF-8 bytes, E2 90 80 to E2 90 A1.
std::string_view pictureAt(std::string_view utf8, std::size_t at) {
    if (at + 3 > utf8.size() || static_cast<unsigned char>(utf8[at]) != 0xE2 ||
        static_cast<unsigned char>(utf8[at + 1]) != 0x90) {
        return {};
    }
    const auto last = static_cast<unsigned char>(utf8[at + 2]);
    return last < 0x80 ? std::string_view{}
                       : controlPictureName(kPictureBase + static_cast<char32_t>(last - 0x80));
}

// Columns as the fixed-pitch Korean face sets them: ASCII one, every other
// character two (labels hold only what code page 949 encodes, double-byte
// characters are all wide there, symbols and Greek included, and a broken
// byte shows as a replacement character), a control picture its name's
// letters.
TextCell cellAt(std::string_view utf8, std::size_t at) {
    if (const std::string_view name = pictureAt(utf8, at); !name.empty()) {
        return {3, static_cast<int>(name.size())};
    }
    TextCell cell = textCellAt(utf8, at);
    cell.cells = static_cast<unsigned char>(utf8[at]) < 0x80 ? 1 : 2;
    return cell;
}

void appendUtf8(std::string& out, char32_t cp) {
    // Only pictures come here: all of them are three bytes.
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
}

} // namespace

std::string_view controlPictureName(char32_t codePoint) {
    if (codePoint >= kPictureBase && codePoint < kPictureBase + std::size(kControlNames)) {
        return kControlNames[codePoint - kPictureBase];
    }
    return codePoint == kDeletePicture ? std::string_view("DEL") : std::string_view{};
}

std::string labelDisplayText(std::string_view cp949) {
    const bool plain = std::none_of(cp949.begin(), cp949.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    const std::string utf8 = cp949ToUtf8(cp949);
    if (plain) {
        return utf8;
    }
    // A control byte is always a character of its own in code page 949 (no
    // trail byte is below 0x41), so it comes through the conversion as is.
    std::string shown;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            appendUtf8(shown, kPictureBase + byte);
        } else if (byte == 0x7F) {
            appendUtf8(shown, kDeletePicture);
        } else {
            shown.push_back(c);
        }
    }
    return shown;
}

std::vector<TextRun> textRuns(std::string_view utf8) {
    std::vector<TextRun> runs;
    std::size_t column = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const TextCell cell = cellAt(utf8, at);
        const std::string_view name = pictureAt(utf8, at);
        if (!name.empty()) {
            runs.push_back({std::string(name), true, column});
        } else if (runs.empty() || runs.back().control) {
            runs.push_back({std::string(utf8.substr(at, cell.bytes)), false, column});
        } else {
            runs.back().text.append(utf8.substr(at, cell.bytes));
        }
        column += static_cast<std::size_t>(cell.cells);
        at += cell.bytes;
    }
    return runs;
}

LayoutPlace layoutPlace(int position) {
    if (!validKeyIndex(position)) {
        return {0, 0};
    }
    const int block = position / (kLayoutRows * kLayoutBlockColumns);
    const int inBlock = position % (kLayoutRows * kLayoutBlockColumns);
    return {inBlock / kLayoutBlockColumns,
            block * kLayoutBlockColumns + inBlock % kLayoutBlockColumns};
}

int layoutPosition(int row, int column) {
    if (row < 0 || row >= kLayoutRows || column < 0 || column >= kLayoutColumns) {
        return -1;
    }
    const int block = column / kLayoutBlockColumns;
    return block * kLayoutRows * kLayoutBlockColumns + row * kLayoutBlockColumns +
           column % kLayoutBlockColumns;
}

int layoutStep(int position, LayoutMove move) {
    if (move == LayoutMove::Home || !validKeyIndex(position)) {
        return 0;
    }
    LayoutPlace place = layoutPlace(position);
    switch (move) {
    case LayoutMove::Left:
        place.column = std::max(0, place.column - 1);
        break;
    case LayoutMove::Right:
        place.column = std::min(kLayoutColumns - 1, place.column + 1);
        break;
    case LayoutMove::Up:
        place.row = std::max(0, place.row - 1);
        break;
    case LayoutMove::Down:
        place.row = std::min(kLayoutRows - 1, place.row + 1);
        break;
    case LayoutMove::Home:
        break;
    }
    return layoutPosition(place.row, place.column);
}

std::size_t displayColumns(std::string_view utf8) {
    std::size_t columns = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const TextCell cell = cellAt(utf8, at);
        columns += static_cast<std::size_t>(cell.cells);
        at += cell.bytes;
    }
    return columns;
}

std::string elideText(std::string_view utf8, std::size_t columns) {
    if (displayColumns(utf8) <= columns) {
        return std::string(utf8);
    }
    if (columns == 0) {
        return {};
    }
    if (columns < kEllipsisColumns) {
        return {};
    }
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        const TextCell cell = cellAt(utf8, end);
        const auto width = static_cast<std::size_t>(cell.cells);
        if (used + width + kEllipsisColumns > columns) {
            break;
        }
        used += width;
        end += cell.bytes;
    }
    return std::string(utf8.substr(0, end)) + std::string(kEllipsis);
}

std::string layoutTooltip(const KeyTableData& table, int position) {
    std::string tooltip = keyPositionName(position);
    const int count = table.usedEntries(position);
    if (count == 0) {
        return tooltip + ": -";
    }
    for (int e = 0; e < count; ++e) {
        const KeyEntry entry = table.entryAt(position, e);
        tooltip += "\n" + formatWord(entry.word) + " " + cp949ToUtf8(entry.label);
    }
    return tooltip;
}

LayoutCell layoutCell(const KeyTableData& table, int position, CellTextFit fit) {
    LayoutCell cell;
    cell.position = position;
    cell.number = keyPositionName(position);
    cell.count = table.usedEntries(position);

    // Greedy filling, one blank between labels; a label wider than a line is
    // cut on its own line.
    std::string line;
    bool cut = false;
    for (int e = 0; e < cell.count; ++e) {
        const std::string label = labelDisplayText(
            table.keyTable[static_cast<std::size_t>(position)].labels[static_cast<std::size_t>(e)]);
        const std::size_t need =
            displayColumns(line) + (line.empty() ? 0 : 1) + displayColumns(label);
        if (!line.empty() && need > fit.columns) {
            cell.lines.push_back(line);
            line.clear();
        }
        if (cell.lines.size() == fit.lines) {
            cut = true;
            break;
        }
        line += (line.empty() ? "" : " ") + label;
        line = elideText(line, fit.columns);
    }
    if (!cut && !line.empty()) {
        cell.lines.push_back(line);
    }
    if (cut && !cell.lines.empty()) {
        std::string& last = cell.lines.back();
        if (displayColumns(last) + kEllipsisColumns <= fit.columns) {
            last += std::string(kEllipsis);
        } else {
            last = elideText(last + "  ", fit.columns);
        }
    }
    return cell;
}

std::vector<ListingPage> listingPages(const KeyTableData& table, int rows, int columns) {
    rows = std::max(1, rows);
    columns = std::max(1, columns);
    std::vector<ListingPage> pages;
    for (int p = 0; p < kKeyPositions; ++p) {
        const int count = table.usedEntries(p);
        for (int e = 0; e < count; ++e) {
            if (pages.empty() || (static_cast<int>(pages.back().size()) == columns &&
                                  static_cast<int>(pages.back().back().size()) == rows)) {
                pages.emplace_back();
            }
            ListingPage& page = pages.back();
            if (page.empty() || static_cast<int>(page.back().size()) == rows) {
                page.emplace_back();
            }
            page.back().push_back({p, e, e == 0 || page.back().empty()});
        }
    }
    return pages;
}

std::string proposedLayoutPdfPath(const std::string& documentPath, const std::string& title,
                                  const std::string& currentFolder) {
    const std::string base = documentPath.empty() ? currentFolder + "/" + title : documentPath;
    const std::size_t slash = base.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : base.substr(0, slash);
    std::string name = slash == std::string::npos ? base : base.substr(slash + 1);
    // The last extension goes, as long as something is left before it.
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return (folder.empty() ? std::string("/") : folder + "/") + name + ".pdf";
}

} // namespace quilby
