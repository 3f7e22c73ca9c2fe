#include "app/qt/MainView.h"

#include "app/CautionNotes.h"
#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/CommandAction.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtPrompts.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "document/OpenWarning.h"
#include "document/qt/FindingTexts.h"
#include "editing/EntryClipboard.h"
#include "editing/qt/KeyChordDialog.h"
#include "editing/qt/KeyEditDialog.h"
#include "editing/qt/KeyTesterWindow.h"
#include "editing/qt/QtEntryClipboard.h"
#include "help/qt/ManualWindow.h"
#include "layout/KeyLayout.h"
#include "layout/qt/DefaultKeyDialog.h"
#include "layout/qt/KeyLayoutView.h"
#include "layout/qt/LabelPrinter.h"
#include "layout/qt/LayoutPage.h"
#include "link/DownloadRecord.h"
#include "link/LinkState.h"
#include "link/LinkTexts.h"
#include "link/McrOptionFile.h"
#include "link/qt/DownloadDialog.h"
#include "link/qt/DownloadHistoryWindow.h"
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
#include <QSettings>
#include <QUndoStack>
#include <QWidget>

namespace quilby {

namespace {

const QString kLayoutSetting = QStringLiteral("Settings/LayoutView");
const QString kListingSetting = QStringLiteral("Settings/LayoutListing");

// The form the notes are drawn on: it sets the scrollable area.
class NotesForm : public QWidget {
public:
    explicit NotesForm(QWidget* parent) : QWidget(parent) {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
        setFixedSize(MainView::notesSize());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        MainView::drawNotes(painter);
    }
};

QFont notesFont() {
    QFont font = QApplication::font();
    font.setPixelSize(13);
    return font;
}

} // namespace

MainView::MainView(DocumentController* document, QWidget* parent)
    : QScrollArea(parent), document_(document), notes_(new NotesForm(this)),
      layout_(new KeyLayoutView(document->data(), this)) {
    layout_->hide();
    setWidget(notes_);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);
    connect(document_, &DocumentController::tableChanged, layout_, qOverload<>(&QWidget::update));
    connect(layout_, &KeyLayoutView::editRequested, this, [this](int position) {
        document_->data().tableLoaded = true;
        runKeyEditor(position);
    });
    connect(layout_, &KeyLayoutView::swapRequested, this, [this](int from, int to) {
        document_->applyTableEdit(
            TableEdit::swap(document_->data(), from, to),
            tr("키 바꾸기 %1 ↔ %2").arg(qs(keyPositionName(from)), qs(keyPositionName(to))));
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &MainView::refreshEditActions);
    connect(layout_, &KeyLayoutView::selectionChanged, this, &MainView::refreshEditActions);
    connect(document_, &DocumentController::tableChanged, this, &MainView::refreshEditActions);
    createActions();
    const QSettings settings = programSettings();
    setLayoutListing(settings.value(kListingSetting, true).toBool());
    setLayoutShown(settings.value(kLayoutSetting, false).toBool());
}

void MainView::createActions() {
    const auto add = [this](Command command, auto slot) {
        return addCommandAction(actions_, command, this, slot);
    };
    add(Command::NewFile, &MainView::newFile);
    add(Command::EditKeys, &MainView::editKeys);
    add(Command::SpecialKeys, &MainView::showSpecialKeys);
    add(Command::Download, &MainView::download);
    add(Command::EpromMcr, &MainView::checkEpromMcr);
    add(Command::VersionCheck, &MainView::checkVersion);
    add(Command::ShowDefaultKeys, &MainView::showDefaultKeys);
    add(Command::UtilityHelp, &MainView::showHelp);
    add(Command::KeyTester, &MainView::showKeyTester);
    add(Command::CompareWithFile, &MainView::compareWithFile);
    add(Command::DownloadHistory, &MainView::showDownloadHistory);
    add(Command::ExportLayoutPdf, &MainView::exportLayoutPdf);
    printActions_ = {add(Command::Print, &MainView::printLabels),
                     add(Command::PrintPreview, &MainView::previewLabels),
                     add(Command::PrintLayout, &MainView::printLayout),
                     add(Command::PreviewLayout, &MainView::previewLayout)};
    for (QAction* action : printActions_) {
        action->setEnabled(false);
    }
    layoutAction_ = createCommandAction(Command::ShowLayout, this);
    connect(layoutAction_, &QAction::toggled, this, &MainView::setLayoutShown);
    listingAction_ = createCommandAction(Command::LayoutListing, this);
    connect(listingAction_, &QAction::toggled, this, &MainView::setLayoutListing);
    actions_ << layoutAction_ << listingAction_;
    copyAction_ = add(Command::Copy, &MainView::copy);
    selectionActions_ = {add(Command::Cut, &MainView::cut), copyAction_,
                         add(Command::Delete, &MainView::deleteKey)};
    pasteAction_ = add(Command::Paste, &MainView::paste);
    // Cut, Copy, Paste, Delete, as the Edit menu orders them.
    layout_->setContextActions(
        {selectionActions_.at(0), selectionActions_.at(1), pasteAction_, selectionActions_.at(2)});
    refreshEditActions();
}

void MainView::setPrinterSource(std::function<QPrinter*()> source) {
    printerSource_ = std::move(source);
    for (QAction* action : printActions_) {
        action->setEnabled(static_cast<bool>(printerSource_));
    }
}

// The table edits work on the layout's selection, so only while it is shown;
// Cut and Delete only where the selected cell holds something to take.
void MainView::refreshEditActions() {
    const bool holdsEntries = document_->data().usedEntries(layout_->selected()) > 0;
    for (QAction* action : selectionActions_) {
        action->setEnabled(layoutShown_ && (action == copyAction_ || holdsEntries));
    }
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    pasteAction_->setEnabled(layoutShown_ && mime &&
                             pasteForm(mime->hasFormat(qs(kEntryClipboardMime)), mime->hasText()) !=
                                 ClipboardForm::None);
}

void MainView::setLayoutShown(bool shown) {
    layoutAction_->setChecked(shown);
    if (shown == layoutShown_) {
        return;
    }
    layoutShown_ = shown;
    programSettings().setValue(kLayoutSetting, shown);
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
    refreshEditActions();
}

void MainView::setLayoutListing(bool listing) {
    listingAction_->setChecked(listing);
    if (listing == layoutListing_) {
        return;
    }
    layoutListing_ = listing;
    programSettings().setValue(kListingSetting, listing);
}

void MainView::drawNotes(QPainter& painter) {
    painter.setFont(notesFont());
    painter.setPen(QApplication::palette().color(QPalette::Text));
    const QFontMetrics metrics(painter.font());
    for (const auto& line : kCautionNotes) {
        // The y of a note is the top of its line, as text output places it.
        painter.drawText(kCautionNotesX, line.y + metrics.ascent(),
                         trCore(kCautionNotesContext, line.text));
    }
}

QSize MainView::notesSize() {
    const QFontMetrics metrics(notesFont());
    int width = 0;
    for (const auto& line : kCautionNotes) {
        width = std::max(width, metrics.horizontalAdvance(trCore(kCautionNotesContext, line.text)));
    }
    return QSize(kCautionNotesX + width + 20, kCautionNotes.back().y + metrics.height() + 20);
}

// The clipboard carries the entries exactly, and as "word label" lines for
// other programs.
void MainView::copy() {
    const PositionEntries entries = entriesAt(document_->data(), layout_->selected());
    auto* mime = new QMimeData;
    mime->setData(qs(kEntryClipboardMime), QByteArray::fromStdString(encodeEntries(entries)));
    mime->setText(qs(entriesText(entries)));
    QApplication::clipboard()->setMimeData(mime);
}

void MainView::cut() {
    copy();
    const int key = layout_->selected();
    document_->applyTableEdit(TableEdit::clear(document_->data(), key),
                              tr("잘라내기 %1").arg(qs(keyPositionName(key))));
}

void MainView::deleteKey() {
    const int key = layout_->selected();
    document_->applyTableEdit(TableEdit::clear(document_->data(), key),
                              tr("삭제 %1").arg(qs(keyPositionName(key))));
}

void MainView::paste() {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime) {
        return;
    }
    const ClipboardForm form = pasteForm(mime->hasFormat(qs(kEntryClipboardMime)), mime->hasText());
    if (form == ClipboardForm::None) {
        return;
    }
    const std::string text = form == ClipboardForm::Exact
                                 ? mime->data(qs(kEntryClipboardMime)).toStdString()
                                 : toUtf8(mime->text());
    const ClipboardParse parsed = parseEntries(text);
    if (const auto* error = std::get_if<ClipboardError>(&parsed)) {
        prompts().error(window(), tr("붙여 넣을 수 없습니다.\n") + clipboardErrorText(*error));
        return;
    }
    const int key = layout_->selected();
    document_->applyTableEdit(
        TableEdit::replace(document_->data(), key, std::get<PositionEntries>(parsed)),
        tr("붙여넣기 %1").arg(qs(keyPositionName(key))));
}

