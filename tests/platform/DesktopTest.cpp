#include "platform/Desktop.h"

#include <gtest/gtest.h>

namespace
{

struct FakeShell
{
    explicit FakeShell(bool answer)
    {
        platform::setCommandRunner(
            [this, answer](const std::vector<std::string>& argv)
            {
                calls.push_back(argv);
                return answer;
            });
    }
    ~FakeShell() { platform::setCommandRunner({}); }
    std::vector<std::vector<std::string>> calls;
};

TEST(Desktop, OpenUrlRunsTheOpenerWithoutAShell)
{
    FakeShell shell(true);
    EXPECT_TRUE(platform::openUrl("https://example.invalid/a b;rm -rf ~"));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0], (std::vector<std::string>{"xdg-open", "https://example.invalid/a b;rm -rf ~"}));
    EXPECT_FALSE(platform::openUrl(""));
    EXPECT_EQ(shell.calls.size(), 1u);
}

TEST(Desktop, OpenUrlReportsARefusal)
{
    FakeShell shell(false);
    EXPECT_FALSE(platform::openUrl("https://example.invalid/"));
}

TEST(Desktop, WallpaperNeedsValidUtf8AndAskedStretched)
{
    FakeShell shell(true);
    EXPECT_FALSE(platform::setDesktopWallpaper("/data/Wallpaper\xE9.jpg"));
    EXPECT_TRUE(shell.calls.empty()) << "an invalid path never reaches the desktop";
    EXPECT_TRUE(platform::setDesktopWallpaper("/data/Wallpaper\xC3\xA9.jpg"));
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0].back(), "file:///data/Wallpaper\xC3\xA9.jpg");
    EXPECT_EQ(shell.calls[1].back(), "stretched");
}

TEST(Desktop, RealRunnerReportsExitStatus)
{
    EXPECT_TRUE(platform::runCommand({"true"}));
    EXPECT_FALSE(platform::runCommand({"false"}));
    EXPECT_FALSE(platform::runCommand({"no-such-program-orvellan"}));
    EXPECT_TRUE(platform::commandExists("sh"));
    EXPECT_FALSE(platform::commandExists("no-such-program-orvellan"));
}

} // namespace
