#include "framework/services/DesktopServices.h"

#include "framework/services/DemoRecorder.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "tests/framework/services/DemoTestSupport.h"
#include "tests/support/FakeOpener.h"

#include <gtest/gtest.h>
#include <thread>

using namespace Quib;

namespace
{

class DesktopServicesTest : public ::testing::Test
{
protected:
    DesktopServicesTest()
    {
        platform::setCommandRunner(
            [this](const std::vector<std::string>& argv)
            {
                commands.push_back(argv);
                return shellAccepts;
            });
    }
    ~DesktopServicesTest() override { platform::setCommandRunner({}); }

    DesktopServices::Clipboard fakeClipboard()
    {
        return {[this] { return clipboard; },
                [this](const std::string& text)
                {
                    clipboard = text;
                    return true;
                }};
    }

    std::vector<std::vector<std::string>> commands;
    bool shellAccepts = true;
    std::string clipboard;
    int update = 0;
    DemoRecorder demo{[this] { return update; }};
};

// The opener is started and left to run: the program goes on at once, and an
// address being opened is not handed over twice.
TEST_F(DesktopServicesTest, OpenUrlStartsTheOpenerOnceWithoutWaiting)
{
    testsupport::FakeOpener opener;
    DesktopServices desktop(demo, fakeClipboard());
    EXPECT_TRUE(desktop.OpenUrl("https://example.org/a b;rm -rf", false, 100));
    EXPECT_TRUE(desktop.OpenUrl("https://example.org/a b;rm -rf", true, 200)); // already opening
    EXPECT_TRUE(desktop.IsUrlOpening());
    EXPECT_EQ(desktop.UrlOpenTime(), 100u);
    EXPECT_FALSE(desktop.OpenerRefused()) << "the opener is still running";
    opener.Finish(0);
    EXPECT_EQ(opener.Arguments(), "https://example.org/a b;rm -rf\n");
    EXPECT_FALSE(desktop.OnUrlOpened()); // the first call's wish: stay
    EXPECT_FALSE(desktop.IsUrlOpening());
}

// An opener that ends with a failure is reported as one; an address the
// opener would read as an option never reaches it.
TEST_F(DesktopServicesTest, ARefusedUrlIsReportedAndLeavesTheProgramRunning)
{
    testsupport::FakeOpener opener;
    DesktopServices desktop(demo, fakeClipboard());
    EXPECT_TRUE(desktop.OpenUrl("https://example.org/quit", true, 5));
    opener.Finish(4);
    while (!desktop.OpenerRefused())
        std::this_thread::yield();
    desktop.OnUrlOpenFailed();
    EXPECT_FALSE(desktop.IsUrlOpening());
    EXPECT_FALSE(desktop.OpenUrl("--help", false, 6));
    EXPECT_FALSE(desktop.IsUrlOpening());
}

TEST_F(DesktopServicesTest, ClipboardIsRecordedAndReplayed)
{
    DemoTest::ScratchFolder folder("desktop");
    clipboard = "recorded text";
    demo.StartRecording(4);
    DesktopServices recording(demo, fakeClipboard());
    EXPECT_EQ(recording.GetClipboardText(), "recorded text");
    ASSERT_TRUE(demo.WriteDemoFile(folder.File("c.dmo"), "v"));

    DemoRecorder player([] { return 0; });
    std::string error;
    ASSERT_TRUE(player.ReadDemoFile(folder.File("c.dmo"), "v", error)) << error;
    clipboard = "live text";
    DesktopServices playback(player, fakeClipboard());
    playback.CopyToClipboard("from the demo");
    EXPECT_EQ(clipboard, "live text");
    EXPECT_EQ(playback.GetClipboardText(), "recorded text");

    // After a real close the recording no longer stands in: the live text answers.
    player.SetWindowClosed();
    EXPECT_EQ(playback.GetClipboardText(), "live text");

    DesktopServices live(demo, fakeClipboard());
    live.CopyToClipboard("copied");
    EXPECT_EQ(clipboard, "copied");
}

TEST_F(DesktopServicesTest, WallpaperPathMustBeUtf8AndExist)
{
    DemoTest::ScratchFolder folder("wallpaper");
    const std::string picture = folder.File("caf\xC3\xA9.png");
    ASSERT_TRUE(platform::writeFile(picture, "x", 1));
    DesktopServices desktop(demo, fakeClipboard());
    EXPECT_FALSE(desktop.SetDesktopWallpaper(folder.File("caf\xE9.png")));
    EXPECT_FALSE(desktop.SetDesktopWallpaper(folder.File("missing.png")));
    EXPECT_TRUE(commands.empty());
    EXPECT_TRUE(desktop.SetDesktopWallpaper(picture));
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0].front(), "gsettings");
    shellAccepts = false;
    EXPECT_FALSE(desktop.SetDesktopWallpaper(picture));
}

} // namespace
