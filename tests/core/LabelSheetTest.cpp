#include "layout/LabelSheet.h"
#include "common/FontFaces.h"
#include "common/TextCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <utility>

using namespace quilby;

namespace quilby {
void PrintTo(const SheetRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}
} // namespace quilby

namespace {

// The room a legend takes by its font's nominal metrics: cells times the
// average width across, the font height down from its top-left corner.
SheetRect nominalLegendRect(const LabelLegend& legend, const LabelFont& font) {
    return {legend.x, legend.y, legend.x + textCells(legend.text) * font.width,
            legend.y - font.height};
}

const LabelSheet& sheet() {
    return labelSheet();
}

// The legends of every box, in drawing order, joined by " / " as the printed
// sheet reads from top to bottom; keyed by box index.
std::map<std::size_t, std::string> legendsByBox() {
    std::map<std::size_t, std::string> out;
    for (const LabelLegend& l : sheet().legends) {
        const auto box = sheet().boxOf(l);
        if (!box) {
            continue;
        }
        std::string& s = out[*box];
        s += (s.empty() ? "" : " / ") + std::string(l.text);
    }
    return out;
}

std::size_t boxIndex(LabelBlock block, int row, int left) {
    for (std::size_t i = 0; i < sheet().boxes.size(); ++i) {
        const LabelBox& b = sheet().boxes[i];
        if (b.block == block && b.row == row && b.left == left) {
            return i;
        }
    }
    ADD_FAILURE() << "no box in row " << row << " at x " << left;
    return 0;
}

} // namespace

TEST(LabelSheet, HasEveryBoxFontAndLegend) {
    const auto& boxes = sheet().boxes;
    const auto upper = std::count_if(
        boxes.begin(), boxes.end(), [](const LabelBox& b) { return b.block == LabelBlock::Upper; });
    const auto tall =
        std::count_if(boxes.begin(), boxes.end(), [](const LabelBox& b) { return b.tall(); });
    EXPECT_EQ(boxes.size(), 98u);
    EXPECT_EQ(upper, 49);
    EXPECT_EQ(tall, 2);

    const std::array<std::size_t, 5> perFont = {14, 12, 24, 14, 4};
    std::size_t total = 0;
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(sheet().legendsInFont(f).size(), perFont[f]) << "F" << f + 1;
        total += sheet().legendsInFont(f).size();
    }
    // Each font's legends are drawn as one group, so the groups cover all.
    EXPECT_EQ(total, sheet().legends.size());
    EXPECT_EQ(sheet().legends.size(), 68u);
    EXPECT_TRUE(sheet().legendsInFont(5).empty());
    EXPECT_TRUE(sheet().legendsInFont(-1).empty());
}

