// The only file that includes X11 headers: their macros (None, Bool, Status,
// KeyPress ...) collide with Qt and with our own names elsewhere.
#include "common/qt/QtLockState.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace quilby {

namespace {

bool namedIndicator(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0) {
        return false;
    }
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on != False;
}

} // namespace

KeyboardLights queryKeyboardLights(bool* known) {
    KeyboardLights states;
    Display* display = nullptr;
    if (auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        display = x11->display();
    }
    if (known) {
        *known = display != nullptr;
    }
    if (!display) {
        return states;
    }
    states.capsLock = namedIndicator(display, "Caps Lock");
    states.numLock = namedIndicator(display, "Num Lock");
    states.scrollLock = namedIndicator(display, "Scroll Lock");
    return states;
}

} // namespace quilby
