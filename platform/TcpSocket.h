#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform
{

// A TCP connection that never blocks: every wait is a bounded poll, so the
// owner can stop between two waits. Writing to a peer that has gone away
// reports a failure instead of raising a signal.
class TcpSocket
{
public:
    enum class Connect
    {
        Started,  // under way or done: wait until writable, then check `connectError`
        NoSocket, // no socket could be made
        NoHost,   // the name does not resolve to an IPv4 address
        Failed    // refused at once
    };
    enum class Wait
    {
        Ready,
        TimedOut,
        Failed // the poll failed or the socket is in an error state
    };

    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    Connect connect(const std::string& host, int port);
    Wait waitReadable(int timeoutMs);
    Wait waitWritable(int timeoutMs);
    // The outcome of a connection that was under way: 0 when it succeeded.
    int connectError();
    // Bytes sent or received; 0 when the peer closed (receive only), -1 on failure.
    long send(const void* bytes, size_t count);
    long receive(void* bytes, size_t capacity);
    void close();
    bool isOpen() const { return mFd >= 0; }

private:
    Wait waitFor(short events, int timeoutMs);
    int mFd = -1;
};

} // namespace platform
