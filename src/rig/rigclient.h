#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

class QTcpSocket;

/// A client of rigctld's line protocol, polled from outside so that it never
/// waits: each poll asks for the frequency, then for the mode, one question
/// at a time, and the replies arrive as signals.
class RigClient : public QObject {
    Q_OBJECT
public:
    /// Starts connecting at once. Each question waits answerWait for its
    /// whole answer.
    RigClient(QString host, quint16 port, std::chrono::milliseconds answerWait = std::chrono::seconds(3),
              QObject *parent = nullptr);

    /// Once a second. Asks again once the last exchange is complete, never
    /// while a question is outstanding. While the link is gone, tries to
    /// connect again every few polls.
    void poll();

    /// "host:port", as the user wrote it.
    QString address() const;

signals:
    /// The frequency and then the mode, once both are answered in full.
    void frequencyRead(qint64 hz);
    /// The mode as rigctld names it ("CW", "USB", "PKTUSB"...).
    void modeRead(const QString &rigMode);
    /// The link went down or came back. It is up only after a complete
    /// exchange: a frequency line to "f", a mode line and a numeric passband
    /// line to "m". A question without its answer in time, a wrong answer, a
    /// lost connection or a failed attempt to connect take it down. It starts
    /// up, so a first exchange that succeeds says nothing.
    void linkChanged(bool up);

private:
    enum class Awaited { Nothing, Frequency, Mode, Passband };

    void connectAfresh();
    void ask(Awaited question);
    void readReplies();
    void takeLine(const QString &line);
    void fail();
    void linkGone();
    void report(bool up);

    QString m_host;
    quint16 m_port;
    QTcpSocket *m_socket = nullptr;
    QTimer m_deadline;
    QByteArray m_buffer;
    Awaited m_awaited = Awaited::Nothing;
    qint64 m_hz = 0;
    QString m_mode;
    int m_pollsSinceAttempt = 0;
    bool m_up = true;
};
