#pragma once

#include "document/KeyTable.h"
#include "layout/KeyLayout.h"

#include <QDateTime>
#include <QFont>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <string>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace quilby {

// What the screen adds to the table when it draws the layout.
struct LayoutMarks {
    int selected = -1;            // the selected cell, framed
    std::vector<int> highlighted; // the key tester's matches, filled
    bool forPrint = false;        // black on white, no selection
    std::vector<int> differing;   // cells another file's table differs in, framed
};

// The cell of `position` inside `area` (the two blocks with a gap between
// them), and the position under `point` (-1 between or outside the cells).
QRectF layoutCellRect(const QRectF& area, int position);
int layoutPositionAt(const QRectF& area, QPointF point);

// How a cell's texts are set at the cell size of `area` (no text below
// `minPixels`): labels in a fixed
// pitch face, cut by display columns of `column` width so they end inside
// their cell; the position number in the same size, never smaller.
struct LayoutCellStyle {
    QFont labelFont;
    QFont numberFont;
    QFont pictureFont; // a control picture's name, inside its frame
    double column = 0; // one display column
    double lineHeight = 0;
    double pad = 0; // inside each cell's frame
    CellTextFit fit;
};
LayoutCellStyle layoutCellStyle(const QRectF& area, double minPixels);

// Draws both blocks of the layout into `area` through any painter: the view,
// the preview, the printer and the PDF file all use this one routine.
void drawKeyLayout(QPainter& painter, const QRectF& area, const KeyTableData& table,
                   const LayoutMarks& marks);

// The print-out: a first page with the title line (file name and date) and
// the picture of the layout, and with `listing` every position's entries
// (position, word, label) on the following pages.
struct LayoutPrintJob {
    QString fileName;
    QDateTime when;
    bool listing = false;
};
void printKeyLayout(QPagedPaintDevice& device, const KeyTableData& table,
                    const LayoutPrintJob& job);

// The layout page is landscape, as in the PDF file. A printer is shared with
// the label sheet, so its own orientation comes back when the job is done.
class LayoutPrinterSetup {
public:
    explicit LayoutPrinterSetup(QPrinter& printer);
    ~LayoutPrinterSetup();
    LayoutPrinterSetup(const LayoutPrinterSetup&) = delete;
    LayoutPrinterSetup& operator=(const LayoutPrinterSetup&) = delete;

private:
    QPrinter& printer_;
    QPageLayout::Orientation orientation_;
};

// The same pages written as a PDF file; false when the file cannot be
// written or the write guard refuses it (one of `inputs`, or read-only).
bool exportKeyLayoutPdf(const QString& outPath, const KeyTableData& table,
                        const LayoutPrintJob& job, const std::vector<std::string>& inputs = {});

} // namespace quilby
