#include "layout/KeyLayout.h"
#include "editing/TableEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace quilby;

namespace {

KeyTableData tableWith(int key, const std::vector<std::string>& labels) {
    KeyTableData t;
    PositionEntries entries;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        entries.push_back(
            {static_cast<std::uint8_t>(i + 1), static_cast<std::uint16_t>(0x1e61 + i), labels[i]});
    }
    putEntries(t, key, entries);
    return t;
}

} // namespace

// Every position has exactly one place, and the blocks are 00-48 and 49-97.
TEST(KeyLayout, PlacesAndPositionsAreInverse) {
    std::set<int> seen;
    for (int row = 0; row < kLayoutRows; ++row) {
        for (int column = 0; column < kLayoutColumns; ++column) {
            const int p = layoutPosition(row, column);
            ASSERT_TRUE(validKeyIndex(p));
            EXPECT_EQ(layoutPlace(p), (LayoutPlace{row, column}));
            EXPECT_EQ(column < kLayoutBlockColumns, p <= 48) << p;
            seen.insert(p);
        }
    }
    EXPECT_EQ(seen.size(), 98u);
    EXPECT_EQ(layoutPosition(0, 7), 49);
    EXPECT_EQ(layoutPosition(6, 13), 97);
    EXPECT_EQ(layoutPosition(7, 0), -1);
    EXPECT_EQ(layoutPosition(0, 14), -1);
    EXPECT_EQ(layoutPosition(-1, 0), -1);
}

