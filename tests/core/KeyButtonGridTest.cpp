#include "editing/KeyButtonGrid.h"

#include <gtest/gtest.h>

#include <set>

using namespace quilby;

TEST(KeyButtonGrid, ButtonsCarryEveryPositionOnceInBlockOrder) {
    std::set<int> seen;
    for (int place = 0; place < kKeyButtonCount; ++place) {
        const int key = focusPlaceKeyNumber(place);
        EXPECT_TRUE(seen.insert(key).second) << "place " << place;
        EXPECT_EQ(keyButtonPlace(key), place);
        EXPECT_EQ(focusPlaceControlId(place), 1000 + place);
    }
    EXPECT_EQ(seen.size(), 98u);
    EXPECT_EQ(*seen.rbegin(), 97);
    // Row 0 holds 00-06 and 49-55; the last row 42-48 and 91-97.
    const int row0[] = {0, 1, 2, 3, 4, 5, 6, 49, 50, 51, 52, 53, 54, 55};
    for (int c = 0; c < 14; ++c) {
        EXPECT_EQ(focusPlaceKeyNumber(c), row0[c]);
    }
    EXPECT_EQ(focusPlaceKeyNumber(84), 42);
    EXPECT_EQ(focusPlaceKeyNumber(97), 97);
    EXPECT_EQ(focusPlaceKeyNumber(kListViewPlace), 0);
    EXPECT_EQ(focusPlaceControlId(kListViewPlace), 1119);
    EXPECT_THROW(focusPlaceKeyNumber(99), std::out_of_range);
    EXPECT_THROW(keyButtonPlace(98), std::out_of_range);
}

TEST(KeyButtonGrid, ButtonRectanglesFollowTheGridRule) {
    EXPECT_EQ(keyButtonRect(0), (DialogUnitRect{11, 12, 24, 21}));
    EXPECT_EQ(keyButtonRect(6), (DialogUnitRect{191, 12, 24, 21}));
    EXPECT_EQ(keyButtonRect(7), (DialogUnitRect{231, 12, 24, 21}));
    EXPECT_EQ(keyButtonRect(97), (DialogUnitRect{411, 180, 24, 21}));
    EXPECT_THROW(keyButtonRect(kListViewPlace), std::out_of_range);
}

TEST(KeyButtonGrid, ArrowStepsWrapInsideRowsAndRoundTheRing) {
    struct Case {
        int fromKey; // -1: the list view
        MoveDirection direction;
        int toKey; // -1: the list view
    };
    const Case cases[] = {
        {0, MoveDirection::Up, 43},     {43, MoveDirection::Down, 0},
        {55, MoveDirection::Right, 0},  {7, MoveDirection::Left, 62},
        {97, MoveDirection::Right, -1}, {0, MoveDirection::Left, -1},
        {-1, MoveDirection::Up, 42},    {-1, MoveDirection::Down, 55},
        {-1, MoveDirection::Left, 54},  {-1, MoveDirection::Right, 43},
        {0, MoveDirection::Right, 1},   {6, MoveDirection::Right, 49},
        {49, MoveDirection::Left, 6},   {0, MoveDirection::Down, 7},
        {48, MoveDirection::Down, 5},   {97, MoveDirection::Down, 54},
        {91, MoveDirection::Left, 48},  {62, MoveDirection::Right, 7},
    };
    const auto place = [](int key) { return key < 0 ? kListViewPlace : keyButtonPlace(key); };
    for (const auto& c : cases) {
        EXPECT_EQ(stepFocusRing(place(c.fromKey), c.direction), place(c.toKey))
            << "from " << c.fromKey << " direction " << static_cast<int>(c.direction);
    }
    // Up undoes down everywhere; left undoes right everywhere but next to the
    // ring's seam, where "00" steps left onto the list view.
    for (int p = 0; p < kFocusRingPlaces; ++p) {
        EXPECT_EQ(stepFocusRing(stepFocusRing(p, MoveDirection::Down), MoveDirection::Up), p);
        if (p != 13 && p < kKeyButtonCount - 1) {
            EXPECT_EQ(stepFocusRing(stepFocusRing(p, MoveDirection::Right), MoveDirection::Left),
                      p);
        }
    }
}
