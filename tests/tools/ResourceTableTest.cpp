#include "tools/contentgen/ResourceTable.h"

#include "tools/contentgen/Manifest.h"

#include <gtest/gtest.h>

namespace
{

using contentgen::ResourceKind;

TEST(ResourceTableTest, ReadsGroupsEntriesSettingsAndSources)
{
    std::string error;
    auto table = contentgen::readResourceTable(
        "# comment\n"
        "group Init\n"
        "font F_A fonts/A DejaVuSans.ttf 13  # labels\n"
        "image I_B images/b.png 60x480 8x1 strip effect=disc variant=2  # disc\n"
        "group Other\n"
        "sound S_C sounds/c.wav click\n",
        error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(table->groups, (std::vector<std::string>{"Init", "Other"}));
    ASSERT_EQ(table->entries.size(), 3u);
    const auto& font = table->entries[0];
    EXPECT_EQ(font.kind, ResourceKind::Font);
    EXPECT_EQ(font.face, "DejaVuSans.ttf");
    EXPECT_EQ(font.pixels, 13);
    EXPECT_EQ(font.source, "labels");
    const auto& image = table->entries[1];
    EXPECT_EQ(image.width, 60);
    EXPECT_EQ(image.height, 480);
    EXPECT_EQ(image.rows, 8);
    EXPECT_EQ(image.columns, 1);
    EXPECT_EQ(image.setting("effect"), "disc");
    EXPECT_EQ(image.setting("variant"), "2");
    EXPECT_EQ(image.setting("missing", "fallback"), "fallback");
    EXPECT_EQ(table->entries[2].group, "Other");
    EXPECT_EQ(table->entries[2].painter, "click");
}

TEST(ResourceTableTest, RefusesBadLinesWithTheirNumber)
{
    struct Case
    {
        const char* line;
        const char* why;
    };
    const Case cases[] = {
        {"image I a.png 10x10 1x1", "unknown entry"},           // no painter
        {"image I a.png 10x 1x1 p", "bad size"},                // half a size
        {"image I a.png 0x10 1x1 p", "bad size"},               // empty picture
        {"image I a.png 99999x10 1x1 p", "bad size"},           // beyond any picture
        {"image I a.png 10x10 3x1 p", "grid does not divide"},  // rows do not divide the height
        {"image I a.png 10x10 1x1 p effect", "without '='"},    // a setting without a value
        {"image I ../a.png 10x10 1x1 p", "outside the pack"},   // leaves the pack
        {"image I /etc/a.png 10x10 1x1 p", "outside the pack"}, // absolute path
        {"font F f DejaVuSans.ttf 2", "pixel size"},            // too small to read
        {"font F f DejaVuSans.ttf many", "pixel size"},         // not a number
        {"sound S s.wav", "unknown entry"},                     // no style
        {"group", "group needs"},                               // group without a name
        {"shape I a.png 10x10 1x1 p", "unknown entry"},         // unknown kind
        {"image I\" a.png 10x10 1x1 p", "not a plain name"},    // would break the manifest's XML
        {"image I a&b.png 10x10 1x1 p", "not a plain path"},    // the same in a path
    };
    for (const Case& c : cases)
    {
        std::string error;
        EXPECT_FALSE(contentgen::readResourceTable(std::string("group G\n") + c.line + "\n", error))
            << c.line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
    }
    std::string error;
    EXPECT_FALSE(contentgen::readResourceTable("image I a.png 10x10 1x1 p\n", error));
    EXPECT_NE(error.find("before the first group"), std::string::npos) << error;
}

TEST(ResourceTableTest, ManifestKeepsGroupOrderAndDeclaresGrids)
{
    std::string error;
    auto table = contentgen::readResourceTable("group B\n"
                                               "image I_1 images/one.png 40x40 1x4 strip\n"
                                               "font F_1 fonts/F DejaVuSans.ttf 12\n"
                                               "group A\n"
                                               "sound S_1 sounds/s.wav click\n",
                                               error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(contentgen::manifestXml(*table), "<ResourceManifest>\n"
                                               "  <Resources id=\"B\">\n"
                                               "    <Image id=\"I_1\" path=\"images/one.png\" cols=\"4\" />\n"
                                               "    <Font id=\"F_1\" path=\"fonts/F.txt\" />\n"
                                               "  </Resources>\n"
                                               "  <Resources id=\"A\">\n"
                                               "    <Sound id=\"S_1\" path=\"sounds/s\" />\n"
                                               "  </Resources>\n"
                                               "</ResourceManifest>\n");
}

} // namespace
