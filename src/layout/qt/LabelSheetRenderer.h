#pragma once

#include "layout/LabelSheet.h"

#include <QFont>
#include <QImage>
#include <QRectF>

class QPainter;

namespace quilby {

// Draws the label sheet through a QPainter, whatever the device: a printer
// page, a print preview or an image.
//
// The sheet's units are 0.1 mm with y growing upward. The renderer scales the
// painter to 0.1 mm by the device's resolution and draws the sheet's (x, y) at
// (x, -y), so the painter's origin becomes the top-left corner of the sheet's
// printable area. It never flips the painter: a negative scale would mirror
// the glyphs.
class LabelSheetRenderer {
public:
    explicit LabelSheetRenderer(const LabelSheet& sheet = labelSheet());

    void render(QPainter* painter) const;

    // The sheet on white at the given resolution, with the device's origin
    // at the image's top-left corner and room for every box.
    QImage renderImage(int dotsPerInch) const;

    // The font of a legend group, sized in the renderer's 0.1 mm units: its
    // ascent plus descent is the sheet font's height. The sheet font's
    // average width is reached by horizontalScale().
    static QFont legendFont(const LabelFont& font);
    static qreal horizontalScale(const LabelFont& font);

    // The font of texts drawn in the device's default font (the separator).
    static QFont defaultFont();

    // Where the ink of a legend lands, measured with the font it is drawn
    // in, and where a box lies: in the painter's 0.1 mm units, y downward.
    QRectF legendInkRect(const LabelLegend& legend) const;
    static QRectF boxRect(const LabelBox& box);

private:
    const LabelSheet& sheet_;
};

} // namespace quilby
