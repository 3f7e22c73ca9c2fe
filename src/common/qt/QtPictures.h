#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>

#include <array>

namespace quilby {

// The program's own pictures, drawn at the size asked for.

// The Quilby logo: a keycap with a quill-like Q.
QPixmap quilbyLogo(QSize size);

// A 98-key POS keyboard seen from above: the magnetic card reader's slot
// along the top, and two blocks of 7 x 7 keys side by side. The left block
// holds key positions 0 to 48 row by row, the right block 49 to 97.
//
// With `markAnnounceKeys`, the five keys the operator presses so that the
// keyboard announces itself are numbered 1 to 5 in black and joined by
// arrows in that order.
QPixmap posKeyboardPicture(QSize size, bool markAnnounceKeys = false);

// Where key position 0 to 97 lies in a picture of `size`; empty for any
// other position.
QRectF posKeyboardKeyRect(QSize size, int position);

// The announce keys in the order they are pressed: the top-left and the
// bottom-left key of the left block, the top-right key of the right block,
// the right-hand key of its sixth row and its bottom-right key.
inline constexpr std::array<int, 5> kAnnounceKeyPositions = {0, 42, 55, 90, 97};

// The announce prompt of the link dialogs: the keyboard with its five
// numbered keys, 351 x 200 pixels.
inline constexpr QSize kAnnouncePictureSize(351, 200);
QPixmap announcePicture();
// The same prompt for a control of size `room`: at its own size when the
// control holds it, else drawn smaller with the same shape, never cut off.
QPixmap announcePicture(QSize room);

} // namespace quilby
