#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// A one-connection TCP server on 127.0.0.1 for the HTTP client's tests. Its
// script gets the accepted connection; it runs on its own thread.
class LoopbackServer
{
public:
    using Script = std::function<void(LoopbackServer& server, int connection)>;

    explicit LoopbackServer(Script script);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return mPort; }
    // The request as far as the script read it. The client may have its answer
    // before the script's thread is done with the request, so the copy is locked.
    std::string Request() const
    {
        std::lock_guard<std::mutex> hold(mRequestLock);
        return mRequest;
    }

    // Script helpers.
    void ReadRequest(int connection); // up to the end of the headers and the body they announce
    static bool SendAll(int connection, const std::string& bytes);
    // Blocks the script until the test ends (the destructor releases it).
    void Stall();

    // A port on which nothing listens.
    static int ClosedPort();

private:
    int mListener = -1;
    int mPort = 0;
    std::string mRequest;
    mutable std::mutex mRequestLock;
    std::atomic<bool> mEnding{false};
    std::thread mThread;
};
