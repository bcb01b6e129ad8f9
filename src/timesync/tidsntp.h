#pragma once

#include "sntpcodec.h"

#include <QDateTime>
#include <QHostAddress>
#include <QObject>

#include <functional>
#include <memory>

class ClockSetter;
class ClockSource;
class QUdpSocket;
class ZoneBias;

/// The SNTP client of the main window: one request, one reply, the clock set
/// from it. It runs on the user-interface thread with a bounded wait.
class TIdSNTP : public QObject {
    Q_OBJECT
public:
    TIdSNTP(const ClockSource &clock, const ZoneBias &zone, ClockSetter &setter, QObject *parent = nullptr);
    ~TIdSNTP() override;

    QString Host = QStringLiteral("pool.ntp.org");
    quint16 Port = 123;
    int BufferSize = 8192;
    int ReceiveTimeout = 3000; ///< milliseconds

    /// Asked, when set, before the clock moves by more than ten minutes,
    /// with the computer's time and the server's (UTC); false keeps the
    /// clock as it is.
    std::function<bool(const QDateTime &computer, const QDateTime &server)> ConfirmLargeStep;

    /// Requests the time and sets the clock; true when the clock was set.
    /// Throws SntpError on lookup, send, receive or time-zone failures.
    /// Declined tells whether the large step was refused.
    bool SynchroniseClock();
    /// One exchange; the server's transmit time as a local date-time value,
    /// or 0 when no usable reply came back.
    double RequestServerTime();
    static bool IsReplyUnusable(const QByteArray &reply) { return Sntp::isReplyUnusable(reply); }
    Sntp::Timestamp ToNtpTimestamp(double localValue) const;
    double FromNtpTimestamp(quint32 seconds, quint32 fraction) const;
    /// UTC minus local time, in days, at this moment.
    double LocalZoneBias() const;
    bool SetLocalClock(double localValue);

    // The last exchange.
    double T1 = 0, T2 = 0, T3 = 0, T4 = 0;
    double RoundTripDelay = 0, ClockOffset = 0;
    bool Declined = false;

private:
    double nowLocalValue() const;
    QHostAddress serverAddress() const;
    QByteArray awaitReply(const QHostAddress &server, const Sntp::Timestamp &sent);

    const ClockSource &m_clock;
    const ZoneBias &m_zone;
    ClockSetter &m_setter;
    std::unique_ptr<QUdpSocket> m_socket;
};
