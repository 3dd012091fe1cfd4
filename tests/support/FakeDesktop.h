#pragma once
// A desktop whose clock, held keys and monitors the test sets: by default one 1024 x 768
// monitor with a 40-pixel task bar at the bottom, no keys held, the clock at a fixed tick.

#include "platform/Desktop.h"

#include <vector>

namespace testsupport {

class FakeDesktop final : public platform::Desktop {
public:
    struct Monitor {
        QRect area;     // the monitor's whole area
        QRect workArea; // the part the task bar leaves
    };

    Qt::KeyboardModifiers keyModifiers() const override { return modifiers; }
    std::uint32_t tickCount() const override { return ticks; }
    QDateTime currentDateTime() const override { return now; }
    int screenHeight() const override { return monitors.empty() ? 0 : monitors.front().area.height(); }
    std::optional<QRect> workAreaNear(const QPoint& point) const override
    {
        if (monitors.empty())
            return std::nullopt;
        const Monitor* nearest = &monitors.front();
        long long best = -1;
        for (const Monitor& m : monitors) {
            const QRect& g = m.area;
            const long long dx = point.x() < g.left()    ? g.left() - point.x()
                                 : point.x() > g.right() ? point.x() - g.right()
                                                         : 0;
            const long long dy = point.y() < g.top()      ? g.top() - point.y()
                                 : point.y() > g.bottom() ? point.y() - g.bottom()
                                                          : 0;
            if (best < 0 || dx * dx + dy * dy < best) {
                best = dx * dx + dy * dy;
                nearest = &m;
            }
        }
        return nearest->workArea;
    }

    Qt::KeyboardModifiers modifiers;
    std::uint32_t ticks = 100000;
    QDateTime now = QDateTime(QDate(2012, 8, 1), QTime(10, 30, 0));
    // The first monitor is the primary one.
    std::vector<Monitor> monitors{{QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 728)}};
};

} // namespace testsupport
