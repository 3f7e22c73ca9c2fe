#pragma once

#include "common/ScreenFit.h"

#include <QFont>
#include <QRect>

class QWidget;

namespace quilby {

// The free area (without panels) of the screen `widget` is on, or would open
// on: its own window's screen, else its parent's, else the primary screen.
QRect availableArea(const QWidget* widget);

// Moves a top-level window, and shrinks it where it may, so that its frame
// lies on its screen. A fixed-size window is only moved. Before the window
// is shown, a typical frame is allowed for.
void keepOnScreen(QWidget* window);

// Keeps `window` on its screen each time it is shown, after the window
// system or the dialog has placed it (a dialog opens centred on its parent).
void keepOnScreenWhenShown(QWidget* window);

// A dialog laid out in dialog units of `font` measures `width` x `height`
// units: the font, made smaller as far as needed for the dialog and its
// frame to fit `area`.
QFont fontFittingScreen(const QFont& font, int width, int height, const QRect& area);

} // namespace quilby
