#pragma once

#include "editing/KeyCapture.h"
#include "editing/KeyEvent.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quilby {

// A key event trace: the keyboard events the key editor was given, one per
// line, so a user's problem can be played again without their keyboard.
//
//   keydown VK SCAN [ext]      syskeydown VK SCAN [ext]
//   keyup VK SCAN [ext]        syskeyup VK SCAN [ext]
//   char CODE SCAN [ext]
//   numlock on|off             capslock on|off
//
// Numbers are decimal or 0x-hexadecimal, 0 to 255. A lock line sets the state
// the following events see (both start off). '#' starts a comment; blank
// lines are ignored.

struct KeyTraceStep {
    enum class Kind { Event, NumLock, CapsLock };
    Kind kind = Kind::Event;
    KeyEvent event;  // Kind::Event
    bool on = false; // lock lines

    bool operator==(const KeyTraceStep&) const = default;
};

struct KeyTraceError {
    int line = 0; // 1-based
    std::string message;
};

std::variant<std::vector<KeyTraceStep>, KeyTraceError> parseKeyTrace(std::string_view text);

// One event as a trace line, without the line end: "keydown 0x41 30".
std::string formatKeyTraceEvent(const KeyEvent& event);

// Writes the trace of a live session: each event's line, preceded by the lock
// lines needed whenever a lock state differs from what the trace said last.
class KeyTraceRecorder {
public:
    // The text to append for `event` seen with `locks`, line ends included.
    std::string record(const KeyEvent& event, LockStates locks);

private:
    LockStates last_;
};

// "consumed", "dialog" or "normal".
std::string_view outcomeName(CaptureOutcome outcome);

// Plays `steps` through `capture` and returns the outcome of every event.
std::vector<CaptureOutcome> replayKeyTrace(const std::vector<KeyTraceStep>& steps,
                                           KeyCapture& capture);

} // namespace quilby
