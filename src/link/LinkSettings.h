#pragma once

#include "link/KeyboardId.h"
#include "link/PortIo.h"

#include <atomic>
#include <cstdint>

namespace quilby {

// The process-wide settings of the keyboard link. The application owns the
// one instance for the whole run; the link dialogs read and change it.
struct LinkSettings {
    // Which identification the link expects. Start-up sets VARO; only the
    // version check changes it.
    KeyboardBrand keyboardBrand = KeyboardBrand::Unknown;
    // The expected identification in its two forms.
    KeyboardIdBuffers keyboardId;
    // Decided once at start-up.
    OsFamily osFamily = OsFamily::Unknown;
    // Non-zero when the port permission was granted at start-up; only ever
    // set on the family that needs the permission step.
    bool portReady = false;
    // The permission step's full answer, to explain a refusal.
    PortGrant portGrant;
    // 1 while a download may go on; the confirmed Cancel clears it and the
    // download worker, which polls it once per byte, sets it back to 1.
    std::atomic<std::int32_t> downloadRunFlag{1};

    // Copies the forms of the current brand into keyboardId.
    void selectKeyboardId() { quilby::selectKeyboardId(keyboardBrand, keyboardId); }
};

// Start-up of the link, in this order: brand VARO and its identification,
// the OS family, then the permission when the family needs one.
void startKeyboardLink(LinkSettings& settings, PortAccess& access);

// Releases the permission when start-up obtained it; safe to call twice.
void shutdownKeyboardLink(LinkSettings& settings, PortAccess& access);

} // namespace quilby
