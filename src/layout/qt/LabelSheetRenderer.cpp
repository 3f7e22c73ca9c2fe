#include "layout/qt/LabelSheetRenderer.h"

#include "common/FontFaces.h"
#include "common/qt/QtText.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace quilby {

namespace {

constexpr qreal kUnitsPerInch = 254.0; // 0.1 mm

// Fonts are measured at a large size and scaled, so the result does not
// depend on hinting at the size asked for.
constexpr int kReferencePixels = 1000;

// The line of the boxes: 0.1 mm, thin but visible at any resolution.
constexpr qreal kBoxLineWidth = 1.0;

// The device default font stands in for text drawn without a font of its
// own: 10 points, as printers usually start out.
constexpr int kDefaultFontUnits = 35;

QFont baseFont(std::string_view face, int weight, int pixels) {
    QFont font(qs(installedFaceFor(face)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setPixelSize(pixels);
    // Keep the outlines as they are at every scale.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

// The pixel size whose ascent plus descent is `height`.
int pixelSizeForCellHeight(std::string_view face, int weight, int height) {
    const QFontMetricsF metrics(baseFont(face, weight, kReferencePixels));
    const qreal cell = metrics.ascent() + metrics.descent();
    return std::max(1, static_cast<int>(std::lround(height * kReferencePixels / cell)));
}

} // namespace

LabelSheetRenderer::LabelSheetRenderer(const LabelSheet& sheet) : sheet_(sheet) {}

QFont LabelSheetRenderer::legendFont(const LabelFont& font) {
    return baseFont(font.face, font.weight,
                    pixelSizeForCellHeight(font.face, font.weight, font.height));
}

qreal LabelSheetRenderer::horizontalScale(const LabelFont& font) {
    // The average width of a font is that of its letters, as dialog units
    // measure it.
    const QFontMetricsF metrics(legendFont(font));
    const qreal letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return font.width / (letters / 52.0);
}

QFont LabelSheetRenderer::defaultFont() {
    return baseFont("굴림", 400, pixelSizeForCellHeight("굴림", 400, kDefaultFontUnits));
}

void LabelSheetRenderer::render(QPainter* painter) const {
    QPaintDevice* device = painter->device();
    painter->save();
    painter->scale(device->logicalDpiX() / kUnitsPerInch, device->logicalDpiY() / kUnitsPerInch);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, true);

    QPen pen(Qt::black);
    pen.setWidthF(kBoxLineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::white);
    // The boxes in the sheet's order: upper block, separator, lower block.
    bool separatorDrawn = false;
    for (const LabelBox& box : sheet_.boxes) {
        if (box.block == LabelBlock::Lower && !separatorDrawn) {
            const QFont font = defaultFont();
            painter->setFont(font);
            painter->drawText(
                QPointF(sheet_.separator.x, -sheet_.separator.y + QFontMetricsF(font).ascent()),
                qs(sheet_.separator.text));
            separatorDrawn = true;
        }
        painter->drawRect(boxRect(box));
    }

    for (int f = 0; f < static_cast<int>(sheet_.fonts.size()); ++f) {
        const LabelFont& sheetFont = sheet_.fonts[static_cast<std::size_t>(f)];
        const QFont font = legendFont(sheetFont);
        const qreal ascent = QFontMetricsF(font).ascent();
        const qreal xScale = horizontalScale(sheetFont);
        painter->setFont(font);
        for (const LabelLegend& legend : sheet_.legendsInFont(f)) {
            // The text's top-left corner is at the legend's point.
            painter->save();
            painter->translate(legend.x, -legend.y + ascent);
            painter->scale(xScale, 1.0);
            painter->drawText(QPointF(0, 0), trCore("LabelSheet", legend.text));
            painter->restore();
        }
    }
    painter->restore();
}

QImage LabelSheetRenderer::renderImage(int dotsPerInch) const {
    const SheetRect bounds = sheet_.bounds();
    // A margin of 5 mm right of and below the last box.
    const qreal scale = dotsPerInch / kUnitsPerInch;
    const QSize size(static_cast<int>(std::ceil((bounds.right + 50) * scale)),
                     static_cast<int>(std::ceil((-bounds.bottom + 50) * scale)));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    render(&painter);
    painter.end();
    return image;
}

QRectF LabelSheetRenderer::legendInkRect(const LabelLegend& legend) const {
    const LabelFont& sheetFont = sheet_.fonts.at(static_cast<std::size_t>(legend.font));
    const QFont font = legendFont(sheetFont);
    const QFontMetricsF metrics(font);
    // Downward units relative to the baseline, then onto the sheet.
    const QRectF ink = metrics.tightBoundingRect(trCore("LabelSheet", legend.text));
    const qreal xScale = horizontalScale(sheetFont);
    const qreal baseline = -legend.y + metrics.ascent();
    return QRectF(QPointF(legend.x + ink.left() * xScale, baseline + ink.top()),
                  QPointF(legend.x + ink.right() * xScale, baseline + ink.bottom()));
}

QRectF LabelSheetRenderer::boxRect(const LabelBox& box) {
    return QRectF(box.left, -box.top, box.width, box.height);
}

} // namespace quilby
