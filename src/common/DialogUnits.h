#pragma once

namespace quilby {

// Dialog layouts are given in dialog units: a horizontal unit is a quarter of
// the dialog font's average character width, a vertical unit an eighth of its
// height. Pixel positions follow from the font, so a layout keeps its shape
// whatever font size the desktop uses.
struct DialogUnits {
    int baseWidth = 6;   // average character width of the dialog font, pixels
    int baseHeight = 13; // character height of the dialog font, pixels

    int x(int units) const { return (units * baseWidth + 2) / 4; }
    int y(int units) const { return (units * baseHeight + 4) / 8; }
};

} // namespace quilby
