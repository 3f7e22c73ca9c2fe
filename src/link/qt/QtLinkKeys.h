#pragma once

#include "editing/PcKeyboard.h"
#include "link/KeyMessage.h"

#include <QObject>

#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace quilby {

// Feeds the key events of a link dialog (and of its controls) to the
// dialog's key pre-processing as PC keyboard messages: key-down or system
// key-down, then the character it types unless the key-down was consumed,
// and key-up. A consumed key-down never reaches a control or the dialog's
// own Escape / Enter handling; an Escape or Enter without a physical key is
// consumed too. Windows of their own opened over the dialog
// (its message boxes) keep their keys, as they run a loop of their own.
class QtLinkKeyFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<KeyVerdict(const KeyMessage&)>;

    // Watches `dialog` and every child it has or gets.
    QtLinkKeyFilter(QWidget* dialog, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(QKeyEvent* event);
    bool keyRelease(QKeyEvent* event);
    KeyVerdict feed(const KeyEvent& event);

    QWidget* dialog_;
    Handler handler_;
    PcKeyEventSource source_;
    const QEvent* lastEvent_ = nullptr;
    int lastType_ = 0;
    quint32 lastScan_ = 0;
    bool lastSwallowed_ = false;
};

// Posts key messages typed by the simulated keyboard to `target` as real key
// events with native scan codes, as a keyboard on the PC's port would type
// them. Character messages are not posted: the receiver derives them from
// the key-down, as the platform does.
void postTypedKeys(QWidget* target, const std::vector<KeyMessage>& keys);

} // namespace quilby
