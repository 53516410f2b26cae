#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "tests/framework/graphics/SurfaceTestDisplay.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/GoldenImage.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Quib::Color;
using Quib::DDImage;
using Quib::Graphics;
using Quib::MemoryImage;
using Quib::Rect;
using Quib::SysFont;
using surfacetest::FakeDisplay;
using surfacetest::Quantize;

namespace
{

const char* const kSampleFace = "DejaVu Sans";
constexpr int kSampleWidth = 200;
constexpr int kSampleHeight = 60;

// A dark gradient, so that blending shows against something other than one colour.
std::vector<uint32_t> GradientBackground(const platform::PixelFormat& format)
{
    std::vector<uint32_t> pixels(size_t(kSampleWidth) * kSampleHeight);
    for (int y = 0; y < kSampleHeight; ++y)
        for (int x = 0; x < kSampleWidth; ++x)
            pixels[size_t(y) * kSampleWidth + x] = Quantize(
                0xFF000000 | uint32_t(x * 255 / kSampleWidth) << 16 | uint32_t(y * 2) << 8 | 0x40, format);
    return pixels;
}

std::vector<uint32_t> SamplePixels(MemoryImage& image)
{
    const uint32_t* bits = image.GetBits();
    return std::vector<uint32_t>(bits, bits + image.PixelCount());
}

void DrawSample(Graphics& g)
{
    SysFont plain(12, kSampleFace);
    g.SetFont(&plain);
    g.SetColor(Color(236, 239, 244));
    g.DrawString("Surface & text", 4, 16);

    SysFont styled(14, kSampleFace, true);
    styled.mDrawShadow = true;
    styled.mSimulateBold = true;
    g.SetFont(&styled);
    g.SetColor(Color(235, 203, 139, 40)); // the alpha has no effect on system fonts
    g.Translate(10, 20);
    g.ClipRect(0, 0, 120, 30);
    g.DrawString("Shadowed, cut off", 0, 22);
}

} // namespace

TEST(SysFontSurfaceTest, DrawsIntoSurfacesOfBothDepths)
{
    const std::pair<platform::PixelFormat, const char*> cases[] = {
        {platform::PixelFormat::Rgb32(), "graphics/fonts_surface_rgb32.png"},
        {platform::PixelFormat::Rgb565(), "graphics/fonts_surface_rgb565.png"}};
    for (const auto& [format, golden] : cases)
    {
        SCOPED_TRACE(golden);
        FakeDisplay display(format);
        testsupport::ScopedImageHost host(&display);
        DDImage image(&display);
        const auto background = GradientBackground(format);
        image.SetBits(background.data(), kSampleWidth, kSampleHeight, true);
        Graphics g(&image);
        DrawSample(g);
        // The surface now holds the only picture; what is read back is what it shows.
        EXPECT_EQ(image.mBits, nullptr);
        ASSERT_NE(image.mSurface, nullptr);
        EXPECT_TRUE(testsupport::MatchesGolden(image, golden));
    }
}

// Text on the screen image while the hardware path is on ends the open scene
// first; text on any other image, or without the hardware path, leaves it alone.
TEST(SysFontSurfaceTest, TextOnTheScreenInHardwareModeFinishesTheScene)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    testsupport::ScopedImageHost host(&display);
    const auto background = GradientBackground(display.mFormat);
    DDImage screen(&display), other(&display);
    for (DDImage* image : {&screen, &other})
        image->SetBits(background.data(), kSampleWidth, kSampleHeight, true);
    display.mDrawSurface = screen.GetSurface();
    ASSERT_NE(display.mDrawSurface, nullptr);
    SysFont font(12, kSampleFace);
    const auto draw = [&](DDImage& image)
    {
        Graphics g(&image);
        font.DrawString(&g, 4, 16, "scene", Color(255, 255, 255), g.mClipRect);
    };

    draw(screen);
    EXPECT_TRUE(display.mD3D.mCalls.empty()) << "no hardware path";
    display.m3D = true;
    draw(other);
    EXPECT_TRUE(display.mD3D.mCalls.empty()) << "not the screen";
    draw(screen);
    EXPECT_EQ(display.mD3D.mCalls, std::vector<std::string>{"FinishScene"});
}

