#pragma once

#include "seams/timeseams.h"

/// The system's time zone.
class SystemZoneBias : public ZoneBias {
public:
    double minutesAt(const QDateTime &utc) const override;
};

/// On Linux clock_settime where the process may, otherwise systemd's time
/// service over D-Bus, which asks the desktop for the administrator's
/// password. On Windows the local time, with the system-time privilege
/// enabled for the call and put back after.
class SystemClockSetter : public ClockSetter {
public:
    bool setClock(const QDateTime &utc) override;
};
