#pragma once

#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"
#include "editing/KeyScript.h"
#include "editing/qt/QtKeyAdapter.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace quilby {

// The key editor: 98 key buttons, the eight one-line lists of the current
// position's entries, the special-key reference, OK and Cancel. It renders
// what the core KeyEditor reports and hands every keyboard event of itself
// and its controls to the core capture first.
class KeyEditDialog : public QDialog, private KeyEditorObserver {
    Q_OBJECT
public:
    // `table` is what OK writes the working copy into; its owner marks the
    // document modified when the dialog is accepted. `startKey` is the key
    // position current when the dialog opens.
    explicit KeyEditDialog(KeyTableData& table, QWidget* parent = nullptr, int startKey = 0);
    ~KeyEditDialog() override;

    const KeyEditor& editor() const { return editor_; }
    const KeyCapture& capture() const { return capture_; }
    QPushButton* keyButton(int place) const {
        return keyButtons_.at(static_cast<std::size_t>(place));
    }
    QListWidget* entryList(EntryList list) const;
    QTreeWidget* specialKeyList() const { return specialKeys_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // OK: the working table goes into the table the dialog was given.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // KeyEditorObserver
    void entryListItemAppended(EntryList list, const std::string& text) override;
    void entryListItemRemoved(EntryList list, int index) override;
    void captionChanged(std::string_view caption) override;
    void focusGiven(int place, bool markedDefault) override;
    void buttonMarkedPlain(int place) override;
    void beep() override;

    bool handleKeyPress(QKeyEvent* event);
    bool handleKeyRelease(QKeyEvent* event);
    void watch(QObject* object);

    // A key event travels from the focused control up to the dialog and
    // passes the filter at each step; it is handed to the capture once.
    struct SeenEvent {
        const QEvent* event = nullptr;
        int type = 0;
        quint64 timestamp = 0;
        quint32 nativeScanCode = 0;
        bool swallowed = false;
    };
    bool alreadySeen(QKeyEvent* event, bool& swallowed) const;
    void remember(QKeyEvent* event, bool swallowed);

    SeenEvent lastEvent_;
    KeyTableData& table_;
    KeyEditor editor_;
    KeyCapture capture_;
    CaptureKeyboard keyboard_;
    QtKeyAdapter adapter_;
    std::array<QPushButton*, 98> keyButtons_{};
    std::array<QListWidget*, kEntryListCount> entryLists_{};
    QGroupBox* group_ = nullptr;
    QTreeWidget* specialKeys_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace quilby
