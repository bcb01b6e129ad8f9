#include "utctexts.h"

namespace UtcTexts {

QString date(const QDateTime &utc)
{
    const QDate d = utc.date();
    return QStringLiteral("%1-%2-%3")
        .arg(d.year())
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

QString time(const QDateTime &utc)
{
    const QTime t = utc.time();
    return QStringLiteral("%1%2").arg(t.hour(), 2, 10, QLatin1Char('0')).arg(t.minute(), 2, 10, QLatin1Char('0'));
}

QString clock(const QDateTime &utc)
{
    const QTime t = utc.time();
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

} // namespace UtcTexts
