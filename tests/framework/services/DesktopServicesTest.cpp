#include "framework/services/DesktopServices.h"

#include "framework/services/DemoRecorder.h"
#include "platform/Desktop.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <gtest/gtest.h>

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

TEST_F(DesktopServicesTest, OpenUrlRunsTheOpenerOnceWithoutAShell)
{
    DesktopServices desktop(demo, fakeClipboard());
    EXPECT_TRUE(desktop.OpenUrl("https://example.org/a b;rm -rf", false, 100));
    EXPECT_TRUE(desktop.OpenUrl("https://example.org/a b;rm -rf", true, 200)); // already opening
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], (std::vector<std::string>{"xdg-open", "https://example.org/a b;rm -rf"}));
    EXPECT_TRUE(desktop.IsUrlOpening());
    EXPECT_EQ(desktop.UrlOpenTime(), 100u);
    EXPECT_FALSE(desktop.OnUrlOpened()); // the first call's wish: stay
    EXPECT_FALSE(desktop.IsUrlOpening());

    EXPECT_TRUE(desktop.OpenUrl("https://example.org/quit", true, 300));
    EXPECT_TRUE(desktop.OnUrlOpened()); // now the application leaves
}

TEST_F(DesktopServicesTest, ARefusedUrlLeavesTheProgramRunning)
{
    DesktopServices desktop(demo, fakeClipboard());
    shellAccepts = false;
    EXPECT_FALSE(desktop.OpenUrl("https://example.org", true, 5));
    EXPECT_FALSE(desktop.IsUrlOpening());
    shellAccepts = true;
    // An address the opener would read as an option never reaches it.
    EXPECT_FALSE(desktop.OpenUrl("--help", false, 6));
    EXPECT_EQ(commands.size(), 1u);
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

    DesktopServices live(demo, fakeClipboard());
    live.CopyToClipboard("copied");
    EXPECT_EQ(clipboard, "copied");
}

TEST_F(DesktopServicesTest, WallpaperPathMustBeUtf8)
{
    DesktopServices desktop(demo, fakeClipboard());
    EXPECT_FALSE(desktop.SetDesktopWallpaper("/pictures/caf\xE9.png"));
    EXPECT_TRUE(commands.empty());
    EXPECT_TRUE(desktop.SetDesktopWallpaper("/pictures/caf\xC3\xA9.png"));
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0].front(), "gsettings");
    shellAccepts = false;
    EXPECT_FALSE(desktop.SetDesktopWallpaper("/pictures/a.png"));
}

} // namespace
