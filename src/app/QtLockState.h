#pragma once

namespace quilby {

struct LockStates {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// The keyboard's lock states from the X server, when the program runs on
// one; false otherwise (`known` says which).
LockStates queryLockStates(bool* known = nullptr);

} // namespace quilby
