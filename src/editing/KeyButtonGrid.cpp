#include "editing/KeyButtonGrid.h"

#include <stdexcept>

namespace quilby {

namespace {

constexpr int kBlockColumns = 7;

void requirePlace(int place) {
    if (!validFocusPlace(place)) {
        throw std::out_of_range("focus ring place out of range");
    }
}

int wrapPlace(int place) {
    return ((place % kFocusRingPlaces) + kFocusRingPlaces) % kFocusRingPlaces;
}

bool isKeyButton(int place) {
    return place >= 0 && place < kKeyButtonCount;
}

} // namespace

int focusPlaceControlId(int place) {
    requirePlace(place);
    return place == kListViewPlace ? kSpecialKeyListViewId : kFirstKeyButtonId + place;
}

int focusPlaceKeyNumber(int place) {
    requirePlace(place);
    if (place == kListViewPlace) {
        return 0;
    }
    const int row = place / kKeyButtonColumns;
    const int column = place % kKeyButtonColumns;
    return column < kBlockColumns ? kBlockColumns * row + column
                                  : 49 + kBlockColumns * row + (column - kBlockColumns);
}

int keyButtonPlace(int key) {
    if (key < 0 || key >= kKeyButtonCount) {
        throw std::out_of_range("key position out of range");
    }
    const bool rightBlock = key >= 49;
    const int inBlock = rightBlock ? key - 49 : key;
    return (inBlock / kBlockColumns) * kKeyButtonColumns + (rightBlock ? kBlockColumns : 0) +
           inBlock % kBlockColumns;
}

int stepFocusRing(int place, MoveDirection direction) {
    requirePlace(place);
    switch (direction) {
    case MoveDirection::Up:
        return wrapPlace(place - kKeyButtonColumns);
    case MoveDirection::Down:
        return wrapPlace(place + kKeyButtonColumns);
    case MoveDirection::Left: {
        // Stepping back onto the last button of a row means the row was left
        // at its start: go round to the end of the row that was left.
        const int next = wrapPlace(place - 1);
        const bool rowEnd = isKeyButton(next) && next % kKeyButtonColumns == kKeyButtonColumns - 1;
        return rowEnd ? wrapPlace(next + kKeyButtonColumns) : next;
    }
    case MoveDirection::Right: {
        const int next = wrapPlace(place + 1);
        const bool rowStart = isKeyButton(next) && next % kKeyButtonColumns == 0;
        return rowStart ? wrapPlace(next - kKeyButtonColumns) : next;
    }
    }
    return place;
}

DialogUnitRect keyButtonRect(int place) {
    if (!isKeyButton(place)) {
        throw std::out_of_range("not a key button place");
    }
    const int row = place / kKeyButtonColumns;
    const int column = place % kKeyButtonColumns;
    const int x = column < kBlockColumns ? 11 + 30 * column : 231 + 30 * (column - kBlockColumns);
    return {x, 12 + 28 * row, 24, 21};
}

} // namespace quilby
