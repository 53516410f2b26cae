#include "framework/crash/HTTPTransfer.h"

#include "framework/crash/HttpReplyReader.h"
#include "framework/crash/ReportUpload.h"
#include "platform/Clock.h"
#include "tests/framework/crash/LoopbackServerSupport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace Quib;

namespace
{

const std::string kRequest = "POST /deluxe_error.php HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello";

struct Outcome
{
    int mResult;
    std::string mContent;
};

Outcome Transfer(LoopbackServer& server, uint32_t stallTimeoutMs = 30000)
{
    gReportUploadUrl = "127.0.0.1:" + std::to_string(server.Port()) + "/deluxe_error.php";
    HTTPTransfer transfer;
    transfer.mStallTimeoutMs = stallTimeoutMs;
    transfer.SendRawRequest(kRequest);
    transfer.WaitUntilDone();
    return {transfer.PollResult(), transfer.GetContent()};
}

// Bytes that are no HTTP reply, the same every run.
std::string NoiseBytes(size_t count)
{
    std::string bytes;
    uint32_t state = 12345;
    for (size_t i = 0; i < count; ++i)
    {
        state = state * 214013 + 2531011;
        bytes += char(state >> 16);
    }
    return bytes;
}

// Time that moves only when the test says so, read by the transfer's worker;
// waiting for the transfer takes real time but moves no clock.
class SharedFakeClock : public platform::Clock
{
public:
    uint32_t tickCount() override { return uint32_t(mMilliseconds.load()); }
    int64_t counter() override { return int64_t(mMilliseconds.load()) * 1000; }
    int64_t counterFrequency() override { return 1000000; }
    void sleep(uint32_t) override { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }
    void advance(uint32_t milliseconds) { mMilliseconds += milliseconds; }

private:
    std::atomic<uint64_t> mMilliseconds{1000};
};

LoopbackServer::Script Reply(std::vector<std::string> pieces)
{
    return [pieces](LoopbackServer& server, int connection)
    {
        server.ReadRequest(connection);
        for (const std::string& piece : pieces)
            LoopbackServer::SendAll(connection, piece);
    };
}

} // namespace

