#include "framework/display/DDInterface.h"

#include "framework/display/DirectXErrorName.h"
#include "framework/display/DisplayHost.h"
#include "framework/foundation/Color.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/Presenter.h"
#include "platform/RegistryStore.h"
#include "platform/RenderDevice.h"
#include "platform/Surface.h"
#include "platform/Window.h"
#include "tests/framework/display/DisplayHostSupport.h"
#include "tests/framework/display/FakeRenderDevice.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <vector>

using namespace Quib;

namespace
{

using testsupport::FakeDisplayHost;

class DDInterfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.create("Display", 800, 600, false));
        host.mDisplay = &display;
    }
    void TearDown() override { display.ReleaseSurfaces(); }

    platform::Window window;
    FakeDisplayHost host;
    DDInterface display{&host};
};

TEST_F(DDInterfaceTest, InitResultCodesFollowTheScreenFormat)
{
    // A window whose renderer is gone: the hardware path cannot start.
    display.mRenderDeviceSource = [] { return nullptr; };
    struct Case
    {
        int desktopDepth;
        int fullScreenDepth;
        bool windowed;
        bool is3D;
        int result;
        int32_t bitDepth;
    };
    const Case cases[] = {
        {32, 32, true, false, DDInterface::RESULT_OK, 32},
        {16, 32, true, false, DDInterface::RESULT_OK, 16},
        {24, 32, true, false, DDInterface::RESULT_INVALID_COLORDEPTH, 0},
        {8, 32, true, false, DDInterface::RESULT_INVALID_COLORDEPTH, 0},
        // Full screen takes the application's depth whatever the desktop's.
        {24, 16, false, false, DDInterface::RESULT_OK, 16},
        {8, 32, false, false, DDInterface::RESULT_OK, 32},
        {32, 24, false, false, DDInterface::RESULT_DISPCHANGE_FAIL, 0},
        {32, 32, true, true, DDInterface::RESULT_3D_FAIL, 32},
    };
    // Nothing is presented before the first set-up.
    EXPECT_FALSE(display.Redraw());
    EXPECT_EQ(display.GetDrawSurfaceImage(), nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.desktopDepth << " " << c.fullScreenDepth << " " << c.windowed << " " << c.is3D);
        display.mDesktopBitDepth = [&] { return c.desktopDepth; };
        host.mFullScreenDepth = c.fullScreenDepth;
        display.mIs3D = c.is3D;
        display.mBitDepth = 0;
        EXPECT_EQ(display.InitDisplay(&window, c.windowed), c.result);
        EXPECT_EQ(display.mInitialized, c.result == DDInterface::RESULT_OK);
        EXPECT_EQ(display.Redraw(), c.result == DDInterface::RESULT_OK);
        if (c.result != DDInterface::RESULT_OK)
        {
            EXPECT_FALSE(display.mErrorString.empty());
        }
        if (c.bitDepth != 0)
        {
            EXPECT_EQ(display.mBitDepth, c.bitDepth);
            ASSERT_NE(display.GetPrimarySurface(), nullptr);
            EXPECT_EQ(display.GetPrimarySurface()->Format().bitCount, c.bitDepth);
            EXPECT_EQ(display.mRedBits, c.bitDepth == 16 ? 5 : 8);
            EXPECT_EQ(display.mGreenShift, c.bitDepth == 16 ? 5 : 8);
            EXPECT_EQ(display.mRedAddTable.size(), c.bitDepth == 16 ? 63u : 511u);
        }
    }
    EXPECT_EQ(display.InitDisplay(nullptr, true), DDInterface::RESULT_DD_CREATE_FAIL);
}

