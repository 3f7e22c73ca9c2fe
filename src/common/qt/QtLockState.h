#pragma once

namespace quilby {

struct KeyboardLights {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// The keyboard's lock states from the X server, when the program runs on
// one; false otherwise (`known` says which).
KeyboardLights queryKeyboardLights(bool* known = nullptr);

} // namespace quilby