void MainView::showKeyTester() {
    if (tester_) {
        tester_->raise();
        tester_->activateWindow();
        return;
    }
    // The tester reads the document's table as it is when each press ends.
    tester_ = new KeyTesterWindow(document_->data(), window());
    // Only highlighted: the selection stays where the user left it, since
    // Del and the edits act on it.
    connect(tester_, &KeyTesterWindow::matched, this, [this](const QList<int>& positions) {
        layout_->setHighlighted(std::vector<int>(positions.begin(), positions.end()));
    });
    connect(tester_, &QObject::destroyed, this, [this] { layout_->setHighlighted({}); });
    setLayoutShown(true);
    // Beside the main window, so the highlighted cells stay in sight.
    tester_->move(window()->frameGeometry().topRight() + QPoint(8, 0));
    keepOnScreen(tester_);
    tester_->show();
}

void MainView::compareWithFile() {
    const QString chosen = prompts().openFileName(window(), QDir::currentPath());
    if (chosen.isEmpty()) {
        return;
    }
    KeyDocument other;
    if (const auto error = other.open(toLocalPath(QFileInfo(chosen).absoluteFilePath()))) {
        prompts().error(window(), FindingTexts::fileError(*error));
        return;
    }
    if (comparison_) {
        // Its deletion comes later and must not clear the new marks.
        disconnect(comparison_, nullptr, this, nullptr);
        comparison_->close();
    }
    comparison_ = new TableDiffWindow(document_->data(), other.data(), QFileInfo(chosen).fileName(),
                                      window());
    connect(comparison_, &TableDiffWindow::differingChanged, this, [this](const QList<int>& p) {
        layout_->setDiffering(std::vector<int>(p.begin(), p.end()));
    });
    connect(comparison_, &TableDiffWindow::positionChosen, layout_, &KeyLayoutView::select);
    connect(comparison_, &QObject::destroyed, this, [this] { layout_->setDiffering({}); });
    connect(document_, &DocumentController::tableChanged, comparison_, &TableDiffWindow::refresh);
    comparison_->refresh();
    setLayoutShown(true);
    comparison_->move(window()->frameGeometry().topRight() + QPoint(8, 0));
    keepOnScreen(comparison_);
    comparison_->show();
}

