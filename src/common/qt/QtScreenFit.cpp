#include "common/qt/QtScreenFit.h"

#include "common/qt/QtDialogUnits.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quilby {

namespace {

// Room a window system's title bar and borders take, in logical pixels.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

ScreenRect toScreenRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

class ShowWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            keepOnScreen(static_cast<QWidget*>(watched));
        }
        return false;
    }
};

} // namespace

QRect availableArea(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (const QWindow* handle = w->window()->windowHandle()) {
            if (handle->screen() != nullptr) {
                return handle->screen()->availableGeometry();
            }
        }
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary != nullptr ? primary->availableGeometry() : QRect(0, 0, 800, 600);
}

void keepOnScreen(QWidget* window) {
    // Until the window system has framed the window its frame is not known:
    // allow for one.
    QSize decoration = window->frameGeometry().size() - window->geometry().size();
    if (!window->isVisible() || decoration.isEmpty()) {
        decoration = QSize(kFrameWidth, kFrameHeight);
    }
    const QRect frame(window->pos(), window->size() + decoration);
    const ScreenRect fitted = fitOnScreen(toScreenRect(frame), toScreenRect(availableArea(window)));
    const QSize inner = QSize(fitted.width, fitted.height) - decoration;
    if (inner != window->size() && window->minimumSize() != window->maximumSize()) {
        window->resize(inner.expandedTo(window->minimumSize()));
    }
    window->move(fitted.x, fitted.y);
}

void keepOnScreenWhenShown(QWidget* window) {
    window->installEventFilter(new ShowWatch(window));
}

QFont fontFittingScreen(const QFont& font, int width, int height, const QRect& area) {
    QFont fitting = font;
    // Text does not scale exactly with its point size: shrink until it fits.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DialogUnits du = dialogUnitsOf(fitting);
        const double factor =
            shrinkToFit(du.x(width), du.y(height), toScreenRect(area), kFrameWidth, kFrameHeight);
        if (factor >= 1.0) {
            break;
        }
        fitting.setPointSizeF(fitting.pointSizeF() * std::min(factor, 0.97));
    }
    return fitting;
}

} // namespace quilby
