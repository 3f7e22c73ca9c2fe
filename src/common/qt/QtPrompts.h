#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace quilby {

// Every message box, file dialog and print dialog the program shows goes through here, so a
// test can answer them without a person (and without a modal loop).
struct QtPrompts {
    enum class SaveAnswer { Save, Discard, Cancel };
    // Saving over the file a damaged table was read from.
    enum class DamagedSaveAnswer { SaveAs, Overwrite, Cancel };

    std::function<SaveAnswer(QWidget* parent, const QString& documentTitle)> askSaveChanges;
    std::function<void(QWidget* parent, const QString& text)> error;
    std::function<void(QWidget* parent, const QString& text)> information;
    std::function<QString(QWidget* parent, const QString& directory)> openFileName;
    std::function<QString(QWidget* parent, const QString& proposedPath)> saveFileName;
    // Where an export goes: a save dialog for PDF files; empty on cancel.
    std::function<QString(QWidget* parent, const QString& proposedPath)> exportFileName;
    // A key table as text (JSON or CSV): the file an import reads, and the
    // file an export writes, its name ending in .json or .csv as the chosen
    // file type says; empty on cancel.
    std::function<QString(QWidget* parent, const QString& directory)> importTableName;
    std::function<QString(QWidget* parent, const QString& proposedPath)> exportTableName;
    // The print dialog: true when the user chose to print on `printer`.
    std::function<bool(QWidget* parent, QPrinter* printer)> choosePrinter;
    // The keyboard link's boxes: an OK box without an icon or with the stop
    // icon, and a Yes/No question (true for Yes).
    std::function<void(QWidget* parent, const QString& text, bool stopIcon)> linkMessage;
    std::function<bool(QWidget* parent, const QString& text)> askYesNo;
    // The question before a save over the damaged file the table came from:
    // Save As is the default answer, Esc cancels.
    std::function<DamagedSaveAnswer(QWidget* parent, const QString& text)> askSaveOverFindings;
    // A Yes/No question whose default answer is No (true for Yes).
    std::function<bool(QWidget* parent, const QString& text)> askGoAhead;
};

// The prompts in use; tests replace members. The defaults show real dialogs.
QtPrompts& prompts();
void resetPrompts();

} // namespace quilby
