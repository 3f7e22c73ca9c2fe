#include "layout/qt/LabelPrinter.h"

#include "common/qt/QtPrompts.h"
#include "layout/qt/LabelSheetRenderer.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace quilby {

LabelPrinter::LabelPrinter(QPrinter* printer) : printer_(printer) {}

bool LabelPrinter::printPage(QPrinter* printer) {
    printer->setDocName(QCoreApplication::translate("LabelPrinter", "POS Keyboard 기능키 라벨"));
    // The sheet is one page: a range asked for in the dialog cannot add more.
    printer->setFromTo(0, 0);
    QPainter painter;
    if (!painter.begin(printer)) {
        return false;
    }
    LabelSheetRenderer().render(&painter);
    return painter.end();
}

void LabelPrinter::print(QWidget* parent) {
    if (!prompts().choosePrinter(parent, printer_)) {
        return;
    }
    if (!printPage(printer_)) {
        prompts().error(
            parent, QCoreApplication::translate("LabelPrinter",
                                                "인쇄하지 못했습니다. 프린터 설정을 확인하세요."));
    }
}

void LabelPrinter::preview(QWidget* parent) {
    QPrintPreviewDialog dialog(printer_, parent);
    // The preview draws exactly what a print would.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [](QPrinter* p) { printPage(p); });
    dialog.exec();
}

} // namespace quilby
