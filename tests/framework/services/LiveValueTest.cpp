#include "framework/services/LiveValues.h"
#include "platform/Files.h"
#include "platform/MemoryRegions.h"
#include "platform/MessageBox.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/mman.h>

using namespace Quib;

namespace
{

struct Shown
{
    std::string text, caption;
    uint32_t flags = 0;
};

// Site bytes as a marked literal plants them; built at run time so that the
// test program's own image holds no site.
void appendSite(std::vector<uint8_t>& memory, const std::string& tag)
{
    memory.push_back(1);
    memory.insert(memory.end(), sizeof(void*), 0);
    const std::string marker = std::string("QUIB") + "MODVAL";
    memory.insert(memory.end(), marker.begin(), marker.end());
    memory.insert(memory.end(), tag.begin(), tag.end());
    memory.push_back(0);
}

ModValRecord* recordOf(const uint8_t* site)
{
    ModValRecord* record = nullptr;
    std::memcpy(&record, site + kModValRecordOffset, sizeof(record));
    return record;
}

TEST(LiveValueTest, SplitsTagsThatEndInTwoNumbers)
{
    struct Case
    {
        const char* tag;
        bool splits;
        const char* file;
        int first, second;
    };
    const Case cases[] = {
        {"game.cpp12,40", true, "game.cpp", 12, 40},
        {"src/a1,2,3", true, "src/a1,", 2, 3},
        {"12,40", false, "", 0, 0},       // the scan reaches the first character
        {"game.cpp", false, "", 0, 0},    // nothing scanned
        {"game.cpp12", false, "", 0, 0},  // one number
        {"game.cpp12,", false, "", 0, 0}, // no line
        {"", false, "", 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.tag);
        std::string tag = c.tag;
        int first = -1, second = -1;
        ASSERT_EQ(SplitModValTag(tag, first, second), c.splits);
        if (!c.splits)
            continue;
        EXPECT_EQ(tag, c.file);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
    }
}

TEST(LiveValueTest, ValueTexts)
{
    int integer = 0;
    EXPECT_TRUE(ParseModValInteger("0x1F)", integer));
    EXPECT_EQ(integer, 31);
    EXPECT_TRUE(ParseModValInteger("-12)", integer));
    EXPECT_EQ(integer, -12);
    EXPECT_FALSE(ParseModValInteger("-0x1F)", integer));
    EXPECT_FALSE(ParseModValInteger("12 )", integer));
    EXPECT_FALSE(ParseModValInteger("2.5f)", integer));
    EXPECT_FALSE(ParseModValInteger("UNKNOWN)", integer));
    gModValNamedConstants["LEVELS"] = 9;
    EXPECT_TRUE(ParseModValInteger("LEVELS)", integer));
    EXPECT_EQ(integer, 9);
    gModValNamedConstants.clear();

    double real = 0;
    EXPECT_TRUE(ParseModValDouble(real, "2.5f)"));
    EXPECT_DOUBLE_EQ(real, 2.5);
    EXPECT_TRUE(ParseModValDouble(real, "-0.25)"));
    EXPECT_DOUBLE_EQ(real, -0.25);
    EXPECT_FALSE(ParseModValDouble(real, "1e3)"));
    EXPECT_FALSE(ParseModValDouble(real, "-0x1F)"));
    EXPECT_FALSE(ParseModValDouble(real, ".5)"));

    std::string text;
    EXPECT_TRUE(ParseModValString(text, R"("say \"hi\"\n\tnow\\" ))"));
    EXPECT_EQ(text, "say \"hi\"\n\tnow\\");
    EXPECT_FALSE(ParseModValString(text, R"("bad \q")"));
    EXPECT_FALSE(ParseModValString(text, R"("open)"));
}

TEST(LiveValueTest, ScanFindsSitesAndSkipsMarkersWithoutATag)
{
    GetModValFileTable().clear();
    std::vector<uint8_t> memory = {'x', 'y'};
    appendSite(memory, "scan.cpp7,21");
    appendSite(memory, "");             // the marker text alone, as the framework's own copy
    appendSite(memory, "scan.cpp7,99"); // the same sequence number replaces the first
    appendSite(memory, "scan.cpp2,5");
    ASSERT_TRUE(ScanRangeForModVals(memory.data(), memory.size()));
    const ModValFile& file = GetModValFileTable()["scan.cpp"];
    ASSERT_EQ(file.mSites.size(), 2u);
    EXPECT_EQ(file.mSites.at(7).second, 99);
    EXPECT_EQ(file.mSites.at(2).second, 5);
    EXPECT_FALSE(file.mUsed);

    std::vector<uint8_t> none = {'Q', 'U', 'I', 'B'};
    EXPECT_FALSE(ScanRangeForModVals(none.data(), none.size()));
}

TEST(LiveValueTest, ReparseStoresTheValuesOfMarkedLiterals)
{
    GetModValFileTable().clear();
    std::vector<Shown> shown;
    auto message = [&](const std::string& text, const std::string& caption, uint32_t flags) {
        shown.push_back({text, caption, flags});
    };

    // With nothing registered there is nothing to parse.
    EXPECT_FALSE(ReparseModVals(message));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "WARNING: No file changes detected.  Files parsed: \r\n  none");
    EXPECT_EQ(shown[0].caption, "MODVAL WARNING!");
    EXPECT_EQ(shown[0].flags, platform::MB_ICONWARNING);

    DemoTest::ScratchFolder folder("livevalues");
    const std::string source = folder.File("tune.cpp");
    const std::string text = "int a = M(1);\n"
                             "M(2) int SUM(3) b = M(4);\n"
                             "/* M(5) */ double c = M1(2.5f); // M(6)\n"
                             "const char* d = \"M(7)\"; auto e = M2(\"door\"), f = M3(0x10);\n";
    ASSERT_TRUE(platform::writeFile(source, text.data(), text.size()));

    std::vector<uint8_t> memory;
    std::vector<size_t> offsets;
    for (const char* numbers : {"1,1", "2,2", "3,3", "4,4", "5,4"})
    {
        offsets.push_back(memory.size());
        appendSite(memory, source + numbers);
    }
    ASSERT_TRUE(ScanRangeForModVals(memory.data(), memory.size()));
    // The first literal is evaluated once, which registers its site.
    ModValRecord* first = RegisterModValSite(memory.data() + offsets[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(memory[offsets[0]], 0);
    EXPECT_EQ(recordOf(memory.data() + offsets[0]), first);

    shown.clear();
    gModValReferenceTime = 1; // older than the source
    ASSERT_TRUE(ReparseModVals(message)) << (shown.empty() ? "" : shown[0].text);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(first->mInt, 1);
    EXPECT_EQ(first->mValueRead, 1);
    // Line 2: "M(2)" at the start of the line and "SUM(3)" are not marked.
    ModValRecord* second = recordOf(memory.data() + offsets[1]);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->mInt, 4);
    ModValRecord* third = recordOf(memory.data() + offsets[2]);
    ASSERT_NE(third, nullptr);
    EXPECT_DOUBLE_EQ(third->mDouble, 2.5);
    EXPECT_EQ(third->mInt, 0);
    // Two literals on line 4 take its sites in sequence order; the string
    // literal's text is skipped.
    EXPECT_EQ(recordOf(memory.data() + offsets[3])->mString, "door");
    EXPECT_EQ(recordOf(memory.data() + offsets[4])->mInt, 16);

    // Nothing changed since: every used file is still parsed, then the warning.
    EXPECT_FALSE(ReparseModVals(message));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "WARNING: No file changes detected.  Files parsed: \r\n  " + source);
}

TEST(LiveValueTest, RegistrationWritesIntoReadOnlyImagesAndRestoresTheirProtection)
{
    const size_t pageSize = 4096;
    void* mapped = mmap(nullptr, 2 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    auto* page = static_cast<uint8_t*>(mapped);
    std::vector<uint8_t> site;
    appendSite(site, "ro.cpp1,1");
    // The site straddles the two pages, as one in a program image may.
    uint8_t* address = page + pageSize - 3;
    std::memcpy(address, site.data(), site.size());
    ASSERT_EQ(mprotect(mapped, 2 * pageSize, PROT_READ), 0);

    ModValRecord* record = RegisterModValSite(address);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(address[0], 0);
    EXPECT_EQ(recordOf(address), record);
    for (const platform::MemoryRegion& region : platform::memoryRegions())
    {
        if (region.start <= uintptr_t(mapped) + pageSize && uintptr_t(mapped) + pageSize < region.end)
        {
            EXPECT_TRUE(region.readable);
            EXPECT_FALSE(region.writable);
        }
    }
    EXPECT_EQ(munmap(mapped, 2 * pageSize), 0);
}

TEST(LiveValueTest, ReparseReportsParseErrors)
{
    DemoTest::ScratchFolder folder("livevalues-errors");
    struct Case
    {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"x = M(1e3);\n", "ERROR in %s on line 1.  Parsing Error."},
        {"x = \"open;\nM(1);\n", "ERROR in %s on line 1: Error parsing quotes"},
        {"/* open\n M(1);\n", "ERROR in %s on line 1: Error parsing c comment"},
        {" M(1); // to be continued \\\n", "ERROR in %s on line 1: Error parsing c++ comment"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        GetModValFileTable().clear();
        const std::string source = folder.File("bad.cpp");
        ASSERT_TRUE(platform::writeFile(source, c.text, std::strlen(c.text)));
        std::vector<uint8_t> memory;
        appendSite(memory, source + "1,1");
        ASSERT_TRUE(ScanRangeForModVals(memory.data(), memory.size()));
        GetModValFileTable()[source].mUsed = true;
        std::vector<Shown> shown;
        EXPECT_FALSE(ReparseModVals(
            [&](const std::string& text, const std::string& caption, uint32_t) {
                shown.push_back({text, caption, 0});
            }));
        ASSERT_EQ(shown.size(), 1u);
        char expected[512];
        std::snprintf(expected, sizeof(expected), c.message, source.c_str());
        EXPECT_EQ(shown[0].text, expected);
        EXPECT_EQ(shown[0].caption, "MODVAL ERROR");
    }

    GetModValFileTable().clear();
    GetModValFileTable()[folder.File("gone.cpp")].mUsed = true;
    std::vector<Shown> shown;
    EXPECT_FALSE(ReparseModVals(
        [&](const std::string& text, const std::string& caption, uint32_t) {
            shown.push_back({text, caption, 0});
        }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "ERROR: Unable to open " + folder.File("gone.cpp") + " for reparsing.");
    EXPECT_EQ(shown[0].caption, "MODVAL ERROR!");
}

} // namespace
