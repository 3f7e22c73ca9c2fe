#pragma once

#include "link/KeyMessage.h"
#include "link/LinkSettings.h"

#include <cstdint>

namespace quilby {

// Recognises the keyboard's typed identification key-down by key-down. One
// per open link dialog; it reads the expected forms and the brand from the
// settings at every key-down, so a version check takes effect at once.
class KeyboardIdMatcher {
public:
    struct Step {
        KeyVerdict verdict = KeyVerdict::PassOn;
        bool completed = false; // the identification is complete: run the action
    };

    explicit KeyboardIdMatcher(const LinkSettings& settings) : settings_(settings) {}

    // `busy` is the dialog's own indicator (transfer starting, report being
    // received): while it is set, key-downs are passed on unmatched.
    Step step(const KeyMessage& message, bool busy);

    // The position reached. It is not reset on completion: the next key-down
    // meets the terminating NUL and resets it, so an announcement that follows
    // a completed one directly is lost and the one after it matches.
    std::uint8_t counter() const { return counter_; }
    // The MCR exchange reuses the counter as its report length.
    void setCounter(std::uint8_t value) { counter_ = value; }

private:
    const LinkSettings& settings_;
    std::uint8_t counter_ = 0;
};

} // namespace quilby
