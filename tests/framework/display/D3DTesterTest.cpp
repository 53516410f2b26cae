#include "framework/display/D3DTester.h"

#include "platform/Presenter.h"
#include "platform/RegistryStore.h"
#include "platform/Window.h"
#include "tests/framework/display/DisplayHostSupport.h"
#include "tests/framework/display/FakeRenderDevice.h"

#include <SDL.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace Quib;

namespace
{

struct Verdict
{
    std::string mFailure;
    std::string mWarning;
};

constexpr const char* kNoCard = "DXError - CreateDevice: DDERR_NO3D";

Verdict RunOn(testsupport::FakeRenderDevice* device, bool useRegistry = false, bool* fresh = nullptr)
{
    D3DTester tester;
    tester.mUseRegistry = useRegistry;
    tester.SetVideoMemoryLimits(6, 14);
    testsupport::FakeDisplayHost host;
    tester.RunTest(device, &host, "");
    if (fresh != nullptr)
        *fresh = tester.mResultsChanged;
    return {tester.mFailureReason, tester.mWarning};
}

// The desktop's own share of the memory sum, so that a case can aim at a total.
int64_t BytesForTotalMegabytes(int64_t megabytes)
{
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    const platform::WindowRect desktop = platform::desktopBounds();
    const int64_t screen = int64_t(platform::desktopBitsPerPixel() / 8) * desktop.width * desktop.height;
    return (megabytes << 20) - screen + 1024;
}

TEST(D3DTesterTest, VerdictsOfCardsThatFailInEachWay)
{
    struct Case
    {
        const char* mName;
        std::function<void(testsupport::FakeRenderDevice&)> mBreak;
        Verdict mExpected;
    };
    const std::vector<Case> cases = {
        {"a sound card", [](auto&) {}, {"", ""}},
        {"blending ignored", [](auto& d) { d.mIgnoreBlend = true; }, {"Alpha blend Not Supported", ""}},
        {"uneven blends", [](auto& d) { d.mSpeckle = true; }, {"", "AlphaModulated blend test not uniform."}},
        {"clear refused", [](auto& d) { d.mClearFails = true; }, {"DXError - Clear: E_FAKE", ""}},
        {"clipping shifted", [](auto& d) { d.mShiftClipped = true; }, {"", "Clip problem detected."}},
        {"drawn without the card", [](auto& d) { d.mInfo.accelerated = false; }, {kNoCard, ""}},
        {"only 4-4-4-4 textures",
         [](auto& d) { d.mInfo.formats = {platform::TexelFormat::Argb4444}; },
         {"", "A8R8G8B8 texture format not supported."}},
        {"no usable textures",
         [](auto& d) { d.mInfo.formats = {platform::TexelFormat::Rgb565}; },
         {"A4R4G4B4 and A8R8G8B8 texture formats not supported.", "A8R8G8B8 texture format not supported."}},
        {"5 MB of video memory",
         [](auto& d) { d.mInfo.videoMemoryBytes = BytesForTotalMegabytes(5); },
         {"Not enough video memory.", ""}},
        {"12 MB of video memory",
         [](auto& d) { d.mInfo.videoMemoryBytes = BytesForTotalMegabytes(12); },
         {"", "Low video memory."}},
        {"an old driver of an unknown card",
         [](auto& d) { d.mInfo.driverYear = 2001; },
         {"", "Unsupported video card: fakegl: Fake Card 3000"}},
        {"an old driver of a known vendor",
         [](auto& d)
         {
             d.mInfo.driverYear = 2001;
             d.mInfo.device = "NVidia Something";
         },
         {"", ""}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mName);
        testsupport::FakeRenderDevice device;
        c.mBreak(device);
        const Verdict verdict = RunOn(&device);
        EXPECT_EQ(verdict.mFailure, c.mExpected.mFailure);
        EXPECT_EQ(verdict.mWarning, c.mExpected.mWarning);
    }
    EXPECT_EQ(RunOn(nullptr).mFailure, "No DirectDrawCreateEx");
}

TEST(D3DTesterTest, CleanVerdictsAreCachedAndFailuresTestedAgain)
{
    std::filesystem::remove(platform::RegistryStore::fileForKey(""));
    testsupport::FakeRenderDevice device;
    bool fresh = false;
    EXPECT_EQ(RunOn(&device, true, &fresh).mFailure, "");
    EXPECT_TRUE(fresh);
    const int made = device.mTexturesMade;
    EXPECT_EQ(RunOn(&device, true, &fresh).mFailure, "");
    EXPECT_FALSE(fresh) << "the cached verdict is taken";
    EXPECT_EQ(device.mTexturesMade, made) << "and nothing is rendered for it";

    // Another card is tested anew; a cached failure is tested again, and a card
    // that was mended passes.
    testsupport::FakeRenderDevice broken;
    broken.mInfo.device = "Other Card";
    broken.mIgnoreBlend = true;
    EXPECT_EQ(RunOn(&broken, true, &fresh).mFailure, "Alpha blend Not Supported");
    EXPECT_TRUE(fresh);
    broken.mIgnoreBlend = false;
    EXPECT_EQ(RunOn(&broken, true, &fresh).mFailure, "");
}

// A software GL reports itself accelerated; its name alone must keep the game in
// software, without a frame drawn for the test, even over a clean cached verdict.
TEST(D3DTesterTest, SoftwareRasterizersFailWithoutDrawing)
{
    struct Case
    {
        const char* mDevice;
        bool mSoftware;
    };
    const Case cases[] = {
        {"Mesa llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"Mesa softpipe", true},
        {"Mesa Software Rasterizer", true},
        {"Mesa swrast", true},
        {"Mesa zink (LLVMPIPE (LLVM 17.0.6, 256 bits))", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"NVIDIA Corporation NVIDIA GeForce GTX 1060/PCIe/SSE2", false},
        {"AMD Radeon RX 580 Series (radeonsi, polaris10, LLVM 15.0.6)", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mDevice);
        std::filesystem::remove(platform::RegistryStore::fileForKey(""));
        testsupport::FakeRenderDevice device;
        device.mInfo.device = c.mDevice;
        if (c.mSoftware)
        {
            // A verdict cached for this renderer before its name was recognised.
            D3DTester earlier;
            earlier.mAcceptSoftwareRenderer = true;
            testsupport::FakeDisplayHost host;
            earlier.RunTest(&device, &host, "");
            ASSERT_EQ(earlier.mFailureReason, "");
            device.mTexturesMade = 0;
        }
        EXPECT_EQ(RunOn(&device, true).mFailure, c.mSoftware ? kNoCard : "");
        EXPECT_EQ(device.mTexturesMade == 0, c.mSoftware);
    }
}

} // namespace