TEST(KeyLayout, ArrowsStopAtTheGridEdgesAndCrossTheGap) {
    using M = LayoutMove;
    struct Case {
        int from;
        M move;
        int to;
    };
    const Case cases[] = {
        {0, M::Left, 0},    {0, M::Up, 0},     {0, M::Right, 1},   {0, M::Down, 7},
        {6, M::Right, 49},  {49, M::Left, 6},  {55, M::Right, 55}, {97, M::Down, 97},
        {97, M::Right, 97}, {48, M::Down, 48}, {42, M::Up, 35},    {73, M::Home, 0},
        {-1, M::Right, 0},  {98, M::Down, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(layoutStep(c.from, c.move), c.to) << c.from << " " << static_cast<int>(c.move);
    }
}

// The ellipsis and every character beyond ASCII take two columns, as the
// fixed-pitch Korean face sets them.
TEST(KeyLayout, EllipsisCountsWideCharactersAsTwoColumns) {
    struct Case {
        std::string text;
        std::size_t columns;
        std::string shown;
    };
    const Case cases[] = {
        {"Enter", 5, "Enter"}, {"Enter", 4, "En…"},     {"Enter", 1, ""},
        {"Enter", 0, ""},      {"엔터키", 6, "엔터키"}, {"엔터키", 5, "엔…"},
        {"엔터키", 4, "엔…"},  {"a엔", 2, "…"},         {"", 3, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(elideText(c.text, c.columns), c.shown) << c.text << " " << c.columns;
        EXPECT_LE(displayColumns(elideText(c.text, c.columns)), c.columns);
    }
}

TEST(KeyLayout, CellSetsLabelsInLinesAndCutsTheRest) {
    struct Case {
        std::vector<std::string> labels; // code page 949 bytes
        CellTextFit fit;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{}, {8, 2}, {}},
        {{"a", "b", "c"}, {8, 2}, {"a b c"}},
        {{"Enter", "Tab"}, {8, 2}, {"Enter", "Tab"}},
        {{"Ctrl+Alt+Del"}, {8, 2}, {"Ctrl+A…"}},
        {{"Enter", "Tab", "Esc"}, {8, 2}, {"Enter", "Tab Esc"}},
        {{"Enter", "Tab", "Esc", "F1"}, {8, 2}, {"Enter", "Tab Es…"}},
        {{"Enter", "Enter", "Enter"}, {5, 2}, {"Enter", "Ent…"}},
        {{"\xBF\xA3\xC5\xCD", "a"}, {6, 1}, {"엔터 a"}},
    };
    for (const auto& c : cases) {
        const LayoutCell cell = layoutCell(tableWith(5, c.labels), 5, c.fit);
        EXPECT_EQ(cell.lines, c.lines) << ::testing::PrintToString(c.labels);
        EXPECT_EQ(cell.count, static_cast<int>(c.labels.size()));
        EXPECT_EQ(cell.empty(), c.labels.empty());
        for (const auto& line : cell.lines) {
            EXPECT_LE(displayColumns(line), c.fit.columns) << line;
        }
    }
}

TEST(KeyLayout, TooltipListsEveryEntryAndADamagedCountStaysInBounds) {
    KeyTableData t = tableWith(12, {"a", "\xBF\xA3\xC5\xCD"});
    LayoutCell cell = layoutCell(t, 12);
    EXPECT_EQ(cell.number, "12");
    EXPECT_EQ(layoutTooltip(t, 12), "12\n1e61 a\n1e62 엔터");
    EXPECT_EQ(layoutTooltip(t, 13), "13: -");

    t.entryCounts[12] = 57; // as a damaged file may leave it
    cell = layoutCell(t, 12);
    EXPECT_EQ(cell.count, 20);
    const std::string tip = layoutTooltip(t, 12);
    EXPECT_EQ(std::count(tip.begin(), tip.end(), '\n'), 20);
    t.entryCounts[12] = -3;
    EXPECT_TRUE(layoutCell(t, 12).empty());
    EXPECT_EQ(layoutTooltip(t, 12), "12: -");
}

TEST(KeyLayout, ProposedPdfNameSitsBesideTheDocument) {
    struct Case {
        const char* path; // "" for an untitled document
        const char* title;
        const char* proposed;
    };
    const Case cases[] = {
        {"/shop/till/VARO.KEY", "VARO.KEY", "/shop/till/VARO.pdf"},
        {"/shop/a.b.KEY", "a.b.KEY", "/shop/a.b.pdf"},
        {"/shop/noext", "noext", "/shop/noext.pdf"},
        {"/shop/.hidden", ".hidden", "/shop/.hidden.pdf"},
        {"/top.KEY", "top.KEY", "/top.pdf"},
        {"", "제목없음", "/work/here/제목없음.pdf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(proposedLayoutPdfPath(c.path, c.title, "/work/here"), c.proposed) << c.path;
    }
}

// A control byte is drawn as its picture; the picture takes one column per
// letter of its name and is never cut in half.
TEST(KeyLayout, ControlBytesShowAsPicturesOfTheirNamesWidth) {
    struct Case {
        std::string label; // code page 949 bytes
        std::string shown;
        std::size_t columns;
    };
    const Case cases[] = {
        {"\x1b", "\u241b", 3},
        {std::string("a\0b", 3), "a\u2400b", 5},
        {"\x7f", "\u2421", 3},
        {"\x08\x1f", "\u2408\u241f", 4}, // BS, US: two letters each
        {"\\", "\\", 1},
        {"\xA1\xE6", "→", 2}, // double-byte symbols are wide in the Korean face
        {"\xBF\xA3\x0d", "엔\u240d", 4},
        {"Tab", "Tab", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(labelDisplayText(c.label), c.shown) << ::testing::PrintToString(c.label);
        EXPECT_EQ(displayColumns(c.shown), c.columns) << c.shown;
    }
    EXPECT_EQ(controlPictureName(0x241B), "ESC");
    EXPECT_EQ(controlPictureName(0x2400), "NUL");
    EXPECT_EQ(controlPictureName(0x2421), "DEL");
    EXPECT_EQ(controlPictureName(0x2420), "");
    EXPECT_EQ(controlPictureName(U'A'), "");

    const struct {
        std::string text;
        std::size_t columns;
        std::string shown;
    } cuts[] = {
        {"\u241b\u241b", 6, "\u241b\u241b"},
        {"\u241b\u241b", 5, "\u241b…"},
        {"\u241b\u241b", 3, "…"},
        {"a\u241b", 3, "a…"},
    };
    for (const auto& c : cuts) {
        EXPECT_EQ(elideText(c.text, c.columns), c.shown) << c.text << " " << c.columns;
    }
}

TEST(KeyLayout, RunsSplitWhereAPictureBeginsOrEnds) {
    struct Case {
        std::string text;
        std::vector<TextRun> runs;
    };
    const Case cases[] = {
        {"", {}},
        {"Enter", {{"Enter", false, 0}}},
        {"ab\u241bc", {{"ab", false, 0}, {"ESC", true, 2}, {"c", false, 5}}},
        {"\u2400엔a", {{"NUL", true, 0}, {"엔a", false, 3}}},
        {"\u2409\u240a", {{"HT", true, 0}, {"LF", true, 2}}},
        {"₩\u2421", {{"₩", false, 0}, {"DEL", true, 2}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textRuns(c.text), c.runs) << c.text;
    }
    // A cell cuts a line with pictures by the same columns.
    const LayoutCell cell = layoutCell(tableWith(3, {"\x1b[A", "\x1b[B"}), 3, {6, 1});
    EXPECT_EQ(cell.lines, (std::vector<std::string>{"\u241b[…"}));
}

// Entries flow down the columns and over the pages; a position continued at
// the top of a column is named again there.
TEST(KeyLayout, ListingFlowsDownColumnsAndNamesContinuedPositions) {
    KeyTableData t;
    putEntries(t, 2, {{1, 0x1e61, "a"}, {2, 0x1e62, "b"}, {3, 0x1e63, "c"}});
    putEntries(t, 40, {{4, 0x1e64, "d"}, {5, 0x1e65, "e"}});
    using L = ListingLine;
    struct Case {
        int rows;
        int columns;
        std::vector<ListingPage> pages;
    };
    const Case cases[] = {
        {10,
         2,
         {{{L{2, 0, true}, L{2, 1, false}, L{2, 2, false}, L{40, 0, true}, L{40, 1, false}}}}},
        {2,
         2,
         {{{L{2, 0, true}, L{2, 1, false}}, {L{2, 2, true}, L{40, 0, true}}}, {{L{40, 1, true}}}}},
        {1,
         1,
         {{{L{2, 0, true}}},
          {{L{2, 1, true}}},
          {{L{2, 2, true}}},
          {{L{40, 0, true}}},
          {{L{40, 1, true}}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(listingPages(t, c.rows, c.columns), c.pages) << c.rows << "x" << c.columns;
    }
    EXPECT_TRUE(listingPages(KeyTableData{}, 30, 4).empty());
    t.entryCounts[40] = 99; // damaged: bounded to the 20 entries a key has
    std::size_t lines = 0;
    for (const auto& page : listingPages(t, 7, 3)) {
        for (const auto& column : page) {
            lines += column.size();
        }
    }
    EXPECT_EQ(lines, 23u);
}