TEST(HTTPTransfer, RepliesEndWithTheirResultCodes)
{
    const std::string big(HttpReplyReader::kMaxHeaderLine + 10, 'a');
    struct Case
    {
        const char* name;
        std::vector<std::string> reply;
        int result;
        std::string content;
    } cases[] = {
        {"length",
         {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA"},
         HTTPTransfer::TRANSFER_DONE,
         "hello"},
        {"until close", {"HTTP/1.0 200 OK\r\n\r\nall of it"}, HTTPTransfer::TRANSFER_DONE, "all of it"},
        {"not found",
         {"HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nno!"},
         HTTPTransfer::TRANSFER_NOT_FOUND,
         ""},
        {"server error", {"HTTP/1.1 500 Oops\r\n\r\nbody"}, HTTPTransfer::TRANSFER_HTTP_ERROR, ""},
        {"chunked",
         {"HTTP/1.1 200 OK\r\nTransfer-Encoding: "
          "chunked\r\n\r\n1a\r\nabcdefghijklmnopqrstuvwxyz\r\n0\r\n\r\n"},
         HTTPTransfer::TRANSFER_DONE,
         "abcdefghijklmnopqrstuvwxyz"},
        {"split header",
         {"HTTP/1.1 2", "00 OK\r\nContent-Le", "ngth: 4\r", "\n\r\nda", "ta"},
         HTTPTransfer::TRANSFER_DONE,
         "data"},
        {"oversized header",
         {"HTTP/1.1 200 OK\r\nX-Big: " + big + "\r\n\r\n"},
         HTTPTransfer::TRANSFER_HTTP_ERROR,
         ""},
        {"oversized length",
         {"HTTP/1.1 200 OK\r\nContent-Length: 2000000000\r\n\r\nxx"},
         HTTPTransfer::TRANSFER_HTTP_ERROR,
         ""},
        {"early close keeps what came",
         {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"},
         HTTPTransfer::TRANSFER_DONE,
         "abc"},
        {"no status line", {NoiseBytes(5000)}, HTTPTransfer::TRANSFER_HTTP_ERROR, ""},
        {"headers without a status line",
         {"Content-Length: 2\r\n\r\nok"},
         HTTPTransfer::TRANSFER_HTTP_ERROR,
         ""},
        {"closed before a status line", {"HTTP/1.1 200"}, HTTPTransfer::TRANSFER_HTTP_ERROR, ""},
        {"closed without a word", {}, HTTPTransfer::TRANSFER_HTTP_ERROR, ""},
    };
    for (const Case& c : cases)
    {
        LoopbackServer server(Reply(c.reply));
        const Outcome outcome = Transfer(server);
        EXPECT_EQ(outcome.mResult, c.result) << c.name;
        if (c.result == HTTPTransfer::TRANSFER_DONE)
        {
            EXPECT_EQ(outcome.mContent, c.content) << c.name;
        }
        EXPECT_EQ(server.Request(), kRequest) << c.name;
    }
}

TEST(HTTPTransfer, AnEndlessBodyIsRefusedInsteadOfKept)
{
    LoopbackServer server(
        [](LoopbackServer& s, int connection)
        {
            s.ReadRequest(connection);
            LoopbackServer::SendAll(connection, "HTTP/1.1 200 OK\r\n\r\n");
            const std::string block(65536, 'z');
            while (LoopbackServer::SendAll(connection, block))
            {
            }
        });
    const Outcome outcome = Transfer(server);
    EXPECT_EQ(outcome.mResult, HTTPTransfer::TRANSFER_HTTP_ERROR);
    EXPECT_TRUE(outcome.mContent.empty());
}

TEST(HTTPTransfer, AnEndlessChunkStreamIsRefused)
{
    LoopbackServer server(
        [](LoopbackServer& s, int connection)
        {
            s.ReadRequest(connection);
            LoopbackServer::SendAll(connection, "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n");
            const std::string chunk = "ffff\r\n" + std::string(0xffff, 'c') + "\r\n";
            while (LoopbackServer::SendAll(connection, chunk))
            {
            }
        });
    EXPECT_EQ(Transfer(server).mResult, HTTPTransfer::TRANSFER_HTTP_ERROR);
}

TEST(HTTPTransfer, ARefusedConnectionFailsToConnect)
{
    gReportUploadUrl = "127.0.0.1:" + std::to_string(LoopbackServer::ClosedPort());
    HTTPTransfer transfer;
    transfer.SendRawRequest(kRequest);
    transfer.WaitUntilDone();
    EXPECT_EQ(transfer.PollResult(), HTTPTransfer::TRANSFER_CONNECT_FAILED);
}

TEST(HTTPTransfer, AnAddressWithoutAHostFindsNoHost)
{
    gReportUploadUrl = "http:///deluxe_error.php";
    HTTPTransfer transfer;
    transfer.SendRawRequest(kRequest);
    transfer.WaitUntilDone();
    EXPECT_EQ(transfer.PollResult(), HTTPTransfer::TRANSFER_NO_HOST);
}

TEST(HTTPTransfer, AStalledServerEndsInASocketError)
{
    LoopbackServer server(
        [](LoopbackServer& s, int connection)
        {
            s.ReadRequest(connection);
            s.Stall();
        });
    EXPECT_EQ(Transfer(server, 200).mResult, HTTPTransfer::TRANSFER_SOCKET_ERROR);
}

TEST(HTTPTransfer, CancelEndsARunningTransfer)
{
    LoopbackServer server(
        [](LoopbackServer& s, int connection)
        {
            s.ReadRequest(connection);
            s.Stall();
        });
    gReportUploadUrl = "127.0.0.1:" + std::to_string(server.Port());
    HTTPTransfer transfer;
    transfer.SendRawRequest(kRequest);
    EXPECT_EQ(transfer.PollResult(), HTTPTransfer::TRANSFER_BUSY);
    transfer.Cancel();
    transfer.WaitUntilDone();
    EXPECT_EQ(transfer.PollResult(), HTTPTransfer::TRANSFER_CANCELLED);
}

TEST(HTTPTransfer, ClearReturnsToIdleWithANewNumber)
{
    HTTPTransfer transfer;
    const int first = transfer.GetTransferId();
    EXPECT_EQ(transfer.PollResult(), HTTPTransfer::TRANSFER_IDLE);
    transfer.Clear();
    EXPECT_GT(transfer.GetTransferId(), first);
    EXPECT_EQ(transfer.PollResult(), HTTPTransfer::TRANSFER_IDLE);
}

TEST(ReportUpload, AddressesSplitIntoHostPortAndPath)
{
    struct Case
    {
        const char* address;
        const char* host;
        int port;
        const char* path;
    } cases[] = {
        {"reports", "reports", 80, "/"},
        {"reports:8080", "reports", 8080, "/"},
        {"http://reports.local:8080/deluxe/x.php", "reports.local", 8080, "/deluxe/x.php"},
        {"//h/p", "h", 80, "/p"},
        {"", "", 80, "/"},
    };
    for (const Case& c : cases)
    {
        std::string host, path;
        int port = 0;
        ParseUploadAddress(c.address, host, port, path);
        EXPECT_EQ(host, c.host) << c.address;
        EXPECT_EQ(port, c.port) << c.address;
        EXPECT_EQ(path, c.path) << c.address;
    }
}

// The bytes below were written out by hand from the form's layout.
TEST(ReportUpload, TheFormBodyAndRequestHaveTheirExactBytes)
{
    ReportUploadFields fields;
    fields.mExtraFields = {{"b", "2"}, {"a", "1"}};
    fields.mProductName = "Orvellan";
    fields.mProductVersion = "1.0";
    fields.mUserText = "it fell";
    fields.mErrorTitle = "Exception at 0001:00000010";
    fields.mErrorText = "Exception: Access Violation\r\n";
    fields.mAttachDemo = true;
    fields.mDemoBytes = std::string("D\0M", 3);
    const std::string b = "---------------------------7d3e1f30eec";
    const std::string expected =
        "--" + b + "\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n" + "--" + b +
        "\r\nContent-Disposition: form-data; name=\"b\"\r\n\r\n2\r\n" + "--" + b +
        "\r\nContent-Disposition: form-data; name=\"prod\"\r\n\r\nOrvellan\r\n" + "--" + b +
        "\r\nContent-Disposition: form-data; name=\"version\"\r\n\r\n1.0\r\n" + "--" + b +
        "\r\nContent-Disposition: form-data; name=\"usertext\"\r\n\r\nit fell\r\n" + "--" + b +
        "\r\nContent-Disposition: form-data; name=\"errortitle\"\r\n\r\nException at "
        "0001:00000010\r\n" +
        "--" + b +
        "\r\nContent-Disposition: form-data; name=\"errortext\"\r\n\r\nException: Access "
        "Violation\r\n\r\n" +
        "--" + b +
        "\r\nContent-Disposition: form-data; name=\"demofile\"; "
        "filename=\"mirvak.dmo\"\r\nContent-Type: application/octet-stream\r\n\r\n" +
        std::string("D\0M", 3) + "\r\n" + "--" + b + "--\r\n";
    const std::string body = BuildReportBody(fields);
    EXPECT_EQ(body, expected);
    EXPECT_EQ(BuildReportRequest("reports:81", body),
              "POST /deluxe_error.php HTTP/1.1\r\nContent-Type: multipart/form-data; boundary=" + b +
                  "\r\nUser-Agent: Mozilla/4.0 (compatible; mirvak)\r\nHost: reports:81\r\nContent-Length: " +
                  std::to_string(expected.size()) + "\r\nConnection: close\r\n\r\n" + expected);
}

// A server that sends a byte a second never stalls, but the transfer still
// ends at its deadline instead of taking whatever comes for ever.
TEST(HTTPTransfer, ATrickleEndsAtTheDeadline)
{
    SharedFakeClock clock;
    platform::ScopedClock useClock(clock);
    std::mutex lock;
    std::condition_variable changed;
    int bytesToSend = 0;
    bool answering = false;
    bool finished = false;
    LoopbackServer server(
        [&](LoopbackServer& s, int connection)
        {
            s.ReadRequest(connection);
            LoopbackServer::SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
            std::unique_lock<std::mutex> held(lock);
            answering = true;
            changed.notify_all();
            for (;;)
            {
                changed.wait(held, [&] { return bytesToSend > 0 || finished; });
                if (bytesToSend == 0)
                    return;
                --bytesToSend;
                LoopbackServer::SendAll(connection, "x");
            }
        });
    gReportUploadUrl = "127.0.0.1:" + std::to_string(server.Port());
    HTTPTransfer transfer;
    transfer.mStallTimeoutMs = 60000;
    transfer.mDeadlineMs = 10000;
    transfer.SendRawRequest(kRequest);
    {
        // The request is through: from here on the transfer only receives.
        std::unique_lock<std::mutex> held(lock);
        changed.wait(held, [&] { return answering; });
    }
    for (int second = 0; second < 30; ++second)
    {
        clock.advance(1000);
        std::lock_guard<std::mutex> held(lock);
        ++bytesToSend;
        changed.notify_all();
    }
    {
        // The server hangs up: a transfer with no deadline would end here
        // with what trickled in.
        std::lock_guard<std::mutex> held(lock);
        finished = true;
        changed.notify_all();
    }
    transfer.WaitUntilDone();
    EXPECT_EQ(transfer.PollResult(), HTTPTransfer::TRANSFER_SOCKET_ERROR);
}
