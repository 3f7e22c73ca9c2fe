#pragma once

namespace quilby {

// A window's outer rectangle, or a screen's free area, in logical pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect&) const = default;
};

// Where a window that asks for `wanted` is put on a screen whose free area
// is `area`: no larger than the area, moved (not shrunk further) until it
// lies wholly inside it, so every part of it, its buttons included, can be
// reached.
ScreenRect fitOnScreen(const ScreenRect& wanted, const ScreenRect& area);

// The factor (at most 1) by which a window of `width` x `height` must shrink
// to fit `area`, leaving `frameWidth` x `frameHeight` for the frame the
// window system adds.
double shrinkToFit(int width, int height, const ScreenRect& area, int frameWidth, int frameHeight);

} // namespace quilby