TEST(LabelSheet, BoxesAreDrawnRowByRowInTheirGrid) {
    const auto& boxes = sheet().boxes;
    for (std::size_t i = 0; i < 49; ++i) {
        const LabelBox& b = boxes[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.block, LabelBlock::Upper);
        EXPECT_EQ(b.left, 370 + 200 * static_cast<int>(i % 7));
        EXPECT_EQ(b.top, -200 - 150 * static_cast<int>(i / 7));
        EXPECT_EQ(b.rect().width(), 130);
        EXPECT_EQ(b.rect().height(), 130);
    }
    // Lower block: row r has its top at -(1400 + 150 r); rows 1 to 5 hold
    // seven boxes, row 6 six and the two tall ones, row 7 six.
    const std::array<int, 7> perRow = {7, 7, 7, 7, 7, 8, 6};
    std::size_t i = 49;
    for (int r = 1; r <= 7; ++r) {
        for (int k = 0; k < perRow[r - 1]; ++k, ++i) {
            const LabelBox& b = boxes[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(b.block, LabelBlock::Lower);
            EXPECT_EQ(b.row, r);
            EXPECT_EQ(b.top, -(1400 + 150 * r));
        }
    }
    EXPECT_EQ(i, boxes.size());
    // Row 6: its six boxes, then the two tall ones.
    EXPECT_EQ(boxes[90].rect(), (SheetRect{1570, -2300, 1700, -2620}));
    EXPECT_EQ(boxes[91].rect(), (SheetRect{1750, -2300, 1880, -2620}));
    EXPECT_EQ(boxes[92].row, 7);
}

TEST(LabelSheet, BoxesNeverOverlapAndFitThePage) {
    const auto& boxes = sheet().boxes;
    for (std::size_t a = 0; a < boxes.size(); ++a) {
        for (std::size_t b = a + 1; b < boxes.size(); ++b) {
            EXPECT_FALSE(boxes[a].rect().overlaps(boxes[b].rect())) << a << " and " << b;
        }
    }
    EXPECT_EQ(sheet().bounds(), (SheetRect{370, -200, 1880, -2620}));
    // Row 7 of the lower block has nothing right of 1500: the tall boxes
    // reach through it.
    for (const LabelBox& b : boxes) {
        if (b.block == LabelBlock::Lower && b.row == 7) {
            EXPECT_LE(b.rect().right, 1500);
        }
    }
    // The separator runs between the two blocks.
    EXPECT_EQ(sheet().separator.text, std::string(63, '-'));
    EXPECT_EQ(sheet().separator.x, 370);
    EXPECT_EQ(sheet().separator.y, -1350);
}

TEST(LabelSheet, FontsAreAsTheSheetAsksForThem) {
    struct Row {
        const char* name;
        int height;
        int width;
    };
    const Row rows[] = {
        {"F1", 70, 50}, {"F2", 50, 30}, {"F3", 40, 20}, {"F4", 40, 15}, {"F5", 40, 15}};
    for (std::size_t f = 0; f < std::size(rows); ++f) {
        const LabelFont& font = sheet().fonts[f];
        SCOPED_TRACE(rows[f].name);
        EXPECT_EQ(font.name, rows[f].name);
        EXPECT_EQ(font.height, rows[f].height);
        EXPECT_EQ(font.width, rows[f].width);
        EXPECT_EQ(font.weight, 700);
        EXPECT_EQ(font.face, "새굴림");
        EXPECT_EQ(font.charSet, 1);
        EXPECT_FALSE(font.italic || font.underline || font.strikeOut);
    }
}

TEST(LabelSheet, EveryLegendLiesInsideItsBox) {
    for (const LabelLegend& l : sheet().legends) {
        SCOPED_TRACE(std::string(l.text) + " at " + std::to_string(l.x) + "," +
                     std::to_string(l.y));
        const auto box = sheet().boxOf(l);
        ASSERT_TRUE(box.has_value());
        const SheetRect room = nominalLegendRect(l, sheet().fonts.at(l.font));
        EXPECT_TRUE(sheet().boxes[*box].rect().contains(room));
    }
    // The example of the sheet: "7" in the box from (970, -2000) to (1100, -2130).
    const LabelLegend& seven = sheet().legendsInFont(0).front();
    ASSERT_EQ(seven.text, "7");
    EXPECT_EQ(seven.x, 1010);
    EXPECT_EQ(seven.y, -2030);
    EXPECT_EQ(sheet().boxes[*sheet().boxOf(seven)].rect(), (SheetRect{970, -2000, 1100, -2130}));
}

TEST(LabelSheet, PrintedSheetReadsAsLaidOut) {
    // Upper block, rows 1 to 5; rows 6 and 7 are blank.
    const char* upper[5][7] = {
        {"ESC", "%1", "%2", "%3", "TAX", "PLU", "#NS"},
        {"CLE / AR", "CHE / CK", "CAN / CEL", "VALID", "EATIN", "VOID", "SBTL"},
        {"PAGE / UP", "PAGE / DOWN", "TAKE / OUT", "YES/ / NO", "X/ / TIME", "LEVEL / 1",
         "LEVEL / 2"},
        {"CLERK / #", "PAPER / FEED", "ERROR / CORR", "CASH/ / TEND", "LEVEL / 3", "CHARGE / 1",
         "CHARGE / 2"},
        {"Function / Lock1", "Function / Lock2", "", "", "", "", ""},
    };
    std::map<std::size_t, std::string> expected;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 7; ++c) {
            if (*upper[r][c] != '\0') {
                expected[boxIndex(LabelBlock::Upper, r + 1, 370 + 200 * c)] = upper[r][c];
            }
        }
    }
    // Lower block: the keypad in columns 4 to 6 of rows 4 to 7 and the two
    // tall boxes; everything else is blank.
    const std::pair<std::pair<int, int>, const char*> lower[] = {
        {{4, 970}, "7"},        {{4, 1170}, "8"},
        {{4, 1370}, "9"},       {{5, 970}, "4"},
        {{5, 1170}, "5"},       {{5, 1370}, "6"},
        {{6, 970}, "1"},        {{6, 1170}, "2"},
        {{6, 1370}, "3"},       {{7, 970}, "0"},
        {{7, 1170}, "00"},      {{7, 1370}, "."},
        {{6, 1570}, "엔 / 터"}, {{6, 1750}, "E / N / T / E / R"},
    };
    for (const auto& [where, text] : lower) {
        expected[boxIndex(LabelBlock::Lower, where.first, where.second)] = text;
    }
    EXPECT_EQ(legendsByBox(), expected);
}

TEST(LabelSheet, TextCellsCountWideCharactersTwice) {
    struct Case {
        std::string text;
        int cells;
    };
    const Case cases[] = {
        {"", 0},
        {"ESC", 3},
        {"엔", 2},
        {"한/영", 5},
        {"＼", 2},       // full-width reverse solidus
        {"○", 1},        // geometric shapes are not counted wide
        {"\xff", 1},     // a byte that starts nothing
        {"\xec\x97", 2}, // a character cut short: each byte one cell
        {"a\xc3(b", 4},  // a lead byte without its continuation
        {"\xf0\x9f\x98\x80", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textCells(c.text), c.cells) << c.text;
    }
}

TEST(FontFaces, KoreanFacesMapToTheInstalledFace) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"새굴림", "NanumGothic"}, {"굴림", "NanumGothic"}, {"System", "NanumGothic"},
        {"system", "system"},      {"굴림체", "굴림체"},    {"", ""},
    };
    for (const auto& [requested, installed] : cases) {
        EXPECT_EQ(installedFaceFor(requested), installed) << requested;
    }
}
