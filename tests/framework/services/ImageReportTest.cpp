#include "framework/services/ImageReport.h"

#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "platform/Files.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;

namespace
{

const std::string kDate = "Thu Dec 10 14:32:10 2026\n";

TEST(ImageReportTest, EmptyReportHasHeaderTotalsAndEnd)
{
    EXPECT_EQ(
        BuildImageReportHtml({}, kDate),
        "<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>Thu Dec 10 14:32:10 2026\n</B></FONT><BR>\n"
        "Total Image Allocation: 0 bytes<BR>\n"
        "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>\n"
        "<TD>Totals</TD>\n<TD>0</TD>\n<TD>0</TD>\n<TD>0</TD>\n<TD>0</TD>\n<TD>0</TD>\n"
        "<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n"
        "<TD>0</TD>\n<TD>0</TD>\n<TD>0</TD>\n<TD>&nbsp;</TD>\n"
        "</TABLE></CENTER></BODY></HTML>\n");
}

TEST(ImageReportTest, MeasuresEachFormAnImageIsKeptIn)
{
    MemoryImage plain;
    plain.Create(640, 480);
    plain.GetBits();
    plain.mPath = "images/room.png";
    ImageReportRow row = MeasureImage(plain, nullptr);
    EXPECT_EQ(row.mFigures.Total(), 1228800);
    EXPECT_EQ(row.mFigures.mPixels, 1228800);

    MemoryImage palettised;
    palettised.Create(10, 10);
    palettised.mPalette = std::make_unique<uint32_t[]>(256);
    palettised.mNativeAlphaData = std::make_unique<uint32_t[]>(256);
    palettised.mRLAlphaData = std::make_unique<uint8_t[]>(100);
    palettised.mHasAlpha = true;
    row = MeasureImage(palettised, nullptr);
    EXPECT_EQ(row.mFigures.mPixels, 0);
    EXPECT_EQ(row.mFigures.mPalette, 100 + 1024);
    EXPECT_EQ(row.mFigures.mNativeAlpha, 1024); // per palette colour
    EXPECT_EQ(row.mFigures.mRLAlpha, 100);
    EXPECT_TRUE(row.mHasAlpha);
}

TEST(ImageReportTest, RowsForAKnownSetOfImages)
{
    ImageReportRow big;
    big.mWidth = 640;
    big.mHeight = 480;
    big.mFigures.mPixels = 1228800;
    big.mFileName = "images/room.png";
    ImageReportRow small;
    small.mWidth = 10;
    small.mHeight = 10;
    small.mFigures.mPixels = 400;
    small.mFigures.mTextures = 512;
    small.mFigures.mTextureFormat = "A4R4G4B4";
    small.mVolatile = true;
    small.mHasTrans = true;
    const std::string html = BuildImageReportHtml({big, small}, kDate);

    EXPECT_NE(html.find("Total Image Allocation: 1,229,712 bytes<BR>\n"), std::string::npos);
    EXPECT_NE(
        html.find("<TR>\n<TD><A HREF=img0000.png><IMG SRC=thumb0000.jpg WIDTH=64 HEIGHT=64></A></TD>\n"
                  "<TD ALIGN=RIGHT>640 x 480<BR>1,228,800 bytes</TD>\n<TD>mBits<BR>1,228,800</TD>\n"
                  "<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n"
                  "<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n"
                  "<TD>images/room.png</TD>\n</TR>\n"),
        std::string::npos)
        << html;
    EXPECT_NE(html.find("<TD ALIGN=RIGHT>10 x 10<BR>912 bytes</TD>\n<TD>mBits<BR>400</TD>\n<TD>&nbsp;</TD>\n"
                        "<TD>&nbsp;</TD>\n<TD>Texture<BR>A4R4G4B4<BR>512</TD>\n<TD>Volatile</TD>\n"
                        "<TD>&nbsp;</TD>\n<TD>&nbsp;</TD>\n<TD>HasTrans</TD>\n"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<TD>Totals</TD>\n<TD>1,229,712</TD>\n<TD>1,229,200</TD>\n<TD>0</TD>\n<TD>0</TD>\n"
                        "<TD>512</TD>\n"),
              std::string::npos);
}

TEST(ImageReportTest, ThumbnailTakesThePixelUnderEachCentre)
{
    std::vector<uint32_t> pixels(100);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint32_t(i);
    const ImageLib::Image thumbnail = MakeThumbnail(pixels.data(), 10, 10);
    ASSERT_EQ(thumbnail.GetWidth(), 64);
    // Column x comes from source column (x + 0.5) * 10 / 64: blocks of 6 or 7.
    const int columns[] = {0, 6, 7, 12, 13, 63};
    const uint32_t expected[] = {0, 1, 1, 1, 2, 9};
    for (size_t i = 0; i < std::size(columns); ++i)
    {
        EXPECT_EQ(thumbnail.GetPixels()[columns[i]], expected[i]) << columns[i];
        EXPECT_EQ(thumbnail.GetPixels()[63 * 64 + columns[i]], 90 + expected[i]) << columns[i];
    }
}

TEST(ImageReportTest, WritesThePageAndTheImagesLargestFirst)
{
    DemoTest::ScratchFolder folder("imagereport");
    const std::string dump = folder.File("_dump");
    ASSERT_TRUE(platform::createDirectories(dump));
    ASSERT_TRUE(platform::writeFile(dump + "/stale.txt", "x", 1));

    MemoryImage small;
    small.Create(2, 2);
    std::fill(small.GetBits(), small.GetBits() + 4, 0xFF00FF00);
    MemoryImage large;
    large.Create(4, 3);
    std::fill(large.GetBits(), large.GetBits() + 12, 0xFFFF0000);
    ASSERT_TRUE(WriteImageReport(dump, {&small, &large}, nullptr, kDate));

    EXPECT_FALSE(platform::fileExists(dump + "/stale.txt"));
    const auto page = platform::readFile(dump + "/imagelist.html");
    ASSERT_TRUE(page.has_value());
    const std::string html(page->begin(), page->end());
    EXPECT_LT(html.find("4 x 3"), html.find("2 x 2"));
    const auto first = ImageLib::ReadPngImage(dump + "/img0000.png");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->GetWidth(), 4);
    EXPECT_EQ(first->GetPixels()[0], 0xFFFF0000);
    EXPECT_TRUE(platform::fileExists(dump + "/thumb0001.jpg"));
}

} // namespace