TEST_F(DDInterfaceTest, ResultNames)
{
    EXPECT_EQ(DDInterface::ResultName(0), "RESULT_OK");
    EXPECT_EQ(DDInterface::ResultName(1), "RESULT_FAIL");
    EXPECT_EQ(DDInterface::ResultName(4), "RESULT_EXCLUSIVE_FAIL");
    EXPECT_EQ(DDInterface::ResultName(6), "RESULT_INVALID_COLORDEPTH");
    EXPECT_EQ(DDInterface::ResultName(7), "RESULT_UNKNOWN");
    EXPECT_EQ(DDInterface::ResultName(-1), "RESULT_UNKNOWN");
}

// Failed steps are named as the display reports them; one value with several
// names gives the fixed one, and success is written as its value.
TEST_F(DDInterfaceTest, StepResultsAndTheirNames)
{
    EXPECT_EQ(DirectXErrorName(platform::SurfaceResult::OutOfMemory), "E_OUTOFMEMORY");
    EXPECT_EQ(DirectXErrorName(platform::SurfaceResult::Lost), "DDERR_SURFACELOST");
    EXPECT_EQ(DirectXErrorName(platform::SurfaceResult::InvalidPixelFormat), "DDERR_INVALIDPIXELFORMAT");
    EXPECT_EQ(DirectXErrorName(platform::SurfaceResult::Ok), "0");
    const struct
    {
        uint32_t mValue;
        const char* mName;
    } codes[] = {
        {0x80004001, "DDERR_UNSUPPORTED"},
        {0x80004002, "DSERR_NOINTERFACE"},
        {0x80004005, "DSERR_GENERIC"},
        {0x80040110, "DSERR_NOAGGREGATION"},
        {0x800401F0, "DDERR_NOTINITIALIZED"},
        {0x8007000E, "E_OUTOFMEMORY"},
        {0x80070057, "DDERR_INVALIDPARAMS"},
        {0x887601C2, "DDERR_SURFACELOST"},
        {0x887600AA, "DDERR_NO3D"},
        {0, "0"},
        {1, "1"},
        {0x8876ABCD, "8876abcd"},
    };
    for (const auto& code : codes)
        EXPECT_EQ(DirectXErrorName(code.mValue), code.mName);

    EXPECT_FALSE(display.CheckResult("Step", platform::SurfaceResult::Ok));
    EXPECT_EQ(display.mErrorString, "");
    EXPECT_TRUE(display.CheckResult("CreateSurface Primary", platform::SurfaceResult::OutOfMemory));
    EXPECT_EQ(display.mErrorString, "CreateSurface Primary: E_OUTOFMEMORY");

    for (const platform::PixelFormat& format :
         {platform::PixelFormat::Rgb32(), platform::PixelFormat::Rgb565()})
    {
        auto surface = platform::Surface::Create({5, 3, format, platform::SurfaceMemory::System});
        ASSERT_NE(surface, nullptr);
        platform::LockedSurface locked;
        ASSERT_EQ(surface->Lock(locked), platform::SurfaceResult::Ok);
        for (int y = 0; y < 3; ++y)
            std::memset(locked.bits + y * locked.pitch, 0xFF, size_t(locked.pitch));
        surface->Unlock();
        DDInterface::ClearSurface(*surface);
        ASSERT_EQ(surface->Lock(locked), platform::SurfaceResult::Ok);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5 * format.bitCount / 8; ++x)
                EXPECT_EQ(locked.bits[y * locked.pitch + x], 0) << x << "," << y;
        surface->Unlock();
    }
}

TEST_F(DDInterfaceTest, RefreshRateIsClampedAndTheDummyDriversZeroBecomesSixty)
{
    const struct
    {
        int hz;
        uint32_t rate;
        bool clamped;
    } cases[] = {{0, 60, true},   {-5, 60, true},    {50, 60, true},  {60, 60, false},
                 {75, 75, false}, {100, 100, false}, {120, 100, true}};
    for (const auto& c : cases)
    {
        bool clamped = !c.clamped;
        EXPECT_EQ(DDInterface::ClampRefreshRate(c.hz, clamped), c.rate) << c.hz;
        EXPECT_EQ(clamped, c.clamped) << c.hz;
    }

    ASSERT_EQ(window.refreshRate(), 0);
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK);
    EXPECT_EQ(display.mRefreshRate, 60u);
    EXPECT_EQ(display.mMillisecondsPerFrame, 16u);
    EXPECT_TRUE(host.mVSyncBroken);
}

