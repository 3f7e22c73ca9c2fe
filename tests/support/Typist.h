#pragma once

#include "editing/KeyCapture.h"
#include "editing/KeyScript.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quilby::testing {

// Types key scripts (editing/KeyScript.h: "+shift a -shift") on a US PC
// keyboard into a KeyCapture, through the program's own keyboard model, and
// keeps every event the capture was given with its lock states and outcome.
// An unknown key name is a mistake in the test and throws.
class Typist {
public:
    struct Sent {
        KeyEvent event;
        CaptureOutcome outcome;
        LockStates locks;
    };

    // `locks`: the NumLock and CapsLock toggles before the first key.
    explicit Typist(KeyCapture& capture, LockStates locks = {}) : keyboard_(capture, locks) {
        keyboard_.setListener(
            [this](const KeyEvent& event, LockStates seen, CaptureOutcome outcome) {
                sent.push_back({event, outcome, seen});
            });
    }

    void type(std::string_view script) {
        auto steps = parseKeyScript(script);
        if (const auto* error = std::get_if<std::string>(&steps)) {
            throw std::invalid_argument(*error);
        }
        keyboard_.play(std::get<std::vector<KeyScriptStep>>(steps));
    }

    CaptureOutcome send(const KeyEvent& event) { return keyboard_.send(event); }

    std::vector<Sent> sent;

private:
    CaptureKeyboard keyboard_;
};

} // namespace quilby::testing
