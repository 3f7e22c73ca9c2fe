#include "app/qt/CQuilbyView.h"

#include "app/CautionNotes.h"
#include "app/Commands.h"
#include "app/EntryClipboard.h"
#include "app/qt/CDefaultKeyDialog.h"
#include "app/qt/CKeyLayoutView.h"
#include "app/qt/CKeyTesterWindow.h"
#include "app/qt/CLabelPrinter.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CQuilbyApp.h"
#include "app/qt/CQuilbyDoc.h"
#include "app/qt/QtLayoutPage.h"
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
#include "link/qt/QtLinkPrompts.h"
#include "link/qt/QtLinkState.h"
#include "link/qt/VersionCheckDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUndoStack>
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
    : QScrollArea(parent), document_(document), notes_(new NotesForm(this)),
      layout_(new CKeyLayoutView(document, this)) {
    layout_->hide();
    setWidget(notes_);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);
    connect(layout_, &CKeyLayoutView::editRequested, this, [this](int position) {
        document_->data().tableLoaded = true;
        runKeyEditor(position);
    });
    connect(layout_, &CKeyLayoutView::swapRequested, this, [this](int from, int to) {
        document_->applyTableEdit(TableEdit::swap(document_->data(), from, to),
                                  QStringLiteral("키 바꾸기 %1 ↔ %2")
                                      .arg(qs(keyPositionName(from)), qs(keyPositionName(to))));
    });
    connect(layout_, &CKeyLayoutView::selectionChanged, this, &CQuilbyView::commandStatesChanged);
    connect(document_->undoStack(), &QUndoStack::indexChanged, this,
            &CQuilbyView::commandStatesChanged);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CQuilbyView::commandStatesChanged);
}

void CQuilbyView::showLayout(bool shown) {
    if (shown == layoutShown_) {
        return;
    }
    layoutShown_ = shown;
    // The scroll area owns only the widget it shows; the other is kept.
    QWidget* old = takeWidget();
    old->setParent(this);
    old->hide();
    QWidget* next = shown ? static_cast<QWidget*>(layout_) : notes_;
    setWidgetResizable(shown);
    setWidget(next);
    next->show();
    if (shown) {
        layout_->setFocus(Qt::OtherFocusReason);
    }
    Q_EMIT commandStatesChanged();
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
    case ID_VIEW_LAYOUT:
    case ID_KEY_TESTER:
    case ID_LAYOUT_EXPORT_PDF:
    case ID_LAYOUT_LISTING:
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_LAYOUT_PRINT:
    case ID_LAYOUT_PREVIEW:
        return static_cast<bool>(printerSource_);
    case ID_EDIT_UNDO:
        return document_->undoStack()->canUndo();
    case ID_EDIT_REDO:
        return document_->undoStack()->canRedo();
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_CLEAR:
        return layoutShown_;
    case ID_EDIT_PASTE: {
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        return layoutShown_ && mime &&
               (mime->hasFormat(qs(kEntryClipboardMime)) || mime->hasText());
    }
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
    case ID_VIEW_LAYOUT:
        showLayout(!layoutShown_);
        return true;
    case ID_KEY_TESTER:
        OnKeyTester();
        return true;
    case ID_LAYOUT_LISTING:
        layoutListing_ = !layoutListing_;
        Q_EMIT commandStatesChanged();
        return true;
    case ID_LAYOUT_PRINT:
    case ID_LAYOUT_PREVIEW:
    case ID_LAYOUT_EXPORT_PDF:
        OnLayoutPrint(id);
        return true;
    case ID_EDIT_UNDO:
        document_->undoStack()->undo();
        return true;
    case ID_EDIT_REDO:
        document_->undoStack()->redo();
        return true;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_CLEAR:
        OnEditCommand(id);
        return true;
    default:
        return false;
    }
}

void CQuilbyView::OnEditCommand(int id) {
    const int key = layout_->selected();
    KeyTableData& table = document_->data();
    const QString name = qs(keyPositionName(key));
    if (id == ID_EDIT_COPY || id == ID_EDIT_CUT) {
        const PositionEntries entries = entriesAt(table, key);
        auto* mime = new QMimeData;
        mime->setData(qs(kEntryClipboardMime), QByteArray::fromStdString(encodeEntries(entries)));
        mime->setText(qs(entriesText(entries)));
        QApplication::clipboard()->setMimeData(mime);
    }
    if (id == ID_EDIT_CUT) {
        document_->applyTableEdit(TableEdit::clear(table, key),
                                  QStringLiteral("잘라내기 %1").arg(name));
    } else if (id == ID_EDIT_CLEAR) {
        document_->applyTableEdit(TableEdit::clear(table, key),
                                  QStringLiteral("삭제 %1").arg(name));
    } else if (id == ID_EDIT_PASTE) {
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        if (!mime) {
            return;
        }
        const std::string text = mime->hasFormat(qs(kEntryClipboardMime))
                                     ? mime->data(qs(kEntryClipboardMime)).toStdString()
                                     : toUtf8(mime->text());
        const ClipboardParse parsed = parseEntries(text);
        if (const auto* error = std::get_if<ClipboardError>(&parsed)) {
            prompts().error(window(),
                            QStringLiteral("붙여 넣을 수 없습니다.\n") + qs(error->message));
            return;
        }
        document_->applyTableEdit(TableEdit::replace(table, key, std::get<PositionEntries>(parsed)),
                                  QStringLiteral("붙여넣기 %1").arg(name));
    }
}

