#pragma once

#include <QDateTime>

#include <stdexcept>

/// A failure of the exchange: name lookup, sending, receiving, time zone.
class SntpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The zone's bias, UTC minus local, in minutes, daylight saving included.
class ZoneBias {
public:
    virtual ~ZoneBias() = default;
    /// Throws SntpError when the platform cannot tell the time zone.
    virtual double minutesAt(const QDateTime &utc) const = 0;
};

/// Sets the computer's clock; true on success.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    virtual bool setClock(const QDateTime &utc) = 0;
};
