#include "framework/resources/ImageLib.h"
#include "framework/services/LeakReport.h"
#include "framework/services/Screenshots.h"
#include "platform/Files.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace Quib;

namespace
{

TEST(ScreenshotTest, NextNumberFollowsTheHighestScreenshot)
{
    DemoTest::ScratchFolder folder("shots-number");
    const std::string shots = folder.File("_screenshots");
    EXPECT_EQ(NextScreenshotNumber(shots), 1);
    ASSERT_TRUE(platform::createDirectories(shots));
    for (const char* name :
         {"image1.png", "image7.png", "shot.png", "image9.jpg", "imagex.png", "image12.png.part"})
        ASSERT_TRUE(platform::writeFile(shots + "/" + name, "x", 1));
    EXPECT_EQ(NextScreenshotNumber(shots), 8);
}

TEST(ScreenshotTest, FrameIsWrittenAsPngAndReadsBack)
{
    DemoTest::ScratchFolder folder("shots-write");
    ImageLib::Image frame(3, 2);
    for (size_t i = 0; i < frame.mBits.size(); ++i)
        frame.mBits[i] = 0xFF000000u | uint32_t(i * 0x102030);

    const std::string first = SaveScreenshot(folder.File("data-"), frame);
    EXPECT_EQ(first, folder.File("data-_screenshots") + "/image1.png");
    const std::string second = SaveScreenshot(folder.File("data-"), frame);
    EXPECT_EQ(second, folder.File("data-_screenshots") + "/image2.png");

    const auto read = ImageLib::ReadPngImage(first);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->GetWidth(), 3);
    ASSERT_EQ(read->GetHeight(), 2);
    EXPECT_EQ(read->mBits, frame.mBits);
    EXPECT_EQ(platform::listDirectory(folder.File("data-_screenshots")).size(), 2u); // nothing left behind
}

TEST(ScreenshotTest, LeakReportOfThisSystemEndsWithNothingUnfreed)
{
    DemoTest::ScratchFolder folder("leaks");
    const std::string file = folder.File("mem_leaks.txt");
    WriteLeakReport(file, "Thu Dec 10 14:32:10 2026\n");
    const auto text = platform::readFile(file);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(std::string(text->begin(), text->end()),
              "Memory Leak Report for Thu Dec 10 14:32:10 2026\n\n"
              "-----------------------------------------------------------\n"
              "Total Unfreed: 0 bytes (0KB)\n\n");

    TrackAllocation(reinterpret_cast<const void*>(16), 1, "game.cpp", 12);
    TrackAllocation(reinterpret_cast<const void*>(32), 2048, "board.cpp", 40);
    WriteLeakReport(file, "now\n");
    const auto withLeaks = platform::readFile(file);
    ASSERT_TRUE(withLeaks.has_value());
    EXPECT_EQ(std::string(withLeaks->begin(), withLeaks->end()),
              "Memory Leak Report for now\n\n"
              "game.cpp(12) : Leak 1 byte\n"
              "board.cpp(40) : Leak 2048 bytes\n"
              "-----------------------------------------------------------\n"
              "Total Unfreed: 2049 bytes (2KB)\n\n");
}

// The tracker's clean-up writes the report into the working folder when the
// process exits.
TEST(ScreenshotTest, LeakReportIsWrittenAtExit)
{
    DemoTest::ScratchFolder folder("exit-leaks");
    const std::string report = folder.File("mem_leaks.txt");
    const std::string where = report.substr(0, report.rfind('/'));
    EXPECT_EXIT(
        {
            platform::changeDirectory(where);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    const auto text = platform::readFile(report);
    ASSERT_TRUE(text.has_value());
    const std::string written(text->begin(), text->end());
    EXPECT_EQ(written.rfind("Memory Leak Report for ", 0), 0u) << written;
    EXPECT_NE(written.find("Total Unfreed: "), std::string::npos) << written;
}

} // namespace
