#include "layout/DefaultKeyGrid.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

using namespace quilby;

namespace {

// The grid as the viewer's table reads, one string per grid row and block:
// "name word" items separated by ", "; "-" stands for the box with no word.
struct GridRow {
    const char* left;
    const char* right;
};

const GridRow kExpected[7] = {
    {"Esc 011b, Tab 0f09, Alt1 7800, Alt2 7900, Alt3 7a00, Alt4 7b00, Alt5 7c00",
     "~ 297e, F1 3b00, F7 4100, Home 47e0, PageUp 49e0, ↑ 48e0, ← 4be0"},
    {"a 1e61, b 3062, c 2e63, d 2064, e 1265, f 2166, g 2267",
     "` 2960, F2 3c00, F8 4200, End 4fe0, PageDn 51e0, ↓ 50e0, → 4de0"},
    {"h 2368, i 1769, j 246a, k 256b, l 266c, m 326d, n 316e",
     "| 2b7c, F3 3d00, F9 4300, / e02f, * 372a, - 4a2d, + 4e2b"},
    {"o 186f, p 1970, q 1071, r 1372, s 1f73, t 1474, u 1675",
     "= 0d3d, F4 3e00, F10 4400, 7 0837, 8 0938, 9 0a39, Delete 53e0"},
    {"v 2f76, w 1177, x 2d78, y 1579, z 2c7a, ! 0221, @ 0340",
     "\" 2822, F5 3f00, F11 8500, 4 0534, 5 0635, 6 0736, Insert 52e0"},
    {"# 0423, $ 0524, % 0625, & 0826, : 273a, ( 0a28, ) 0b29",
     "{ 1a7b, F6 4000, F12 8600, 1 0231, 2 0332, 3 0433, ○ -"},
    {"＼ 2b5c, ? 353f, ; 273b, < 333c, > 343e, , 332c, _ 0c5f",
     "} 1b7d, Space 3920, BS 0e08, 0 0b30, 00 0000, . 342e, Enter 1c0d"},
};

struct Item {
    std::string name;
    std::string word; // four hex digits, or "-"
};

// Splits "a 1e61, b 3062" into items. The search for the separating ", "
// starts after the item's first blank, so the comma key's item ", 332c" stays
// whole; the word is what follows the item's last blank.
std::vector<Item> parseItems(const std::string& text) {
    std::vector<Item> items;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t blank = text.find(' ', start + 1);
        const std::size_t end = text.find(", ", blank);
        const std::string item =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::size_t split = item.rfind(' ');
        items.push_back({item.substr(0, split), item.substr(split + 1)});
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return items;
}

std::string hex4(std::uint16_t w) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04x", static_cast<unsigned>(w));
    return buf;
}

} // namespace

