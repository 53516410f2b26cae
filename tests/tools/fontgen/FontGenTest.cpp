#include "platform/Files.h"
#include "tests/support/GoldenImage.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

const std::string kFonts = std::string(ORVELLAN_FIXTURES_DIR) + "/fonts/";
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

int RunFontGen(const std::string& arguments)
{
    return std::system((std::string(FONTGEN_PATH) + " " + arguments + " 2>/dev/null").c_str());
}

std::string Text(const std::string& path)
{
    auto bytes = platform::readFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<unreadable " + path + ">");
}

void ExpectSamePictures(const std::string& actual, const std::string& expected)
{
    std::vector<uint32_t> a, b;
    int aw = 0, ah = 0, bw = 0, bh = 0;
    ASSERT_TRUE(testsupport::ReadPng(actual, a, aw, ah)) << actual;
    ASSERT_TRUE(testsupport::ReadPng(expected, b, bw, bh)) << expected;
    EXPECT_EQ(aw, bw);
    EXPECT_EQ(ah, bh);
    EXPECT_TRUE(a == b) << actual << " differs from " << expected;
}

} // namespace

// The committed bitmap fonts are what the tool makes today, so they can be made again.
TEST(FontGenTest, RemakesTheCommittedFonts)
{
    const std::string out = ::testing::TempDir();
    ASSERT_EQ(RunFontGen("--font " + kDejaVu + " --pixels 14 --out " + out + "dejavu14 --shadow 1,1"), 0);
    EXPECT_EQ(Text(out + "dejavu14.txt"), Text(kFonts + "dejavu14.txt"));
    ExpectSamePictures(out + "dejavu14.png", kFonts + "dejavu14.png");

    ASSERT_EQ(RunFontGen("--font " + kDejaVu + " --pixels 12 --out " + out + "dejavu12w --widths"), 0);
    EXPECT_EQ(Text(out + "dejavu12w.txt"), Text(kFonts + "dejavu12w.txt"));
    ExpectSamePictures(out + "dejavu12w.png", kFonts + "dejavu12w.png");
}

TEST(FontGenTest, RefusesBadArguments)
{
    const std::string out = ::testing::TempDir() + "refused";
    for (const std::string& arguments :
         {std::string(""), "--pixels 12 --out " + out, "--font " + kDejaVu + " --pixels 0 --out " + out,
          "--font " + kDejaVu + " --family DejaVu --pixels 12 --out " + out,
          "--font " + kDejaVu + " --pixels 12 --out " + out + " --shadow x",
          "--font /nonexistent.ttf --pixels 12 --out " + out})
        EXPECT_NE(RunFontGen(arguments), 0) << arguments;
    EXPECT_FALSE(platform::fileExists(out + ".txt"));
}
