#include "app/qt/DocumentController.h"

#include "app/RecentFileList.h"
#include "app/qt/CommandAction.h"
#include "common/qt/QtPrompts.h"
#include "common/qt/QtText.h"

#include "document/OpenWarning.h"
#include "document/WriteGuard.h"
#include "document/qt/FindingTexts.h"
#include "exchange/TableText.h"
#include "exchange/qt/TableTextTexts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>

namespace quilby {

namespace {

class TableEditCommand : public QUndoCommand {
public:
    TableEditCommand(DocumentController& document, TableEdit edit, const QString& text)
        : QUndoCommand(text), document_(document), edit_(std::move(edit)) {}

    void redo() override {
        edit_.apply(document_.data());
        document_.notifyTableChanged();
    }
    void undo() override {
        edit_.revert(document_.data());
        document_.notifyTableChanged();
    }

private:
    DocumentController& document_;
    TableEdit edit_;
};

} // namespace

DocumentController::DocumentController(QObject* parent)
    : QObject(parent), undo_(new QUndoStack(this)) {
    connect(undo_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setModifiedFlag(!clean); });
    createActions();
}

void DocumentController::createActions() {
    QAction* save = createCommandAction(Command::SaveFile, this);
    connect(save, &QAction::triggered, this, &DocumentController::save);
    QAction* saveAs = createCommandAction(Command::SaveFileAs, this);
    connect(saveAs, &QAction::triggered, this, &DocumentController::saveAs);
    // Undo and Redo follow the stack: enabled when it can, named after the step.
    QAction* undo = undo_->createUndoAction(this, trCore(kCommandTextContext, kUndoPrefix));
    describeCommandAction(undo, Command::Undo);
    QAction* redo = undo_->createRedoAction(this, trCore(kCommandTextContext, kRedoPrefix));
    describeCommandAction(redo, Command::Redo);
    QAction* importTable = createCommandAction(Command::ImportTable, this);
    connect(importTable, &QAction::triggered, this, &DocumentController::importTable);
    QAction* exportTable = createCommandAction(Command::ExportTable, this);
    connect(exportTable, &QAction::triggered, this, &DocumentController::exportTable);
    actions_ = {save, saveAs, importTable, exportTable, undo, redo};
}

void DocumentController::applyTableEdit(const TableEdit& edit, const QString& text) {
    if (edit.empty()) {
        return;
    }
    undo_->push(new TableEditCommand(*this, edit, text));
}

QString DocumentController::title() const {
    // The core keeps the untitled title as its source text.
    if (doc_.untitled() && doc_.title() == KeyDocument::kUntitledTitle) {
        return trCore("KeyDocument", KeyDocument::kUntitledTitle);
    }
    return qs(doc_.title());
}
QString DocumentController::path() const {
    return fromLocalPath(doc_.path());
}

void DocumentController::changed(const QString& oldTitle, bool oldModified) {
    if (oldTitle != title()) {
        Q_EMIT titleChanged();
    }
    if (oldModified != doc_.modified()) {
        Q_EMIT modifiedChanged();
    }
}

void DocumentController::setModifiedFlag(bool modified) {
    const QString oldTitle = title();
    const bool oldModified = doc_.modified();
    doc_.setModified(modified);
    changed(oldTitle, oldModified);
}

void DocumentController::setTitle(const QString& title) {
    const QString oldTitle = this->title();
    doc_.setTitle(toUtf8(title));
    // Setting the title always counts as a change of title for the caption.
    if (oldTitle == this->title()) {
        Q_EMIT titleChanged();
    }
    changed(oldTitle, doc_.modified());
}

bool DocumentController::maybeSave() {
    if (!doc_.modified()) {
        return true;
    }
    switch (prompts().askSaveChanges(dialogParent_, title())) {
    case QtPrompts::SaveAnswer::Cancel:
        return false;
    case QtPrompts::SaveAnswer::Discard:
        return true;
    case QtPrompts::SaveAnswer::Save:
        break;
    }
    return save();
}

void DocumentController::newDocument() {
    const QString oldTitle = title();
    const bool oldModified = doc_.modified();
    doc_.newDocument();
    undo_->clear();
    changed(oldTitle, oldModified);
    Q_EMIT tableChanged();
}

void DocumentController::newDocumentFrom(const KeyTableData& table) {
    const QString oldTitle = title();
    const bool oldModified = doc_.modified();
    doc_.newDocument();
    doc_.data().entryCounts = table.entryCounts;
    doc_.data().keyTable = table.keyTable;
    doc_.data().tableLoaded = true;
    undo_->clear();
    // No state of the history is the saved one: undoing never clears the mark.
    undo_->resetClean();
    doc_.setModified(true);
    changed(oldTitle, oldModified);
    Q_EMIT tableChanged();
}

bool DocumentController::openDocumentFile(const QString& path, OpenedFrom from) {
    const QString oldTitle = title();
    const bool oldModified = doc_.modified();
    lastOpenError_ = doc_.open(toLocalPath(QFileInfo(path).absoluteFilePath()));
    if (!lastOpenError_) {
        undo_->clear();
    }
    changed(oldTitle, oldModified);
    Q_EMIT tableChanged();
    if (lastOpenError_) {
        QString text = FindingTexts::fileError(*lastOpenError_);
        if (from == OpenedFrom::RecentList && dropsRecentEntry(*lastOpenError_)) {
            text += tr("\n\n최근 파일 목록에서 뺍니다.");
        }
        prompts().error(dialogParent_, text);
        return false;
    }
    Q_EMIT titleChanged();
    Q_EMIT fileUsed(this->path());
    // Shown once the window tells the new file's name, so the warning is read
    // beside what it is about.
    if (const auto warning = openWarningFor(doc_.path(), doc_.lastReadReport())) {
        prompts().error(dialogParent_, FindingTexts::openWarning(*warning));
    }
    return true;
}

