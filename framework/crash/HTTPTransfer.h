#pragma once

#include "platform/TcpSocket.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace Quib
{

// Sends one complete HTTP/1.x request, already formatted by the caller, to the
// host of the upload address on a worker thread, and collects the reply's
// body. The caller polls the result; a recorded demo replays the outcome
// without touching the network.
class HTTPTransfer
{
public:
    enum Result
    {
        TRANSFER_DONE = 0,
        TRANSFER_IDLE = 1,
        TRANSFER_BUSY = 2,
        TRANSFER_NOT_FOUND = 3,
        TRANSFER_HTTP_ERROR = 4,
        TRANSFER_CANCELLED = 5,
        TRANSFER_SOCKET_ERROR = 6,
        TRANSFER_NO_HOST = 7,
        TRANSFER_CONNECT_FAILED = 8,
        TRANSFER_SEND_FAILED = 9
    };

    HTTPTransfer();
    virtual ~HTTPTransfer();
    HTTPTransfer(const HTTPTransfer&) = delete;
    HTTPTransfer& operator=(const HTTPTransfer&) = delete;

    void SendRawRequest(const std::string& request);
    int PollResult();
    void Cancel();
    void Clear();
    void WaitUntilDone();

    int GetTransferId() const { return mTransferId; }
    std::string GetContent();
    const std::string& GetHost() const { return mHost; }
    int GetPort() const { return mPort; }
    const std::string& GetPath() const { return mPath; }

    // A server that neither sends nor takes anything for this long ends the
    // transfer with a socket error, so a stalled peer cannot hold it for ever.
    uint32_t mStallTimeoutMs = 30000;
    // However it trickles in, a transfer ends with a socket error this long
    // after it started, so a peer sending a byte now and then cannot hold it
    // for ever either.
    uint32_t mDeadlineMs = 300000;

private:
    void ResetForUrl();
    void StartWorker();
    void RunTransfer();
    void StopWithResult(int result);
    void SyncResultWithDemo();
    bool WaitForSocket(platform::TcpSocket& socket, bool readable);
    void JoinWorker();
    bool PastDeadline();

    int mTransferId;
    std::string mRequest;
    std::string mUrl;
    std::string mHost;
    int mPort = 80;
    std::string mPath;
    int mContentLength = 0;
    std::mutex mContentLock;
    std::string mContent;
    std::atomic<bool> mTransferPending{false};
    std::atomic<bool> mThreadRunning{false};
    std::atomic<bool> mExiting{false};
    std::atomic<bool> mAborted{false};
    std::atomic<int> mResult{TRANSFER_IDLE};
    int mLastDemoResult = TRANSFER_IDLE;
    uint32_t mStartTick = 0;
    std::thread mWorker;
};

} // namespace Quib
