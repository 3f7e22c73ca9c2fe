#pragma once

#include "common/DialogUnits.h"

#include <QFont>
#include <QRect>

class QGroupBox;
class QString;
class QWidget;

namespace quilby {

// Dialog units of `font`: the average width is measured over the 52 letters,
// as dialog templates always were.
DialogUnits dialogUnitsOf(const QFont& font);

// A rectangle given in dialog units (left, top, width, height) in pixels.
QRect dluRect(const DialogUnits& units, int left, int top, int width, int height);

// The dialog font for a face and point size, with the Korean substitution.
QFont dialogFont(const char* face, int pointSize);

// A titled group box at a rectangle in dialog units. Its frame line runs
// through the middle of its title, as dialog templates are laid out: the
// controls placed just below the title stay clear of the frame.
QGroupBox* templateGroupBox(QWidget* dialog, const DialogUnits& units, const QString& title,
                            int left, int top, int width, int height);

} // namespace quilby
