#pragma once

#include <QObject>
#include <QString>

#include <deque>

class QTcpSocket;

/// A client of rigctld's line protocol, polled from outside so that it never
/// waits: each poll sends "f" and "m" and the replies arrive as signals.
class RigClient : public QObject {
    Q_OBJECT
public:
    /// Starts connecting at once.
    RigClient(QString host, quint16 port, QObject *parent = nullptr);

    /// Once a second. Asks for the frequency and mode; a reply still missing
    /// from the last poll is dropped when it comes and the question asked
    /// again, and after a few polls without a reply the link counts as gone.
    /// While the link is gone, tries to connect again every few polls.
    void poll();

    /// "host:port", as the user wrote it.
    QString address() const;

signals:
    void frequencyRead(qint64 hz);
    /// The mode as rigctld names it ("CW", "USB", "PKTUSB"...).
    void modeRead(const QString &rigMode);
    /// The link went down or came back. A first attempt that fails counts as
    /// going down; one that succeeds says nothing.
    void linkChanged(bool up);

private:
    void connectAfresh();
    void ask();
    void readReplies();
    void takeLine(const QString &line);
    void linkGone();
    void report(bool up);

    struct Expected {
        char command;
        bool modeSeen = false; ///< "m" answers a mode line and a passband line
        bool stale = false;    ///< asked before the last poll: its reply is thrown away
    };

    QString m_host;
    quint16 m_port;
    QTcpSocket *m_socket = nullptr;
    QByteArray m_buffer;
    std::deque<Expected> m_expected;
    int m_pollsSinceAttempt = 0;
    int m_unansweredPolls = 0;
    bool m_up = true;
};
