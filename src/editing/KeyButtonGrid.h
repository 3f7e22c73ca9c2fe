#pragma once

namespace quilby {

// The key editor shows the 98 positions as 7 rows of 14 buttons: seven of the
// left block (positions 00-48) and seven of the right (49-97) per row. The
// buttons have ids 1000-1097 in row order, which is also the focus order; the
// special-key list view (1119) follows them, so the focus ring has 99 places.
inline constexpr int kFirstKeyButtonId = 1000;
inline constexpr int kKeyButtonRows = 7;
inline constexpr int kKeyButtonColumns = 14;
inline constexpr int kKeyButtonCount = kKeyButtonRows * kKeyButtonColumns;
inline constexpr int kSpecialKeyListViewId = 1119;
inline constexpr int kListViewPlace = kKeyButtonCount;
inline constexpr int kFocusRingPlaces = kKeyButtonCount + 1;

enum class MoveDirection { Up, Down, Left, Right };

// Place 0-97 is key button 1000 + place, place 98 the list view.
inline bool validFocusPlace(int place) {
    return place >= 0 && place < kFocusRingPlaces;
}
int focusPlaceControlId(int place);

// The number in the caption of the control at `place`: the key position of a
// button, 0 for the list view (its caption holds no number).
int focusPlaceKeyNumber(int place);

// The place of the button captioned with key position `key` (0-97).
int keyButtonPlace(int key);

// The arrow-key step: up and down move 14 places round the ring (keeping the
// column inside the grid), left and right one place, wrapping within the row.
int stepFocusRing(int place, MoveDirection direction);

// A key button's rectangle in dialog units.
struct DialogUnitRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DialogUnitRect&) const = default;
};
DialogUnitRect keyButtonRect(int place);

} // namespace quilby
