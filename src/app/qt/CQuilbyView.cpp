#include "app/qt/CQuilbyView.h"

#include "app/CautionNotes.h"
#include "app/Commands.h"
#include "app/qt/CDefaultKeyDialog.h"
#include "app/qt/CLabelPrinter.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CQuilbyApp.h"
#include "app/qt/CQuilbyDoc.h"
#include "app/qt/QtManualViewer.h"
#include "common/qt/QtPrompts.h"
#include "common/qt/QtText.h"
#include "editing/qt/KeyChordDialog.h"
#include "editing/qt/KeyEditDialog.h"
#include "link/LinkState.h"
#include "link/LinkTexts.h"
#include "link/McrOptionFile.h"
#include "link/qt/DownloadDialog.h"
#include "link/qt/McrDialog.h"
#include "link/qt/VersionCheckDialog.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>

namespace quilby {

namespace {

// The form the notes are drawn on: it sets the scrollable area.
class NotesForm : public QWidget {
public:
    explicit NotesForm(QWidget* parent) : QWidget(parent) {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
        setFixedSize(CQuilbyView::notesSize());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        CQuilbyView::drawNotes(painter);
    }
};

QFont notesFont() {
    QFont font = QApplication::font();
    font.setPixelSize(13);
    return font;
}

} // namespace

CQuilbyView::CQuilbyView(CQuilbyDoc* document, QWidget* parent)
    : QScrollArea(parent), document_(document) {
    setWidget(new NotesForm(this));
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);
}

void CQuilbyView::drawNotes(QPainter& painter) {
    painter.setFont(notesFont());
    painter.setPen(QApplication::palette().color(QPalette::Text));
    const QFontMetrics metrics(painter.font());
    for (const auto& line : CautionNotes) {
        // The y of a note is the top of its line, as text output places it.
        painter.drawText(kCautionNotesX, line.y + metrics.ascent(), qs(line.text));
    }
}

QSize CQuilbyView::notesSize() {
    const QFontMetrics metrics(notesFont());
    int width = 0;
    for (const auto& line : CautionNotes) {
        width = std::max(width, metrics.horizontalAdvance(qs(line.text)));
    }
    return QSize(kCautionNotesX + width + 20, CautionNotes.back().y + metrics.height() + 20);
}

bool CQuilbyView::isCommandEnabled(int id) const {
    switch (id) {
    case ID_FILE_NEW:
    case ID_KEY_EDIT:
    case ID_SPECIAL_KEYS:
    case ID_DOWNLOAD:
    case ID_DEFAULT_KEY:
    case ID_UTILITY_HELP:
    case ID_EPROM_MCR:
    case ID_VERSION_CHECK:
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
        return static_cast<bool>(printerSource_);
    default:
        return false;
    }
}

bool CQuilbyView::OnCommand(int id) {
    if (!isCommandEnabled(id)) {
        return false;
    }
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_KEY_EDIT:
        OnKeyEdit();
        return true;
    case ID_SPECIAL_KEYS: {
        SpecialKeyDialog dialog(window());
        dialog.exec();
        return true;
    }
    case ID_DOWNLOAD:
        OnDownload();
        return true;
    case ID_DEFAULT_KEY:
        OnDefaultKey();
        return true;
    case ID_UTILITY_HELP:
        OnUtilityHelp();
        return true;
    case ID_EPROM_MCR:
        OnEpromMcr();
        return true;
    case ID_VERSION_CHECK:
        OnVersionCheck();
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrint(id);
        return true;
    default:
        return false;
    }
}

void CQuilbyView::OnFileNew() {
    if (!document_->SaveModified(window())) {
        return;
    }
    document_->NewDocument();
    document_->setTitle(QStringLiteral("제목없음"));
    // TableLoaded is 0 now, so the editor starts from an empty table.
    runKeyEditor();
}

void CQuilbyView::OnKeyEdit() {
    // The editor always starts from the document's current table.
    document_->data().TableLoaded = 1;
    runKeyEditor();
}

// The editor's OK writes its working copy into the document's table and is
// what marks the document modified.
void CQuilbyView::runKeyEditor() {
    KeyEditDialog dialog(document_->data(), window());
    if (dialog.exec() == QDialog::Accepted) {
        document_->setModifiedFlag(true);
    }
}

CQuilbyApp& CQuilbyView::app() const {
    return *static_cast<CMainFrame*>(window())->app();
}

// A port out of reach is told before a dialog would wait for a keyboard it
// could never answer: with the command's failure message, the reason and the
// cure. Returns true when the command may go on.
bool CQuilbyView::portReachable(std::string_view failureMessage) {
    const auto refusal = portRefusalMessage(app().linkSettings(), failureMessage,
                                            toLocalPath(QCoreApplication::applicationFilePath()));
    if (refusal) {
        prompts().error(window(), qs(*refusal));
    }
    return !refusal;
}

// The dialog takes its image from the document's table.
void CQuilbyView::OnDownload() {
    if (!portReachable(texts::kDownloadFailedRestart)) {
        return;
    }
    const DownloadLink link{app().linkSettings(), app().port(), app().pacer(), app().consoleKeys()};
    DownloadDialog dialog(document_->data(), link, window());
    dialog.exec();
}

// The stored option is read afresh from MCR.OPN in the current directory
// (beside the program's working files) before the dialog opens; a file that
// cannot be read ends the command with a message naming the file and the
// folder, and the dialog does not open.
void CQuilbyView::OnEpromMcr() {
    if (!portReachable(texts::kMcrSendFailed)) {
        return;
    }
    const std::string folder = toLocalPath(QDir::currentPath());
    if (const auto error = loadMcrOption(folder, document_->data())) {
        prompts().error(window(), qs(error->messageKorean()));
        return;
    }
    McrDialog dialog(app().linkSettings(), document_->data(), folder, app().port(), app().pacer(),
                     window());
    dialog.exec();
}

void CQuilbyView::OnVersionCheck() {
    VersionCheckDialog dialog(app().linkSettings(), window());
    dialog.exec();
}

void CQuilbyView::OnDefaultKey() {
    CDefaultKeyDialog dialog(window());
    dialog.exec();
}

void CQuilbyView::OnUtilityHelp() {
    showManual(window());
}

// The label sheet, never the notes: it does not depend on the document.
void CQuilbyView::OnFilePrint(int id) {
    CLabelPrinter printer(printerSource_());
    switch (id) {
    case ID_FILE_PRINT:
        printer.OnFilePrint(window());
        return;
    case ID_FILE_PRINT_DIRECT:
        printer.OnFilePrintDirect(window());
        return;
    case ID_FILE_PRINT_PREVIEW:
        printer.OnFilePrintPreview(window());
        return;
    default:
        return;
    }
}

} // namespace quilby
