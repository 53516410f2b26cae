#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "tests/framework/graphics/SurfaceTestDisplay.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace Quib;
using surfacetest::FakeDisplay;
using surfacetest::Quantize;
using testsupport::AlphaMix;

namespace
{

constexpr int32_t kFillSize = 12;

uint32_t FillRaw(DDImage& image, int32_t x, int32_t y)
{
    EXPECT_TRUE(image.LockSurface());
    uint32_t value = 0;
    const int32_t bytes = image.mLockedDesc.bitCount / 8;
    std::memcpy(&value, image.mLockedDesc.bits + y * image.mLockedDesc.pitch + x * bytes, size_t(bytes));
    image.UnlockSurface();
    return value;
}

std::vector<uint32_t> RandomBackground(const platform::PixelFormat& format, uint64_t seed = 3)
{
    auto pixels = testsupport::RandomPixels(seed, kFillSize, kFillSize, AlphaMix::Opaque);
    for (uint32_t& p : pixels)
        p = Quantize(p, format);
    return pixels;
}

int32_t FillTolerance(uint32_t mask)
{
    const int32_t step = 256 >> platform::MaskBits(mask);
    return step == 1 ? 2 : 2 * step + 4;
}

// Counts channels further from the memory image's result than the format's precision.
int32_t FillMismatches(DDImage& surface, MemoryImage& memory, const platform::PixelFormat& format)
{
    const uint32_t masks[3] = {format.redMask, format.greenMask, format.blueMask};
    const uint32_t* s = surface.GetBits();
    const uint32_t* m = memory.GetBits();
    int32_t count = 0;
    for (size_t i = 0; i < surface.PixelCount(); ++i)
    {
        const uint32_t expected = Quantize(m[i], format);
        for (int c = 0; c < 3; ++c)
        {
            const int32_t shift = 16 - 8 * c;
            if (std::abs(int32_t((s[i] >> shift) & 0xFF) - int32_t((expected >> shift) & 0xFF)) >
                FillTolerance(masks[c]))
                ++count;
        }
    }
    return count;
}

const Color kColors[] = {Color::White,
                         Color(255, 255, 255, 255),
                         Color(30, 200, 90),
                         Color(200, 60, 255, 150),
                         Color(255, 255, 255, 1),
                         Color(0, 0, 0, 255)};

TEST(DDImageFillLineTest, OpaqueWhiteFill)
{
    struct Case
    {
        platform::PixelFormat format;
        uint32_t expected;
    };
    const Case cases[] = {{platform::PixelFormat::Rgb32(), 0x00FEFEFE},
                          {platform::PixelFormat::Rgb565(), 0xFFFF},
                          {platform::PixelFormat::Rgb555(), 0x7FFF}};
    for (const Case& c : cases)
    {
        FakeDisplay display(c.format);
        testsupport::ScopedImageHost host(&display);
        DDImage image(&display);
        const auto background = RandomBackground(c.format);
        image.SetBits(background.data(), kFillSize, kFillSize, true);
        image.FillRect(Rect(2, 3, 4, 5), Color::White, DRAW_MODE_NORMAL);
        EXPECT_EQ(FillRaw(image, 2, 3), c.expected);
        EXPECT_EQ(FillRaw(image, 5, 7), c.expected);
        EXPECT_EQ(image.mBits, nullptr);
        EXPECT_EQ(image.GetBits()[1], background[1]);
    }
}

// Fills and lines in the normal mode look as they do on a memory image, in every format.
TEST(DDImageFillLineTest, NormalFillsAndLinesMatchTheMemoryImage)
{
    using Draw = void (*)(Image&, const Color&);
    const std::pair<const char*, Draw> draws[] = {
        {"fill", [](Image& i, const Color& c) { i.FillRect(Rect(1, 2, 9, 7), c, DRAW_MODE_NORMAL); }},
        {"rect", [](Image& i, const Color& c) { i.DrawRect(Rect(1, 2, 9, 7), c, DRAW_MODE_NORMAL); }},
        {"steep line",
         [](Image& i, const Color& c) { i.DrawLine(1.5, 0.2, 4.0, 11.0, c, DRAW_MODE_NORMAL); }},
        {"flat line", [](Image& i, const Color& c) { i.DrawLine(11.0, 1.0, 0.0, 6.7, c, DRAW_MODE_NORMAL); }},
        {"antialiased steep",
         [](Image& i, const Color& c) { i.DrawAntialiasedLine(2.0, 0.5, 5.5, 11.0, c, DRAW_MODE_NORMAL); }},
        {"antialiased flat",
         [](Image& i, const Color& c) { i.DrawAntialiasedLine(11.0, 2.0, 0.0, 7.5, c, DRAW_MODE_NORMAL); }},
    };
    for (const auto& named : surfacetest::AllFormats())
    {
        FakeDisplay display(named.format);
        testsupport::ScopedImageHost host(&display);
        for (const auto& [name, draw] : draws)
        {
            for (const Color& color : kColors)
            {
                SCOPED_TRACE(std::string(named.name) + " / " + name + " / " +
                             std::to_string(color.PackARGB()));
                const auto background = RandomBackground(named.format);
                MemoryImage memory(nullptr);
                memory.SetBits(background.data(), kFillSize, kFillSize, true);
                DDImage surface(&display);
                surface.SetBits(background.data(), kFillSize, kFillSize, true);
                draw(memory, color);
                draw(surface, color);
                EXPECT_NE(surface.mSurface, nullptr);
                EXPECT_EQ(FillMismatches(surface, memory, named.format), 0);
            }
        }
    }
}

// Additive fills and lines add the colour's share to each channel and stop at its top.
TEST(DDImageFillLineTest, AdditiveFillsAndLinesSaturate)
{
    for (const auto& named : surfacetest::AllFormats())
    {
        FakeDisplay display(named.format);
        testsupport::ScopedImageHost host(&display);
        for (const Color& color : kColors)
        {
            SCOPED_TRACE(std::string(named.name) + " / " + std::to_string(color.PackARGB()));
            const auto background = RandomBackground(named.format);
            DDImage surface(&display);
            surface.SetBits(background.data(), kFillSize, kFillSize, true);
            surface.FillRect(Rect(0, 0, kFillSize, 4), color, DRAW_MODE_ADDITIVE);
            surface.DrawLine(0.0, 5.0, 11.0, 9.0, color, DRAW_MODE_ADDITIVE);
            const uint32_t* after = surface.GetBits();
            const uint32_t masks[3] = {named.format.redMask, named.format.greenMask, named.format.blueMask};
            const uint32_t paint[3] = {uint32_t(color.mRed), uint32_t(color.mGreen), uint32_t(color.mBlue)};
            for (int32_t y = 0; y < 4; ++y)
            {
                for (int32_t x = 0; x < kFillSize; ++x)
                {
                    const size_t i = size_t(y * kFillSize + x);
                    for (int c = 0; c < 3; ++c)
                    {
                        const int32_t bits = platform::MaskBits(masks[c]);
                        const int32_t shift = 16 - 8 * c;
                        const uint32_t top = (1u << bits) - 1;
                        const uint32_t below = ((background[i] >> shift) & 0xFF) >> (8 - bits);
                        const uint32_t add = (uint32_t(color.mAlpha) * paint[c] / 255) >> (8 - bits);
                        EXPECT_EQ(((after[i] >> shift) & 0xFF) >> (8 - bits), std::min(below + add, top));
                    }
                }
            }
            // The line touches one pixel per column, and nothing outside its box.
            for (int32_t x = 0; x < kFillSize; ++x)
            {
                int32_t touched = 0;
                for (int32_t y = 4; y < kFillSize; ++y)
                    touched += after[y * kFillSize + x] != background[size_t(y * kFillSize + x)] ? 1 : 0;
                EXPECT_LE(touched, 1);
            }
        }
    }
}

TEST(DDImageFillLineTest, LineSteppingOnSurfaces)
{
    struct Case
    {
        const char* name;
        platform::PixelFormat format;
        int32_t mode;
        double x1, y1, x2, y2;
        std::vector<std::pair<int32_t, int32_t>> pixels;
    };
    const Case cases[] = {
        {"normal",
         platform::PixelFormat::Rgb32(),
         DRAW_MODE_NORMAL,
         0,
         0,
         3,
         1,
         {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"normal fraction",
         platform::PixelFormat::Rgb32(),
         DRAW_MODE_NORMAL,
         0,
         0.5,
         4,
         1.5,
         {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
        {"additive 32 without fraction",
         platform::PixelFormat::Rgb32(),
         DRAW_MODE_ADDITIVE,
         0,
         0.5,
         4,
         1.5,
         {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}},
        {"additive 16 steps like the normal line",
         platform::PixelFormat::Rgb565(),
         DRAW_MODE_ADDITIVE,
         0,
         0.5,
         4,
         1.5,
         {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FakeDisplay display(c.format);
        testsupport::ScopedImageHost host(&display);
        const std::vector<uint32_t> black(25, 0xFF000000);
        DDImage image(&display);
        image.SetBits(black.data(), 5, 5, true);
        image.DrawLine(c.x1, c.y1, c.x2, c.y2, Color(255, 255, 255), c.mode);
        std::vector<std::pair<int32_t, int32_t>> lit;
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 5; ++x)
                if (FillRaw(image, x, y) != 0)
                    lit.emplace_back(x, y);
        std::sort(lit.begin(), lit.end(), [](auto a, auto b) { return a.first < b.first; });
        EXPECT_EQ(lit, c.pixels);
    }
}

TEST(DDImageFillLineTest, AntialiasingNeedsAnOpaqueSurface)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    testsupport::ScopedImageHost host(&display);
    std::vector<uint32_t> pixels(64, 0xFF000000);
    pixels[63] = 0;
    DDImage keyed(&display);
    keyed.SetBits(pixels.data(), 8, 8, true);
    keyed.DrawAntialiasedLine(0.0, 0.5, 7.0, 3.0, Color::White, DRAW_MODE_NORMAL);
    MemoryImage plain(nullptr);
    plain.SetBits(pixels.data(), 8, 8, true);
    plain.DrawLine(0.0, 0.5, 7.0, 3.0, Color::White, DRAW_MODE_NORMAL);
    EXPECT_TRUE(std::equal(plain.mBits.get(), plain.mBits.get() + 64, keyed.GetBits()));

    DDImage opaque(&display);
    pixels[63] = 0xFF000000;
    opaque.SetBits(pixels.data(), 8, 8, true);
    opaque.DrawAntialiasedLine(0.0, 0.5, 7.0, 3.0, Color::White, DRAW_MODE_ADDITIVE);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), opaque.GetBits()))
        << "additive antialiasing draws nothing";
}

} // namespace
