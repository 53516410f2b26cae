#include "platform/TcpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform
{

TcpSocket::~TcpSocket()
{
    close();
}

TcpSocket::Connect TcpSocket::connect(const std::string& host, int port)
{
    close();
    if (port < 0 || port > 65535)
        return Connect::Failed;
    mFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (mFd < 0)
        return Connect::NoSocket;
    const int flags = fcntl(mFd, F_GETFL, 0);
    fcntl(mFd, F_SETFL, flags | O_NONBLOCK);

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
    {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
            return Connect::NoHost;
        address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
        freeaddrinfo(found);
    }
    if (::connect(mFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 && errno != EINPROGRESS)
        return Connect::Failed;
    return Connect::Started;
}

TcpSocket::Wait TcpSocket::waitFor(short events, int timeoutMs)
{
    if (mFd < 0)
        return Wait::Failed;
    pollfd entry{mFd, events, 0};
    const int ready = ::poll(&entry, 1, timeoutMs < 0 ? 0 : timeoutMs);
    if (ready < 0)
        return errno == EINTR ? Wait::TimedOut : Wait::Failed;
    if (ready == 0)
        return Wait::TimedOut;
    // A peer that closes makes the socket readable (a receive of 0 tells);
    // only an error state or an invalid socket is a failure of the wait.
    if (entry.revents & (POLLERR | POLLNVAL))
        return Wait::Failed;
    return Wait::Ready;
}

TcpSocket::Wait TcpSocket::waitReadable(int timeoutMs)
{
    return waitFor(POLLIN, timeoutMs);
}

TcpSocket::Wait TcpSocket::waitWritable(int timeoutMs)
{
    return waitFor(POLLOUT, timeoutMs);
}

int TcpSocket::connectError()
{
    int error = 0;
    socklen_t size = sizeof error;
    if (mFd < 0 || getsockopt(mFd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return -1;
    return error;
}

long TcpSocket::send(const void* bytes, size_t count)
{
    if (mFd < 0)
        return -1;
    const ssize_t sent = ::send(mFd, bytes, count, MSG_NOSIGNAL);
    if (sent < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
    return long(sent);
}

long TcpSocket::receive(void* bytes, size_t capacity)
{
    if (mFd < 0)
        return -1;
    const ssize_t got = ::recv(mFd, bytes, capacity, 0);
    return got < 0 ? -1 : long(got);
}

void TcpSocket::close()
{
    if (mFd >= 0)
        ::close(mFd);
    mFd = -1;
}

} // namespace platform
