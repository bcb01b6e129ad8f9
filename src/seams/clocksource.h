#pragma once

#include <QDateTime>

/// The one source of "now" for the clock tick, recording and the SNTP client.
class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual QDateTime nowUtc() const = 0;
};

/// The computer's clock.
class SystemClock : public ClockSource {
public:
    QDateTime nowUtc() const override { return QDateTime::currentDateTimeUtc(); }
};
