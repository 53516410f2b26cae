#pragma once

#include <cstddef>
#include <string>

namespace Quib
{

// Reads an HTTP/1.x reply as it arrives: the status line and the headers the
// transfer cares about, then a body delimited by its length, by chunks or by
// the end of the connection. Everything it keeps is bounded, so a hostile
// server can make it refuse a reply but never make it grow without end.
class HttpReplyReader
{
public:
    static constexpr size_t kMaxHeaderLine = 8192;
    static constexpr size_t kMaxHeaderBytes = 65536;
    static constexpr size_t kMaxChunkSizeLine = 256;
    static constexpr size_t kMaxContent = 16u << 20;

    enum class State
    {
        Reading,   // wants more bytes
        Finished,  // the body is complete (or ended by a zero or unreadable chunk size)
        NotFound,  // status 404
        HttpError, // any other status but 200, or a reply that does not begin with a status line
        TooLarge   // a header line, the headers, a chunk size line or the body passed its limit
    };

    // Appends received bytes and reads as far as they go.
    State Feed(const char* bytes, size_t count);
    State GetState() const { return mState; }
    // Whether a status line began the reply; a connection that ends before
    // one came has not answered.
    bool HasStatus() const { return mHasStatus; }
    const std::string& GetContent() const { return mContent; }
    int GetContentLength() const { return mContentLength; }

private:
    void Parse();
    bool ParseHeaderLine();
    bool ParseChunked();
    bool ParsePlain();
    void TakeContent(size_t count);
    void Stop(State state) { mState = state; }

    State mState = State::Reading;
    std::string mReceived;
    size_t mPos = 0;
    size_t mHeaderBytes = 0;
    bool mHasStatus = false;
    bool mHeadersDone = false;
    bool mChunked = false;
    size_t mChunkLeft = 0;
    bool mChunkEndDue = false;
    int mContentLength = 0;
    long long mContentLeft = 0;
    std::string mContent;
};

} // namespace Quib
