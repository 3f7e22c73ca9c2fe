#include "layout/qt/LayoutPage.h"

#include "common/FontFaces.h"
#include "common/qt/QtText.h"
#include "document/FileIo.h"
#include "document/WriteGuard.h"
#include "editing/KeyEditor.h"
#include "layout/KeyLayout.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPrinter>
#include <QStaticText>

#include <algorithm>

namespace quilby {

namespace {

// The gap between the blocks, in cell widths.
constexpr double kBlockGap = 0.4;
constexpr double kLineSpacing = 1.2;
// The listing's label column, in display columns; longer labels are cut.
constexpr std::size_t kListLabelColumns = 20;

double pointsToPixels(const QPaintDevice& device, double points) {
    return points * device.logicalDpiY() / 72.0;
}

QFont fixedFont(double pixels) {
    QFont font(qs(kKoreanFixedFace));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(std::max(1, static_cast<int>(pixels)));
    return font;
}

// One display column of a fixed pitch font: a Latin letter, half a Hangul
// syllable, whichever is wider, so a fallback face still ends in its cell.
double columnWidth(const QFont& font) {
    const QFontMetricsF metrics(font);
    return std::max(metrics.horizontalAdvance(QLatin1Char('W')),
                    metrics.horizontalAdvance(QChar(0xAC00)) / 2);
}

QFont pictureFontFor(const QFont& font) {
    QFont picture = font;
    // Three letters in three columns: nearly the label's size, narrowed.
    picture.setPixelSize(std::max(1, font.pixelSize() * 9 / 10));
    picture.setStretch(QFont::Condensed);
    picture.setBold(true);
    return picture;
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
        const QString key = QString::number(font.pixelSize()) +
                            (font.bold() ? QLatin1Char('b') : QLatin1Char('|')) + text;
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

// A control picture waiting for the pass that draws them all.
struct Picture {
    QRectF frame;
    QString name;
    QColor ink;
};

// One line of label text from its baseline's left end: plain runs now,
// control pictures into `pictures` for their own pass.
void drawRuns(QPainter& painter, QPointF origin, const std::string& line,
              const LayoutCellStyle& style, const QColor& pictureInk,
              std::vector<Picture>& pictures, bool direct) {
    const QFontMetricsF metrics(style.labelFont);
    for (const TextRun& run : textRuns(line)) {
        const double x = origin.x() + static_cast<double>(run.column) * style.column;
        if (!run.control) {
            textCache().draw(painter, QPointF(x, origin.y()), qs(run.text), style.labelFont,
                             direct);
            continue;
        }
        const double width = static_cast<double>(run.text.size()) * style.column;
        pictures.push_back({QRectF(x + 0.5, origin.y() - metrics.ascent(), width - 1,
                                   metrics.ascent() + metrics.descent()),
                            qs(run.text), pictureInk});
    }
}

// Control pictures stand out from the label around them: their name in
// small bold letters inside a frame.
void drawPictures(QPainter& painter, const std::vector<Picture>& pictures, const QFont& font) {
    if (pictures.empty()) {
        return;
    }
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    for (const Picture& picture : pictures) {
        painter.setPen(QPen(picture.ink, std::max(1.0, picture.frame.height() / 14)));
        painter.drawRect(picture.frame);
        painter.drawText(picture.frame, Qt::AlignCenter, picture.name);
    }
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

// The number's line and three lines of labels (more where they fit), as large
// as the cell's height allows, but never below `minPixels` (smaller, "08" reads as "03") and
// not so large that fewer than ten columns fit while the width has room.
LayoutCellStyle layoutCellStyle(const QRectF& area, double minPixels) {
    LayoutCellStyle style;
    const QRectF cell = layoutCellRect(area, 0);
    style.pad = std::max(1.0, cell.height() * 0.05);
    const double innerWidth = std::max(1.0, cell.width() - 2 - 2 * style.pad);
    const double innerHeight = std::max(1.0, cell.height() - 2 - 2 * style.pad);
    int labelLines =
        std::clamp(static_cast<int>(innerHeight / (minPixels * kLineSpacing)) - 1, 1, 3);
    const double pixels = std::max(
        minPixels, std::min(innerHeight / ((labelLines + 1) * kLineSpacing), innerWidth / 5));
    // A cell the width keeps to a smaller size (on paper) shows more lines.
    labelLines =
        std::clamp(static_cast<int>(innerHeight / (pixels * kLineSpacing)) - 1, labelLines, 8);
    style.labelFont = fixedFont(pixels);
    style.numberFont = style.labelFont;
    style.numberFont.setBold(true);
    style.pictureFont = pictureFontFor(style.labelFont);
    style.column = columnWidth(style.labelFont);
    style.lineHeight =
        std::min(innerHeight / (labelLines + 1), QFontMetricsF(style.labelFont).height() * 1.1);
    style.fit = {static_cast<std::size_t>(std::max(1.0, innerWidth / style.column)),
                 static_cast<std::size_t>(labelLines)};
    return style;
}

// Drawn in passes (boxes, numbers, labels, control pictures) so the painter
// changes its font a few times per repaint rather than per cell; text goes to
// baseline points, which skips the layout work of aligned rectangles.
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
    // A compared file's differences: a thick frame and a tint of their own,
    // so they read apart from the tester's fill and the selection.
    const QColor differingFrame(196, 30, 110);
    const QColor differingFill(255, 226, 238);
    const QColor pictureInk = marks.forPrint ? QColor(Qt::darkGray) : palette.color(QPalette::Link);
    const LayoutCellStyle style = layoutCellStyle(area, pointsToPixels(*painter.device(), 7.5));
    const QFontMetricsF metrics(style.labelFont);
    const auto isLit = [&marks](int p) {
        return std::find(marks.highlighted.begin(), marks.highlighted.end(), p) !=
               marks.highlighted.end();
    };
    const auto differs = [&marks](int p) {
        return std::find(marks.differing.begin(), marks.differing.end(), p) !=
               marks.differing.end();
    };
    // Dark ink on the light fills whatever the palette's text colour.
    const auto onFill = [&](int p) { return isLit(p) || differs(p); };
    const auto inner = [&](int p) {
        const double pad = 1 + style.pad;
        return layoutCellRect(area, p).adjusted(pad, pad, -pad, -pad);
    };

    const bool direct = marks.forPrint;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    std::vector<int> counts(kKeyPositions);
    // Fills only, in whole pixels: the frame's colour, then the cell inside
    // it. The raster engine fills a short integer rectangle directly, where
    // strokes and long runs of spans go to its helper threads and are waited
    // for, which on a busy machine was most of a repaint's wall time.
    const double cellHeight = area.height() / kLayoutRows;
    // On paper the grid lines scale with the cells; one device pixel of a
    // printer is too thin to see.
    const int rule = marks.forPrint ? std::max(1, static_cast<int>(cellHeight / 70)) : 1;
    const QColor frame = marks.forPrint ? QColor(Qt::darkGray) : faint;
    for (int p = 0; p < kKeyPositions; ++p) {
        const QRect cellRect = layoutCellRect(area, p).toRect();
        const int count = table.usedEntries(p);
        counts[static_cast<std::size_t>(p)] = count;
        const QColor fill = isLit(p)     ? litFill
                            : differs(p) ? differingFill
                            : count == 0 ? emptyFill
                                         : base;
        const int edge = differs(p) ? std::max(3, rule) : rule;
        painter.fillRect(cellRect, differs(p) ? differingFrame : frame);
        painter.fillRect(cellRect.adjusted(edge, edge, -edge, -edge), fill);
        if (!marks.forPrint && p == marks.selected) {
            painter.fillRect(cellRect.adjusted(2, 2, -2, -2), palette.color(QPalette::Highlight));
            painter.fillRect(cellRect.adjusted(5, 5, -5, -5), fill);
        }
    }

    // The number in the label's size and bold; the entry count beside it.
    painter.setFont(style.numberFont);
    const QFontMetricsF numberMetrics(style.numberFont);
    for (int p = 0; p < kKeyPositions; ++p) {
        const QRectF box = inner(p);
        const int count = counts[static_cast<std::size_t>(p)];
        const double baseline = box.top() + numberMetrics.ascent();
        painter.setPen(count == 0 ? faint : onFill(p) ? litInk : text);
        textCache().draw(painter, QPointF(box.left(), baseline), qs(keyPositionName(p)),
                         style.numberFont, direct);
        if (count != 0) {
            const QString number = QString::number(count);
            painter.setPen(onFill(p) ? litInk : faint);
            textCache().draw(
                painter, QPointF(box.right() - numberMetrics.horizontalAdvance(number), baseline),
                number, style.numberFont, direct);
        }
    }

    // Labels end inside their cell: cut by display columns in the core, and
    // clipped to the cell should a face set wider than its columns.
    painter.setFont(style.labelFont);
    std::vector<Picture> pictures;
    for (int p = 0; p < kKeyPositions; ++p) {
        if (counts[static_cast<std::size_t>(p)] == 0) {
            continue;
        }
        const QRectF box = inner(p);
        painter.setClipRect(box);
        painter.setPen(onFill(p) ? litInk : text);
        double baseline = box.top() + style.lineHeight + metrics.ascent();
        for (const auto& line : layoutCell(table, p, style.fit).lines) {
            drawRuns(painter, QPointF(box.left(), baseline), line, style,
                     onFill(p) ? litInk : pictureInk, pictures, direct);
            baseline += style.lineHeight;
        }
    }
    painter.setClipping(false);
    drawPictures(painter, pictures, style.pictureFont);
    painter.restore();
}

namespace {

QFont frameFont(const QPaintDevice& device) {
    QFont font = QApplication::font();
    font.setPixelSize(static_cast<int>(pointsToPixels(device, 11)));
    return font;
}

// What a page leaves between its title line and its page number.
QRectF pageBody(const QRectF& page, const QFont& frame) {
    const double line = QFontMetricsF(frame).height();
    return {page.left(), page.top() + line * 1.6, page.width(), page.height() - line * 2.6};
}

// The title line above and the page number below every page.
void drawPageFrame(QPainter& painter, const QRectF& page, const LayoutPrintJob& job,
                   const QString& heading, int number, int pages) {
    const QFont font = frameFont(*painter.device());
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double line = QFontMetricsF(font).height();
    const QString title = job.fileName + QStringLiteral("    ") +
                          job.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const QRectF top(page.left(), page.top(), page.width(), line);
    painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, heading);
    painter.setPen(QPen(Qt::darkGray, std::max(1.0, line / 16)));
    painter.drawLine(QPointF(page.left(), top.bottom() + line * 0.2),
                     QPointF(page.right(), top.bottom() + line * 0.2));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.bottom() - line, page.width(), line), Qt::AlignCenter,
                     QStringLiteral("%1 / %2").arg(number).arg(pages));
}

// Where the listing's texts go, in display columns of its fixed pitch face:
// the position, the word, the label, then the gap to the next column.
struct ListingGeometry {
    QFont font;
    double column = 0;
    double line = 0;
    int rows = 1;
    int columns = 1;
    static constexpr int kWordAt = 4;
    static constexpr int kLabelAt = 10;
    static constexpr int kWidth = kLabelAt + static_cast<int>(kListLabelColumns) + 3;
};

ListingGeometry listingGeometry(const QPaintDevice& device, const QRectF& body) {
    ListingGeometry g;
    g.font = fixedFont(pointsToPixels(device, 9.5));
    g.column = columnWidth(g.font);
    g.line = QFontMetricsF(g.font).height() * 1.25;
    // One line of column headings above the entries.
    g.rows = std::max(1, static_cast<int>(body.height() / g.line) - 1);
    g.columns = std::max(
        1, static_cast<int>((body.width() + 3 * g.column) / (ListingGeometry::kWidth * g.column)));
    return g;
}

void drawListingPage(QPainter& painter, const QRectF& body, const ListingGeometry& g,
                     const KeyTableData& table, const ListingPage& page) {
    const QFontMetricsF metrics(g.font);
    const LayoutCellStyle style{g.font, g.font, pictureFontFor(g.font), g.column, g.line, 0, {}};
    const QString headings[] = {QCoreApplication::translate("LayoutPage", "키"),
                                QCoreApplication::translate("LayoutPage", "워드"),
                                QCoreApplication::translate("LayoutPage", "라벨")};
    const int at[] = {0, ListingGeometry::kWordAt, ListingGeometry::kLabelAt};
    std::vector<Picture> pictures;
    for (std::size_t c = 0; c < page.size(); ++c) {
        const double left =
            body.left() + static_cast<double>(c) * ListingGeometry::kWidth * g.column;
        QFont bold = g.font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        for (int h = 0; h < 3; ++h) {
            painter.drawText(QPointF(left + at[h] * g.column, body.top() + metrics.ascent()),
                             headings[h]);
        }
        painter.setFont(g.font);
        double y = body.top() + g.line + metrics.ascent();
        for (const ListingLine& entry : page[c]) {
            const KeyEntry e = table.entryAt(entry.position, entry.entry);
            if (entry.named) {
                painter.drawText(QPointF(left, y), qs(keyPositionName(entry.position)));
            }
            painter.drawText(QPointF(left + ListingGeometry::kWordAt * g.column, y),
                             qs(formatWord(e.word)));
            const std::string label = elideText(labelDisplayText(e.label), kListLabelColumns);
            drawRuns(painter, QPointF(left + ListingGeometry::kLabelAt * g.column, y), label, style,
                     QColor(Qt::darkGray), pictures, true);
            y += g.line;
        }
    }
    drawPictures(painter, pictures, style.pictureFont);
}

} // namespace

