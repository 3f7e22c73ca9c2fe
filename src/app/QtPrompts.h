#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace quilby {

// Every message box and file dialog the program shows goes through here, so a
// test can answer them without a person (and without a modal loop).
struct QtPrompts {
    enum class SaveAnswer { Save, Discard, Cancel };

    std::function<SaveAnswer(QWidget* parent, const QString& documentTitle)> askSaveChanges;
    std::function<void(QWidget* parent, const QString& text)> error;
    std::function<void(QWidget* parent, const QString& text)> information;
    std::function<QString(QWidget* parent, const QString& directory)> openFileName;
    std::function<QString(QWidget* parent, const QString& proposedPath)> saveFileName;
};

// The prompts in use; tests replace members. The defaults show real dialogs.
QtPrompts& prompts();
void resetPrompts();

} // namespace quilby