TEST_F(DDInterfaceTest, PresentCopiesTheDrawSurfaceOntoTheScreen)
{
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK);
    DDImage* screen = display.GetDrawSurfaceImage();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(display.GetDrawSurface(), screen->mSurface.get());
    screen->FillRect(Rect(10, 10, 20, 20), Color(255, 0, 0), 0);

    platform::Surface& drawn = *display.GetDrawSurface();
    platform::LockedSurface drawnLock;
    ASSERT_EQ(drawn.Lock(drawnLock), platform::SurfaceResult::Ok);
    const uint32_t red = reinterpret_cast<uint32_t*>(drawnLock.bits + 12 * drawnLock.pitch)[12];
    drawn.Unlock();
    ASSERT_NE(red & 0xFF0000, 0u);

    const Rect part(0, 0, 15, 15);
    ASSERT_TRUE(display.Redraw(&part));
    platform::LockedSurface locked;
    platform::Surface& primary = *display.GetPrimarySurface();
    ASSERT_EQ(primary.Lock(locked), platform::SurfaceResult::Ok);
    auto pixel = [&](int x, int y) { return reinterpret_cast<uint32_t*>(locked.bits + y * locked.pitch)[x]; };
    EXPECT_EQ(pixel(12, 12), red);
    // Only the given rectangle was copied.
    EXPECT_EQ(pixel(20, 20), 0u);
    primary.Unlock();
    ASSERT_TRUE(display.Redraw());
    ASSERT_EQ(primary.Lock(locked), platform::SurfaceResult::Ok);
    EXPECT_EQ(pixel(20, 20), red);
    primary.Unlock();
}

TEST_F(DDInterfaceTest, ResetKeepsSurfaceImagesBitIdentical)
{
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK);
    std::mt19937 random(7);
    std::vector<uint32_t> pixels(64 * 48);
    for (uint32_t& p : pixels)
        p = random() | 0xFF000000u;
    DDImage image(&display);
    image.SetBits(pixels.data(), 64, 48, true);
    image.mWantsSurface = true;
    ASSERT_TRUE(image.CreateSurfaceFromBits());

    // A switch to a 16-bit full screen and back, as Alt+Enter twice does.
    host.mFullScreenDepth = 16;
    for (bool windowed : {false, true})
    {
        for (MemoryImage* registered : host.mImages)
            registered->DeleteDisplayFormatCaches();
        ASSERT_EQ(display.InitDisplay(&window, windowed), DDInterface::RESULT_OK);
        for (MemoryImage* registered : host.mImages)
            registered->RebuildStorage();
        EXPECT_NE(image.mSurface, nullptr);
        const uint32_t* bits = image.GetBits();
        ASSERT_NE(bits, nullptr);
        EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), bits)) << "windowed " << windowed;
    }
    EXPECT_TRUE(display.mDDImageSet.count(&image));
}

TEST_F(DDInterfaceTest, CursorImageAndPositions)
{
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK);
    DDImage cursor(&display);
    EXPECT_TRUE(display.ChangeCursorImage(&cursor));
    EXPECT_FALSE(display.ChangeCursorImage(&cursor));
    EXPECT_TRUE(display.ChangeCursorImage(nullptr));

    display.MoveCursor(30, 40);
    EXPECT_EQ(display.mCursorX, 30);
    EXPECT_EQ(display.mCursorY, 40);
    // A wanted position is taken up by the next present.
    display.SetWantedCursorPosition(50, 60);
    EXPECT_EQ(display.mCursorX, 30);
    ASSERT_TRUE(display.Redraw());
    EXPECT_EQ(display.mCursorX, 50);
    EXPECT_EQ(display.mCursorY, 60);
}

