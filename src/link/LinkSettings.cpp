#include "link/LinkSettings.h"

namespace quilby {

void startKeyboardLink(LinkSettings& settings, PortAccess& access) {
    settings.KeyboardBrand = KeyboardVaro;
    settings.SelectKeyboardId();
    settings.OsFamily = DetectOsFamily(access);
    settings.WinIoReady = 0;
    settings.portGrant = PortGrant{};
    if (settings.OsFamily == OsFamilyPermissionStep) {
        settings.portGrant = access.acquirePermission();
        settings.WinIoReady = settings.portGrant.granted ? 1 : 0;
    }
}

void shutdownKeyboardLink(LinkSettings& settings, PortAccess& access) {
    if (settings.OsFamily == OsFamilyPermissionStep && settings.WinIoReady != 0) {
        access.releasePermission();
        settings.WinIoReady = 0;
    }
}

} // namespace quilby
