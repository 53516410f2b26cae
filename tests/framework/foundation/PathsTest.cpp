#include "framework/foundation/Paths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace Quib;
namespace fs = std::filesystem;

namespace
{

TEST(Paths, ResolveRelativePath)
{
    struct Case
    {
        const char* relative;
        const char* base;
        const char* result;
    };
    const Case cases[] = {
        {"..\\x.png", "C:\\games\\data\\", "C:\\games\\x.png"},
        {"sub/a.png", "fonts/", "fonts/sub/a.png"},
        {"D:\\b.png", "C:\\anything\\", "D:\\b.png"},
        {"./a.png", "fonts", "fonts/a.png"},
        {"..\\a", "..\\", "..\\..\\a"},
        // Only the leading "." and ".." are resolved; later ones stay as written.
        {"../sub/../a.png", "data/fonts/", "data/sub/../a.png"},
        // Climbing above the base's first folder leaves the rest unresolved.
        {"../../x", "data/", "../x"},
        {"a.png", "", "a.png"},
        {"../a.png", "", "../a.png"},
        // A leading separator makes the path start at the base's root.
        {"/abs/x.png", "C:\\data\\", "C:\\abs\\x.png"},
        // One "\" anywhere makes the whole result use "\".
        {"sub\\a.png", "fonts/", "fonts\\sub\\a.png"},
        {"sub/a.png", "C:\\fonts", "C:\\fonts\\sub\\a.png"},
        {"./.././x", "a/b/", "a/x"},
        {"x", "a/b", "a/b/x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveRelativePath(c.relative, c.base), c.result) << c.relative << " against " << c.base;
}

TEST(Paths, PathPieces)
{
    struct Case
    {
        const char* path;
        const char* nameNoExtension;
        const char* directory;
    };
    const Case cases[] = {
        {"C:\\a\\file.txt", "file", "C:\\a"},
        {"archive.tar.gz", "archive.tar", ""},
        {"a.b/file", "file", "a.b"},
        {"plain", "plain", ""},
        {"a/b\\c.txt", "c", "a/b"},
        {"dir/", "", "dir"},
        {".hidden", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(FileNameNoExtension(c.path), c.nameNoExtension) << c.path;
        EXPECT_EQ(DirectoryOfPath(c.path), c.directory) << c.path;
    }

    EXPECT_EQ(StripPathSeparator("dir\\"), "dir");
    EXPECT_EQ(StripPathSeparator("dir\\\\"), "dir\\");
    EXPECT_EQ(StripPathSeparator("dir/"), "dir");
    EXPECT_EQ(StripPathSeparator("dir"), "dir");
    EXPECT_EQ(StripPathSeparator(""), "");
    EXPECT_EQ(EnsurePathSeparator("dir/"), "dir/");
    EXPECT_EQ(EnsurePathSeparator("dir\\"), "dir\\");
    EXPECT_EQ(EnsurePathSeparator("dir"), "dir\\");
    EXPECT_EQ(EnsurePathSeparator(""), "");
}

TEST(Paths, SharedDataFolderGetsATrailingSeparator)
{
    const std::string saved = gSharedDataFolder;
    EXPECT_TRUE(GetSharedDataFolder().empty());
    SetSharedDataFolder("C:\\ProgramData\\Company\\Product");
    EXPECT_EQ(GetSharedDataFolder(), "C:\\ProgramData\\Company\\Product\\");
    SetSharedDataFolder("/var/lib/game/");
    EXPECT_EQ(GetSharedDataFolder(), "/var/lib/game/");
    SetSharedDataFolder("");
    EXPECT_EQ(GetSharedDataFolder(), "");
    gSharedDataFolder = saved;
}

class PathsOnDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot = fs::temp_directory_path() /
                ("foundation-paths-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(mRoot);
        fs::create_directories(mRoot);
    }
    void TearDown() override { fs::remove_all(mRoot); }

    static void touch(const fs::path& path) { std::ofstream(path) << "x"; }

    fs::path mRoot;
};

TEST_F(PathsOnDisk, MakeDirectoriesCreatesEveryLevel)
{
    const std::string windowsStyle = mRoot.string() + "\\one\\two/three";
    MakeDirectories(windowsStyle);
    EXPECT_TRUE(fs::is_directory(mRoot / "one" / "two" / "three"));
    // Existing folders are fine and nothing is reported.
    MakeDirectories(windowsStyle + "\\");
    MakeDirectories("");
    EXPECT_TRUE(fs::is_directory(mRoot / "one" / "two" / "three"));
}

TEST_F(PathsOnDisk, DeleteDirectoryTreeRemovesEverything)
{
    fs::create_directories(mRoot / "tree" / "a" / "b");
    touch(mRoot / "tree" / "top.txt");
    touch(mRoot / "tree" / "a" / "mid.txt");
    touch(mRoot / "tree" / "a" / "b" / "deep.txt");
    EXPECT_TRUE(DeleteDirectoryTree(mRoot.string() + "\\tree\\"));
    EXPECT_FALSE(fs::exists(mRoot / "tree"));
    EXPECT_TRUE(fs::exists(mRoot));

    EXPECT_FALSE(DeleteDirectoryTree((mRoot / "missing").string()));
    EXPECT_FALSE(DeleteDirectoryTree("x"));
    EXPECT_FALSE(DeleteDirectoryTree(""));
}

TEST_F(PathsOnDisk, DeleteDirectoryTreeRemovesLinksWithoutFollowingThem)
{
    fs::create_directories(mRoot / "outside");
    touch(mRoot / "outside" / "keep.txt");
    fs::create_directories(mRoot / "tree");
    fs::create_directory_symlink(mRoot / "outside", mRoot / "tree" / "link");
    touch(mRoot / "tree" / "file.txt");

    EXPECT_TRUE(DeleteDirectoryTree((mRoot / "tree").string()));
    EXPECT_FALSE(fs::exists(mRoot / "tree"));
    EXPECT_TRUE(fs::exists(mRoot / "outside" / "keep.txt"));
}

TEST_F(PathsOnDisk, DeleteDirectoryTreeNeverReachesOutsideThroughBackslashNames)
{
    // On this file system "\" is an ordinary name byte, but the framework reads
    // it as a separator: such a name must not be turned into a path elsewhere.
    fs::create_directories(mRoot / "victim");
    touch(mRoot / "victim" / "keep.txt");
    fs::create_directories(mRoot / "tree");
    touch(mRoot / "tree" / "..\\victim\\keep.txt");

    EXPECT_FALSE(DeleteDirectoryTree((mRoot / "tree").string()));
    EXPECT_TRUE(fs::exists(mRoot / "victim" / "keep.txt"));
}

TEST_F(PathsOnDisk, ModifiedTimeAndCurrentFolder)
{
    const fs::path file = mRoot / "stamp.txt";
    touch(file);
    const auto when =
        std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(1234567890)));
    fs::last_write_time(file, when);
    EXPECT_EQ(GetFileModifiedTime(file.string()), 1234567890);
    EXPECT_EQ(GetFileModifiedTime((mRoot / "missing.txt").string()), 0);
    EXPECT_EQ(GetCurrentFolder(), fs::current_path().string());
}

} // namespace
