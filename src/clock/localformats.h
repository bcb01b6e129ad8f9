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
} // namespace LocalFormats
