#include "link/LinkSettings.h"

namespace quilby {

void startKeyboardLink(LinkSettings& settings, PortAccess& access) {
    settings.keyboardBrand = KeyboardBrand::Varo;
    settings.selectKeyboardId();
    settings.osFamily = detectOsFamily(access);
    settings.portReady = false;
    settings.portGrant = PortGrant{};
    if (settings.osFamily == OsFamily::PermissionStep) {
        settings.portGrant = access.acquirePermission();
        settings.portReady = settings.portGrant.granted;
    }
}

void shutdownKeyboardLink(LinkSettings& settings, PortAccess& access) {
    if (settings.osFamily == OsFamily::PermissionStep && settings.portReady) {
        access.releasePermission();
        settings.portReady = false;
    }
}

} // namespace quilby
