#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "system/config.h"

namespace zentil {
namespace {

// Whether a window at (left, top) of the given size shows on some screen; in
// 64 bits, since the stored numbers may be anything.
bool onSomeScreen(qint64 left, qint64 top, qint64 width, qint64 height) {
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        if (left < qint64{g.x()} + g.width() && left + width > g.x() &&
            top < qint64{g.y()} + g.height() && top + height > g.y())
            return true;
    }
    return false;
}

}  // namespace

void placeWindow(QWidget& window, const Config& settings, bool loaded, QSize minimum) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (loaded && settings.maximized != 0) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return;
    }
    const int minWidth = minimum.width(), minHeight = minimum.height();
    // A stored size never exceeds the screen (nor goes below the minimum).
    const int width = std::clamp(settings.windowWidth, minWidth, std::max(area.width(), minWidth));
    const int height =
        std::clamp(settings.windowHeight, minHeight, std::max(area.height(), minHeight));
    // A window wholly off every screen would be lost: it goes back to the centre.
    if (!loaded || settings.windowWidth <= 0 || settings.windowHeight <= 0 ||
        !onSomeScreen(settings.windowLeft, settings.windowTop, width, height)) {
        window.move(area.x() + (area.width() - minWidth) / 2,
                    area.y() + (area.height() - minHeight) / 2);
        window.resize(minWidth, minHeight);
        return;
    }
    window.move(settings.windowLeft, settings.windowTop);
    window.resize(width, height);
}

void storePlacement(const QWidget& window, Config& settings) {
    const bool maximized = window.isMaximized();
    const QRect normal = maximized ? window.normalGeometry() : QRect(window.pos(), window.size());
    settings.windowLeft = normal.x();
    settings.windowTop = normal.y();
    settings.windowWidth = normal.width();
    settings.windowHeight = normal.height();
    settings.maximized = maximized ? 1 : 0;
}

}  // namespace zentil
