#pragma once

#include <QByteArray>

#include <atomic>
#include <functional>
#include <thread>

/// A time server on 127.0.0.1 that answers one request with what answer()
/// makes of it, from its own port or from another one. It runs on a thread
/// of its own, since the client waits on the test's thread.
class FakeSntpServer {
public:
    using Answer = std::function<QByteArray(const QByteArray &request)>;
    explicit FakeSntpServer(Answer answer, bool fromOtherPort = false);
    ~FakeSntpServer();
    quint16 port() const { return m_port; }

private:
    std::atomic_bool m_stopping{false};
    quint16 m_port = 0;
    std::thread m_thread;
};

/// A good reply to request: stratum 2, receive and transmit times given.
QByteArray goodReply(const QByteArray &request, quint32 receiveSeconds, quint32 transmitSeconds);
