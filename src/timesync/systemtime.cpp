#include "systemtime.h"

#include <QTimeZone>

double SystemZoneBias::minutesAt(const QDateTime &utc) const
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid())
        throw SntpError("the system time zone is not known");
    return -zone.offsetFromUtc(utc) / 60.0;
}
