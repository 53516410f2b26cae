#include "tools/contentcheck/PackChecks.h"

#include "platform/Files.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{

bool mentions(const contentcheck::Problems& problems, const std::string& text)
{
    for (const std::string& problem : problems)
        if (problem.find(text) != std::string::npos)
            return true;
    return false;
}

contentgen::ResourceTable packTable()
{
    auto bytes = platform::readFile(std::string(ORVELLAN_SOURCE_DIR) + "/content/resources.txt");
    std::string error;
    auto table = contentgen::readResourceTable(std::string(bytes->begin(), bytes->end()), error);
    EXPECT_TRUE(table) << error;
    return *table;
}

TEST(PackChecksTest, TheAuthoredTableHasTheGameNumbering)
{
    contentcheck::Problems problems;
    contentcheck::checkNumbering(packTable(), problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(PackChecksTest, NumberingFaultsAreFound)
{
    {
        // Two typewriter keys swapped: the ids computed from letter codes would miss.
        contentgen::ResourceTable table = packTable();
        std::swap(table.entries[135], table.entries[136]);
        contentcheck::Problems problems;
        contentcheck::checkNumbering(table, problems);
        EXPECT_TRUE(mentions(problems, "IMAGE_MG_KEY_A_UP has id 136, not 135"));
    }
    {
        // An ambient loop moved before its neighbours: the sound ids would shift.
        contentgen::ResourceTable table = packTable();
        std::swap(table.entries[549], table.entries[550]);
        contentcheck::Problems problems;
        contentcheck::checkNumbering(table, problems);
        EXPECT_TRUE(mentions(problems, "AMBIENT_SOUND_1 has id 550"));
    }
    {
        // A picture moved into the next group would be loaded and fetched with it.
        contentgen::ResourceTable table = packTable();
        table.entries[10].group = "IntroSequence";
        contentcheck::Problems problems;
        contentcheck::checkNumbering(table, problems);
        EXPECT_TRUE(mentions(problems, "IMAGE_LEGAL_PUBLISHER (id 10) lies in group IntroSequence"));
    }
    {
        contentgen::ResourceTable table = packTable();
        table.entries[520].kind = contentgen::ResourceKind::Image;
        table.entries.pop_back();
        contentcheck::Problems problems;
        contentcheck::checkNumbering(table, problems);
        EXPECT_TRUE(mentions(problems, "SFX_BUTTON_OVER is declared as the wrong kind"));
        EXPECT_TRUE(mentions(problems, "570 identifiers"));
    }
}

TEST(PackChecksTest, KeyPatternsExpand)
{
    EXPECT_EQ(contentcheck::expandKeyPattern("Scene{1-3}_NAME"),
              (std::vector<std::string>{"Scene1_NAME", "Scene2_NAME", "Scene3_NAME"}));
    EXPECT_EQ(contentcheck::expandKeyPattern("ENTRY{7-7}"), (std::vector<std::string>{"ENTRY7"}));
    EXPECT_EQ(contentcheck::expandKeyPattern("LBL_PLAIN"), (std::vector<std::string>{"LBL_PLAIN"}));
    EXPECT_TRUE(contentcheck::expandKeyPattern("A{3-1}").empty());
}

// Property files in a scratch folder made the working folder, as the checker runs in the pack.
class PropertyFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot = std::filesystem::temp_directory_path() / ("orvellan-props-" + std::to_string(::getpid()));
        std::filesystem::create_directories(mRoot / "properties");
        mPrevious = std::filesystem::current_path();
        std::filesystem::current_path(mRoot);
    }
    void TearDown() override
    {
        std::filesystem::current_path(mPrevious);
        std::filesystem::remove_all(mRoot);
    }
    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(mRoot / "properties" / name, std::ios::binary) << text;
    }
    std::filesystem::path mRoot, mPrevious;
};

TEST_F(PropertyFolder, OnlyEntriesDirectlyInsideStringsCount)
{
    write("Strings.xml",
          "<Strings>\n <LBL_A value=\"x\" />\n <Group>\n  <LBL_DEEP value=\"y\" />\n </Group>\n"
          " <LBL_LINES value=\"one&cr;two\" />\n</Strings>\n<LBL_OUTSIDE value=\"z\" />\n");
    contentcheck::Problems problems;
    auto entries = contentcheck::readPropertyFile("properties/Strings.xml", "value", problems);
    std::vector<std::pair<std::string, std::string>> expected = {
        {"LBL_A", "x"}, {"Group", ""}, {"LBL_LINES", "one\ntwo"}};
    EXPECT_EQ(entries, expected);
}

TEST_F(PropertyFolder, MissingKeysBadBytesAndAmbientIndexesAreFound)
{
    write("Strings.xml", "<Strings>\n <LBL_A value=\"caf\xE9\" />\n <LBL_B value=\"bad \x81 byte\" />\n"
                         " <Scene2_NAME value=\"Hall\" />\n</Strings>\n");
    write("Diary.xml", "<Strings>\n <ENTRY1 value=\"Day one.\" />\n</Strings>\n");
    std::string sfx = "<Strings>\n";
    for (int scene = 1; scene <= 31; ++scene)
        sfx += " <Scene" + std::to_string(scene) + " value=\"" + (scene == 4 ? "19" : "0") + "\" />\n";
    write("SFX.xml", sfx + "</Strings>\n");
    contentcheck::Problems problems;
    contentcheck::checkProperties(
        "# keys\n[Strings.xml value]\nLBL_A\nScene{1-2}_NAME\n[Diary.xml value]\nENTRY{1-2}\n", problems);
    EXPECT_TRUE(mentions(problems, "Strings.xml lacks the key Scene1_NAME"));
    EXPECT_FALSE(mentions(problems, "Scene2_NAME"));
    EXPECT_TRUE(mentions(problems, "LBL_B holds a byte that is no Windows-1252 character"));
    EXPECT_FALSE(mentions(problems, "LBL_A"));
    EXPECT_TRUE(mentions(problems, "Diary.xml lacks the key ENTRY2"));
    EXPECT_TRUE(mentions(problems, "Scene4 names ambient loop 19"));
    EXPECT_EQ(problems.size(), 4u);
}

} // namespace
