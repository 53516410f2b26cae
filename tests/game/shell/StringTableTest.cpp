#include "game/shell/StringTable.h"

#include "framework/files/PakInterface.h"
#include "game/shell/SfxIndexTable.h"
#include "tests/framework/files/PakTestFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

TEST(StringTable, ReadsTheEntriesDirectlyInsideStrings)
{
    const struct
    {
        const char* name;
        const char* document;
        const char* key;
        const char* text;
    } cases[] = {
        {"plain entry", "<Strings><LBL_A value=\"x\"/></Strings>", "LBL_A", "x"},
        {"line breaks", "<Strings><MSG value=\"one&cr;&cr;two\"/></Strings>", "MSG", "one\n\ntwo"},
        {"other entities", "<Strings><MSG value=\"&lt;a&amp;b&gt; &quot;q&quot; it&apos;s\"/></Strings>",
         "MSG", "<a&b> \"q\" it's"},
        {"missing value", "<Strings><EMPTY other=\"y\"></EMPTY></Strings>", "EMPTY", ""},
        {"later duplicate wins", "<Strings><K value=\"1\"/><K value=\"2\"/></Strings>", "K", "2"},
        {"nested one level deeper", "<Strings><Group><LBL_A value=\"x\"/></Group></Strings>", "LBL_A",
         "error::not found LBL_A"},
        {"the group itself counts", "<Strings><Group value=\"g\"><LBL_A value=\"x\"/></Group></Strings>",
         "Group", "g"},
        {"outside Strings", "<Other><LBL_A value=\"x\"/></Other>", "LBL_A", "error::not found LBL_A"},
        {"the root is no entry", "<Strings value=\"root\"></Strings>", "Strings", "error::not found Strings"},
        {"keys are case-sensitive", "<Strings><lbl_a value=\"x\"/></Strings>", "LBL_A",
         "error::not found LBL_A"},
        {"text and comments ignored",
         "<?xml version=\"1.0\"?><Strings>hello<!-- <C value=\"c\"/> --><B value=\"b\"/></Strings>", "B",
         "b"},
        {"entries before an error stay", "<Strings><A value=\"a\"/><B value=\"b\"></C><D value=\"d\"/>", "A",
         "a"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        PakTestFolder folder;
        folder.Write("properties/Strings.xml", c.document);
        StringTable table;
        EXPECT_TRUE(table.Load());
        EXPECT_EQ(table.Lookup(c.key), c.text);
    }
}

TEST(StringTable, AMissingKeyReadsAsNotFoundAndSetReplaces)
{
    StringTable table;
    EXPECT_EQ(table.Lookup("LBL_CLOSE"), "error::not found LBL_CLOSE");
    EXPECT_EQ(table.Lookup(""), "error::not found ");
    table.Set("LBL_CLOSE", "Close");
    table.Set("LBL_CLOSE", "Shut");
    EXPECT_EQ(table.Lookup("LBL_CLOSE"), "Shut");
}

TEST(StringTable, AMissingFileIsReportedAndLeavesTheTableAsItWas)
{
    PakTestFolder folder;
    StringTable table;
    table.Set("KEEP", "k");
    EXPECT_FALSE(table.Load());
    EXPECT_EQ(table.Lookup("KEEP"), "k");
}

TEST(StringTable, IsOneInstanceUntilDeleted)
{
    StringTable& first = StringTable::GetInstance();
    EXPECT_EQ(gStringTable, &first);
    first.Set("A", "a");
    EXPECT_EQ(StringTable::GetInstance().Lookup("A"), "a");
    StringTable::DeleteInstance();
    EXPECT_EQ(gStringTable, nullptr);
    EXPECT_EQ(StringTable::GetInstance().Lookup("A"), "error::not found A");
    StringTable::DeleteInstance();
}

TEST(SfxIndexTable, ReadsDecimalIndexesAndAnswersMinusOneForMissingScenes)
{
    PakTestFolder folder;
    folder.Write("properties/SFX.xml", "<Strings><Scene1 value=\"4\"/><Scene2 value=\"  -3\"/>"
                                       "<Scene3 value=\"x7\"/><Scene4/><Scene1 value=\"+12abc\"/>"
                                       "<Deeper><Scene5 value=\"5\"/></Deeper></Strings>");
    SfxIndexTable table;
    table.Load();
    EXPECT_EQ(table.Lookup("Scene1"), 12);
    EXPECT_EQ(table.Lookup("Scene2"), -3);
    EXPECT_EQ(table.Lookup("Scene3"), 0);
    EXPECT_EQ(table.Lookup("Scene4"), 0);
    EXPECT_EQ(table.Lookup("Scene5"), -1);
    EXPECT_EQ(table.Lookup("Scene99"), -1);
    table.Set("Scene99", 2);
    EXPECT_EQ(table.Lookup("Scene99"), 2);
}

TEST(SfxIndexTable, ValuesParseLikeADecimalNumberThatStopsAtItsLimits)
{
    const struct
    {
        const char* text;
        int32_t value;
    } cases[] = {{"0", 0},
                 {"\t\n 42", 42},
                 {"-0", 0},
                 {"- 5", 0},
                 {"", 0},
                 {"0x10", 0},
                 {"2147483647", 2147483647},
                 {"2147483648", 2147483647},
                 {"-2147483648", -2147483647 - 1},
                 {"-99999999999999999999", -2147483647 - 1}};
    for (const auto& c : cases)
        EXPECT_EQ(SfxIndexTable::ParseValue(c.text), c.value) << c.text;
}

TEST(SfxIndexTable, AMissingFileLeavesItEmpty)
{
    PakTestFolder folder;
    SfxIndexTable table;
    table.Load();
    EXPECT_EQ(table.Lookup("Scene1"), -1);
}

// The archive stays mounted for the rest of the process, so it holds a name
// that no other test reads.
TEST(StringTable, ReadsFromTheArchiveWhenItHoldsTheFile)
{
    PakTestFolder folder;
    PakArchiveWriter writer;
    ASSERT_TRUE(
        writer.AddFile("properties\\Packed.xml", Bytes("<Strings><FROM value=\"archive\"/></Strings>")));
    ASSERT_TRUE(writer.WriteTo("main.pak"));
    folder.Write("properties/Packed.xml", "<Strings><FROM value=\"disk\"/></Strings>");
    ASSERT_TRUE(gPakInterface->MountArchive("main.pak")) << gPakInterface->GetErrorMessage();
    StringTable table;
    EXPECT_TRUE(table.Load("properties/Packed.xml"));
    EXPECT_EQ(table.Lookup("FROM"), "archive");
}

} // namespace
