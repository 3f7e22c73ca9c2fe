#include "common/ScreenFit.h"

#include <algorithm>

namespace quilby {

namespace {

// `start` moved so that [start, start + length) lies inside [low, low + room).
int placeWithin(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

} // namespace

ScreenRect fitOnScreen(const ScreenRect& wanted, const ScreenRect& area) {
    ScreenRect fitted = wanted;
    fitted.width = std::min(wanted.width, area.width);
    fitted.height = std::min(wanted.height, area.height);
    fitted.x = placeWithin(wanted.x, fitted.width, area.x, area.width);
    fitted.y = placeWithin(wanted.y, fitted.height, area.y, area.height);
    return fitted;
}

double shrinkToFit(int width, int height, const ScreenRect& area, int frameWidth, int frameHeight) {
    if (width <= 0 || height <= 0) {
        return 1.0;
    }
    const double across = static_cast<double>(area.width - frameWidth) / width;
    const double down = static_cast<double>(area.height - frameHeight) / height;
    return std::clamp(std::min(across, down), 0.1, 1.0);
}

} // namespace quilby
