#include "framework/display/DDInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Window.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace applife;

namespace
{

class QuibAppBaseScreenModeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.mFullScreenBitDepth = 16;
        app.Init();
        ASSERT_TRUE(app.IsWindowedNow());
    }
    LifeApp app;
};

// Alt+Enter twice: a 16-bit full screen and back, with every image intact.
TEST_F(QuibAppBaseScreenModeTest, SwitchingThereAndBackKeepsEveryImage)
{
    std::vector<uint32_t> pixels(40 * 30);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8);
    Quib::DDImage surfaced(app.mDDInterface.get());
    surfaced.SetBits(pixels.data(), 40, 30, true);
    surfaced.mWantsSurface = true;
    ASSERT_TRUE(surfaced.CreateSurfaceFromBits());

    app.SetWindowedMode(false);
    EXPECT_FALSE(app.IsWindowedNow());
    EXPECT_TRUE(app.mMainWindow->isFullScreen());
    EXPECT_EQ(app.mDDInterface->mBitDepth, 16);
    EXPECT_NE(surfaced.mSurface, nullptr);
    EXPECT_EQ(surfaced.mSurface->Format().bitCount, 16);
    EXPECT_EQ(app.mWidgetManager->mDrawImage,
              static_cast<Quib::Image*>(app.mDDInterface->GetDrawSurfaceImage()));

    app.SetWindowedMode(true);
    EXPECT_TRUE(app.IsWindowedNow());
    EXPECT_FALSE(app.mMainWindow->isFullScreen());
    EXPECT_EQ(app.mDDInterface->mBitDepth, 32);
    const uint32_t* bits = surfaced.GetBits();
    ASSERT_NE(bits, nullptr);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), bits));
    EXPECT_TRUE(app.mDDInterface->mInitialized);
}

TEST_F(QuibAppBaseScreenModeTest, ForcedFullScreenIgnoresTheWishForAWindow)
{
    app.mForceFullscreen = true;
    app.SetWindowedMode(false);
    const uint32_t fullScreenWindow = app.MainWindowId();
    app.SetWindowedMode(true);
    EXPECT_FALSE(app.IsWindowedNow());
    EXPECT_FALSE(app.IsWindowedWanted());
    // The switch only re-created the full-screen window.
    app.ResetScreenMode();
    EXPECT_NE(app.MainWindowId(), fullScreenWindow);
    EXPECT_TRUE(app.mMainWindow->isFullScreen());
}

TEST_F(QuibAppBaseScreenModeTest, TheSameModeOnlySwitchesTheHardwarePathWhichFallsBackTo2D)
{
    const uint32_t window = app.MainWindowId();
    app.mDDInterface->mRenderDeviceSource = [] { return nullptr; };
    app.SetScreenMode(true, true, false);
    EXPECT_EQ(app.MainWindowId(), window);
    EXPECT_FALSE(app.Is3DEnabled());
    EXPECT_TRUE(app.mIs3DSwitched);
    EXPECT_TRUE(app.mDDInterface->mInitialized);
    EXPECT_FALSE(app.ToggleDirect3D());
}

TEST_F(QuibAppBaseScreenModeTest, UnusableModesFallBackToTheOther)
{
    // A desktop whose pixels a window cannot use: full screen is forced.
    app.mDDInterface->mDesktopBitDepth = [] { return 24; };
    app.ResetScreenMode();
    EXPECT_FALSE(app.IsWindowedNow());
    EXPECT_TRUE(app.IsFullScreenForced());
    EXPECT_TRUE(app.mDDInterface->mInitialized);

    // A full-screen depth the display refuses: back to a window.
    LifeApp other;
    other.mFullScreenBitDepth = 24;
    other.mIsWindowed = false;
    other.Init();
    EXPECT_TRUE(other.IsWindowedNow());
    EXPECT_TRUE(other.IsFullScreenFailed());
    EXPECT_TRUE(other.mDDInterface->mInitialized);
}

// Images come and go on the loading thread while the main thread switches
// modes and walks every registered image.
TEST_F(QuibAppBaseScreenModeTest, SwitchingWhileAnotherThreadMakesImagesIsSafe)
{
    std::atomic<bool> stop{false};
    std::atomic<int> made{0};
    std::thread loader(
        [&]
        {
            while (!stop)
            {
                delete new Quib::DDImage(app.mDDInterface.get());
                ++made;
            }
        });
    auto waitForImages = [&](int count)
    {
        while (made < count)
            std::this_thread::yield();
    };
    waitForImages(1);
    for (int i = 0; i < 6; ++i)
    {
        const int before = made;
        app.SetWindowedMode(i % 2 == 1);
        waitForImages(before + 1);
    }
    stop = true;
    loader.join();
    EXPECT_TRUE(app.IsWindowedNow());
    EXPECT_TRUE(app.mDDInterface->mInitialized);
}

} // namespace
