#include "layout/DefaultKeyGrid.h"

#include "common/TextMarker.h"

#include <cstdio>

namespace quilby {

namespace {

constexpr std::array<int, kDefaultGridColumns> kColumnX = {7,   37,  67,  97,  127, 157, 187,
                                                           224, 254, 284, 314, 344, 374, 404};
constexpr std::array<int, kDefaultGridRows> kRowY = {7, 34, 61, 88, 115, 142, 169};
constexpr int kCellWidth = 26;
constexpr int kCellHeight = 21;

struct NameWord {
    std::string_view name;
    std::optional<std::uint16_t> word;
};

// Row by row, left block then right block.
constexpr NameWord kCells[kDefaultGridRows][kDefaultGridColumns] = {
    {{"Esc", 0x011b},
     {"Tab", 0x0f09},
     {"Alt1", 0x7800},
     {"Alt2", 0x7900},
     {"Alt3", 0x7a00},
     {"Alt4", 0x7b00},
     {"Alt5", 0x7c00},
     {"~", 0x297e},
     {"F1", 0x3b00},
     {"F7", 0x4100},
     {"Home", 0x47e0},
     {"PageUp", 0x49e0},
     {"↑", 0x48e0},
     {"←", 0x4be0}},
    {{"a", 0x1e61},
     {"b", 0x3062},
     {"c", 0x2e63},
     {"d", 0x2064},
     {"e", 0x1265},
     {"f", 0x2166},
     {"g", 0x2267},
     {"`", 0x2960},
     {"F2", 0x3c00},
     {"F8", 0x4200},
     {"End", 0x4fe0},
     {"PageDn", 0x51e0},
     {"↓", 0x50e0},
     {"→", 0x4de0}},
    {{"h", 0x2368},
     {"i", 0x1769},
     {"j", 0x246a},
     {"k", 0x256b},
     {"l", 0x266c},
     {"m", 0x326d},
     {"n", 0x316e},
     {"|", 0x2b7c},
     {"F3", 0x3d00},
     {"F9", 0x4300},
     {"/", 0xe02f},
     {"*", 0x372a},
     {"-", 0x4a2d},
     {"+", 0x4e2b}},
    {{"o", 0x186f},
     {"p", 0x1970},
     {"q", 0x1071},
     {"r", 0x1372},
     {"s", 0x1f73},
     {"t", 0x1474},
     {"u", 0x1675},
     {"=", 0x0d3d},
     {"F4", 0x3e00},
     {"F10", 0x4400},
     {"7", 0x0837},
     {"8", 0x0938},
     {"9", 0x0a39},
     {"Delete", 0x53e0}},
    {{"v", 0x2f76},
     {"w", 0x1177},
     {"x", 0x2d78},
     {"y", 0x1579},
     {"z", 0x2c7a},
     {"!", 0x0221},
     {"@", 0x0340},
     {"\"", 0x2822},
     {"F5", 0x3f00},
     {"F11", 0x8500},
     {"4", 0x0534},
     {"5", 0x0635},
     {"6", 0x0736},
     {"Insert", 0x52e0}},
    {{"#", 0x0423},
     {"$", 0x0524},
     {"%", 0x0625},
     {"&", 0x0826},
     {":", 0x273a},
     {"(", 0x0a28},
     {")", 0x0b29},
     {"{", 0x1a7b},
     {"F6", 0x4000},
     {"F12", 0x8600},
     {"1", 0x0231},
     {"2", 0x0332},
     {"3", 0x0433},
     {"○", std::nullopt}},
    // The first box shows the full-width backslash, which Korean fonts do
    // not turn into the won sign (the legend line explains the difference).
    {{"＼", 0x2b5c},
     {"?", 0x353f},
     {";", 0x273b},
     {"<", 0x333c},
     {">", 0x343e},
     {",", 0x332c},
     {"_", 0x0c5f},
     {"}", 0x1b7d},
     {"Space", 0x3920},
     {"BS", 0x0e08},
     {"0", 0x0b30},
     {"00", 0x0000},
     {".", 0x342e},
     {"Enter", 0x1c0d}},
};

// Characters (not bytes) of a UTF-8 text.
int characters(std::string_view utf8) {
    int n = 0;
    for (char ch : utf8) {
        n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    }
    return n;
}

// The box text: the name padded so that it ends in the sixth column, five
// blanks, then the word. A narrow box wraps it into the name above the word.
std::string boxText(const DefaultKeyCell& cell, bool doubleAmpersands) {
    std::string name;
    for (char ch : cell.name) {
        name += ch;
        if (ch == '&' && doubleAmpersands) {
            name += '&';
        }
    }
    const int lead = 6 - characters(cell.name);
    std::string text(static_cast<std::size_t>(lead > 0 ? lead : 0), ' ');
    text += name;
    if (cell.word) {
        text += "     " + cell.wordText();
    }
    return text;
}

DefaultKeyGrid buildGrid() {
    DefaultKeyGrid g{};
    g.caption = QUILBY_TEXT("DefaultKeyGrid", "POS Keyboard [Default.key]");
    g.fontFace = "System";
    g.fontPoints = 10;
    g.width = 437;
    g.height = 220;
    std::size_t n = 0;
    for (int r = 0; r < kDefaultGridRows; ++r) {
        for (int c = 0; c < kDefaultGridColumns; ++c) {
            DefaultKeyCell& cell = g.cells[n++];
            cell.row = r;
            cell.column = c;
            cell.position = defaultGridPosition(r, c);
            cell.name = kCells[r][c].name;
            cell.word = kCells[r][c].word;
            cell.rect = {kColumnX[c], kRowY[r], kCellWidth, kCellHeight};
        }
    }
    g.legend = QUILBY_TEXT("DefaultKeyGrid",
                           "English: ＼  Korean:\\   BS:BackSpace   ○ : Long Cab : NULL");
    g.legendRect = {8, 202, 204, 8};
    g.okText = QUILBY_TEXT("DefaultKeyGrid", "확인(OK)");
    g.okRect = {305, 199, 125, 14};
    return g;
}

} // namespace

std::string DefaultKeyCell::wordText() const {
    if (!word) {
        return {};
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "(%04x)", static_cast<unsigned>(*word));
    return buf;
}

std::string DefaultKeyCell::rawText() const {
    return boxText(*this, true);
}

std::string DefaultKeyCell::displayText() const {
    return boxText(*this, false);
}

int defaultGridPosition(int row, int column) {
    if (row < 0 || row >= kDefaultGridRows || column < 0 || column >= kDefaultGridColumns) {
        return -1;
    }
    return column < 7 ? 7 * row + column : 49 + 7 * row + (column - 7);
}

const DefaultKeyCell* DefaultKeyGrid::cellAt(int row, int column) const {
    if (defaultGridPosition(row, column) < 0) {
        return nullptr;
    }
    return &cells[static_cast<std::size_t>(row * kDefaultGridColumns + column)];
}

const DefaultKeyCell* DefaultKeyGrid::cellForPosition(int position) const {
    for (const DefaultKeyCell& cell : cells) {
        if (cell.position == position) {
            return &cell;
        }
    }
    return nullptr;
}

const DefaultKeyGrid& defaultKeyGrid() {
    static const DefaultKeyGrid grid = buildGrid();
    return grid;
}

} // namespace quilby
