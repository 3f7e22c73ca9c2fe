#pragma once

class QPrinter;
class QWidget;

namespace quilby {

// The one class that knows about printers: it puts the label sheet on a
// page. Print, the direct print and the print preview all show the sheet,
// never the view's notes, and nothing of the document.
class CLabelPrinter {
public:
    explicit CLabelPrinter(QPrinter* printer);

    // The print dialog (through the program's prompts), then the page.
    void OnFilePrint(QWidget* parent);
    // The page on the printer as it is set up, without a dialog.
    void OnFilePrintDirect(QWidget* parent);
    // The preview of the page, one page only.
    void OnFilePrintPreview(QWidget* parent);

    // Draws the sheet as the only page of a print job on `printer`. False
    // when the printer refused to start; nothing was printed then.
    static bool printPage(QPrinter* printer);

private:
    void printAndReport(QWidget* parent);

    QPrinter* printer_;
};

} // namespace quilby