TEST(DefaultKeyGrid, CellsMatchTheDefaultTable) {
    const DefaultKeyGrid& grid = defaultKeyGrid();
    int checked = 0;
    for (int r = 0; r < 7; ++r) {
        const auto left = parseItems(kExpected[r].left);
        const auto right = parseItems(kExpected[r].right);
        ASSERT_EQ(left.size(), 7u) << "row " << r + 1;
        ASSERT_EQ(right.size(), 7u) << "row " << r + 1;
        for (int c = 0; c < 14; ++c) {
            const Item& want = c < 7 ? left[c] : right[c - 7];
            const DefaultKeyCell* cell = grid.cellAt(r, c);
            ASSERT_NE(cell, nullptr);
            SCOPED_TRACE("row " + std::to_string(r + 1) + " column " + std::to_string(c + 1));
            EXPECT_EQ(cell->name, want.name);
            EXPECT_EQ(cell->word ? hex4(*cell->word) : "-", want.word);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 98);
}

TEST(DefaultKeyGrid, PlacesAndPositionsFollowTheTwoBlocks) {
    const DefaultKeyGrid& grid = defaultKeyGrid();
    struct Case {
        int row, column, position, x, y;
    };
    const Case cases[] = {
        {0, 0, 0, 7, 7},      {0, 6, 6, 187, 7},     {0, 7, 49, 224, 7},
        {0, 13, 55, 404, 7},  {1, 0, 7, 7, 34},      {6, 6, 48, 187, 169},
        {6, 7, 91, 224, 169}, {6, 13, 97, 404, 169}, {3, 10, 73, 314, 88},
    };
    for (const Case& c : cases) {
        const DefaultKeyCell* cell = grid.cellAt(c.row, c.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->position, c.position);
        EXPECT_EQ(cell->rect, (DialogRect{c.x, c.y, 26, 21}));
        EXPECT_EQ(grid.cellForPosition(c.position), cell);
    }
    std::set<int> positions;
    for (const DefaultKeyCell& cell : grid.cells) {
        positions.insert(cell.position);
        EXPECT_EQ(grid.cellAt(cell.row, cell.column), &cell);
    }
    EXPECT_EQ(positions.size(), 98u);
    EXPECT_EQ(*positions.begin(), 0);
    EXPECT_EQ(*positions.rbegin(), 97);

    for (auto [r, c] : {std::pair{-1, 0}, {7, 0}, {0, -1}, {0, 14}}) {
        EXPECT_EQ(grid.cellAt(r, c), nullptr);
        EXPECT_EQ(defaultGridPosition(r, c), -1);
    }
    EXPECT_EQ(grid.cellForPosition(98), nullptr);
    EXPECT_EQ(grid.cellForPosition(-1), nullptr);
}

TEST(DefaultKeyGrid, BoxTextsKeepTheRawFormAndShowOneAmpersand) {
    const DefaultKeyGrid& grid = defaultKeyGrid();
    struct Case {
        int row, column;
        const char* raw;
        const char* shown;
    };
    const Case cases[] = {
        {0, 0, "   Esc     (011b)", "   Esc     (011b)"},
        {5, 3, "     &&     (0826)", "     &     (0826)"},
        {5, 13, "     ○", "     ○"},
        {0, 11, "PageUp     (49e0)", "PageUp     (49e0)"},
        {6, 11, "    00     (0000)", "    00     (0000)"},
    };
    for (const Case& c : cases) {
        const DefaultKeyCell* cell = grid.cellAt(c.row, c.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->rawText(), c.raw);
        EXPECT_EQ(cell->displayText(), c.shown);
    }
    EXPECT_EQ(grid.cellAt(5, 13)->wordText(), "");
    EXPECT_EQ(grid.cellAt(6, 11)->wordText(), "(0000)");
}

TEST(DefaultKeyGrid, DialogFrameAndLegendLine) {
    const DefaultKeyGrid& grid = defaultKeyGrid();
    EXPECT_EQ(grid.caption, "POS Keyboard [Default.key]");
    EXPECT_EQ(grid.fontFace, "System");
    EXPECT_EQ(grid.fontPoints, 10);
    EXPECT_EQ(grid.width, 437);
    EXPECT_EQ(grid.height, 220);
    EXPECT_EQ(grid.legend, "English: ＼  Korean:\\   BS:BackSpace   ○ : Long Cab : NULL");
    EXPECT_EQ(grid.legendRect, (DialogRect{8, 202, 204, 8}));
    EXPECT_EQ(grid.okText, "확인(OK)");
    EXPECT_EQ(grid.okRect, (DialogRect{305, 199, 125, 14}));
    // Every box lies inside the dialog and clear of the legend and the button.
    for (const DefaultKeyCell& cell : grid.cells) {
        EXPECT_LE(cell.rect.x + cell.rect.width, grid.width);
        EXPECT_LE(cell.rect.y + cell.rect.height, grid.legendRect.y);
        EXPECT_LE(cell.rect.y + cell.rect.height, grid.okRect.y);
    }
}
