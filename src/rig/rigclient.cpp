#include "rigclient.h"

#include <QTcpSocket>

namespace {

/// Polls between attempts to connect while rigctld is gone.
constexpr int kRetryPolls = 3;
/// Polls in a row without a whole reply before the link counts as gone:
/// rigctld that stops answering is no better than no rigctld.
constexpr int kUnansweredLimit = 3;
/// A reply line is a few bytes; more without a line end is not rigctld.
constexpr int kLongestLine = 256;

} // namespace

RigClient::RigClient(QString host, quint16 port, QObject *parent)
    : QObject(parent), m_host(std::move(host)), m_port(port)
{
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
    m_expected.clear();
    m_pollsSinceAttempt = 0;
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        report(true);
        ask();
    });
    connect(m_socket, &QTcpSocket::readyRead, this, &RigClient::readReplies);
    connect(m_socket, &QTcpSocket::disconnected, this, &RigClient::linkGone);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &RigClient::linkGone);
    m_socket->connectToHost(m_host, m_port);
}

void RigClient::poll()
{
    switch (m_socket->state()) {
    case QAbstractSocket::ConnectedState:
        if (m_expected.empty()) {
            ask();
        } else if (++m_unansweredPolls >= kUnansweredLimit) {
            m_socket->abort();
            linkGone();
        } else if (!m_expected.front().stale) {
            // rigctld answers in order, so the late reply still comes: its
            // lines are taken off and thrown away, and the next reply is the
            // one asked for now. One stale exchange at a time, so a slow
            // receiver does not pile up questions.
            for (Expected &e : m_expected)
                e.stale = true;
            ask();
        }
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

void RigClient::ask()
{
    m_expected.push_back({'f'});
    m_expected.push_back({'m'});
    m_socket->write("f\nm\n");
}

void RigClient::readReplies()
{
    m_buffer += m_socket->readAll();
    for (int end = m_buffer.indexOf('\n'); end >= 0; end = m_buffer.indexOf('\n')) {
        const QString line = QString::fromLatin1(m_buffer.left(end)).trimmed();
        m_buffer.remove(0, end + 1);
        takeLine(line);
    }
    if (m_buffer.size() > kLongestLine)
        m_buffer.clear();
}

void RigClient::takeLine(const QString &line)
{
    if (m_expected.empty())
        return;
    Expected &e = m_expected.front();
    // rigctld answers a command it cannot carry out with one "RPRT n" line
    // in place of its values.
    const bool failed = line.startsWith(QLatin1String("RPRT"));
    if (e.command == 'm' && !e.modeSeen && !failed) {
        e.modeSeen = true;
        if (!e.stale)
            emit modeRead(line);
        return;
    }
    const Expected answered = e;
    m_expected.pop_front();
    m_unansweredPolls = 0;
    if (failed || answered.stale || answered.command != 'f')
        return;
    // A server out of step with its questions gives a passband or a mode
    // here at worst: neither is in any band.
    bool ok = false;
    const double hz = line.toDouble(&ok);
    if (ok && hz > 0 && hz < 1e12)
        emit frequencyRead(qRound64(hz));
}

void RigClient::linkGone()
{
    m_expected.clear();
    m_unansweredPolls = 0;
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
