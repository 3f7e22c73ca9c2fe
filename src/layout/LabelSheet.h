#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace quilby {

// The keycap label sheet: one fixed page of 13 mm boxes to cut out and put
// under the POS keyboard's keycaps, with the legends of its function keys.
// It never depends on the document.
//
// Coordinates are logical units of 0.1 mm with x growing to the right and y
// growing upward; the origin is the top-left corner of the printable area, so
// every y on the sheet is negative. A renderer whose y grows downward draws
// the point (x, y) at (x, -y): it must not flip the painter itself, since a
// negative scale mirrors the glyphs.

// A rectangle given by its edges, y upward: top >= bottom.
struct SheetRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return top - bottom; }
    bool contains(int x, int y) const { return x >= left && x <= right && y <= top && y >= bottom; }
    bool contains(const SheetRect& r) const {
        return r.left >= left && r.right <= right && r.top <= top && r.bottom >= bottom;
    }
    bool overlaps(const SheetRect& r) const {
        return r.left < right && left < r.right && r.bottom < top && bottom < r.top;
    }
    bool operator==(const SheetRect&) const = default;
};

inline constexpr int kLabelBoxSide = 130;  // 13 mm
inline constexpr int kTallBoxHeight = 320; // the two boxes of the long keycaps

enum class LabelBlock { Upper, Lower };

// One box, drawn as a rectangle from (left, top) to (left + width, top - height)
// with the default pen and brush.
struct LabelBox {
    LabelBlock block = LabelBlock::Upper;
    int row = 0; // 1 to 7 within its block; a tall box starts in row 6
    int left = 0;
    int top = 0;
    int width = kLabelBoxSide;
    int height = kLabelBoxSide;

    bool tall() const { return height != width; }
    SheetRect rect() const { return {left, top, left + width, top - height}; }
    bool operator==(const LabelBox&) const = default;
};

// A font by its logical height and average character width, as the sheet asks
// for it: weight 700, upright, not underlined or struck out, character set 1.
// `face` is the name the sheet asks for; installedFaceFor() gives the face to
// use on this system.
struct LabelFont {
    std::string_view name; // "F1" to "F5"
    int height = 0;
    int width = 0;
    int weight = 700;
    std::string_view face;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;
};

// A legend: UTF-8 text whose top-left corner is at (x, y), in font `font`
// (an index into labelFonts()).
struct LabelLegend {
    std::string_view text;
    int x = 0;
    int y = 0;
    int font = 0;
};

// A text drawn in the output device's default font.
struct LabelText {
    std::string_view text;
    int x = 0;
    int y = 0;
};

inline constexpr std::size_t kLabelBoxCount = 98;
inline constexpr std::size_t kLabelFontCount = 5;
inline constexpr std::size_t kLabelLegendCount = 68;

// The sheet in drawing order: boxes of the upper block row by row, left to
// right; the separator; the boxes of the lower block row by row (in row 6 the
// six boxes, then the two tall ones); then the legends font by font, F1 to F5,
// each group in its listed order.
struct LabelSheet {
    std::array<LabelBox, kLabelBoxCount> boxes;
    std::array<LabelFont, kLabelFontCount> fonts;
    std::array<LabelLegend, kLabelLegendCount> legends;
    LabelText separator;

    // The legends drawn with font `font`, in drawing order (empty when the
    // index is out of range).
    std::span<const LabelLegend> legendsInFont(int font) const;

    // Index of the box whose rectangle (edges included) holds the point.
    std::optional<std::size_t> boxAt(int x, int y) const;

    // The box a legend belongs to: the one holding its top-left corner.
    std::optional<std::size_t> boxOf(const LabelLegend& legend) const;

    // The union of all boxes.
    SheetRect bounds() const;
};

const LabelSheet& labelSheet();

} // namespace quilby
