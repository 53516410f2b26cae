#include "platform/CrashSignals.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

class CrashSignalsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/orvellan-crashsignals-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        mFolder = pattern;
    }
    void TearDown() override { fs::remove_all(mFolder); }

    std::string Read(const fs::path& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path mFolder;
};

// Whatever stands where the report goes is replaced by a new file of its own;
// nothing is written through it.
TEST_F(CrashSignalsTest, TheReportFileIsAlwaysANewRegularFile)
{
    const fs::path letter = mFolder / "letter.txt";
    struct Case
    {
        const char* name;
        void (*make)(const fs::path& place, const fs::path& letter);
        bool written;
    } cases[] = {
        {"link", [](const fs::path& p, const fs::path& l) { fs::create_symlink(l, p); }, true},
        {"hard link", [](const fs::path& p, const fs::path& l) { fs::create_hard_link(l, p); }, true},
        {"pipe", [](const fs::path& p, const fs::path&) { mkfifo(p.c_str(), 0600); }, true},
        {"old report", [](const fs::path& p, const fs::path&) { std::ofstream(p) << "an old report"; }, true},
        {"folder", [](const fs::path& p, const fs::path&) { fs::create_directory(p); }, false},
    };
    for (const Case& c : cases)
    {
        std::ofstream(letter) << "Dear diary";
        const fs::path place = mFolder / "crash.txt";
        c.make(place, letter);
        const int fd = platform::crash::createFile(place.c_str());
        EXPECT_EQ(fd >= 0, c.written) << c.name;
        platform::crash::writeText(fd, "report");
        platform::crash::closeFile(fd);
        EXPECT_EQ(Read(letter), "Dear diary") << c.name;
        if (c.written)
        {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(place))) << c.name;
            EXPECT_EQ(Read(place), "report") << c.name;
        }
        fs::remove_all(place);
    }
}

TEST_F(CrashSignalsTest, FoldersAreMadeOnTheWay)
{
    const fs::path deep = mFolder / "a" / "b" / "c";
    platform::crash::createFolders(deep.c_str());
    EXPECT_TRUE(fs::is_directory(deep));
    platform::crash::createFolders(deep.c_str());
    EXPECT_TRUE(fs::is_directory(deep));
}

// The crashed program held its signal back and may have ignored stop
// requests; the report's process starts with neither.
TEST_F(CrashSignalsTest, TheDetachedProcessStartsWithNoSignalBlockedOrIgnored)
{
    const fs::path result = mFolder / "status";
    const std::string script = "grep -E '^Sig(Blk|Ign):' /proc/self/status > '" + result.string() +
                               ".part' && mv '" + result.string() + ".part' '" + result.string() + "'";
    static char shell[] = "/bin/sh";
    static char dashC[] = "-c";
    std::string command = script;
    char* argv[] = {shell, dashC, command.data(), nullptr};

    sigset_t blocked, previousMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGSEGV);
    sigprocmask(SIG_BLOCK, &blocked, &previousMask);
    struct sigaction ignore
    {
    };
    ignore.sa_handler = SIG_IGN;
    struct sigaction previousInt, previousHup;
    sigaction(SIGINT, &ignore, &previousInt);
    sigaction(SIGHUP, &ignore, &previousHup);
    platform::crash::startDetached(shell, argv);
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGHUP, &previousHup, nullptr);
    sigprocmask(SIG_SETMASK, &previousMask, nullptr);

    // The process is not this one's child: its answer appears as a file.
    for (int wait = 0; wait < 30000 && !fs::exists(result); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const std::string status = Read(result);
    ASSERT_FALSE(status.empty());
    const size_t blockedAt = status.find("SigBlk:");
    const size_t ignoredAt = status.find("SigIgn:");
    ASSERT_NE(blockedAt, std::string::npos);
    ASSERT_NE(ignoredAt, std::string::npos);
    EXPECT_EQ(std::stoull(status.substr(blockedAt + 7), nullptr, 16), 0u) << status;
    const unsigned long long ignored = std::stoull(status.substr(ignoredAt + 7), nullptr, 16);
    for (int stop : {SIGHUP, SIGINT, SIGTERM})
        EXPECT_EQ(ignored & (1ull << (stop - 1)), 0u) << stop << "\n" << status;
}

} // namespace
