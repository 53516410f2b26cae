#include "platform/Files.h"

#include "platform/Environment.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{

class FilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot = std::filesystem::temp_directory_path() /
                ("orvellan-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(mRoot);
        std::filesystem::create_directories(mRoot / "Data" / "Images");
        write("Data/Images/Logo.PNG", "png");
    }
    void TearDown() override { std::filesystem::remove_all(mRoot); }

    std::string path(const std::string& relative) const { return (mRoot / relative).string(); }
    void write(const std::string& relative, const std::string& text) const
    {
        ASSERT_TRUE(platform::writeFile(path(relative), text.data(), text.size()));
    }

    std::string read(const std::string& relative) const
    {
        const auto data = platform::readFile(path(relative));
        return data ? std::string(data->begin(), data->end()) : "<unreadable>";
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : platform::listDirectory(mRoot.string()))
            found.push_back(entry.name);
        return found;
    }

    std::filesystem::path mRoot;
};

// The id of a process that has ended.
pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(FilesTest, PathFunctionFixesSeparatorsAndCase)
{
    const std::string exact = path("Data/Images/Logo.PNG");
    struct Case
    {
        std::string asked;
        std::string expected;
    };
    const Case cases[] = {
        {path("Data/Images/Logo.PNG"), exact},
        {mRoot.string() + "\\Data\\Images\\Logo.PNG", exact},
        {path("data/images/logo.png"), exact},
        {mRoot.string() + "\\DATA\\images\\LOGO.png", exact},
        {path("data/images/missing.png"), path("Data/Images/missing.png")},
        {path("nothere/images/logo.png"), path("nothere/images/logo.png")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::nativePath(c.asked), c.expected) << c.asked;
}

TEST_F(FilesTest, ReadWriteAndInfo)
{
    auto data = platform::readFile(path("data\\images\\logo.png"));
    ASSERT_TRUE(data);
    EXPECT_EQ(std::string(data->begin(), data->end()), "png");
    EXPECT_FALSE(platform::readFile(path("Data/Images/Logo.PNG"), 2)) << "larger than the limit";
    EXPECT_FALSE(platform::readFile(path("Data/nothing")));
    EXPECT_FALSE(platform::readFile(path("Data"))) << "a folder is not a file";
    EXPECT_TRUE(platform::fileExists(path("DATA/IMAGES/LOGO.PNG")));
    EXPECT_FALSE(platform::fileExists(path("Data")));
    EXPECT_TRUE(platform::directoryExists(path("data")));
    EXPECT_EQ(platform::fileInfo(path("Data/Images/Logo.PNG"))->size, 3u);
}

TEST_F(FilesTest, AtomicWriteReplacesWholeFileAndLeavesNoTemporary)
{
    write("save.dat", "old contents");
    const std::string fresh = "new";
    ASSERT_TRUE(platform::writeFileAtomic(path("save.dat"), fresh.data(), fresh.size()));
    auto data = platform::readFile(path("save.dat"));
    ASSERT_TRUE(data);
    EXPECT_EQ(std::string(data->begin(), data->end()), "new");
    auto entries = platform::listDirectory(mRoot.string());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Data");
    EXPECT_TRUE(entries[0].isDirectory);
    EXPECT_EQ(entries[1].name, "save.dat");

    EXPECT_FALSE(platform::writeFileAtomic(path("no/such/folder/save.dat"), "x", 1));
}

TEST_F(FilesTest, AtomicWriteRemovesOnlyTheTemporariesOfEndedWritersOfTheSameFile)
{
    const std::string dead = std::to_string(endedProcess());
    const std::string alive = std::to_string(::getppid());
    const std::vector<std::string> stale = {"save.dat.tmp" + dead, "save.dat.tmp" + dead + ".7"};
    const std::vector<std::string> kept = {"other.dat.tmp" + dead + ".1", "save.dat.tmp" + alive + ".2",
                                           "save.dat.tmpfoo", "save.dat.tmp" + dead + ".x"};
    for (const auto& name : stale)
        write(name, "left by a writer that died");
    for (const auto& name : kept)
        write(name, "not ours to remove");
    ASSERT_TRUE(platform::writeFileAtomic(path("save.dat"), "new", 3));
    std::vector<std::string> expected = kept;
    expected.push_back("Data");
    expected.push_back("save.dat");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(), expected);
}

