#include "fakesntpserver.h"

#include <QDeadlineTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtEndian>

#include <future>

FakeSntpServer::FakeSntpServer(Answer answer, bool fromOtherPort)
{
    std::promise<quint16> bound;
    std::future<quint16> port = bound.get_future();
    // The socket lives on the server's thread, where it waits without an
    // event loop.
    m_thread = std::thread([this, answer, fromOtherPort, &bound] {
        QUdpSocket socket;
        socket.bind(QHostAddress::LocalHost, 0);
        bound.set_value(socket.localPort());
        const QDeadlineTimer deadline(10000);
        while (!m_stopping && !socket.hasPendingDatagrams() && !deadline.hasExpired())
            socket.waitForReadyRead(50);
        if (m_stopping || !socket.hasPendingDatagrams())
            return;
        const QNetworkDatagram request = socket.receiveDatagram(512);
        const QByteArray reply = answer(request.data());
        if (reply.isEmpty())
            return;
        QUdpSocket other;
        (fromOtherPort ? other : socket).writeDatagram(reply, request.senderAddress(), quint16(request.senderPort()));
    });
    m_port = port.get();
}

FakeSntpServer::~FakeSntpServer()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

QByteArray goodReply(const QByteArray &request, quint32 receiveSeconds, quint32 transmitSeconds)
{
    QByteArray reply(48, '\0');
    reply[0] = char(0x1C); // leap 0, version 3, server
    reply[1] = char(2);
    reply.replace(24, 8, request.mid(40, 8)); // originate = the request's transmit time
    qToBigEndian(receiveSeconds, reply.data() + 32);
    qToBigEndian(transmitSeconds, reply.data() + 40);
    return reply;
}
