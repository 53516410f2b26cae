#include "framework/crash/HttpReplyReader.h"

#include <gtest/gtest.h>

using namespace Quib;
using State = HttpReplyReader::State;

namespace
{

struct Read
{
    State mState;
    std::string mContent;
};

Read Whole(const std::string& reply)
{
    HttpReplyReader reader;
    reader.Feed(reply.data(), reply.size());
    return {reader.GetState(), reader.GetContent()};
}

Read ByteByByte(const std::string& reply)
{
    HttpReplyReader reader;
    for (char c : reply)
        reader.Feed(&c, 1);
    return {reader.GetState(), reader.GetContent()};
}

} // namespace

TEST(HttpReplyReader, ReadsTheSameWhateverTheReadsAreCutInto)
{
    struct Case
    {
        const char* name;
        std::string reply;
        State state;
        std::string content;
    } cases[] = {
        {"length", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", State::Finished, "abc"},
        {"chunks", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n 2 \r\nde\r\n0\r\n\r\n",
         State::Finished, "abcde"},
        {"any encoding but identity is chunked",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n1\r\nx\r\n0\r\n", State::Finished, "x"},
        {"identity is not", "HTTP/1.1 200 OK\r\nTransfer-Encoding: identity\r\n\r\n1\r\nx", State::Reading,
         "1\r\nx"},
        {"bad chunk size ends", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\nzz\r\nmore",
         State::Finished, "ab"},
        {"nine hex digits end", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n100000003\r\nabc",
         State::Finished, ""},
        {"404", "HTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\nno", State::NotFound, ""},
        {"302", "HTTP/1.0 302 Found\r\n\r\n", State::HttpError, ""},
        {"short status line", "HTTP/1.1 20\r\n\r\n", State::HttpError, ""},
        {"until close", "HTTP/1.1 200 OK\r\n\r\nrest", State::Reading, "rest"},
    };
    for (const Case& c : cases)
    {
        for (const Read& read : {Whole(c.reply), ByteByByte(c.reply)})
        {
            EXPECT_EQ(read.mState, c.state) << c.name;
            EXPECT_EQ(read.mContent, c.content) << c.name;
        }
    }
}

TEST(HttpReplyReader, LimitsRefuseWhatWouldGrowWithoutEnd)
{
    const std::string line(HttpReplyReader::kMaxHeaderLine + 1, 'h');
    EXPECT_EQ(ByteByByte("HTTP/1.1 200 OK\r\n" + line).mState, State::TooLarge);

    std::string manyHeaders = "HTTP/1.1 200 OK\r\n";
    while (manyHeaders.size() <= HttpReplyReader::kMaxHeaderBytes)
        manyHeaders += "X-Filler: 0123456789012345678901234567890123456789\r\n";
    EXPECT_EQ(Whole(manyHeaders).mState, State::TooLarge);

    const std::string sizeLine(HttpReplyReader::kMaxChunkSizeLine + 1, '0');
    EXPECT_EQ(Whole("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + sizeLine).mState,
              State::TooLarge);

    HttpReplyReader reader;
    const std::string head = "HTTP/1.1 200 OK\r\n\r\n";
    reader.Feed(head.data(), head.size());
    const std::string block(1 << 20, 'b');
    State state = State::Reading;
    for (int i = 0; i < 20 && state == State::Reading; ++i)
        state = reader.Feed(block.data(), block.size());
    EXPECT_EQ(state, State::TooLarge);
    EXPECT_LE(reader.GetContent().size(), HttpReplyReader::kMaxContent);
}
