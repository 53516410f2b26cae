#include "framework/crash/CrashReportWindow.h"

#include "tests/framework/crash/LoopbackServerSupport.h"

#include <gtest/gtest.h>

using namespace Quib;

namespace
{

void Click(CrashReportWindow& window, int x, int y)
{
    window.Manager().HandleMouseMove(x, y);
    window.Manager().HandleMouseDown(x, y, CLICK_LEFT);
    window.Manager().HandleMouseUp(x, y, CLICK_LEFT);
}

ReportUploadFields Fields()
{
    ReportUploadFields fields;
    fields.mProductName = "Orvellan";
    fields.mProductVersion = "1.0";
    fields.mErrorTitle = "Exception at 0002:0001BF3A";
    fields.mErrorText = "Exception: Access Violation\r\n";
    return fields;
}

struct UploadAddress
{
    explicit UploadAddress(const std::string& address) { gReportUploadUrl = address; }
    ~UploadAddress() { gReportUploadUrl.clear(); }
};

} // namespace

TEST(CrashReportWindow, WithoutAnAddressOnlyClosingIsOffered)
{
    CrashReportWindow window("Exception: Access Violation\r\nModule: x\r\n", "Exception at 0001:00000000",
                             Fields());
    window.Draw();
    EXPECT_STREQ(window.Caption(), "Fatal Error!");
    // One button across the whole width: its far right end closes too.
    Click(window, 388, 280);
    EXPECT_TRUE(window.IsClosed());
}

TEST(CrashReportWindow, SendingCarriesTheUsersWordsToTheAddress)
{
    LoopbackServer server(
        [](LoopbackServer& s, int connection)
        {
            s.ReadRequest(connection);
            LoopbackServer::SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        });
    UploadAddress address("127.0.0.1:" + std::to_string(server.Port()));
    CrashReportWindow window("Exception: Access Violation\r\n", "Exception at 0002:0001BF3A", Fields());
    window.Draw();
    Click(window, 100, 280); // "Send Report"
    ASSERT_EQ(window.GetPage(), CrashReportWindow::Page::Details);
    EXPECT_STREQ(window.Caption(), "Error Details");
    for (char c : std::string("it froze on the map"))
        window.Manager().HandleChar(c);
    Click(window, 100, 280); // "Continue"
    ASSERT_EQ(window.GetPage(), CrashReportWindow::Page::Progress);
    window.Transfer().WaitUntilDone();
    window.Tick(1000);
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(window.ProgressText(), "Please Wait .");
    const std::string request = server.Request();
    EXPECT_EQ(request.rfind("POST /deluxe_error.php HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(request.find("Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n"), std::string::npos);
    EXPECT_NE(request.find("name=\"usertext\"\r\n\r\nit froze on the map\r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("name=\"errortitle\"\r\n\r\nException at 0002:0001BF3A\r\n"), std::string::npos);
}

TEST(CrashReportWindow, AFailedUploadIsOfferedAgainUntilTheUserGivesUp)
{
    UploadAddress address("127.0.0.1:" + std::to_string(LoopbackServer::ClosedPort()));
    CrashReportWindow window("report", "title", Fields());
    int asked = 0;
    window.mAskRetry = [&] { return ++asked < 2; };
    Click(window, 100, 280);
    Click(window, 100, 280);
    uint32_t now = 0;
    while (!window.IsClosed())
    {
        window.Transfer().WaitUntilDone();
        window.Tick(now += 20);
    }
    EXPECT_EQ(asked, 2);
}

TEST(CrashReportWindow, WithoutAnApplicationNothingCanBeSent)
{
    UploadAddress address("reports.invalid");
    ReportUploadFields fields = Fields();
    fields.mProductName.clear();
    CrashReportWindow window("report", "title", fields);
    Click(window, 100, 280);
    EXPECT_EQ(window.GetPage(), CrashReportWindow::Page::Report);
    Click(window, 300, 280); // "Close Now" beside it
    EXPECT_TRUE(window.IsClosed());
}
