#pragma once

#include <QByteArray>
#include <QDateTime>

/// The SNTP packet and the conversions between NTP timestamps and the
/// program's date-time value: days since 30 December 1899 00:00 local time,
/// the fraction being the time of day. 1 January 1900 is day 2.
namespace Sntp {

constexpr int kPacketSize = 48;
/// The scale of the fraction, 2^32 + 1, kept as the client always had it.
constexpr double kFractionScale = 4294967297.0;

struct Timestamp {
    quint32 seconds = 0;
    quint32 fraction = 0;
    bool operator==(const Timestamp &o) const { return seconds == o.seconds && fraction == o.fraction; }
};

/// biasDays = (UTC - local) in days.
Timestamp toNtpTimestamp(double localValue, double biasDays);
double fromNtpTimestamp(quint32 seconds, quint32 fraction, double biasDays);

/// The 48-byte request: leap 0, version 3, client mode; transmit timestamp set.
QByteArray request(const Timestamp &transmit);
/// The timestamp at byte offset (24 originate, 32 receive, 40 transmit).
Timestamp timestampAt(const QByteArray &packet, int offset);
/// Leap indicator 3, a zero transmit timestamp, or stratum 0 or above 15.
bool isReplyUnusable(const QByteArray &reply);

/// The date-time value of a clock reading, and back (both as naive fields).
double dateTimeValue(const QDateTime &fields);
QDateTime fromDateTimeValue(double value);

} // namespace Sntp