void CQuilbyView::OnKeyTester() {
    if (tester_) {
        tester_->raise();
        tester_->activateWindow();
        return;
    }
    // The tester reads the document's table as it is when each press ends.
    tester_ = new CKeyTesterWindow(document_->data(), window());
    connect(tester_, &CKeyTesterWindow::matched, this, [this](const QList<int>& positions) {
        layout_->setHighlighted(std::vector<int>(positions.begin(), positions.end()));
        if (!positions.isEmpty()) {
            layout_->select(positions.front());
        }
    });
    connect(tester_, &QObject::destroyed, this, [this] { layout_->setHighlighted({}); });
    showLayout(true);
    // Beside the main window, so the highlighted cells stay in sight.
    tester_->move(window()->frameGeometry().topRight() + QPoint(8, 0));
    tester_->show();
}

bool CQuilbyView::exportLayout(const QString& outPath, const QString& fileName,
                               const KeyTableData& table, bool listing) {
    return exportKeyLayoutPdf(outPath, table,
                              LayoutPrintJob{fileName, QDateTime::currentDateTime(), listing});
}

void CQuilbyView::OnLayoutPrint(int id) {
    const LayoutPrintJob job{document_->title(), QDateTime::currentDateTime(), layoutListing_};
    const KeyTableData& table = document_->data();
    if (id == ID_LAYOUT_EXPORT_PDF) {
        const QString base = document_->core().untitled()
                                 ? QDir::current().filePath(document_->title())
                                 : document_->path();
        const QString proposed = QFileInfo(base).path() + QLatin1Char('/') +
                                 QFileInfo(base).completeBaseName() + QStringLiteral(".pdf");
        const QString chosen = prompts().exportFileName(window(), proposed);
        if (chosen.isEmpty()) {
            return;
        }
        if (!exportKeyLayoutPdf(chosen, table, job)) {
            prompts().error(window(), QStringLiteral("%1 파일을 쓸 수 없습니다.").arg(chosen));
        }
        return;
    }
    QPrinter* printer = printerSource_();
    if (id == ID_LAYOUT_PREVIEW) {
        QPrintPreviewDialog dialog(printer, window());
        // The preview draws exactly what a print would.
        connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                [&](QPrinter* p) { printKeyLayout(*p, table, job); });
        dialog.exec();
        return;
    }
    if (prompts().choosePrinter(window(), printer)) {
        printKeyLayout(*printer, table, job);
    }
}

void CQuilbyView::OnFileNew() {
    if (!document_->SaveModified(window())) {
        return;
    }
    document_->newDocument();
    document_->setTitle(QStringLiteral("제목없음"));
    // tableLoaded is false now, so the editor starts from an empty table.
    runKeyEditor();
}

void CQuilbyView::OnKeyEdit() {
    // The editor always starts from the document's current table.
    document_->data().tableLoaded = true;
    runKeyEditor();
}

// The editor's OK writes its working copy into the document's table and is
// what marks the document modified. What it changed becomes one undo step:
// the table goes back to its state before the editor and the step reapplies
// it, so undo and redo see one change.
void CQuilbyView::runKeyEditor(int startKey) {
    const KeyTableData before = document_->data();
    KeyEditDialog dialog(document_->data(), window(), startKey);
    if (dialog.exec() == QDialog::Accepted) {
        const TableEdit edit = TableEdit::between(before, document_->data());
        edit.revert(document_->data());
        document_->applyTableEdit(edit, QStringLiteral("키 편집"));
        document_->setModifiedFlag(true);
        document_->notifyTableChanged();
    }
}

CQuilbyApp& CQuilbyView::app() const {
    return *static_cast<CMainFrame*>(window())->app();
}

// A port out of reach is told before a dialog would wait for a keyboard it
// could never answer: with the command's failure message, the reason and the
// cure. Returns true when the command may go on.
bool CQuilbyView::portReachable(std::string_view failureMessage) {
    const auto refusal = QtLinkState::refusalMessage(
        app().linkSettings(), failureMessage, toLocalPath(QCoreApplication::applicationFilePath()));
    if (refusal) {
        prompts().error(window(), *refusal);
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
        prompts().error(window(), QtLinkPrompts::fileErrorText(*error));
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