// With the software cursor switched on (demo playback), every present shows the
// cursor image centred on the cursor position; the drawn frame stays clean.
TEST_F(DDInterfaceTest, SoftwareCursorIsDrawnIntoThePresentedFrameOnly)
{
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK);
    const std::vector<uint32_t> red(4 * 4, 0xFFFF0000u);
    MemoryImage cursor(nullptr);
    cursor.SetBits(red.data(), 4, 4, true);
    display.ChangeCursorImage(&cursor);
    display.SetWantedCursorPosition(100, 80);
    const auto screenPixel = [&](platform::Surface& surface, int x, int y)
    {
        platform::LockedSurface locked;
        EXPECT_EQ(surface.Lock(locked), platform::SurfaceResult::Ok);
        const uint32_t pixel = reinterpret_cast<uint32_t*>(locked.bits + y * locked.pitch)[x] & 0xFFFFFF;
        surface.Unlock();
        return pixel;
    };

    ASSERT_TRUE(display.Redraw());
    EXPECT_EQ(screenPixel(*display.GetPrimarySurface(), 99, 79), 0u) << "the desktop draws the cursor";

    display.mDrawSoftwareCursor = true;
    ASSERT_TRUE(display.Redraw());
    platform::Surface& primary = *display.GetPrimarySurface();
    for (int y = 77; y <= 84; ++y)
        for (int x = 97; x <= 104; ++x)
            EXPECT_EQ(screenPixel(primary, x, y), x >= 98 && x < 102 && y >= 78 && y < 82 ? 0xFF0000u : 0u)
                << x << "," << y;
    EXPECT_EQ(screenPixel(*display.GetDrawSurface(), 99, 79), 0u);
}

// Playback on the hardware path: the recorded pointer is laid over the frame as
// it is shown, so it must reach the window and never enter the frame itself.
TEST_F(DDInterfaceTest, HardwareFrameWithSoftwareCursorReachesTheWindow)
{
    platform::RenderDevice* device = window.renderDevice();
    ASSERT_NE(device, nullptr);
    display.mIs3D = true;
    host.mTextureDisplay = &display;
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK) << display.mErrorString;
    ASSERT_NE(display.Get3D(), nullptr);
    const std::vector<uint32_t> green(8 * 8, 0xFF00FF00u);
    MemoryImage cursor(&host); // its textures go when it does
    cursor.SetBits(green.data(), 8, 8, true);
    display.ChangeCursorImage(&cursor);
    display.SetWantedCursorPosition(100, 80);
    display.mDrawSoftwareCursor = true;
    // The window scales the screen: read at the centre of the screen pixel.
    const auto shownPixel = [&](int x, int y)
    {
        const Rect& shown = display.mPresentationRect;
        const int wx = shown.mX + (2 * x + 1) * shown.mWidth / (2 * 800);
        const int wy = shown.mY + (2 * y + 1) * shown.mHeight / (2 * 600);
        uint32_t argb = 0;
        EXPECT_TRUE(device->setTarget(0));
        EXPECT_TRUE(device->readPixels({wx, wy, wx + 1, wy + 1}, &argb, 4));
        return argb & 0xFFFFFF;
    };

    for (const uint8_t red : {255, 128})
    {
        display.GetDrawSurfaceImage()->FillRect(Rect(0, 0, 800, 600), Color(red, 0, 0), 0);
        ASSERT_TRUE(display.Redraw()) << display.mErrorString;
        EXPECT_EQ(shownPixel(10, 10), uint32_t(red) << 16) << "frame " << int(red);
        EXPECT_EQ(shownPixel(99, 79), 0x00FF00u) << "frame " << int(red);
    }
    // The pointer is only in what was shown; the next frame starts from a clean one.
    display.Get3D()->FinishScene();
    EXPECT_EQ(platform::readArgb(*display.GetDrawSurface())[79 * 800 + 99] & 0xFFFFFF, 0x800000u);
}