TEST_F(FilesTest, TwoThreadsSavingOneFileBothSucceed)
{
    const std::string texts[2] = {std::string(64 * 1024, 'a'), std::string(64 * 1024, 'b')};
    std::atomic<int> failures{0};
    auto save = [&](int which)
    {
        for (int i = 0; i < 100; ++i)
            if (!platform::writeFileAtomic(path("save.dat"), texts[which].data(), texts[which].size()))
                ++failures;
    };
    std::thread first(save, 0);
    std::thread second(save, 1);
    first.join();
    second.join();
    EXPECT_EQ(failures, 0);
    const std::string saved = read("save.dat");
    EXPECT_TRUE(saved == texts[0] || saved == texts[1]);
    EXPECT_EQ(names(), (std::vector<std::string>{"Data", "save.dat"}));
}

// A writer killed in the middle of a save leaves the old or the new file whole,
// and what it was writing goes with the next save.
TEST_F(FilesTest, AtomicWriteSurvivesWritersKilledMidSave)
{
    const std::string texts[2] = {std::string(256 * 1024, 'a'), std::string(256 * 1024, 'b')};
    ASSERT_TRUE(platform::writeFileAtomic(path("save.dat"), texts[0].data(), texts[0].size()));
    for (int round = 0; round < 8; ++round)
    {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0)
        {
            for (int i = 0;; ++i)
                platform::writeFileAtomic(path("save.dat"), texts[i % 2].data(), texts[i % 2].size());
        }
        // Killed while one of its temporaries is there, so mid-save.
        const std::string itsTemporary = "save.dat.tmp" + std::to_string(writer);
        auto writing = [&]
        {
            for (const auto& name : names())
                if (name.starts_with(itsTemporary))
                    return true;
            return false;
        };
        while (!writing())
            std::this_thread::yield();
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        const std::string saved = read("save.dat");
        EXPECT_TRUE(saved == texts[0] || saved == texts[1]) << "round " << round << ": " << saved.size();
    }
    ASSERT_TRUE(platform::writeFileAtomic(path("save.dat"), "last", 4));
    EXPECT_EQ(read("save.dat"), "last");
    EXPECT_EQ(names(), (std::vector<std::string>{"Data", "save.dat"}));
}

TEST_F(FilesTest, DirectoriesAndFileObject)
{
    ASSERT_TRUE(platform::createDirectories(path("a\\b\\c")));
    EXPECT_TRUE(platform::directoryExists(path("a/b/c")));
    EXPECT_TRUE(platform::removeDirectory(path("a/b/c")));
    EXPECT_FALSE(platform::directoryExists(path("a/b/c")));

    platform::File file;
    ASSERT_TRUE(file.open(path("a/b/f.bin"), platform::File::Mode::Write));
    EXPECT_EQ(file.write("0123456789", 10), 10u);
    file.close();
    ASSERT_TRUE(file.open(path("A/B/F.BIN"), platform::File::Mode::Read));
    EXPECT_EQ(file.size(), 10);
    ASSERT_TRUE(file.seek(4, SEEK_SET));
    char buffer[16] = {};
    EXPECT_EQ(file.read(buffer, sizeof buffer), 6u);
    EXPECT_STREQ(buffer, "456789");
    EXPECT_EQ(file.tell(), 10);

    platform::MappedFile mapped;
    ASSERT_TRUE(mapped.open(path("a/b/f.bin")));
    ASSERT_EQ(mapped.size(), 10u);
    EXPECT_EQ(mapped.data()[9], '9');
}

