#pragma once

#include <QDate>
#include <QString>
#include <QTime>

/// Dates and times shown to the user, in the system's regional formats.
/// The long time format loses its time-zone part: a time left in a tour has
/// no zone, and the status bar says "LOC: " already.
namespace LocalFormats {
QString shortDate(const QDate &date);
QString longTime(const QTime &time);
/// A span under a day in the long time format's order and separators, but
/// counted from zero hours: a 12-hour clock would show two hours left as
/// "2:00:00 AM" and none as "12:00:00 AM".
QString timeLeft(const QTime &span);
} // namespace LocalFormats
