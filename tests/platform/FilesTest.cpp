#include "platform/Files.h"

#include "platform/Environment.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

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

    std::filesystem::path mRoot;
};

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
