#include "framework/app/CommandLine.h"

#include "framework/app/StringTable.h"
#include "framework/foundation/Paths.h"
#include "platform/Files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Quib;

namespace
{

struct Exited
{
    int code;
};

struct FakeCommandLineHost : CommandLineHost
{
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void RestoreDisplayAndExit(int code) override { throw Exited{code}; }
    void ProvokeCrash() override { ++crashes; }
    void ParseCommandLineText(const std::string& text) override { line->ParseCommandLineText(text); }
    void HandleCommandLineOption(const std::string& key, const std::string& value) override
    {
        line->HandleCommandLineOption(key, value);
    }
    CommandLine* line = nullptr;
    std::vector<std::string> errors;
    int crashes = 0;
};

class CommandLineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.line = &line;
        folder = std::filesystem::temp_directory_path() /
                 ("orvellan-cmdline-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        gSharedDataFolder.clear();
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
        gSharedDataFolder.clear();
    }
    void makeDemos(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            ASSERT_TRUE(platform::writeFile(name, "x", 1));
    }
    std::vector<std::string> files()
    {
        std::vector<std::string> out;
        for (const auto& e : platform::listDirectory("."))
            out.push_back(e.name);
        return out;
    }

    std::filesystem::path folder;
    std::filesystem::path previous;
    FakeCommandLineHost host;
    StringTable strings;
    CommandLine line{host, strings};
};

TEST_F(CommandLineTest, OptionsAreSplitAtBlanksWithQuotesAndEqualsSigns)
{
    struct Quiet : FakeCommandLineHost
    {
        void RestoreDisplayAndExit(int) override {}
    } quiet;
    const struct
    {
        const char* commandLine;
        const char* demoFile;
        const char* folder;
    } cases[] = {
        {"\"C:\\Program Files\\Game\\game.exe\" -demofile=a.dmo", "a.dmo", ""},
        {"game.exe -changedir=\"my folder\" -demofile=b.dmo", "b.dmo", "my folder"},
        {"game.exe \"-changedir=x y\"", "quibapp.dmo", "x y"},
        {"game.exe -changedir=a=b=c", "quibapp.dmo", "abc"},
        {"game.exe   -changedir=z   ", "quibapp.dmo", "z"},
        {"\"unterminated -changedir=q", "quibapp.dmo", ""},
        {"game.exe", "quibapp.dmo", ""},
        {"game.exe -demofile=\"/abs/with blank.dmo\"", "/abs/with blank.dmo", ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.commandLine);
        CommandLine parsed(quiet, strings);
        quiet.line = &parsed;
        parsed.ParseCommandLine(c.commandLine);
        EXPECT_TRUE(parsed.mCommandLineParsed);
        EXPECT_EQ(parsed.mDemoFileName, c.demoFile);
        EXPECT_EQ(parsed.mProgramFolder, c.folder);
    }
}

TEST_F(CommandLineTest, ModeOptionsAndTheLastDemoModeWins)
{
    line.ParseCommandLineText("-play -record -screensaver");
    EXPECT_TRUE(line.mRecordDemo);
    EXPECT_FALSE(line.mPlayDemo);
    EXPECT_TRUE(line.mScreenSaverMode);
    line.ParseCommandLineText("-record -play");
    EXPECT_TRUE(line.mPlayDemo);
    EXPECT_FALSE(line.mRecordDemo);
    EXPECT_EQ(line.mDemoFileName, "quibapp.dmo");
    line.ParseCommandLineText("-crash");
    EXPECT_EQ(host.crashes, 1);
}

TEST_F(CommandLineTest, UnknownOptionShowsTheMessageAndExitsWithZero)
{
    for (const char* text : {"-bogus", "-PLAY", "-play -demofile=x.dmo -unknown=3"})
    {
        host.errors.clear();
        try
        {
            line.ParseCommandLineText(text);
            ADD_FAILURE() << "no exit for " << text;
        }
        catch (const Exited& e)
        {
            EXPECT_EQ(e.code, 0);
        }
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_EQ(host.errors[0].rfind("Invalid command line parameter: -", 0), 0u);
    }
    EXPECT_EQ(host.errors[0], "Invalid command line parameter: -unknown");
}

TEST_F(CommandLineTest, RelativeDemoNamesGoToTheSharedDataFolder)
{
    gSharedDataFolder = "/shared/Product/";
    const struct
    {
        const char* option;
        const char* name;
    } cases[] = {{"-demofile=run.dmo", "/shared/Product/run.dmo"},
                 {"-demofile=C:\\run.dmo", "C:\\run.dmo"},
                 {"-demofile=ab\\run.dmo", "ab\\run.dmo"},
                 {"-demofile=/tmp/run.dmo", "/tmp/run.dmo"},
                 {"-demofile=x", "/shared/Product/x"}};
    for (const auto& c : cases)
    {
        line.ParseCommandLineText(c.option);
        EXPECT_EQ(line.mDemoFileName, c.name);
    }
}

