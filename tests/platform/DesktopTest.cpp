#include "platform/Desktop.h"

#include "tests/support/FakeOpener.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

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

// The opener runs without a shell and without the caller waiting for it; its
// exit code tells later whether it took the address.
TEST(Desktop, OpenUrlStartsTheOpenerWithoutAShellOrWaiting)
{
    testsupport::FakeOpener opener;
    platform::ChildProcess child = platform::openUrl("https://example.invalid/a b;rm -rf ~");
    ASSERT_TRUE(child.started());
    EXPECT_FALSE(child.poll().has_value()) << "the opener waits for the test";
    opener.Finish(3);
    EXPECT_EQ(child.wait(), 3);
    EXPECT_EQ(opener.Arguments(), "https://example.invalid/a b;rm -rf ~\n");
    EXPECT_FALSE(platform::openUrl("").started());
}

TEST(Desktop, WallpaperNeedsValidUtf8AndAskedStretched)
{
    FakeShell shell(true);
    EXPECT_FALSE(platform::setDesktopWallpaper("/data/Wallpaper\xE9.jpg"));
    EXPECT_TRUE(shell.calls.empty()) << "an invalid path never reaches the desktop";
    EXPECT_FALSE(platform::setDesktopWallpaper("/no/such/Wallpaper\xC3\xA9.jpg"));
    EXPECT_TRUE(shell.calls.empty()) << "a missing picture cannot become the wallpaper";
}

// The address handed to the desktop is absolute, with "/" separators, no "."
// or ".." and escaped bytes, whatever form the program gave the path in.
TEST(Desktop, WallpaperAddressIsBuiltFromTheNormalisedAbsolutePath)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvellan-wallpaper-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "Pictures");
    std::ofstream(folder / "Pictures" / "Caf\xC3\xA9 1.jpg") << "x";
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const std::string expected = "file://" + folder.string() + "/Pictures/Caf%C3%A9%201.jpg";
    for (const char* path : {"Pictures\\Caf\xC3\xA9 1.jpg", "./Pictures/../Pictures/Caf\xC3\xA9 1.jpg"})
    {
        FakeShell shell(true);
        EXPECT_TRUE(platform::setDesktopWallpaper(path)) << path;
        ASSERT_EQ(shell.calls.size(), 2u);
        EXPECT_EQ(shell.calls[0].back(), expected) << path;
        EXPECT_EQ(shell.calls[1].back(), "stretched");
    }
    {
        FakeShell refusing(false);
        EXPECT_FALSE(platform::setDesktopWallpaper("Pictures/Caf\xC3\xA9 1.jpg"));
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
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
