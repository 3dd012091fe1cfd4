#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QScreen>

#include <chrono>
#include <limits>

namespace platform {

Qt::KeyboardModifiers QtDesktop::keyModifiers() const
{
    return QGuiApplication::queryKeyboardModifiers();
}

std::uint32_t QtDesktop::tickCount() const
{
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(ms.count());
}

QDateTime QtDesktop::currentDateTime() const
{
    return QDateTime::currentDateTime();
}

int QtDesktop::screenHeight() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

std::optional<QRect> QtDesktop::workAreaNear(const QPoint& point) const
{
    const QScreen* nearest = QGuiApplication::screenAt(point);
    if (!nearest) {
        // Outside every screen: the one whose area lies closest, measured from its edge.
        long long best = std::numeric_limits<long long>::max();
        for (const QScreen* screen : QGuiApplication::screens()) {
            const QRect g = screen->geometry();
            const long long dx = point.x() < g.left()    ? g.left() - point.x()
                                 : point.x() > g.right() ? point.x() - g.right()
                                                         : 0;
            const long long dy = point.y() < g.top()      ? g.top() - point.y()
                                 : point.y() > g.bottom() ? point.y() - g.bottom()
                                                          : 0;
            if (dx * dx + dy * dy < best) {
                best = dx * dx + dy * dy;
                nearest = screen;
            }
        }
    }
    if (!nearest)
        nearest = QGuiApplication::primaryScreen();
    if (!nearest)
        return std::nullopt;
    return nearest->availableGeometry();
}

Desktop& productionDesktop()
{
    static QtDesktop desktop;
    return desktop;
}

} // namespace platform
