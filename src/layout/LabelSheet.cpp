#include "layout/LabelSheet.h"

#include "common/TextMarker.h"

#include <algorithm>
#include <cstdint>

namespace quilby {

namespace {

constexpr std::array<int, 7> kColumnLefts = {370, 570, 770, 970, 1170, 1370, 1570};
constexpr std::array<int, 7> kUpperTops = {-200, -350, -500, -650, -800, -950, -1100};
constexpr std::array<int, 7> kLowerTops = {-1550, -1700, -1850, -2000, -2150, -2300, -2450};
constexpr std::array<int, 2> kTallLefts = {1570, 1750};

// The keycap face the sheet was laid out for.
constexpr std::string_view kSheetFace = "새굴림";

enum Font { F1, F2, F3, F4, F5 };

constexpr std::array<LabelFont, kLabelFontCount> kFonts = {{
    {"F1", 70, 50, 700, kSheetFace},
    {"F2", 50, 30, 700, kSheetFace},
    {"F3", 40, 20, 700, kSheetFace},
    {"F4", 40, 15, 700, kSheetFace},
    // Same size as F4, but its own font object on the sheet.
    {"F5", 40, 15, 700, kSheetFace},
}};

constexpr std::array<LabelLegend, kLabelLegendCount> kLegends = {{
    // Numeric keypad and the Korean "Enter" on the first tall box.
    {"7", 1010, -2030, F1},
    {"8", 1210, -2030, F1},
    {"9", 1410, -2030, F1},
    {"4", 1010, -2180, F1},
    {"5", 1210, -2180, F1},
    {"6", 1410, -2180, F1},
    {"1", 1015, -2330, F1},
    {"2", 1215, -2330, F1},
    {"3", 1410, -2330, F1},
    {"0", 1015, -2480, F1},
    {"00", 1180, -2480, F1},
    {".", 1415, -2480, F1},
    {QUILBY_TEXT("LabelSheet", "엔"), 1590, -2330, F1},
    {QUILBY_TEXT("LabelSheet", "터"), 1590, -2520, F1},
    // Top row, and ENTER down the second tall box.
    {"ESC", 378, -240, F2},
    {"%1", 590, -240, F2},
    {"%2", 790, -240, F2},
    {"%3", 990, -240, F2},
    {"TAX", 1178, -240, F2},
    {"PLU", 1378, -240, F2},
    {"#NS", 1575, -240, F2},
    {"E", 1800, -2320, F2},
    {"N", 1800, -2380, F2},
    {"T", 1800, -2440, F2},
    {"E", 1800, -2500, F2},
    {"R", 1800, -2560, F2},
    // Second and third rows.
    {"CLE", 395, -373, F3},
    {"AR", 405, -413, F3},
    {"CHE", 595, -373, F3},
    {"CK", 600, -413, F3},
    {"CAN", 795, -373, F3},
    {"CEL", 795, -413, F3},
    {"VALID", 985, -395, F3},
    {"EATIN", 1178, -395, F3},
    {"VOID", 1393, -395, F3},
    {"SBTL", 1590, -395, F3},
    {"PAGE", 385, -523, F3},
    {"UP", 410, -563, F3},
    {"PAGE", 585, -523, F3},
    {"DOWN", 578, -563, F3},
    {"TAKE", 785, -523, F3},
    {"OUT", 790, -563, F3},
    {"YES/", 990, -523, F3},
    {"NO", 1010, -563, F3},
    {"X/", 1210, -523, F3},
    {"TIME", 1190, -563, F3},
    {"LEVEL", 1377, -523, F3},
    {"1", 1425, -563, F3},
    {"LEVEL", 1580, -523, F3},
    {"2", 1625, -563, F3},
    // Fourth row.
    {"CLERK", 388, -676, F4},
    {"#", 427, -716, F4},
    {"PAPER", 590, -676, F4},
    {"FEED", 600, -716, F4},
    {"ERROR", 785, -676, F4},
    {"CORR", 793, -716, F4},
    {"CASH/", 990, -676, F4},
    {"TEND", 997, -716, F4},
    {"LEVEL", 1190, -676, F4},
    {"3", 1230, -716, F4},
    {"CHARGE", 1376, -676, F4},
    {"1", 1428, -716, F4},
    {"CHARGE", 1576, -676, F4},
    {"2", 1628, -716, F4},
    // Fifth row.
    {"Function", 377, -820, F5},
    {"Lock1", 394, -860, F5},
    {"Function", 577, -820, F5},
    {"Lock2", 595, -860, F5},
}};

std::array<LabelBox, kLabelBoxCount> buildBoxes() {
    std::array<LabelBox, kLabelBoxCount> boxes{};
    std::size_t n = 0;
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            boxes[n++] = {LabelBlock::Upper, r + 1, kColumnLefts[c], kUpperTops[r]};
        }
    }
    for (int r = 0; r < 7; ++r) {
        // Six boxes in every row; a seventh in rows 1 to 5. Row 6 has the two
        // tall boxes instead, which reach through row 7.
        for (int c = 0; c < 6; ++c) {
            boxes[n++] = {LabelBlock::Lower, r + 1, kColumnLefts[c], kLowerTops[r]};
        }
        if (r < 5) {
            boxes[n++] = {LabelBlock::Lower, r + 1, kColumnLefts[6], kLowerTops[r]};
        } else if (r == 5) {
            for (int left : kTallLefts) {
                boxes[n++] = {LabelBlock::Lower, r + 1,         left,
                              kLowerTops[r],     kLabelBoxSide, kTallBoxHeight};
            }
        }
    }
    return boxes;
}

} // namespace

std::span<const LabelLegend> LabelSheet::legendsInFont(int font) const {
    const auto first = std::find_if(legends.begin(), legends.end(),
                                    [font](const LabelLegend& l) { return l.font == font; });
    const auto last =
        std::find_if(first, legends.end(), [font](const LabelLegend& l) { return l.font != font; });
    return {first, last};
}

std::optional<std::size_t> LabelSheet::boxAt(int x, int y) const {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i].rect().contains(x, y)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> LabelSheet::boxOf(const LabelLegend& legend) const {
    return boxAt(legend.x, legend.y);
}

SheetRect LabelSheet::bounds() const {
    SheetRect r = boxes.front().rect();
    for (const LabelBox& b : boxes) {
        const SheetRect br = b.rect();
        r.left = std::min(r.left, br.left);
        r.right = std::max(r.right, br.right);
        r.top = std::max(r.top, br.top);
        r.bottom = std::min(r.bottom, br.bottom);
    }
    return r;
}

const LabelSheet& labelSheet() {
    static const LabelSheet sheet{
        buildBoxes(),
        kFonts,
        kLegends,
        {"---------------------------------------------------------------", 370, -1350},
    };
    return sheet;
}

} // namespace quilby
