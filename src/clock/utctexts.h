#pragma once

#include <QDateTime>
#include <QString>

/// The fixed UTC texts of the clock tick, independent of the region.
namespace UtcTexts {
QString date(const QDateTime &utc);  ///< YYYY-MM-DD, the data of a new QSO
QString time(const QDateTime &utc);  ///< HHMM, the time of a new QSO
QString clock(const QDateTime &utc); ///< HH:MM:SS, the UTC clock label
} // namespace UtcTexts
