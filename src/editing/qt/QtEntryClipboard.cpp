#include "editing/qt/QtEntryClipboard.h"

#include "common/qt/QtText.h"
#include "editing/KeyEditor.h"

namespace quilby {

QString clipboardErrorText(const ClipboardError& error) {
    QString sentence = trCore("EntryClipboard", clipboardProblemText(error.problem));
    if (error.problem == ClipboardProblem::UnknownWord ||
        error.problem == ClipboardProblem::LabelNotKeyName) {
        sentence = sentence.arg(qs(formatWord(error.word)));
    }
    if (error.line == 0) {
        return sentence;
    }
    return trCore("EntryClipboard", kClipboardLineText).arg(QString::number(error.line), sentence);
}

} // namespace quilby
