#include "framework/crash/HTTPTransfer.h"

#include "framework/app/QuibAppBase.h"
#include "framework/crash/HttpReplyReader.h"
#include "framework/crash/ReportUpload.h"
#include "platform/Clock.h"

namespace Quib
{

namespace
{

std::atomic<int> gNextTransferId{1};

int NewTransferId()
{
    return gNextTransferId.fetch_add(1);
}

constexpr int kPollMs = 100;

} // namespace

HTTPTransfer::HTTPTransfer() : mTransferId(NewTransferId()) {}

HTTPTransfer::~HTTPTransfer()
{
    Cancel();
    JoinWorker();
}

void HTTPTransfer::JoinWorker()
{
    if (mWorker.joinable())
        mWorker.join();
}

void HTTPTransfer::SendRawRequest(const std::string& request)
{
    ResetForUrl();
    mRequest = request;
    StartWorker();
}

int HTTPTransfer::PollResult()
{
    SyncResultWithDemo();
    return mResult;
}

void HTTPTransfer::Cancel()
{
    mAborted = true;
    mExiting = true;
}

void HTTPTransfer::Clear()
{
    if (mWorker.joinable() || mTransferPending)
    {
        Cancel();
        WaitUntilDone();
    }
    JoinWorker();
    mTransferId = NewTransferId();
    mResult = TRANSFER_IDLE;
    mLastDemoResult = TRANSFER_IDLE;
    {
        std::lock_guard<std::mutex> lock(mContentLock);
        mContent.clear();
    }
    mContentLength = 0;
    mUrl.clear();
    mRequest.clear();
    mPath.clear();
}

void HTTPTransfer::WaitUntilDone()
{
    while (mTransferPending)
    {
        SyncResultWithDemo();
        if (!mTransferPending)
            break;
        // During playback nothing else ends the transfer: the recorded result
        // is the only way out, and a stream without it must not hang here.
        if (!mThreadRunning)
        {
            mTransferPending = false;
            break;
        }
        platform::sleep(20);
    }
}

std::string HTTPTransfer::GetContent()
{
    std::lock_guard<std::mutex> lock(mContentLock);
    return mContent;
}

void HTTPTransfer::ResetForUrl()
{
    Clear();
    mTransferId = NewTransferId();
    mUrl = gReportUploadUrl;
    mExiting = false;
    mAborted = false;
    mResult = TRANSFER_BUSY;
    mContentLength = 0;
    ParseUploadAddress(mUrl, mHost, mPort, mPath);
}

void HTTPTransfer::StartWorker()
{
    mTransferPending = true;
    mStartTick = platform::tickCount();
    if (gApp && gApp->mDemo.IsPlaying())
        return;
    mThreadRunning = true;
    mWorker = std::thread([this] { RunTransfer(); });
}

void HTTPTransfer::StopWithResult(int result)
{
    mResult = result;
    mExiting = true;
}

bool HTTPTransfer::PastDeadline()
{
    if (uint32_t(platform::tickCount() - mStartTick) < mDeadlineMs)
        return false;
    StopWithResult(TRANSFER_SOCKET_ERROR);
    return true;
}

bool HTTPTransfer::WaitForSocket(platform::TcpSocket& socket, bool readable)
{
    const uint32_t start = platform::tickCount();
    while (!mExiting)
    {
        if (PastDeadline())
            return false;
        const auto wait = readable ? socket.waitReadable(kPollMs) : socket.waitWritable(kPollMs);
        // What arrived after the deadline is not taken any more.
        if (wait == platform::TcpSocket::Wait::Ready)
            return !PastDeadline();
        if (wait == platform::TcpSocket::Wait::Failed)
        {
            StopWithResult(TRANSFER_SOCKET_ERROR);
            return false;
        }
        if (uint32_t(platform::tickCount() - start) >= mStallTimeoutMs)
        {
            StopWithResult(TRANSFER_SOCKET_ERROR);
            return false;
        }
    }
    return true;
}

void HTTPTransfer::RunTransfer()
{
    platform::TcpSocket socket;
    switch (socket.connect(mHost, mPort))
    {
    case platform::TcpSocket::Connect::Started:
        break;
    case platform::TcpSocket::Connect::NoSocket:
        StopWithResult(TRANSFER_SOCKET_ERROR);
        break;
    case platform::TcpSocket::Connect::NoHost:
        StopWithResult(TRANSFER_NO_HOST);
        break;
    case platform::TcpSocket::Connect::Failed:
        StopWithResult(TRANSFER_CONNECT_FAILED);
        break;
    }
    if (!mExiting && (!WaitForSocket(socket, false) || (!mExiting && socket.connectError() != 0)))
    {
        if (mResult == TRANSFER_BUSY || mResult == TRANSFER_SOCKET_ERROR)
            StopWithResult(TRANSFER_CONNECT_FAILED);
    }

    while (!mRequest.empty() && !mExiting)
    {
        if (!WaitForSocket(socket, false) || mExiting)
            break;
        const long sent = socket.send(mRequest.data(), mRequest.size());
        if (sent < 0)
        {
            StopWithResult(TRANSFER_SEND_FAILED);
            break;
        }
        mRequest.erase(0, size_t(sent));
    }

    HttpReplyReader reader;
    char bytes[256];
    while (!mExiting)
    {
        if (!WaitForSocket(socket, true) || mExiting)
            break;
        const long got = socket.receive(bytes, sizeof bytes);
        if (got < 1)
            break;
        const HttpReplyReader::State state = reader.Feed(bytes, size_t(got));
        mContentLength = reader.GetContentLength();
        if (state == HttpReplyReader::State::NotFound)
            StopWithResult(TRANSFER_NOT_FOUND);
        else if (state == HttpReplyReader::State::HttpError)
            StopWithResult(TRANSFER_HTTP_ERROR);
        else if (state == HttpReplyReader::State::TooLarge)
            StopWithResult(TRANSFER_HTTP_ERROR);
        else if (state == HttpReplyReader::State::Finished)
            break;
    }
    socket.close();
    if (reader.GetState() != HttpReplyReader::State::TooLarge)
    {
        std::lock_guard<std::mutex> lock(mContentLock);
        mContent = reader.GetContent();
    }

    if (mAborted)
        mResult = TRANSFER_CANCELLED;
    else if (mResult == TRANSFER_BUSY)
        mResult = reader.HasStatus() ? TRANSFER_DONE : TRANSFER_HTTP_ERROR;
    mTransferPending = false;
    mThreadRunning = false;
}

void HTTPTransfer::SyncResultWithDemo()
{
    if (!gApp)
        return;
    DemoRecorder& demo = gApp->mDemo;
    if (demo.IsPlaying())
    {
        uint8_t code = 0;
        std::string text;
        if (demo.ReplayHttpResult(uint32_t(mTransferId), code, text))
        {
            {
                std::lock_guard<std::mutex> lock(mContentLock);
                mContent = text;
            }
            mResult = code;
            mLastDemoResult = code;
            if (code != TRANSFER_BUSY)
                mTransferPending = false;
        }
    }
    else if (demo.IsRecording() && mResult != mLastDemoResult)
    {
        const int result = mResult;
        demo.RecordHttpResult(uint32_t(mTransferId), uint8_t(result),
                              result == TRANSFER_BUSY ? "" : GetContent());
        mLastDemoResult = result;
    }
}

} // namespace Quib