TEST_F(DDInterfaceTest, VideoMemoryDrawSurfaceSurvivesAReset)
{
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK);
    display.UseVideoMemoryDrawSurface(true);
    DDImage* screen = display.GetDrawSurfaceImage();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(display.GetDrawSurface()->Memory(), platform::SurfaceMemory::Video);
    EXPECT_TRUE(screen->mNoSoftwareDraw);
    EXPECT_TRUE(screen->mVideoMemory);
    EXPECT_FALSE(screen->mHasTrans);
    EXPECT_TRUE(display.Redraw());

    // The choice is kept through the next set-up.
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK);
    EXPECT_EQ(display.GetDrawSurface()->Memory(), platform::SurfaceMemory::Video);
    display.UseVideoMemoryDrawSurface(false);
    EXPECT_EQ(display.GetDrawSurface()->Memory(), platform::SurfaceMemory::System);
    EXPECT_FALSE(display.GetDrawSurfaceImage()->mNoSoftwareDraw);
}

TEST(PresenterTest, SixteenBitPixelsWidenToFullIntensity)
{
    const platform::PixelFormat rgb565 = platform::PixelFormat::Rgb565();
    const platform::PixelFormat rgb555 = platform::PixelFormat::Rgb555();
    EXPECT_EQ(platform::toArgb(0xFFFF, rgb565), 0xFFFFFFFFu);
    EXPECT_EQ(platform::toArgb(0x0000, rgb565), 0xFF000000u);
    EXPECT_EQ(platform::toArgb(0xF800, rgb565), 0xFFFF0000u);
    EXPECT_EQ(platform::toArgb(0x07E0, rgb565), 0xFF00FF00u);
    EXPECT_EQ(platform::toArgb(0x7FFF, rgb555), 0xFFFFFFFFu);
    // 10000b widens to 10000100b.
    EXPECT_EQ(platform::toArgb(0x8000, rgb565), 0xFF840000u);
    EXPECT_EQ(platform::toArgb(0x00123456, platform::PixelFormat::Rgb32()), 0xFF123456u);
}

// Automatic 3D on a software GL stays in software, and frames are then shown
// without that GL renderer; a real card turns the hardware path on.
TEST_F(DDInterfaceTest, AccelerationTestKeepsSoftwareRasterizersInSoftware)
{
    const struct
    {
        const char* mDevice;
        bool mHardware;
    } cases[] = {{"Mesa llvmpipe (LLVM 15.0.6, 256 bits)", false}, {"Fake Card 3000", true}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mDevice);
        std::filesystem::remove(platform::RegistryStore::fileForKey(""));
        testsupport::FakeRenderDevice device;
        device.mInfo.device = c.mDevice;
        host.mAutoEnable3D = true;
        DDInterface tested(&host);
        host.mDisplay = &tested;
        tested.mRenderDeviceSource = [&] { return &device; };
        tested.mGraphicsCardProbe = [] { return true; };
        ASSERT_EQ(tested.InitDisplay(&window, true), DDInterface::RESULT_OK) << tested.mErrorString;
        EXPECT_EQ(tested.mIs3D, c.mHardware);
        EXPECT_EQ(window.softwarePresent(), !c.mHardware);
        tested.ReleaseSurfaces();
        host.mDisplay = &display;
    }
}

// A machine without a graphics card stays in software, and no renderer is made
// for the test: the desktop's would draw on the processor too.
TEST_F(DDInterfaceTest, AccelerationTestWithoutACardMakesNoRenderer)
{
    std::filesystem::remove(platform::RegistryStore::fileForKey(""));
    testsupport::FakeRenderDevice device;
    int devicesAsked = 0;
    host.mAutoEnable3D = true;
    display.mRenderDeviceSource = [&]
    {
        ++devicesAsked;
        return &device;
    };
    display.mGraphicsCardProbe = [] { return false; };
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK) << display.mErrorString;
    EXPECT_EQ(devicesAsked, 0);
    EXPECT_EQ(device.mTexturesMade, 0);
    EXPECT_FALSE(display.mIs3D);
    EXPECT_TRUE(window.softwarePresent());
    ASSERT_NE(display.mD3DTester, nullptr);
    EXPECT_EQ(display.mD3DTester->mFailureReason, "DXError - CreateDevice: DDERR_NO3D");
    EXPECT_TRUE(display.Redraw());
}

