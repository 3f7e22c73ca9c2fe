#include "layout/qt/LayoutPage.h"

#include "common/qt/QtText.h"
#include "document/Cp949.h"
#include "document/FileIo.h"
#include "document/WriteGuard.h"
#include "editing/KeyEditor.h"
#include "layout/KeyLayout.h"

#include <QApplication>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QStaticText>

#include <algorithm>

namespace quilby {

namespace {

// The gap between the blocks, in cell widths.
constexpr double kBlockGap = 0.4;

QFont cellFont(double cellHeight) {
    QFont font = QApplication::font();
    font.setPixelSize(std::max(6, static_cast<int>(cellHeight / 6.5)));
    return font;
}

// Laid-out texts of the screen, kept between repaints: the same numbers and
// labels come back every time, and shaping them again is most of a repaint.
// Printers and PDF files draw directly (their devices differ).
class TextCache {
public:
    void draw(QPainter& painter, QPointF baseline, const QString& text, const QFont& font,
              bool direct) {
        if (direct) {
            painter.drawText(baseline, text);
            return;
        }
        const QString key = QString::number(font.pixelSize()) + QLatin1Char('|') + text;
        auto it = texts_.find(key);
        if (it == texts_.end()) {
            if (texts_.size() > 8000) {
                texts_.clear();
            }
            QStaticText laidOut(text);
            laidOut.setTextFormat(Qt::PlainText);
            laidOut.prepare(QTransform(), font);
            it = texts_.insert(key, laidOut);
        }
        const QFontMetricsF metrics(font);
        painter.drawStaticText(QPointF(baseline.x(), baseline.y() - metrics.ascent()), *it);
    }

private:
    QHash<QString, QStaticText> texts_;
};

TextCache& textCache() {
    static TextCache cache;
    return cache;
}

} // namespace

QRectF layoutCellRect(const QRectF& area, int position) {
    if (!validKeyIndex(position)) {
        return {};
    }
    const double width = area.width() / (kLayoutColumns + kBlockGap);
    const double height = area.height() / kLayoutRows;
    const LayoutPlace place = layoutPlace(position);
    const double gap = place.column >= kLayoutBlockColumns ? kBlockGap * width : 0.0;
    return {area.left() + place.column * width + gap, area.top() + place.row * height, width,
            height};
}

int layoutPositionAt(const QRectF& area, QPointF point) {
    for (int p = 0; p < kKeyPositions; ++p) {
        if (layoutCellRect(area, p).contains(point)) {
            return p;
        }
    }
    return -1;
}

// Drawn in three passes (boxes, numbers, labels) so the painter changes its
// font twice per repaint rather than twice per cell; text goes to baseline
// points, which skips the layout work of aligned rectangles.
void drawKeyLayout(QPainter& painter, const QRectF& area, const KeyTableData& table,
                   const LayoutMarks& marks) {
    const QPalette palette = QApplication::palette();
    const QColor text = marks.forPrint ? QColor(Qt::black) : palette.color(QPalette::Text);
    const QColor faint =
        marks.forPrint ? QColor(Qt::gray) : palette.color(QPalette::PlaceholderText);
    const QColor base = marks.forPrint ? QColor(Qt::white) : palette.color(QPalette::Base);
    const QColor emptyFill = marks.forPrint ? QColor(Qt::white) : palette.color(QPalette::Window);
    // The tester's matches in a colour of their own, never the selection's.
    const QColor litFill = marks.forPrint ? QColor(220, 220, 220) : QColor(255, 214, 90);
    const QColor litInk = marks.forPrint ? text : QColor(Qt::black);
    const double height = area.height() / kLayoutRows;
    const QFont font = cellFont(height);
    QFont small = font;
    small.setPixelSize(std::max(5, font.pixelSize() * 4 / 5));
    const QFontMetricsF metrics(font);
    const QFontMetricsF smallMetrics(small);
    const double pad = height * 0.06;
    const auto isLit = [&marks](int p) {
        return std::find(marks.highlighted.begin(), marks.highlighted.end(), p) !=
               marks.highlighted.end();
    };

    TextCache& cache = textCache();
    const bool direct = marks.forPrint;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    std::vector<int> counts(kKeyPositions);
    // One call per fill colour: single fills of each cell cost more in
    // hand-offs to the raster engine's helper threads than in pixels.
    QList<QRectF> lit;
    QList<QRectF> empty;
    QList<QRectF> used;
    for (int p = 0; p < kKeyPositions; ++p) {
        const QRectF cellRect = layoutCellRect(area, p).adjusted(1, 1, -1, -1);
        counts[static_cast<std::size_t>(p)] = table.usedEntries(p);
        (isLit(p) ? lit : counts[static_cast<std::size_t>(p)] == 0 ? empty : used) << cellRect;
    }
    // On paper the grid lines scale with the cells; one device pixel of a
    // printer is too thin to see.
    painter.setPen(QPen(marks.forPrint ? QColor(Qt::darkGray) : faint,
                        marks.forPrint ? std::max(1.0, height / 120) : 1.0));
    for (const auto& [rects, fill] :
         {std::pair{&used, base}, std::pair{&empty, emptyFill}, std::pair{&lit, litFill}}) {
        painter.setBrush(fill);
        painter.drawRects(rects->constData(), static_cast<int>(rects->size()));
    }
    if (!marks.forPrint && validKeyIndex(marks.selected)) {
        painter.setPen(QPen(palette.color(QPalette::Highlight), 3));
        painter.setBrush(Qt::NoBrush); // a frame only: the cell keeps its own fill
        painter.drawRect(layoutCellRect(area, marks.selected).adjusted(2, 2, -2, -2));
    }

    painter.setFont(small);
    for (int p = 0; p < kKeyPositions; ++p) {
        const QRectF inner = layoutCellRect(area, p).adjusted(1 + pad, 1 + pad, -1 - pad, -1 - pad);
        const int count = counts[static_cast<std::size_t>(p)];
        painter.setPen(count == 0 ? faint : isLit(p) ? litInk : text);
        const double baseline = inner.top() + smallMetrics.ascent();
        cache.draw(painter, QPointF(inner.left(), baseline), qs(keyPositionName(p)), small, direct);
        if (count != 0) {
            const QString number = QString::number(count);
            cache.draw(painter,
                       QPointF(inner.right() - smallMetrics.horizontalAdvance(number), baseline),
                       number, small, direct);
        }
    }

    painter.setFont(font);
    const double width = layoutCellRect(area, 0).width() - 2 - 2 * pad;
    const CellTextFit fit{
        static_cast<std::size_t>(std::max(1.0, width / metrics.averageCharWidth())), 3};
    for (int p = 0; p < kKeyPositions; ++p) {
        if (counts[static_cast<std::size_t>(p)] == 0) {
            continue;
        }
        const QRectF inner = layoutCellRect(area, p).adjusted(1 + pad, 1 + pad, -1 - pad, -1 - pad);
        painter.setPen(isLit(p) ? litInk : text);
        double baseline = inner.top() + inner.height() * 0.3 + metrics.ascent();
        for (const auto& line : layoutCell(table, p, fit).lines) {
            cache.draw(painter, QPointF(inner.left(), baseline), qs(line), font, direct);
            baseline += metrics.height();
        }
    }
    painter.restore();
}

void printKeyLayout(QPagedPaintDevice& device, const KeyTableData& table,
                    const LayoutPrintJob& job) {
    QPainter painter(&device);
    if (!painter.isActive()) {
        return;
    }
    const QRectF page(0, 0, device.width(), device.height());
    QFont titleFont = QApplication::font();
    titleFont.setPixelSize(std::max(8, static_cast<int>(page.height() / 45)));
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    const QFontMetricsF titleMetrics(titleFont);
    const QString title = job.fileName + QStringLiteral("    ") +
                          job.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    painter.drawText(QRectF(page.left(), page.top(), page.width(), titleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    // The picture keeps the keys' proportions whatever the paper.
    const double top = titleMetrics.height() * 2;
    double width = page.width();
    double height = width * kLayoutRows / (kLayoutColumns + kBlockGap) * 1.1;
    if (height > page.height() - top) {
        height = page.height() - top;
        width = height * (kLayoutColumns + kBlockGap) / kLayoutRows / 1.1;
    }
    drawKeyLayout(painter, QRectF(page.left(), top, width, height), table,
                  LayoutMarks{-1, {}, true});
    if (!job.listing) {
        return;
    }

    QFont listFont = titleFont;
    listFont.setPixelSize(std::max(6, static_cast<int>(page.height() / 70)));
    const QFontMetricsF listMetrics(listFont);
    const double line = listMetrics.height() * 1.15;
    const double columns[] = {0.0, listMetrics.horizontalAdvance(QStringLiteral("0000000")),
                              listMetrics.horizontalAdvance(QStringLiteral("0000000000000000"))};
    double y = page.height(); // forces a new page before the first line
    for (int p = 0; p < kKeyPositions; ++p) {
        const int count = table.usedEntries(p);
        for (int e = 0; e < count; ++e) {
            if (y + line > page.height()) {
                device.newPage();
                painter.setFont(listFont);
                y = page.top();
            }
            const KeyEntry entry = table.entryAt(p, e);
            const QString texts[] = {e == 0 ? qs(keyPositionName(p)) : QString(),
                                     qs(formatWord(entry.word)), qs(cp949ToUtf8(entry.label))};
            for (int c = 0; c < 3; ++c) {
                painter.drawText(QPointF(page.left() + columns[c], y + listMetrics.ascent()),
                                 texts[c]);
            }
            y += line;
        }
    }
}

bool exportKeyLayoutPdf(const QString& outPath, const KeyTableData& table,
                        const LayoutPrintJob& job, const std::vector<std::string>& inputs) {
    const std::string target = toLocalPath(outPath);
    // The write guard every writer of the program obeys: never over the
    // table the picture is made of, never over a read-only file.
    if (checkWrite(target, inputs, InPlace::Refused)) {
        return false;
    }
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(job.fileName);
        printKeyLayout(writer, table, job);
    }
    // Replaced atomically, so a failed export never leaves half a file in
    // place of an earlier one.
    const auto saved = saveFileAtomically(target, std::string(pdf.constData(), pdf.size()));
    return std::holds_alternative<std::monostate>(saved);
}

} // namespace quilby
