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

TEST(KeyLayout, EllipsisCountsWideCharactersAsTwoColumns) {
    struct Case {
        std::string text;
        std::size_t columns;
        std::string shown;
    };
    const Case cases[] = {
        {"Enter", 5, "Enter"}, {"Enter", 4, "Ent…"},    {"Enter", 1, "…"},
        {"Enter", 0, ""},      {"엔터키", 6, "엔터키"}, {"엔터키", 5, "엔터…"},
        {"엔터키", 4, "엔…"},  {"a엔", 2, "a…"},        {"", 3, ""},
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
        {{"Ctrl+Alt+Del"}, {8, 2}, {"Ctrl+Al…"}},
        {{"Enter", "Tab", "Esc"}, {8, 2}, {"Enter", "Tab Esc"}},
        {{"Enter", "Tab", "Esc", "F1"}, {8, 2}, {"Enter", "Tab Esc…"}},
        {{"Enter", "Enter", "Enter"}, {5, 2}, {"Enter", "Ente…"}},
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