// A picture whose texture cannot be made is left out of that frame alone: the
// hardware path stays on, and the next draw makes the texture.
TEST_F(DDInterfaceTest, PictureWithoutTextureIsSkippedAndTriedAgain)
{
    testsupport::FakeRenderDevice device;
    display.mRenderDeviceSource = [&] { return &device; };
    display.mIs3D = true;
    host.mTextureDisplay = &display;
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK) << display.mErrorString;
    ASSERT_NE(display.Get3D(), nullptr);
    const std::vector<uint32_t> red(16 * 16, 0xFFFF0000u);
    MemoryImage picture(&host);
    picture.SetBits(red.data(), 16, 16, true);
    const auto drawFrame = [&]
    {
        Graphics g(display.GetDrawSurfaceImage());
        g.SetColor(Color(0, 0, 0));
        g.FillRect(0, 0, 800, 600);
        g.DrawImage(&picture, 10, 10);
        return display.Redraw();
    };
    const auto shown = [&]
    {
        uint32_t argb = 0;
        EXPECT_TRUE(device.setTarget(display.mD3DInterface->mFrame));
        EXPECT_TRUE(device.readPixels({12, 12, 13, 13}, &argb, 4));
        return argb & 0xFFFFFFu;
    };

    device.mRefuseTextures = 1;
    EXPECT_TRUE(drawFrame());
    EXPECT_TRUE(display.mIs3D);
    EXPECT_EQ(shown(), 0u);
    EXPECT_TRUE(drawFrame());
    EXPECT_EQ(shown(), 0xFF0000u);
    EXPECT_TRUE(display.mIs3D);
    display.ReleaseSurfaces();
}

// Ending the scene forgets a failure of its draws; a failure after it counts.
TEST_F(DDInterfaceTest, FinishingTheSceneClearsAPendingError)
{
    testsupport::FakeRenderDevice device;
    display.mRenderDeviceSource = [&] { return &device; };
    display.mIs3D = true;
    ASSERT_EQ(display.InitDisplay(&window, true), DDInterface::RESULT_OK) << display.mErrorString;
    D3DInterface& hardware = *display.mD3DInterface;
    ASSERT_TRUE(hardware.BeginDrawing());
    gLast3DError = "DrawPrimitive (Tri) 1: E_FAKE";
    hardware.FinishScene();
    EXPECT_EQ(gLast3DError, "");
    gLast3DError = "DrawPrimitive (Tri) 1: E_FAKE";
    hardware.FinishScene();
    EXPECT_EQ(gLast3DError, "DrawPrimitive (Tri) 1: E_FAKE") << "no scene was open";
    EXPECT_FALSE(display.Redraw());
    EXPECT_FALSE(display.mIs3D);
    gLast3DError.clear();
    display.ReleaseSurfaces();
}

// Full screen shows frames at the vertical blank; a window shows them at once.
TEST_F(DDInterfaceTest, FullScreenWaitsForTheVerticalBlank)
{
    display.mRenderDeviceSource = [] { return nullptr; };
    for (const bool windowed : {true, false, true})
    {
        SCOPED_TRACE(windowed);
        ASSERT_EQ(display.InitDisplay(&window, windowed), DDInterface::RESULT_OK) << display.mErrorString;
        EXPECT_EQ(window.waitsForVerticalBlank(), !windowed);
        EXPECT_TRUE(display.Redraw());
    }
}

} // namespace