// Plain text looks as it does on a memory image, one pixel lower, in every format.
TEST(SysFontSurfaceTest, MatchesTheMemoryImageOnePixelLower)
{
    struct Case
    {
        const char* text;
        Color color;
        int points;
    };
    const Case texts[] = {{"Hidden objects: 12/40", Color(255, 255, 255), 12},
                          {"Wg&y", Color(200, 30, 90), 20},
                          {"black on colour", Color(0, 0, 0), 9}};
    for (const auto& named : surfacetest::AllFormats())
        for (const Case& c : texts)
        {
            SCOPED_TRACE(std::string(named.name) + " / " + c.text);
            FakeDisplay display(named.format);
            testsupport::ScopedImageHost host(&display);
            const auto background = GradientBackground(named.format);
            SysFont font(c.points, kSampleFace);

            MemoryImage memory(nullptr);
            memory.SetBits(background.data(), kSampleWidth, kSampleHeight, true);
            Graphics memoryContext(&memory);
            memoryContext.Translate(3, 2);
            memoryContext.ClipRect(0, 0, 150, 40);
            font.DrawString(&memoryContext, 5, 31, c.text, c.color, memoryContext.mClipRect);

            DDImage surface(&display);
            surface.SetBits(background.data(), kSampleWidth, kSampleHeight, true);
            Graphics surfaceContext(&surface);
            surfaceContext.Translate(3, 2);
            surfaceContext.ClipRect(0, 0, 150, 40);
            font.DrawString(&surfaceContext, 5, 30, c.text, c.color, surfaceContext.mClipRect);

            const auto fromMemory = SamplePixels(memory);
            const auto fromSurface = SamplePixels(surface);
            ASSERT_NE(fromMemory, background);
            const int channelBits[3] = {platform::MaskBits(named.format.redMask),
                                        platform::MaskBits(named.format.greenMask),
                                        platform::MaskBits(named.format.blueMask)};
            int mismatches = 0;
            for (size_t i = 0; i < fromMemory.size(); ++i)
            {
                const uint32_t expected = Quantize(fromMemory[i], named.format);
                for (int ch = 0; ch < 3; ++ch)
                {
                    const int shift = 16 - 8 * ch;
                    const int step = 256 >> channelBits[ch];
                    const int difference =
                        std::abs(int(fromSurface[i] >> shift & 0xFF) - int(expected >> shift & 0xFF));
                    if (difference > 2 * step + 2)
                        ++mismatches;
                }
            }
            EXPECT_EQ(mismatches, 0);
        }
}

TEST(SysFontSurfaceTest, KeepsTheLockAndSkipsWhatCannotBeDrawn)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    testsupport::ScopedImageHost host(&display);
    const auto background = GradientBackground(display.mFormat);
    SysFont font(12, kSampleFace);

    DDImage locked(&display);
    locked.SetBits(background.data(), kSampleWidth, kSampleHeight, true);
    ASSERT_TRUE(locked.LockSurface());
    const uint8_t* bits = locked.mLockedDesc.bits;
    Graphics lockedContext(&locked);
    lockedContext.SetFont(&font);
    lockedContext.DrawString("locked", 4, 20);
    EXPECT_EQ(locked.mLockCount, 1);
    EXPECT_EQ(locked.mSurface->LockCount(), 1);
    EXPECT_EQ(locked.mLockedDesc.bits, bits);
    locked.UnlockSurface();
    EXPECT_EQ(locked.mSurface->LockCount(), 0);
    EXPECT_NE(SamplePixels(locked), background);

    DDImage lost(&display);
    lost.SetBits(background.data(), kSampleWidth, kSampleHeight, true);
    ASSERT_NE(lost.GetSurface(), nullptr);
    lost.mSurface->MarkLost();
    Graphics lostContext(&lost);
    lostContext.SetFont(&font);
    lostContext.DrawString("lost", 4, 20);
    EXPECT_NE(lost.mBits, nullptr);
    EXPECT_EQ(lost.mSurface->LockCount(), 0);

    DDImage noSurface(&display);
    noSurface.SetBits(background.data(), kSampleWidth, kSampleHeight, true);
    display.mFailCreate = true;
    Graphics noSurfaceContext(&noSurface);
    noSurfaceContext.SetFont(&font);
    noSurfaceContext.DrawString("none", 4, 20);
    EXPECT_EQ(SamplePixels(noSurface), background);

    DDImage clippedAway(&display);
    display.mFailCreate = false;
    clippedAway.SetBits(background.data(), kSampleWidth, kSampleHeight, true);
    Graphics clippedContext(&clippedAway);
    font.DrawString(&clippedContext, 4, 20, "outside", Color::White, Rect(kSampleWidth, 0, 10, 10));
    EXPECT_EQ(SamplePixels(clippedAway), background);
}
