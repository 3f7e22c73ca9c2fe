#include "layout/KeyLayout.h"

#include "common/TextCells.h"
#include "document/Cp949.h"
#include "editing/KeyEditor.h"

#include <algorithm>
#include <cstdint>

namespace quilby {

namespace {

constexpr std::string_view kEllipsis = "…";

} // namespace

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
    return static_cast<std::size_t>(textCells(utf8));
}

std::string elideText(std::string_view utf8, std::size_t columns) {
    if (displayColumns(utf8) <= columns) {
        return std::string(utf8);
    }
    if (columns == 0) {
        return {};
    }
    // Room for the ellipsis, which takes one column.
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        const TextCell cell = textCellAt(utf8, end);
        const auto width = static_cast<std::size_t>(cell.cells);
        if (used + width + 1 > columns) {
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
        const std::string label = cp949ToUtf8(
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
        if (displayColumns(last) + 1 <= fit.columns) {
            last += std::string(kEllipsis);
        } else {
            last = elideText(last + "  ", fit.columns);
        }
    }
    return cell;
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
