#include "framework/graphics/MemoryImage.h"
#include "framework/services/DeveloperOverlay.h"
#include "framework/services/OverlayImages.h"
#include "framework/services/ScreenSaver.h"
#include "platform/Files.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace platform;

namespace
{

TEST(OverlayTest, FpsShowsZeroForItsFirstSecondThenTheRate)
{
    FpsCounter fps;
    EXPECT_TRUE(fps.CountFrame(0)); // switched on: the restart takes effect at once
    EXPECT_EQ(fps.Text(), "FPS: 0");
    for (int frame = 1; frame < 59; ++frame)
        EXPECT_FALSE(fps.CountFrame(frame * 16.0));
    EXPECT_TRUE(fps.CountFrame(1000.0)); // 59 frames in the first second
    EXPECT_EQ(fps.Rate(), 59);
    for (int frame = 1; frame < 30; ++frame)
        fps.CountFrame(frame * 10.0);
    EXPECT_TRUE(fps.CountFrame(1200.0)); // 30 frames in 1.2 s: 25
    EXPECT_EQ(fps.Text(), "FPS: 25");
    fps.RequestRestart();
    EXPECT_TRUE(fps.CountFrame(5));
    EXPECT_EQ(fps.Rate(), 0);
}

TEST(OverlayTest, OverlayTexts)
{
    EXPECT_EQ(MousePositionText(-3, 599), "-3,599");
    EXPECT_EQ(DemoClockText(372000, 12000, 10), "01:00:00");
    EXPECT_EQ(DemoClockText(6100, 0, 10), "00:01:01");
    EXPECT_EQ(DemoClockText(100, 200, 10), "00:00:00"); // played past the end

    VideoStats stats;
    stats.m3DSupported = true;
    stats.mImages = 12;
    stats.mSounds = 3;
    stats.mVideoMemoryUsed = 2048 * 1024;
    stats.mVideoMemoryTotal = 65536 * 1024;
    stats.mTextureMemory = 1536 * 1024;
    stats.mFormatImages[0] = 2;
    stats.mFormatBytes[0] = 1536 * 1024;
    EXPECT_EQ(VideoStatsText(stats), "3D-Mode is Off (3D is Supported on this system)\r\n\r\n"
                                     "Num Images: 12\r\nNum Sounds: 3\r\n"
                                     "Video Memory: 2,048/65,536 KB\r\nTexture Memory: 1,536 KB\r\n"
                                     "A8R8G8B8: 2 - 1,536 KB\r\nA4R4G4B4: 0 - 0 KB\r\n"
                                     "R5G6B5: 0 - 0 KB\r\nPalette8: 0 - 0 KB\r\n");
}

// Whether any pixel of the rectangle is light, as overlay text is.
bool hasLightPixel(MemoryImage& image, int x, int y, int width, int height)
{
    const uint32_t* bits = image.GetBits();
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            if ((bits[row * image.GetWidth() + column] & 0xFF) > 0x80)
                return true;
    return false;
}

TEST(OverlayTest, OverlayImagesAreDrawnAtTheLowerRight)
{
    OverlayImages overlays;
    overlays.UpdateFps();
    MemoryImage* fps = overlays.FpsImage();
    ASSERT_NE(fps, nullptr);
    EXPECT_EQ(fps->GetWidth(), 50); // "FPS: 0" fits
    const int height = fps->GetHeight();
    EXPECT_GT(height, 4);
    EXPECT_EQ(fps->GetBits()[0], 0xFF000000u); // black behind the text
    EXPECT_TRUE(hasLightPixel(*fps, 0, 0, 50, height));

    overlays.UpdateDemoClock(1000, 1.0, 6000, 0, 10);
    MemoryImage screen;
    screen.Create(800, 600);
    std::fill(screen.GetBits(), screen.GetBits() + 800 * 600, 0xFF204060);
    overlays.Draw(&screen, 800, 600, 0, true);
    EXPECT_TRUE(hasLightPixel(screen, 740, 590 - height, 50, height));
    const int clockWidth = overlays.DemoClockImage()->GetWidth();
    EXPECT_GE(clockWidth, 50);
    const int clockTop = 600 - height - overlays.DemoClockImage()->GetHeight() - 15;
    EXPECT_TRUE(hasLightPixel(screen, 790 - clockWidth, clockTop, clockWidth,
                              overlays.DemoClockImage()->GetHeight()));
    EXPECT_FALSE(hasLightPixel(screen, 0, 0, 700, 500));
    // The mouse overlay has no image until it is first brought up to date.
    MemoryImage untouched;
    untouched.Create(800, 600);
    std::fill(untouched.GetBits(), untouched.GetBits() + 800 * 600, 0xFF000000);
    overlays.Draw(&untouched, 800, 600, 1, true);
    EXPECT_FALSE(hasLightPixel(untouched, 0, 0, 800, 600));
}

TEST(OverlayTest, IdlePauseWaitsForTheDesktopScreenSaver)
{
    EXPECT_EQ(IdleThresholdMs(1), 1000);
    EXPECT_EQ(IdleThresholdMs(2), 1000);
    EXPECT_EQ(IdleThresholdMs(60), 58000);

    ScreenSaverSettings desktop{60, true, false, false, 0};
    IdlePause pause([&] { return desktop; });
    uint32_t lastInput = 1000;
    EXPECT_FALSE(pause.Check(50000, lastInput, true, false));
    EXPECT_FALSE(pause.IsPaused());
    pause.Check(59001, lastInput, true, false);
    EXPECT_TRUE(pause.IsPaused());
    // Input while the desktop's saver is not running ends the pause.
    lastInput = 59500;
    EXPECT_TRUE(pause.Check(59600, lastInput, true, false));
    EXPECT_FALSE(pause.IsPaused());
    // Not windowed, or a screen saver itself: never paused.
    EXPECT_FALSE(pause.Check(200000, lastInput, false, false));
    EXPECT_FALSE(pause.Check(200000, lastInput, true, true));
    EXPECT_FALSE(pause.IsPaused());

    // The desktop's last input counts, never later than now.
    desktop = {60, true, false, true, 90000};
    pause.Check(80000, lastInput, true, false);
    EXPECT_EQ(lastInput, 80000u);
    // A disabled desktop saver lifts the pause at the next reading.
    desktop = {60, true, false, false, 0};
    pause.Check(150000, lastInput, true, false);
    EXPECT_TRUE(pause.IsPaused());
    desktop.enabled = false;
    EXPECT_TRUE(pause.Check(170000, lastInput, true, false));
    EXPECT_FALSE(pause.IsPaused());
}

TEST(OverlayTest, ScreenSaverEndsOnInputButNotOnJitter)
{
    int ended = 0;
    ScreenSaverFilter filter([&] { ++ended; });
    filter.Start(100, 100);
    auto move = [](int x, int y) { return Message{1, WM_MOUSEMOVE, 0, makeLParam(x, y)}; };
    EXPECT_TRUE(filter.Filter(move(100, 100), 1, 0)); // no move at all
    EXPECT_TRUE(filter.Filter(move(101, 100), 1, 0));
    EXPECT_TRUE(filter.Filter(move(101, 101), 1, 0));
    EXPECT_TRUE(filter.Filter(move(100, 101), 1, 0));
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(filter.Filter(move(100, 100), 1, 0)); // the fourth
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(filter.Filter({1, WM_KEYDOWN, 'A', 0}, 1, 0)); // busy for good
    EXPECT_EQ(ended, 1);

    struct Case
    {
        Message message;
        bool ends;
    };
    const Case cases[] = {
        {{1, WM_KEYDOWN, 'A', 0}, true},   {{1, WM_SYSKEYDOWN, 0x12, 0}, true},
        {{1, WM_LBUTTONDOWN, 0, 0}, true}, {{1, WM_RBUTTONDOWN, 0, 0}, true},
        {{1, WM_MBUTTONDOWN, 0, 0}, true}, {{1, WM_CLOSE, 0, 0}, true},
        {{1, WM_ACTIVATEAPP, 0, 0}, true}, {{1, WM_ACTIVATEAPP, 1, 0}, false},
        {{1, WM_KEYUP, 'A', 0}, false},    {{2, WM_KEYDOWN, 'A', 0}, false}, // not the main window
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message.message);
        int count = 0;
        ScreenSaverFilter one([&] { ++count; });
        one.Filter(c.message, 1, 5000);
        EXPECT_EQ(count, c.ends ? 1 : 0);
    }

    // Just after a monitor-power command a close does not end the saver; a key does.
    int count = 0;
    ScreenSaverFilter powered([&] { ++count; });
    powered.OnMonitorPower(10000);
    powered.Filter({1, WM_CLOSE, 0, 0}, 1, 10500);
    EXPECT_EQ(count, 0);
    powered.Filter({1, WM_KEYDOWN, 'A', 0}, 1, 10600);
    EXPECT_EQ(count, 1);
}

TEST(OverlayTest, ScreenSaverErrorLogStartsEmptyAndGrowsLineByLine)
{
    DemoTest::ScratchFolder folder("scrlog");
    const std::string log = folder.File("ScrError.txt");
    ASSERT_TRUE(writeFile(log, "from an earlier run\n", 20));
    WriteScreenSaverErrorLine(log, "No display", "14:32:10", 1234);
    WriteScreenSaverErrorLine(log, "Still no display", "14:32:11", 2234);
    const auto text = readFile(log);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(std::string(text->begin(), text->end()),
              "No display 14:32:10 1234\nStill no display 14:32:11 2234\n");
}

} // namespace
