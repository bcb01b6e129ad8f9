#include "tidsntp.h"

#include "seams/clocksource.h"
#include "seams/timeseams.h"

#include <QDeadlineTimer>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <cmath>

TIdSNTP::TIdSNTP(const ClockSource &clock, const ZoneBias &zone, ClockSetter &setter, QObject *parent)
    : QObject(parent), m_clock(clock), m_zone(zone), m_setter(setter)
{}

TIdSNTP::~TIdSNTP() = default;

double TIdSNTP::LocalZoneBias() const
{
    return m_zone.minutesAt(m_clock.nowUtc()) / 1440.0;
}

Sntp::Timestamp TIdSNTP::ToNtpTimestamp(double localValue) const
{
    return Sntp::toNtpTimestamp(localValue, LocalZoneBias());
}

double TIdSNTP::FromNtpTimestamp(quint32 seconds, quint32 fraction) const
{
    return Sntp::fromNtpTimestamp(seconds, fraction, LocalZoneBias());
}

double TIdSNTP::nowLocalValue() const
{
    return Sntp::dateTimeValue(m_clock.nowUtc().toUTC()) - LocalZoneBias();
}

QHostAddress TIdSNTP::serverAddress() const
{
    if (Host.compare(QLatin1String("LOCALHOST"), Qt::CaseInsensitive) == 0)
        return QHostAddress(QStringLiteral("127.0.0.1"));
    QHostAddress dotted;
    if (dotted.setAddress(Host) && dotted.protocol() == QAbstractSocket::IPv4Protocol)
        return dotted;
    const QHostInfo info = QHostInfo::fromName(Host);
    for (const QHostAddress &a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    throw SntpError("cannot resolve " + Host.toStdString());
}

QByteArray TIdSNTP::awaitReply(const QHostAddress &server, const Sntp::Timestamp &sent)
{
    // A datagram from anyone but the server, or answering another request,
    // is dropped: one forged packet must not set the clock.
    const QDeadlineTimer deadline(ReceiveTimeout);
    while (!deadline.hasExpired()) {
        if (!m_socket->hasPendingDatagrams() && !m_socket->waitForReadyRead(int(deadline.remainingTime())))
            break;
        while (m_socket->hasPendingDatagrams()) {
            const QNetworkDatagram datagram = m_socket->receiveDatagram(BufferSize + 1);
            if (QHostAddress(datagram.senderAddress().toIPv4Address()) != server || datagram.senderPort() != Port)
                continue;
            const QByteArray data = datagram.data();
            if (data.size() > BufferSize)
                throw SntpError("the reply is longer than 48 bytes");
            if (data.size() >= Sntp::kPacketSize && !(Sntp::timestampAt(data, 24) == sent))
                continue;
            return data;
        }
    }
    return {};
}

double TIdSNTP::RequestServerTime()
{
    const Sntp::Timestamp transmit = ToNtpTimestamp(nowLocalValue());
    const QByteArray packet = Sntp::request(transmit);
    BufferSize = Sntp::kPacketSize;
    const QHostAddress server = serverAddress();
    if (!m_socket) {
        m_socket = std::make_unique<QUdpSocket>();
        if (!m_socket->bind(QHostAddress::AnyIPv4, 0))
            throw SntpError(m_socket->errorString().toStdString());
    }
    while (m_socket->hasPendingDatagrams()) // leftovers of an earlier exchange
        m_socket->receiveDatagram();
    if (m_socket->writeDatagram(packet, server, Port) != Sntp::kPacketSize)
        throw SntpError("cannot send: " + m_socket->errorString().toStdString());

    const QByteArray reply = awaitReply(server, transmit);
    if (reply.size() < Sntp::kPacketSize)
        return 0;
    T4 = nowLocalValue();
    const auto at = [&](int offset) {
        const Sntp::Timestamp t = Sntp::timestampAt(reply, offset);
        return FromNtpTimestamp(t.seconds, t.fraction);
    };
    T1 = at(24);
    T2 = at(32);
    T3 = at(40);
    RoundTripDelay = (T4 - T1) - (T3 - T2);
    ClockOffset = ((T2 - T1) + (T3 - T4)) / 2;
    return IsReplyUnusable(reply) ? 0 : T3;
}

bool TIdSNTP::SetLocalClock(double localValue)
{
    const QDateTime utc = Sntp::fromDateTimeValue(localValue + LocalZoneBias());
    return m_setter.setClock(utc);
}

bool TIdSNTP::SynchroniseClock()
{
    Declined = false;
    if (RequestServerTime() == 0)
        return false;
    // The time at which the reply arrived: the server's transmit time plus
    // half the network's part of the round trip, however long the server
    // held the request.
    const double server = T4 + ClockOffset;
    // A server years away (a wrong host, a forged reply) would move the
    // contest's clock with it: a step that large is the user's to allow.
    constexpr double kQuietStep = 10.0 / 1440;
    if (std::abs(ClockOffset) > kQuietStep && ConfirmLargeStep &&
        !ConfirmLargeStep(Sntp::fromDateTimeValue(T4 + LocalZoneBias()),
                          Sntp::fromDateTimeValue(server + LocalZoneBias()))) {
        Declined = true;
        return false;
    }
    return SetLocalClock(server);
}
