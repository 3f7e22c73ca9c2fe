#pragma once

#include "editing/KeyEvent.h"
#include "editing/KeyTrace.h"
#include "editing/PcKeyboard.h"

#include <QFile>

#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;

namespace quilby {

// Turns Qt key events into the PC keyboard events of the core: the native
// scan code (the X key code, evdev + 8) gives the physical key, the core
// keyboard model the virtual key, system keys, characters and synthetic
// Shift events. Lock states come from the X server when there is one.
// With QUILBY_KEYTRACE=FILE every event handed to the core is appended to FILE.
class QtKeyAdapter {
public:
    QtKeyAdapter();
    ~QtKeyAdapter();

    // The physical key of a Qt key event; nullopt when it has no native code
    // a PC keyboard knows.
    static std::optional<PcKey> physicalKey(const QKeyEvent& event);

    std::vector<KeyEvent> press(const PcKey& key, bool autoRepeat);
    std::vector<KeyEvent> release(const PcKey& key);
    std::optional<KeyEvent> characterAfter(const KeyEvent& keyDown) const {
        return source_.characterAfter(keyDown);
    }
    LockStates locks() const { return source_.locks(); }

    // Appends `event` to the trace file, if one is being written.
    void trace(const KeyEvent& event);

private:
    void refreshLocks();

    PcKeyEventSource source_;
    KeyTraceRecorder recorder_;
    std::unique_ptr<QFile> traceFile_;
};

} // namespace quilby