void printKeyLayout(QPagedPaintDevice& device, const KeyTableData& table,
                    const LayoutPrintJob& job) {
    QPainter painter(&device);
    if (!painter.isActive()) {
        return;
    }
    const QRectF page(0, 0, device.width(), device.height());
    // The pages are counted before the first is drawn: each shows "n / N".
    const QRectF body = pageBody(page, frameFont(device));
    const ListingGeometry listing = listingGeometry(device, body);
    const std::vector<ListingPage> pages = job.listing
                                               ? listingPages(table, listing.rows, listing.columns)
                                               : std::vector<ListingPage>{};
    const int total = 1 + static_cast<int>(pages.size());

    drawPageFrame(painter, page, job, QCoreApplication::translate("LayoutPage", "키 배치"), 1,
                  total);
    // The picture fills the page; its cells stay at most a little taller
    // than wide.
    const double width = body.width();
    const double height =
        std::min(body.height(), width / (kLayoutColumns + kBlockGap) * 1.2 * kLayoutRows);
    drawKeyLayout(painter, QRectF(body.left(), body.top(), width, height), table,
                  LayoutMarks{-1, {}, true, {}});

    for (std::size_t n = 0; n < pages.size(); ++n) {
        device.newPage();
        drawPageFrame(painter, page, job, QCoreApplication::translate("LayoutPage", "키 목록"),
                      static_cast<int>(n) + 2, total);
        drawListingPage(painter, body, listing, table, pages[n]);
    }
}

LayoutPrinterSetup::LayoutPrinterSetup(QPrinter& printer)
    : printer_(printer), orientation_(printer.pageLayout().orientation()) {
    printer_.setPageOrientation(QPageLayout::Landscape);
}

LayoutPrinterSetup::~LayoutPrinterSetup() {
    printer_.setPageOrientation(orientation_);
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
