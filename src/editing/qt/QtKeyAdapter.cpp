#include "editing/qt/QtKeyAdapter.h"

#include "common/qt/QtLockState.h"

#include <QKeyEvent>

namespace quilby {

QtKeyAdapter::QtKeyAdapter() {
    const QString tracePath = qEnvironmentVariable("QUILBY_KEYTRACE");
    if (!tracePath.isEmpty()) {
        traceFile_ = std::make_unique<QFile>(tracePath);
        if (!traceFile_->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            qWarning("quilby: cannot write the key trace %s: %s", qPrintable(tracePath),
                     qPrintable(traceFile_->errorString()));
            traceFile_.reset();
        }
    }
}

QtKeyAdapter::~QtKeyAdapter() = default;

std::optional<PcKey> QtKeyAdapter::physicalKey(const QKeyEvent& event) {
    const quint32 native = event.nativeScanCode();
    if (native < 8) {
        return std::nullopt;
    }
    return pcKeyFromEvdev(static_cast<int>(native) - 8);
}

std::optional<LockStates> QtKeyAdapter::platformLocks() {
    bool known = false;
    const auto lights = queryKeyboardLights(&known);
    if (!known) {
        return std::nullopt;
    }
    return LockStates{lights.numLock, lights.capsLock};
}

void QtKeyAdapter::trace(const KeyEvent& event, LockStates locks) {
    if (!traceFile_) {
        return;
    }
    const std::string text = recorder_.record(event, locks);
    traceFile_->write(text.data(), static_cast<qint64>(text.size()));
    traceFile_->flush();
}

} // namespace quilby
