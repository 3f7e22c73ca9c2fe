#pragma once

#include "document/KeyDocument.h"
#include "editing/TableEdit.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

class QAction;
class QUndoStack;

namespace quilby {

// The one document of the program: the core KeyDocument plus the framework
// steps around it (save prompt, file dialogs, error messages), and the
// commands that act on the document itself (Save, Save As, Undo, Redo).
// Every state change of the table, title or flag goes through the core
// document.
class DocumentController : public QObject {
    Q_OBJECT
public:
    explicit DocumentController(QObject* parent = nullptr);

    KeyDocument& core() { return doc_; }
    const KeyDocument& core() const { return doc_; }
    KeyTableData& data() { return doc_.data(); }

    // The window the document's prompts and file dialogs belong to.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
    // The actions of the document's commands, for the main window to place.
    const QList<QAction*>& commandActions() const { return actions_; }

    QString title() const;
    QString path() const;
    bool isModified() const { return doc_.modified(); }

    // The editor's OK: the only thing that marks the document modified.
    void setModifiedFlag(bool modified);
    void setTitle(const QString& title);

    // Asks to save a modified document. True when the caller may go on
    // (saved, discarded, or nothing to save); false on cancel or failed save.
    bool maybeSave();

    // Empties the document: table, path and modified flag.
    void newDocument();
    // A new, untitled document holding `table` (a recorded download's), marked
    // modified so it is not lost unasked; the MCR fields stay.
    void newDocumentFrom(const KeyTableData& table);

    // Opens a file into the document; reports a failure to the user, and
    // warns after loading a file that does not look like a key table. An
    // entry of the recent-file list says in its failure message that it goes
    // from the list when it would fail again.
    enum class OpenedFrom { Dialog, RecentList };
    bool openDocumentFile(const QString& path, OpenedFrom from = OpenedFrom::Dialog);
    // The failure of the last openDocumentFile, if it failed to read the file.
    const std::optional<FileError>& lastOpenError() const { return lastOpenError_; }

    // Every change of the table made in the main window is one step here;
    // undoing back to the saved state clears the modified mark. Opening,
    // New and saving start the history afresh or mark its clean state.
    QUndoStack* undoStack() const { return undo_; }
    // Applies `edit` as one undoable step named `text`; nothing for an empty
    // edit.
    void applyTableEdit(const TableEdit& edit, const QString& text);

    // Changes the table outside the undo history, then says so.
    void notifyTableChanged() { Q_EMIT tableChanged(); }

public Q_SLOTS:
    // Save (asks for a name when untitled) and Save As; true when saved.
    bool save();
    bool saveAs();
    // Import: a table exported as JSON or CSV becomes a new, unsaved
    // document (after the save prompt); Export: the table as JSON or CSV.
    // True when done.
    bool importTable();
    bool exportTable();

Q_SIGNALS:
    void titleChanged();
    void modifiedChanged();
    // A file was opened or saved under `path`: it belongs in the recent list.
    void fileUsed(const QString& path);
    // The table's contents changed (open, new, an edit, undo or redo).
    void tableChanged();

private:
    void createActions();
    bool saveTo(const QString& path);
    QString folderOfDocument() const;
    void changed(const QString& oldTitle, bool oldModified);

    KeyDocument doc_;
    std::optional<FileError> lastOpenError_;
    QUndoStack* undo_;
    QPointer<QWidget> dialogParent_;
    QList<QAction*> actions_;
};

} // namespace quilby
