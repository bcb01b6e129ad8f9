#include "rigclient.h"

#include <QTcpSocket>

namespace {

/// Polls between attempts to connect while rigctld is gone.
constexpr int kRetryPolls = 3;
/// A reply line is a few bytes; more without a line end is not rigctld.
constexpr int kLongestLine = 256;

} // namespace

RigClient::RigClient(QString host, quint16 port, std::chrono::milliseconds answerWait, QObject *parent)
    : QObject(parent), m_host(std::move(host)), m_port(port)
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(answerWait);
    connect(&m_deadline, &QTimer::timeout, this, &RigClient::fail);
    connectAfresh();
}

QString RigClient::address() const
{
    return m_host + QLatin1Char(':') + QString::number(m_port);
}

void RigClient::connectAfresh()
{
    // A new socket for every connection: nothing of the old one's traffic
    // can be taken for an answer on the new one.
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
    }
    m_buffer.clear();
    m_awaited = Awaited::Nothing;
    m_pollsSinceAttempt = 0;
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, [this] { ask(Awaited::Frequency); });
    connect(m_socket, &QTcpSocket::readyRead, this, &RigClient::readReplies);
    connect(m_socket, &QTcpSocket::disconnected, this, &RigClient::linkGone);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &RigClient::linkGone);
    m_socket->connectToHost(m_host, m_port);
}

void RigClient::poll()
{
    switch (m_socket->state()) {
    case QAbstractSocket::ConnectedState:
        // A slow receiver is waited for: asking again would only pile up
        // questions it answers later still.
        if (m_awaited == Awaited::Nothing)
            ask(Awaited::Frequency);
        return;
    case QAbstractSocket::UnconnectedState:
        if (++m_pollsSinceAttempt >= kRetryPolls)
            connectAfresh();
        return;
    default:
        // Still looking up or connecting: a host that does not answer at all
        // is as gone as one that refuses.
        if (++m_pollsSinceAttempt >= kRetryPolls) {
            report(false);
            connectAfresh();
        }
        return;
    }
}

void RigClient::ask(Awaited question)
{
    // rigctld answers only what it was asked, so nothing that came before
    // the question can be its answer.
    m_buffer.clear();
    m_awaited = question;
    m_socket->write(question == Awaited::Frequency ? "f\n" : "m\n");
    m_deadline.start();
}

void RigClient::readReplies()
{
    // Read a line's worth at a time: a server that sends without end never
    // makes the buffer hold more than the longest answer.
    while (m_socket->bytesAvailable() > 0) {
        if (m_awaited == Awaited::Nothing) {
            // rigctld answers only what it was asked: bytes nobody asked
            // for are no answer.
            m_socket->skip(m_socket->bytesAvailable());
            m_buffer.clear();
            return;
        }
        m_buffer += m_socket->read(kLongestLine + 1 - m_buffer.size());
        for (int end = m_buffer.indexOf('\n'); end >= 0 && m_awaited != Awaited::Nothing;
             end = m_buffer.indexOf('\n')) {
            const QString line = QString::fromLatin1(m_buffer.left(end)).trimmed();
            m_buffer.remove(0, end + 1);
            takeLine(line);
        }
        if (m_buffer.size() > kLongestLine && m_awaited != Awaited::Nothing)
            return fail();
    }
}

void RigClient::takeLine(const QString &line)
{
    // rigctld answers a command it cannot carry out (a receiver switched
    // off, say) with one "RPRT n" line in place of its values: no answer.
    bool ok = false;
    switch (m_awaited) {
    case Awaited::Frequency: {
        const double hz = line.toDouble(&ok);
        if (!ok || !(hz > 0 && hz < 1e12))
            return fail();
        m_hz = qRound64(hz);
        return ask(Awaited::Mode);
    }
    case Awaited::Mode:
        if (line.isEmpty() || line.startsWith(QLatin1String("RPRT")))
            return fail();
        m_mode = line;
        m_awaited = Awaited::Passband;
        return;
    case Awaited::Passband:
        line.toLongLong(&ok);
        if (!ok)
            return fail();
        m_deadline.stop();
        m_awaited = Awaited::Nothing;
        report(true);
        emit frequencyRead(m_hz);
        emit modeRead(m_mode);
        return;
    case Awaited::Nothing: return;
    }
}

void RigClient::fail()
{
    // A late or wrong answer leaves the stream out of step with the
    // questions: the next connection starts clean.
    m_socket->abort();
    linkGone();
}

void RigClient::linkGone()
{
    m_deadline.stop();
    m_awaited = Awaited::Nothing;
    m_buffer.clear();
    m_pollsSinceAttempt = 0;
    report(false);
}

void RigClient::report(bool up)
{
    if (up == m_up)
        return;
    m_up = up;
    emit linkChanged(up);
}
