#include "systemtime.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>

#include <ctime>

bool SystemClockSetter::setClock(const QDateTime &utc)
{
    const qint64 usec = utc.toMSecsSinceEpoch() * 1000;
    const timespec ts{time_t(usec / 1000000), long((usec % 1000000) * 1000)};
    if (clock_settime(CLOCK_REALTIME, &ts) == 0)
        return true;
    QDBusInterface timedate(QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
                            QStringLiteral("org.freedesktop.timedate1"), QDBusConnection::systemBus());
    if (!timedate.isValid())
        return false;
    const QDBusMessage reply =
        timedate.call(QStringLiteral("SetTime"), QVariant::fromValue<qlonglong>(usec), false, true);
    return reply.type() == QDBusMessage::ReplyMessage;
}
