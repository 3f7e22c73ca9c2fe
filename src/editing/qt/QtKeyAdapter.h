#pragma once

#include "editing/KeyEvent.h"
#include "editing/KeyTrace.h"
#include "editing/PcKeyboard.h"

#include <QFile>

#include <memory>
#include <optional>

class QKeyEvent;

namespace quilby {

// What the key editor needs from the platform beyond the core keyboard
// model: the physical key of a Qt key event (its native scan code is the X
// key code, evdev + 8), the lock states from the X server when there is one,
// and, with QUILBY_KEYTRACE=FILE, a trace of every event handed to the core.
class QtKeyAdapter {
public:
    QtKeyAdapter();
    ~QtKeyAdapter();

    // nullopt when the event has no native code a PC keyboard knows.
    static std::optional<PcKey> physicalKey(const QKeyEvent& event);

    // The X server's NumLock and CapsLock; nullopt without an X display.
    static std::optional<LockStates> platformLocks();

    // Appends `event` to the trace file, if one is being written.
    void trace(const KeyEvent& event, LockStates locks);

private:
    KeyTraceRecorder recorder_;
    std::unique_ptr<QFile> traceFile_;
};

} // namespace quilby