TEST_F(CommandLineTest, RecnumRotatesTheNumberedRecordings)
{
    makeDemos({"quibapp4.dmo", "quibapp5.dmo", "quibapp6.dmo", "quibappX.dmo", "other7.dmo"});
    line.ParseCommandLineText("-recnum=3");
    EXPECT_EQ(line.mDemoFileName, "quibapp7.dmo");
    EXPECT_TRUE(line.mRecordDemo);
    const auto left = files();
    EXPECT_EQ(left, (std::vector<std::string>{"other7.dmo", "quibapp5.dmo", "quibapp6.dmo", "quibappX.dmo"}));

    // Fewer than the number kept: nothing is deleted; no value means 5.
    line.ParseCommandLineText("-recnum");
    EXPECT_EQ(line.mDemoFileName, "quibapp7.dmo");
    EXPECT_EQ(files().size(), 4u);
}

TEST_F(CommandLineTest, PlaynumCountsBackFromTheNewest)
{
    makeDemos({"quibapp1.dmo", "quibapp2.dmo", "quibapp3.dmo", "quibapp4.dmo", "quibapp5.dmo", "quibapp6.dmo",
               "quibapp7.dmo"});
    line.ParseCommandLineText("-playnum=2");
    EXPECT_EQ(line.mDemoFileName, "quibapp6.dmo");
    EXPECT_TRUE(line.mPlayDemo);
    line.ParseCommandLineText("-playnum");
    EXPECT_EQ(line.mDemoFileName, "quibapp7.dmo");
    EXPECT_EQ(files().size(), 7u);
}

TEST_F(CommandLineTest, RecnumAndPlaynumShareTheSharedDataFolder)
{
    std::filesystem::create_directories("shared");
    gSharedDataFolder = (folder / "shared").string() + "/";
    // Numbered demos in the working folder are not the recordings.
    makeDemos({"quibapp8.dmo", "shared/quibapp2.dmo", "shared/quibapp3.dmo"});

    line.ParseCommandLineText("-recnum=2");
    EXPECT_EQ(line.mDemoFileName, gSharedDataFolder + "quibapp4.dmo");
    EXPECT_TRUE(platform::fileExists("shared/quibapp3.dmo"));
    EXPECT_FALSE(platform::fileExists("shared/quibapp2.dmo"));
    EXPECT_TRUE(platform::fileExists("quibapp8.dmo"));
    ASSERT_TRUE(platform::writeFile(line.mDemoFileName, "x", 1));

    line.ParseCommandLineText("-playnum");
    EXPECT_EQ(line.mDemoFileName, gSharedDataFolder + "quibapp4.dmo");
    line.ParseCommandLineText("-playnum=2");
    EXPECT_EQ(line.mDemoFileName, gSharedDataFolder + "quibapp3.dmo");
}

TEST_F(CommandLineTest, PlaynumWithoutRecordingsNamesNumberZero)
{
    line.ParseCommandLineText("-playnum");
    EXPECT_EQ(line.mDemoFileName, "quibapp0.dmo");
    line.ParseCommandLineText("-playnum=3");
    EXPECT_EQ(line.mDemoFileName, "quibapp-2.dmo");
    line.ParseCommandLineText("-playnum=-99999999999");
    EXPECT_EQ(line.mDemoFileName, "quibapp0.dmo");
    line.ParseCommandLineText("-recnum=99999999999");
    EXPECT_EQ(line.mDemoFileName, "quibapp1.dmo");
}

TEST_F(CommandLineTest, OnlyExactNumberedNamesCount)
{
    makeDemos({"quibapp12x.dmo", "quibapp99999999999.dmo", "quibapp.dmo", "QUIBAPP3.DMO", "quibapp03.dmo",
               "quibapp-1.dmo", "quibapp2.dmo.bak"});
    EXPECT_EQ(CommandLine::FindDemoFileNumbers("quibapp", 5, false), 3);
    // Three distinct numbers (3, 3 again as "03", -1): deleting at keep 2 removes -1.
    EXPECT_EQ(CommandLine::FindDemoFileNumbers("quibapp", 2, true), 3);
    EXPECT_FALSE(platform::fileExists("quibapp-1.dmo"));
    EXPECT_TRUE(platform::fileExists("quibapp12x.dmo"));
    std::filesystem::create_directories("sub");
    makeDemos({"sub/run8.dmo"});
    EXPECT_EQ(CommandLine::FindDemoFileNumbers("sub/run", 1, false), 8);
}

TEST(CommandLineJoin, ArgumentsBecomeOneLineThatParsesBack)
{
    const std::string joined =
        CommandLine::JoinArguments({"/opt/my game/orvellan", "-demofile=a b.dmo", "-play"});
    EXPECT_EQ(joined, "\"/opt/my game/orvellan\" \"-demofile=a b.dmo\" -play");
    struct Quiet : FakeCommandLineHost
    {
        void RestoreDisplayAndExit(int) override {}
    } quiet;
    StringTable strings;
    CommandLine line(quiet, strings);
    quiet.line = &line;
    gSharedDataFolder.clear();
    line.ParseCommandLine(joined);
    EXPECT_EQ(line.mDemoFileName, "a b.dmo");
    EXPECT_TRUE(line.mPlayDemo);
}

} // namespace