bool DocumentController::save() {
    if (doc_.untitled()) {
        return saveAs();
    }
    return saveTo(path());
}

bool DocumentController::saveAs() {
    // Propose the current file, or the title in the current folder.
    const QString proposed = doc_.untitled() ? QDir::current().filePath(title()) : path();
    const QString chosen = prompts().saveFileName(dialogParent_, proposed);
    if (chosen.isEmpty()) {
        return false;
    }
    return saveTo(fromLocalPath(withDefaultKeyExtension(toLocalPath(chosen))));
}

bool DocumentController::saveTo(const QString& path) {
    const std::string target = toLocalPath(QFileInfo(path).absoluteFilePath());
    // Refused whole, never cut to fit the format.
    if (const auto broken = doc_.ruleBreak()) {
        prompts().error(dialogParent_,
                        tr("%1\n파일을 저장할 수 없습니다: %2")
                            .arg(QDir::toNativeSeparators(path), FindingTexts::finding(*broken)));
        return false;
    }
    auto over = KeyDocument::SaveOver::Guarded;
    // What a damaged file was read as is a guess: it replaces that file only
    // when the user, told what was found, insists.
    if (doc_.saveVerdict(target).refusal == WriteRefusal::OverInput) {
        const auto warning = openWarningFor(target, doc_.lastReadReport());
        switch (prompts().askSaveOverFindings(
            dialogParent_,
            FindingTexts::saveOverFindings(warning.value_or(OpenWarning{target, {}, 0})))) {
        case QtPrompts::DamagedSaveAnswer::Cancel:
            return false;
        case QtPrompts::DamagedSaveAnswer::SaveAs:
            return saveAs();
        case QtPrompts::DamagedSaveAnswer::Overwrite:
            over = KeyDocument::SaveOver::Confirmed;
            break;
        }
    }
    const QString oldTitle = title();
    const bool oldModified = doc_.modified();
    const auto error = doc_.saveAs(target, over);
    if (!error) {
        undo_->setClean();
    }
    changed(oldTitle, oldModified);
    if (error) {
        prompts().error(dialogParent_, FindingTexts::fileError(*error));
        return false;
    }
    Q_EMIT titleChanged();
    Q_EMIT fileUsed(this->path());
    return true;
}

QString DocumentController::folderOfDocument() const {
    return doc_.untitled() ? QDir::currentPath() : QFileInfo(path()).path();
}

bool DocumentController::importTable() {
    if (!maybeSave()) {
        return false;
    }
    const QString chosen = prompts().importTableName(dialogParent_, folderOfDocument());
    if (chosen.isEmpty()) {
        return false;
    }
    const auto text = readWholeFile(toLocalPath(chosen));
    if (const auto* error = std::get_if<FileError>(&text)) {
        prompts().error(dialogParent_, FindingTexts::fileError(*error));
        return false;
    }
    const auto imported = importTableText(std::get<std::string>(text));
    if (const auto* error = std::get_if<TableTextError>(&imported)) {
        prompts().error(dialogParent_,
                        tr("%1\n키 표를 가져올 수 없습니다.\n\n%2")
                            .arg(QDir::toNativeSeparators(chosen), TableTextTexts::error(*error)));
        return false;
    }
    // A new document holding the table as one undoable step: unsaved, so
    // Save asks for a .KEY name and never writes over the text it came from.
    newDocument();
    data().tableLoaded = true;
    applyTableEdit(TableEdit::between(data(), std::get<KeyTableData>(imported)), tr("가져오기"));
    return true;
}

bool DocumentController::exportTable() {
    const QString base = doc_.untitled() ? QDir(folderOfDocument()).filePath(title()) : path();
    const QString proposed = QFileInfo(base).path() + QLatin1Char('/') +
                             QFileInfo(base).completeBaseName() + QStringLiteral(".json");
    const QString chosen = prompts().exportTableName(dialogParent_, proposed);
    if (chosen.isEmpty()) {
        return false;
    }
    const std::string target = toLocalPath(QFileInfo(chosen).absoluteFilePath());
    const auto format = tableTextFormatOf(target).value_or(TableTextFormat::Json);
    // Never over the .KEY file the table came from, nor a read-only file.
    std::vector<std::string> inputs;
    if (!doc_.untitled()) {
        inputs.push_back(doc_.path());
    }
    const WriteVerdict verdict = checkWrite(target, inputs, InPlace::Refused);
    if (verdict.refusal == WriteRefusal::OverInput) {
        prompts().error(dialogParent_,
                        tr("%1\n이 문서의 키 파일입니다. 다른 파일 이름으로 내보내십시오.")
                            .arg(QDir::toNativeSeparators(chosen)));
        return false;
    }
    std::optional<FileError> error;
    if (verdict.refusal == WriteRefusal::ReadOnly) {
        error = FileError{FileError::Operation::Write, target, EACCES};
    } else if (const auto result = saveFileAtomically(target, exportTableText(data(), format));
               std::holds_alternative<FileError>(result)) {
        error = std::get<FileError>(result);
    }
    if (error) {
        prompts().error(dialogParent_, FindingTexts::fileError(*error));
        return false;
    }
    return true;
}

} // namespace quilby
