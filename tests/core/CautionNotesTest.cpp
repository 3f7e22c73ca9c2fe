#include "app/CautionNotes.h"

#include <gtest/gtest.h>

using namespace quilby;

TEST(CautionNotes, LinesGoDownTheViewInOrder) {
    int previous = 0;
    for (const auto& line : kCautionNotes) {
        EXPECT_GT(line.y, previous);
        previous = line.y;
    }
    EXPECT_EQ(kCautionNotes.front().y, 30);
    EXPECT_EQ(kCautionNotes.back().y, 440);
}
