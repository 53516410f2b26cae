#include "tests/framework/crash/LoopbackServerSupport.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

int ListenOnLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(fd, 4);
    socklen_t size = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

LoopbackServer::LoopbackServer(Script script)
{
    mListener = ListenOnLoopback(mPort);
    mThread = std::thread(
        [this, script]
        {
            // Wait for the client, but give up when the test ends without one.
            pollfd entry{mListener, POLLIN, 0};
            while (!mEnding && poll(&entry, 1, 50) == 0)
            {
            }
            if (mEnding)
                return;
            const int connection = accept(mListener, nullptr, nullptr);
            if (connection < 0)
                return;
            script(*this, connection);
            close(connection);
        });
}

LoopbackServer::~LoopbackServer()
{
    mEnding = true;
    mThread.join();
    close(mListener);
}

void LoopbackServer::ReadRequest(int connection)
{
    char bytes[4096];
    size_t bodyWanted = std::string::npos;
    while (!mEnding)
    {
        const size_t headerEnd = mRequest.find("\r\n\r\n");
        if (headerEnd != std::string::npos)
        {
            if (bodyWanted == std::string::npos)
            {
                const size_t length = mRequest.find("Content-Length: ");
                bodyWanted =
                    length == std::string::npos ? 0 : size_t(std::atoi(mRequest.c_str() + length + 16));
            }
            if (mRequest.size() >= headerEnd + 4 + bodyWanted)
                return;
        }
        const ssize_t got = recv(connection, bytes, sizeof bytes, 0);
        if (got <= 0)
            return;
        std::lock_guard<std::mutex> hold(mRequestLock);
        mRequest.append(bytes, size_t(got));
    }
}

bool LoopbackServer::SendAll(int connection, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size())
    {
        const ssize_t n = send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}

void LoopbackServer::Stall()
{
    while (!mEnding)
        usleep(2000);
}

int LoopbackServer::ClosedPort()
{
    int port = 0;
    const int fd = ListenOnLoopback(port);
    close(fd);
    return port;
}
