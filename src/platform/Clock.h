#pragma once
// The wall clock, for the description-file writers that stamp their files with the date and
// time of writing. Handed over in platform::Services so tests can fix the time.

#include <QDateTime>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time now.
    virtual QDateTime now() const = 0;
};

// The system's clock.
class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that always shows the same time (tests, reproducible files).
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime time) : time_(std::move(time)) {}
    QDateTime now() const override { return time_; }
    void set(QDateTime time) { time_ = std::move(time); }

private:
    QDateTime time_;
};

} // namespace platform
