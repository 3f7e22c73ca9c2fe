#include "link/qt/QtLinkKeys.h"

#include "editing/qt/QtKeyAdapter.h"
#include "link/KeySources.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quilby {

namespace {

Qt::Key qtKeyOf(std::uint16_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == vk::Space) {
        return static_cast<Qt::Key>(code); // Qt's keys for these are their ASCII codes
    }
    switch (code) {
    case vk::Enter:
        return Qt::Key_Return;
    case vk::Escape:
        return Qt::Key_Escape;
    case vk::Shift:
        return Qt::Key_Shift;
    default:
        break;
    }
    if (code >= vk::F1 && code <= vk::F12) {
        return static_cast<Qt::Key>(Qt::Key_F1 + (code - vk::F1));
    }
    return Qt::Key_unknown;
}

} // namespace

QtLinkKeyFilter::QtLinkKeyFilter(QWidget* dialog, Handler handler)
    : QObject(dialog), dialog_(dialog), handler_(std::move(handler)) {
    dialog->installEventFilter(this);
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

KeyVerdict QtLinkKeyFilter::feed(const KeyEvent& event) {
    return handler_(keyMessageOf(event));
}

bool QtLinkKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto* child = static_cast<QChildEvent*>(event)->child();
            child && child->isWidgetType()) {
            child->installEventFilter(this);
        }
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() != dialog_) {
            return false;
        }
        // A key event passes the filter at the focused control and again at
        // each parent: it is handed on once.
        auto* key = static_cast<QKeyEvent*>(event);
        if (event == lastEvent_ && lastType_ == event->type() &&
            lastScan_ == key->nativeScanCode()) {
            return lastSwallowed_;
        }
        const bool swallowed = event->type() == QEvent::KeyPress ? keyPress(key) : keyRelease(key);
        lastEvent_ = event;
        lastType_ = event->type();
        lastScan_ = key->nativeScanCode();
        lastSwallowed_ = swallowed;
        return swallowed;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool QtLinkKeyFilter::keyPress(QKeyEvent* event) {
    const auto key = QtKeyAdapter::physicalKey(*event);
    if (!key) {
        // An event without a physical key (synthesised) cannot be read as a
        // PC key, but Escape and Enter still never close a link dialog.
        const int qtKey = event->key();
        return qtKey == Qt::Key_Escape || qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
    }
    KeyVerdict verdict = KeyVerdict::PassOn;
    KeyEvent keyDown;
    for (const KeyEvent& e : source_.press(*key, event->isAutoRepeat())) {
        verdict = feed(e);
        keyDown = e;
    }
    if (verdict == KeyVerdict::Consumed) {
        return true;
    }
    if (const auto character = source_.characterAfter(keyDown)) {
        feed(*character);
    }
    return false;
}

bool QtLinkKeyFilter::keyRelease(QKeyEvent* event) {
    const auto key = QtKeyAdapter::physicalKey(*event);
    if (!key || event->isAutoRepeat()) {
        return false;
    }
    KeyVerdict verdict = KeyVerdict::PassOn;
    for (const KeyEvent& e : source_.release(*key)) {
        verdict = feed(e);
    }
    return verdict == KeyVerdict::Consumed;
}

void postTypedKeys(QWidget* target, const std::vector<KeyMessage>& keys) {
    if (!target) {
        return;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const KeyMessage& m = keys[i];
        if (m.kind == KeyMessage::Kind::Character) {
            continue;
        }
        const auto evdev = evdevFromPcKey(m.scanCode, m.extended);
        if (!evdev) {
            continue;
        }
        QString text;
        if (m.kind == KeyMessage::Kind::KeyDown && i + 1 < keys.size() &&
            keys[i + 1].kind == KeyMessage::Kind::Character) {
            text = QChar(keys[i + 1].character);
        }
        const auto type = m.kind == KeyMessage::Kind::KeyUp ? QEvent::KeyRelease : QEvent::KeyPress;
        QApplication::postEvent(target, new QKeyEvent(type, qtKeyOf(m.virtualKey), Qt::NoModifier,
                                                      static_cast<quint32>(*evdev + 8),
                                                      m.virtualKey, 0, text));
    }
}

} // namespace quilby