void MainView::showDownloadHistory() {
    DownloadHistoryWindow dialog(
        DownloadHistory::defaultFolder(),
        [this](const KeyTableData& table) {
            if (!document_->maybeSave()) {
                return false;
            }
            document_->newDocumentFrom(table);
            setLayoutShown(true);
            return true;
        },
        window());
    dialog.exec();
}

void MainView::exportLayoutPdf() {
    const LayoutPrintJob job{document_->title(), QDateTime::currentDateTime(), layoutListing_};
    const KeyDocument& doc = document_->core();
    const QString proposed = fromLocalPath(
        proposedLayoutPdfPath(doc.untitled() ? std::string() : doc.path(),
                              toUtf8(document_->title()), toLocalPath(QDir::currentPath())));
    const QString chosen = prompts().exportFileName(window(), proposed);
    if (chosen.isEmpty()) {
        return;
    }
    const std::vector<std::string> inputs =
        doc.untitled() ? std::vector<std::string>{} : std::vector<std::string>{doc.path()};
    if (!exportKeyLayoutPdf(chosen, document_->data(), job, inputs)) {
        prompts().error(window(), tr("%1 파일을 쓸 수 없습니다.").arg(chosen));
    }
}

void MainView::previewLayout() {
    const LayoutPrintJob job{document_->title(), QDateTime::currentDateTime(), layoutListing_};
    const LayoutPrinterSetup setup(*printerSource_());
    QPrintPreviewDialog dialog(printerSource_(), window());
    // The preview draws exactly what a print would.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [&](QPrinter* p) { printKeyLayout(*p, document_->data(), job); });
    dialog.exec();
}

