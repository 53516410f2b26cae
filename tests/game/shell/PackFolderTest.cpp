#include "game/shell/PackFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

namespace fs = std::filesystem;

class PackFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot = fs::temp_directory_path() / ("orvellan-packfolder-" + std::to_string(getpid()));
        fs::remove_all(mRoot);
        fs::create_directories(mRoot / "bin");
    }
    void TearDown() override { fs::remove_all(mRoot); }

    void Touch(const std::string& relative)
    {
        const fs::path file = mRoot / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    std::string Bin() const { return (mRoot / "bin").string() + "/"; }

    fs::path mRoot;
};

TEST_F(PackFolderTest, ThePacksOwnFolderWinsThenAnInstallationsShareFolder)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> files;
        std::string expected; // relative to the program's bin folder
    };
    const Case cases[] = {
        {"archive beside the program", {"bin/main.pak", "share/orvellan/main.pak"}, ""},
        {"loose pack beside the program", {"bin/properties/resources.xml"}, ""},
        {"installed archive", {"share/orvellan/main.pak"}, "../share/orvellan/"},
        {"installed loose pack", {"share/orvellan/properties/resources.xml"}, "../share/orvellan/"},
        {"another game's share folder", {"share/other/main.pak"}, ""},
        {"no pack anywhere", {}, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        for (const std::string& file : c.files)
            Touch(file);
        EXPECT_EQ(FindPackFolder(Bin()), Bin() + c.expected);
    }
}

TEST_F(PackFolderTest, AProgramFolderWithoutItsSlashIsFoundAlikeAndAnEmptyOneStaysEmpty)
{
    Touch("share/orvellan/main.pak");
    EXPECT_EQ(FindPackFolder((mRoot / "bin").string()), Bin() + "../share/orvellan/");
    EXPECT_EQ(FindPackFolder(""), "");
}

} // namespace
