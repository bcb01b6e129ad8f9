#include "sntpcodec.h"

#include <QtEndian>

#include <cmath>

namespace Sntp {

namespace {
const QDate kDayZero(1899, 12, 30);
}

Timestamp toNtpTimestamp(double localValue, double biasDays)
{
    const double v = (localValue + biasDays - 2.0) * 86400.0;
    const double whole = v > kFractionScale ? v - kFractionScale : v;
    const double fraction = (v - std::trunc(v)) * kFractionScale;
    // Low 32 bits of the whole parts.
    return {quint32(qint64(std::trunc(whole))), quint32(qint64(std::trunc(fraction)))};
}

double fromNtpTimestamp(quint32 seconds, quint32 fraction, double biasDays)
{
    const double milliseconds = std::trunc(double(fraction) / kFractionScale * 1000.0);
    return (double(seconds) + milliseconds / 1000.0) / 86400.0 - biasDays + 2.0;
}

QByteArray request(const Timestamp &transmit)
{
    QByteArray packet(kPacketSize, '\0');
    packet[0] = char(27);
    qToBigEndian(transmit.seconds, packet.data() + 40);
    qToBigEndian(transmit.fraction, packet.data() + 44);
    return packet;
}

Timestamp timestampAt(const QByteArray &packet, int offset)
{
    if (packet.size() < offset + 8)
        return {};
    return {qFromBigEndian<quint32>(packet.constData() + offset),
            qFromBigEndian<quint32>(packet.constData() + offset + 4)};
}

bool isReplyUnusable(const QByteArray &reply)
{
    if (reply.size() < kPacketSize)
        return true;
    const quint8 leap = quint8(reply[0]) >> 6;
    const quint8 stratum = quint8(reply[1]);
    const Timestamp transmit = timestampAt(reply, 40);
    return leap == 3 || (transmit.seconds == 0 && transmit.fraction == 0) || stratum == 0 || stratum > 15;
}

double dateTimeValue(const QDateTime &fields)
{
    return double(kDayZero.daysTo(fields.date())) + double(fields.time().msecsSinceStartOfDay()) / 86400000.0;
}

QDateTime fromDateTimeValue(double value)
{
    const double days = std::floor(value);
    const qint64 msecs = std::llround((value - days) * 86400000.0);
    return QDateTime(kDayZero.addDays(qint64(days)), QTime(0, 0), Qt::UTC).addMSecs(msecs);
}

} // namespace Sntp
