#include "app/qt/CLabelPrinter.h"

#include "app/qt/QtLabelSheetRenderer.h"
#include "common/qt/QtPrompts.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace quilby {

CLabelPrinter::CLabelPrinter(QPrinter* printer) : printer_(printer) {}

bool CLabelPrinter::printPage(QPrinter* printer) {
    printer->setDocName(QStringLiteral("POS Keyboard 기능키 라벨"));
    // The sheet is one page: a range asked for in the dialog cannot add more.
    printer->setFromTo(0, 0);
    QPainter painter;
    if (!painter.begin(printer)) {
        return false;
    }
    QtLabelSheetRenderer().render(&painter);
    return painter.end();
}

void CLabelPrinter::printAndReport(QWidget* parent) {
    if (!printPage(printer_)) {
        prompts().error(parent, QStringLiteral("인쇄하지 못했습니다. 프린터 설정을 확인하세요."));
    }
}

void CLabelPrinter::OnFilePrint(QWidget* parent) {
    if (!prompts().choosePrinter(parent, printer_)) {
        return;
    }
    printAndReport(parent);
}

void CLabelPrinter::OnFilePrintDirect(QWidget* parent) {
    printAndReport(parent);
}

void CLabelPrinter::OnFilePrintPreview(QWidget* parent) {
    QPrintPreviewDialog dialog(printer_, parent);
    // The preview draws exactly what a print would.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [](QPrinter* p) { printPage(p); });
    dialog.exec();
}

} // namespace quilby
