#include "framework/display/DDInterface.h"
#include "framework/foundation/Color.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/FrameScaler.h"
#include "platform/Presenter.h"
#include "platform/Window.h"
#include "tests/framework/display/DisplayHostSupport.h"
#include "tests/framework/display/FakeRenderDevice.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Quib;

namespace
{

class DDInterfacePresentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.create("Display", 800, 600, false));
        host.mDisplay = &display;
    }
    void TearDown() override { display.ReleaseSurfaces(); }

    // What the window should show for the screen as presented: the primary scaled.
    std::vector<uint32_t> expectedWindow()
    {
        const std::vector<uint32_t> screen = platform::readArgb(*display.mPrimarySurface);
        const platform::WindowRect client = window.clientRect();
        std::vector<uint32_t> pixels(size_t(client.width) * size_t(client.height), 0xFF000000u);
        platform::scaleNearestReference(screen.data(), 800, 600, 800 * 4, window.presentationRect(),
                                        pixels.data(), client.width * 4);
        return pixels;
    }

    platform::Window window;
    testsupport::FakeDisplayHost host;
    // Outlives the display, which lets go of its textures when it ends.
    testsupport::FakeRenderDevice device;
    DDInterface display{&host};
};

} // namespace

// A renderer made before (by the acceleration test, or an earlier hardware
// set-up) does not keep the software frames from the window's own pixels, and
// a frame that equals the last one shown is not shown again.
TEST_F(DDInterfacePresentTest, SoftwareFramesShowOnlyWhatChanged)
{
    ASSERT_NE(window.renderDevice(), nullptr);
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK) << display.mErrorString;
    EXPECT_FALSE(window.presentsThroughRenderer());
    DDImage* screen = display.GetDrawSurfaceImage();
    screen->FillRect(Rect(0, 0, 800, 600), Color(0, 0, 200), 0);
    ASSERT_TRUE(display.Redraw());
    EXPECT_EQ(window.shownPixels(), expectedWindow());
    const platform::PresentCounts whole = window.presentCounts();

    // The whole tree is drawn again, the same: nothing reaches the window.
    screen->FillRect(Rect(0, 0, 800, 600), Color(0, 0, 200), 0);
    ASSERT_TRUE(display.Redraw());
    EXPECT_EQ(window.presentCounts().shown, whole.shown);
    EXPECT_EQ(window.presentCounts().pixels, whole.pixels);

    // The pointer moves: its old and new places alone are shown.
    std::vector<uint32_t> white(16 * 16, 0xFFFFFFFFu);
    MemoryImage pointer(nullptr);
    pointer.SetBits(white.data(), 16, 16, true);
    display.ChangeCursorImage(&pointer);
    display.mDrawSoftwareCursor = true;
    for (const int x : {100, 300})
    {
        display.SetWantedCursorPosition(x, 200);
        screen->FillRect(Rect(0, 0, 800, 600), Color(0, 0, 200), 0);
        const uint64_t before = window.presentCounts().pixels;
        ASSERT_TRUE(display.Redraw());
        EXPECT_EQ(window.shownPixels(), expectedWindow()) << x;
        const uint64_t written = window.presentCounts().pixels - before;
        EXPECT_GT(written, 0u) << x;
        EXPECT_LT(written, whole.pixels / 10) << x;
    }
}

// Demo playback on the hardware path: the recorded pointer is handed to the
// device to lay over the frame it shows; nothing is read back for it.
TEST_F(DDInterfacePresentTest, PlaybackPointerIsLaidOverTheHardwareFrame)
{
    display.mRenderDeviceSource = [&] { return &device; };
    display.mIs3D = true;
    host.mTextureDisplay = &display;
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK) << display.mErrorString;
    std::vector<uint32_t> white(10 * 6, 0xFFFFFFFFu);
    MemoryImage pointer(&host); // its textures go when it does
    pointer.SetBits(white.data(), 10, 6, true);
    display.ChangeCursorImage(&pointer);
    display.mDrawSoftwareCursor = true;
    display.SetWantedCursorPosition(100, 80);
    display.GetDrawSurfaceImage()->FillRect(Rect(0, 0, 800, 600), Color(200, 0, 0), 0);
    const int readsBefore = device.mReads;
    ASSERT_TRUE(display.Redraw()) << display.mErrorString;
    EXPECT_EQ(device.mReads, readsBefore);
    ASSERT_EQ(device.mLastOverlays.size(), 1u);
    const platform::PresentOverlay& shown = device.mLastOverlays[0];
    EXPECT_EQ(shown.x, 95.0f);
    EXPECT_EQ(shown.y, 77.0f);
    EXPECT_EQ(shown.width, 10.0f);
    EXPECT_EQ(shown.height, 6.0f);

    // Without the recorded pointer, frames are shown alone.
    display.mDrawSoftwareCursor = false;
    ASSERT_TRUE(display.Redraw());
    EXPECT_TRUE(device.mLastOverlays.empty());
}