// A pipe, a socket or a device in a save file's place would leave its reader
// waiting for ever; every way of opening refuses it at once. (Before the fix
// the first open below never returned: the alarm ends the test then.)
TEST_F(FilesTest, OnlyRegularFilesOpen)
{
    const std::string pipe = path("Data.omsg");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ::alarm(60);
    using Mode = platform::File::Mode;
    for (Mode mode : {Mode::Read, Mode::ReadWrite, Mode::Write, Mode::Append})
    {
        platform::File file;
        EXPECT_FALSE(file.open(pipe, mode)) << int(mode);
    }
    EXPECT_FALSE(platform::readFile(pipe));
    EXPECT_FALSE(platform::fileExists(pipe));
    EXPECT_FALSE(platform::fileInfo(pipe)->isRegular);
    platform::MappedFile mapped;
    EXPECT_FALSE(mapped.open(pipe));
    platform::File device;
    EXPECT_FALSE(device.open("/dev/zero", Mode::Read)) << "a device never ends";
    ::alarm(0);

    // Opening for reading leaves the file blocking, as its readers expect.
    platform::File file;
    ASSERT_TRUE(file.open(path("Data/Images/Logo.PNG"), Mode::Read));
    char bytes[4] = {};
    EXPECT_EQ(file.read(bytes, 3), 3u);
}

TEST_F(FilesTest, ALinkIsFollowedOnlyWhereAllowed)
{
    write("other.txt", "the user's own");
    std::filesystem::create_symlink(path("other.txt"), path("crash.txt"));
    EXPECT_EQ(read("crash.txt"), "the user's own");
    EXPECT_FALSE(platform::readFileNoFollow(path("crash.txt"), 1000));
    platform::File file;
    EXPECT_FALSE(file.open(path("crash.txt"), platform::File::Mode::Write, platform::File::Links::Refuse));
    EXPECT_EQ(read("other.txt"), "the user's own");
    EXPECT_TRUE(platform::readFileNoFollow(path("other.txt"), 1000));
}

TEST_F(FilesTest, CaseLookupSeesChangesToFoldersItHasSeenBefore)
{
    namespace fs = std::filesystem;
    const auto images = mRoot / "Data" / "Images";
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(images, anHourAgo);
    EXPECT_EQ(platform::nativePath(path("data/images/logo.png")), path("Data/Images/Logo.PNG"));
    EXPECT_EQ(platform::nativePath(path("data/images/new.png")), path("Data/Images/new.png"));

    write("Data/Images/NEW.png", "x");
    EXPECT_EQ(platform::nativePath(path("data/images/new.png")), path("Data/Images/NEW.png"))
        << "a folder that just changed is read afresh";

    fs::last_write_time(images, anHourAgo - std::chrono::minutes(1));
    fs::rename(images / "NEW.png", images / "Renamed.png");
    fs::last_write_time(images, anHourAgo - std::chrono::minutes(2));
    EXPECT_EQ(platform::nativePath(path("data/images/renamed.PNG")), path("Data/Images/Renamed.png"))
        << "a listing kept from before is dropped once the folder's time differs";
    EXPECT_EQ(platform::nativePath(path("data/images/new.png")), path("Data/Images/new.png"));
}

TEST(Environment, DataFolderPrefersAppDataThenXdg)
{
    const auto savedAppData = platform::getEnv("APPDATA");
    const auto savedXdg = platform::getEnv("XDG_DATA_HOME");
    const auto savedHome = platform::getEnv("HOME");

    platform::setEnv("APPDATA", "/win/appdata");
    platform::setEnv("XDG_DATA_HOME", "/xdg/data");
    EXPECT_EQ(platform::userDataFolder(), "/win/appdata/");
    platform::setEnv("APPDATA", "");
    EXPECT_EQ(platform::userDataFolder(), "/xdg/data/");
    platform::setEnv("XDG_DATA_HOME", "");
    platform::setEnv("HOME", "/home/player");
    EXPECT_EQ(platform::userDataFolder(), "/home/player/.local/share/");

    platform::setEnv("APPDATA", savedAppData.value_or(""));
    platform::setEnv("XDG_DATA_HOME", savedXdg.value_or(""));
    platform::setEnv("HOME", savedHome.value_or(""));
}

} // namespace
