#include "common/ScreenFit.h"

#include <gtest/gtest.h>

using namespace quilby;

// The main window asks for 600 x 600 at (150, 50); the simulator opens
// beside it. A screen of 1280 x 1024 at scale 1, 1.5 and 2 offers 1280 x
// 1024, 853 x 682 and 640 x 512 logical pixels.
TEST(ScreenFit, AWindowIsShrunkAndMovedOntoTheScreen) {
    struct Case {
        const char* name;
        ScreenRect wanted;
        ScreenRect area;
        ScreenRect fitted;
    };
    const Case cases[] = {
        {"fits as asked", {150, 50, 600, 600}, {0, 0, 1280, 1024}, {150, 50, 600, 600}},
        {"scale 1.5: moved up", {150, 100, 600, 600}, {0, 0, 853, 682}, {150, 82, 600, 600}},
        {"scale 2: lower, moved", {150, 50, 600, 600}, {0, 0, 640, 512}, {40, 0, 600, 512}},
        {"off the right edge", {760, 50, 300, 400}, {0, 0, 853, 682}, {553, 50, 300, 400}},
        {"off the top left", {-30, -10, 200, 100}, {0, 0, 640, 512}, {0, 0, 200, 100}},
        {"wider than the screen", {100, 0, 900, 300}, {0, 0, 640, 512}, {0, 0, 640, 300}},
        {"a panel at the top", {10, 0, 200, 100}, {0, 30, 640, 482}, {10, 30, 200, 100}},
        {"a second screen", {2000, 100, 300, 300}, {1280, 0, 1280, 1024}, {2000, 100, 300, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenRect fitted = fitOnScreen(c.wanted, c.area);
        EXPECT_EQ(fitted, c.fitted)
            << fitted.x << "," << fitted.y << " " << fitted.width << "x" << fitted.height;
    }
}

TEST(ScreenFit, ShrinksOnlyWhatDoesNotFit) {
    struct Case {
        int width, height;
        ScreenRect area;
        double factor;
    };
    const Case cases[] = {
        {892, 643, {0, 0, 1280, 1024}, 1.0},
        {892, 643, {0, 0, 640, 512}, (640.0 - 16) / 892},
        {600, 643, {0, 0, 640, 512}, (512.0 - 48) / 643},
        {892, 400, {0, 0, 1280, 300}, (300.0 - 48) / 400},
        {0, 0, {0, 0, 640, 512}, 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(shrinkToFit(c.width, c.height, c.area, 16, 48), c.factor)
            << c.width << "x" << c.height;
    }
}
