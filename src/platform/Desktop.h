#pragma once
// The desktop as the drop-down controls ask it: which modifier keys are held down right now, a
// millisecond tick count, the clock, the height of the primary screen and the work area of the
// monitor nearest a point (the screen less the task bar and docked panels). Controls take a
// Desktop at construction, so tests can hold the clock and lay out monitors as they need.

#include <QDateTime>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <optional>

namespace platform {

class Desktop {
public:
    virtual ~Desktop() = default;

    // The modifier keys physically down now, whatever event is being handled.
    virtual Qt::KeyboardModifiers keyModifiers() const = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32 like the system tick count;
    // compare two readings by unsigned subtraction.
    virtual std::uint32_t tickCount() const = 0;
    virtual QDateTime currentDateTime() const = 0;
    // Height in pixels of the primary screen.
    virtual int screenHeight() const = 0;
    // Work area of the monitor nearest `point` (global coordinates); the primary screen's when
    // no monitor is near; none when there is no screen at all.
    virtual std::optional<QRect> workAreaNear(const QPoint& point) const = 0;
};

// Answers from QGuiApplication and its screens.
class QtDesktop final : public Desktop {
public:
    Qt::KeyboardModifiers keyModifiers() const override;
    std::uint32_t tickCount() const override;
    QDateTime currentDateTime() const override;
    int screenHeight() const override;
    std::optional<QRect> workAreaNear(const QPoint& point) const override;
};

// The process's production instance.
Desktop& productionDesktop();

} // namespace platform
