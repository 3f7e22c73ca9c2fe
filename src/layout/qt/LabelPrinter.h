#pragma once

class QPrinter;
class QWidget;

namespace quilby {

// The one class that knows about printers: it puts the label sheet on a
// page. Print and the print preview both show the sheet, never the view's
// notes, and nothing of the document.
class LabelPrinter {
public:
    explicit LabelPrinter(QPrinter* printer);

    // The print dialog (through the program's prompts), then the page.
    void print(QWidget* parent);
    // The preview of the page, one page only.
    void preview(QWidget* parent);

    // Draws the sheet as the only page of a print job on `printer`. False
    // when the printer refused to start; nothing was printed then.
    static bool printPage(QPrinter* printer);

private:
    QPrinter* printer_;
};

} // namespace quilby
