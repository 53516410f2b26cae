#include "framework/crash/HttpReplyReader.h"

#include "framework/foundation/NumberText.h"

#include <algorithm>
#include <cstdlib>

namespace Quib
{

namespace
{

std::string Trim(const std::string& text)
{
    const char* space = " \t\r\n";
    const size_t first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

HttpReplyReader::State HttpReplyReader::Feed(const char* bytes, size_t count)
{
    if (mState != State::Reading)
        return mState;
    mReceived.append(bytes, count);
    Parse();
    // What has been read is dropped, so the buffer holds at most one
    // unfinished line or the part of a chunk not yet taken.
    mReceived.erase(0, mPos);
    mPos = 0;
    return mState;
}

void HttpReplyReader::Parse()
{
    for (;;)
    {
        if (mState != State::Reading)
            return;
        bool progressed;
        if (!mHeadersDone)
            progressed = ParseHeaderLine();
        else if (mChunked)
            progressed = ParseChunked();
        else
            progressed = ParsePlain();
        if (!progressed)
            return;
    }
}

bool HttpReplyReader::ParseHeaderLine()
{
    const size_t end = mReceived.find("\r\n", mPos);
    if (end == std::string::npos)
    {
        if (mReceived.size() - mPos > kMaxHeaderLine)
            Stop(State::TooLarge);
        return false;
    }
    const std::string line = mReceived.substr(mPos, end - mPos);
    mPos = end + 2;
    mHeaderBytes += line.size() + 2;
    if (line.size() > kMaxHeaderLine || mHeaderBytes > kMaxHeaderBytes)
    {
        Stop(State::TooLarge);
        return false;
    }
    if (line.size() >= 7 && StartsWith(line, "HTTP/1."))
    {
        mHasStatus = true;
        const std::string status = line.size() >= 12 ? line.substr(9, 3) : "";
        if (status == "404")
            Stop(State::NotFound);
        else if (status != "200")
            Stop(State::HttpError);
    }
    else if (!mHasStatus)
    {
        // Whatever answered is not an HTTP server.
        Stop(State::HttpError);
        return false;
    }
    else if (line == "Transfer-Encoding: chunked")
        mChunked = true;
    else if (StartsWith(line, "Transfer-Encoding: "))
        mChunked = mChunked || line.substr(19) != "identity";
    else if (StartsWith(line, "Content-Length: "))
    {
        mContentLength = std::atoi(line.c_str() + 16);
        mContentLeft = mContentLength;
        if (mContentLength > 0 && size_t(mContentLength) > kMaxContent)
            Stop(State::TooLarge);
    }
    else if (line.empty())
        mHeadersDone = true;
    return true;
}

bool HttpReplyReader::ParseChunked()
{
    if (mChunkEndDue)
    {
        if (mReceived.size() - mPos < 2)
            return false;
        mPos += 2;
        mChunkEndDue = false;
    }
    if (mChunkLeft == 0)
    {
        const size_t end = mReceived.find("\r\n", mPos);
        if (end == std::string::npos)
        {
            if (mReceived.size() - mPos > kMaxChunkSizeLine)
                Stop(State::TooLarge);
            return false;
        }
        const std::string sizeText = Trim(mReceived.substr(mPos, end - mPos));
        mPos = end + 2;
        int size = 0;
        // More than eight digits would wrap the 32-bit reading into a small size.
        if (sizeText.size() > 8 || !ParseInt("0x" + sizeText, size) || size <= 0)
        {
            Stop(State::Finished);
            return false;
        }
        if (size_t(size) > kMaxContent - mContent.size())
        {
            Stop(State::TooLarge);
            return false;
        }
        mChunkLeft = size_t(size);
    }
    const size_t available = std::min(mChunkLeft, mReceived.size() - mPos);
    if (available == 0)
        return false;
    TakeContent(available);
    mChunkLeft -= available;
    mChunkEndDue = mChunkLeft == 0;
    return true;
}

bool HttpReplyReader::ParsePlain()
{
    const size_t available = mReceived.size() - mPos;
    if (mContentLength > 0 && mContentLeft <= 0)
    {
        Stop(State::Finished);
        return false;
    }
    if (available == 0)
        return false;
    size_t take = available;
    if (mContentLength > 0)
        take = size_t(std::min<long long>(mContentLeft, (long long)available));
    if (take > kMaxContent - mContent.size())
    {
        Stop(State::TooLarge);
        return false;
    }
    TakeContent(take);
    if (mContentLength > 0)
        mContentLeft -= (long long)take;
    return true;
}

void HttpReplyReader::TakeContent(size_t count)
{
    mContent.append(mReceived, mPos, count);
    mPos += count;
}

} // namespace Quib
