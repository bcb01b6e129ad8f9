#include "fakesntpserver.h"

#include <QtEndian>

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

FakeSntpServer::FakeSntpServer(Answer answer, bool fromOtherPort)
{
    m_socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this, answer, fromOtherPort] {
        pollfd wait{m_socket, POLLIN, 0};
        if (::poll(&wait, 1, 10000) <= 0)
            return;
        char buffer[512];
        sockaddr_in client{};
        socklen_t clientLength = sizeof client;
        const ssize_t n =
            ::recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&client), &clientLength);
        if (n <= 0)
            return;
        const QByteArray reply = answer(QByteArray(buffer, int(n)));
        if (reply.isEmpty())
            return;
        int from = m_socket;
        if (fromOtherPort) {
            from = ::socket(AF_INET, SOCK_DGRAM, 0);
        }
        ::sendto(from, reply.constData(), size_t(reply.size()), 0, reinterpret_cast<sockaddr *>(&client), clientLength);
        if (from != m_socket)
            ::close(from);
    });
}

FakeSntpServer::~FakeSntpServer()
{
    ::shutdown(m_socket, SHUT_RDWR);
    if (m_thread.joinable())
        m_thread.join();
    ::close(m_socket);
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