void MainView::printLayout() {
    const LayoutPrintJob job{document_->title(), QDateTime::currentDateTime(), layoutListing_};
    QPrinter* printer = printerSource_();
    const LayoutPrinterSetup setup(*printer);
    if (prompts().choosePrinter(window(), printer)) {
        printKeyLayout(*printer, document_->data(), job);
    }
}

void MainView::newFile() {
    if (!document_->maybeSave()) {
        return;
    }
    document_->newDocument();
    document_->setTitle(trCore("KeyDocument", KeyDocument::kUntitledTitle));
    // tableLoaded is false now, so the editor starts from an empty table.
    runKeyEditor();
}

void MainView::editKeys() {
    // The editor always starts from the document's current table.
    document_->data().tableLoaded = true;
    runKeyEditor();
}

// The editor's OK writes its working copy into the document's table and is
// what marks the document modified. What it changed becomes one undo step:
// the table goes back to its state before the editor and the step reapplies
// it, so undo and redo see one change.
void MainView::runKeyEditor(int startKey) {
    const KeyTableData before = document_->data();
    KeyEditDialog dialog(document_->data(), window(), startKey);
    if (dialog.exec() == QDialog::Accepted) {
        const TableEdit edit = TableEdit::between(before, document_->data());
        // An OK that changed nothing leaves the document as it was: no
        // modified mark without an undo step to take it back.
        if (edit.empty()) {
            return;
        }
        edit.revert(document_->data());
        document_->applyTableEdit(edit, tr("키 편집"));
    }
}

Application& MainView::app() const {
    return *static_cast<MainWindow*>(window())->app();
}

// A port out of reach is told before a dialog would wait for a keyboard it
// could never answer: with the command's failure message, the reason and the
// cure. Returns true when the command may go on.
bool MainView::portReachable(std::string_view failureMessage) {
    const auto refusal =
        QtLinkState::refusalMessage(app().linkSettings(), failureMessage, currentAccountName());
    if (refusal) {
        prompts().error(window(), *refusal);
    }
    return !refusal;
}

// The dialog takes its image from the document's table.
void MainView::download() {
    if (!portReachable(texts::kDownloadFailedRestart)) {
        return;
    }
    // A table read from a damaged file is a guess; the command line refuses
    // it without --force, the window asks.
    const KeyDocument& doc = document_->core();
    if (const auto warning = openWarningFor(doc.path(), doc.lastReadReport())) {
        if (!prompts().askGoAhead(window(), FindingTexts::downloadWithFindings(*warning))) {
            return;
        }
    }
    DownloadLink link{app().linkSettings(), app().port(), app().pacer(), app().consoleKeys()};
    link.historyFolder = DownloadHistory::defaultFolder();
    link.tablePath = doc.path();
    DownloadDialog dialog(document_->data(), link, window());
    dialog.exec();
}

// The stored option is read afresh from MCR.OPN in the current directory
// (beside the program's working files) before the dialog opens; a file that
// cannot be read ends the command with a message naming the file and the
// folder, and the dialog does not open.
void MainView::checkEpromMcr() {
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

void MainView::checkVersion() {
    VersionCheckDialog dialog(app().linkSettings(), window());
    dialog.exec();
}

void MainView::showDefaultKeys() {
    DefaultKeyDialog dialog(window());
    dialog.exec();
}

void MainView::showHelp() {
    showManual(window());
}

// The label sheet, never the notes: it does not depend on the document.
void MainView::printLabels() {
    LabelPrinter(printerSource_()).print(window());
}

void MainView::previewLabels() {
    LabelPrinter(printerSource_()).preview(window());
}

void MainView::showSpecialKeys() {
    KeyChordDialog dialog(window());
    dialog.exec();
}

} // namespace quilby
