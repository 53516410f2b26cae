#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "tests/framework/graphics/SurfaceTestDisplay.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Quib;
using surfacetest::FakeDisplay;
using surfacetest::Quantize;
using testsupport::AlphaMix;

namespace
{

constexpr int32_t kBlitWidth = 37;
constexpr int32_t kBlitHeight = 11;

std::vector<uint32_t> QuantizedPixels(uint64_t seed, int32_t width, int32_t height, AlphaMix mix,
                                      const platform::PixelFormat& format)
{
    auto pixels = testsupport::RandomPixels(seed, width, height, mix);
    for (uint32_t& p : pixels)
        p = Quantize(p, format);
    return pixels;
}

// How far the surface may stray from the memory image per channel: the surface works
// on premultiplied values cut to its channel width and, at 16 bits, with 5-bit weights.
int32_t Tolerance(uint32_t mask)
{
    const int32_t step = 256 >> platform::MaskBits(mask);
    return step == 1 ? 3 : 3 * step + 6;
}

void ExpectClose(const std::vector<uint32_t>& surface, const std::vector<uint32_t>& memory,
                 const platform::PixelFormat& format)
{
    const uint32_t masks[3] = {format.redMask, format.greenMask, format.blueMask};
    int32_t failures = 0;
    std::string first;
    for (size_t i = 0; i < surface.size(); ++i)
    {
        const uint32_t expected = Quantize(memory[i], format);
        for (int c = 0; c < 3; ++c)
        {
            const int32_t shift = 16 - 8 * c;
            const int32_t diff =
                std::abs(int32_t((surface[i] >> shift) & 0xFF) - int32_t((expected >> shift) & 0xFF));
            if (diff > Tolerance(masks[c]) && failures++ == 0)
                first = "pixel " + std::to_string(i % kBlitWidth) + "," + std::to_string(i / kBlitWidth) +
                        " channel " + std::to_string(c) + " off by " + std::to_string(diff);
        }
    }
    EXPECT_EQ(failures, 0) << first;
}

struct PaintCase
{
    const char* name;
    Color color;
};

const PaintCase kPaints[] = {
    {"white", Color::White},
    {"grey", Color(200, 200, 200, 255)},
    {"translucent grey", Color(180, 180, 180, 140)},
    {"colour", Color(255, 120, 40, 255)},
    {"translucent colour", Color(60, 220, 140, 170)},
};

// One source kind: how it is made, and whether its blit may take colours.
struct SourceCase
{
    const char* name;
    std::function<std::unique_ptr<MemoryImage>(FakeDisplay&, const platform::PixelFormat&)> make;
    bool anyColour;
};

std::unique_ptr<MemoryImage> PlainSource(FakeDisplay&, const platform::PixelFormat& format, AlphaMix mix)
{
    auto image = std::make_unique<MemoryImage>(nullptr);
    auto pixels = QuantizedPixels(11, 23, 9, mix, format);
    const auto alpha = testsupport::RandomPixels(11, 23, 9, mix);
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        const uint32_t a = alpha[i] >> 24;
        pixels[i] = a == 0 ? 0 : (a << 24 | (pixels[i] & 0xFFFFFF));
    }
    image->SetBits(pixels.data(), 23, 9, true);
    return image;
}

std::unique_ptr<MemoryImage> KeyedSource(FakeDisplay& display, const platform::PixelFormat& format,
                                         bool surfaced)
{
    auto image = std::make_unique<DDImage>(&display);
    auto pixels = QuantizedPixels(12, 23, 9, AlphaMix::Opaque, format);
    const auto alpha = testsupport::RandomPixels(13, 23, 9, AlphaMix::Extremes);
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        if ((alpha[i] >> 24) < 128)
            pixels[i] = 0;
    }
    image->SetBits(pixels.data(), 23, 9, true);
    if (surfaced)
    {
        EXPECT_NE(image->GetSurface(), nullptr);
    }
    return image;
}

const SourceCase kSources[] = {
    {"sprite runs",
     [](FakeDisplay& d, const platform::PixelFormat& f) { return PlainSource(d, f, AlphaMix::Runs); }, true},
    {"uniform alpha",
     [](FakeDisplay& d, const platform::PixelFormat& f) { return PlainSource(d, f, AlphaMix::Uniform); },
     true},
    {"opaque copy",
     [](FakeDisplay& d, const platform::PixelFormat& f) { return PlainSource(d, f, AlphaMix::Opaque); },
     false},
    {"keyed copy", [](FakeDisplay& d, const platform::PixelFormat& f) { return KeyedSource(d, f, false); },
     false},
    {"surface copy", [](FakeDisplay& d, const platform::PixelFormat& f) { return KeyedSource(d, f, true); },
     false},
    {"volatile",
     [](FakeDisplay& d, const platform::PixelFormat& f)
     {
         auto image = PlainSource(d, f, AlphaMix::Runs);
         image->SetVolatile(true);
         return image;
     },
     false},
    {"palette",
     [](FakeDisplay& d, const platform::PixelFormat& f)
     {
         auto image = PlainSource(d, f, AlphaMix::Extremes);
         std::vector<uint32_t> pixels(image->GetBits(), image->GetBits() + image->PixelCount());
         for (uint32_t& p : pixels)
             p &= 0xC0F0F0F0;
         image->SetBits(pixels.data(), image->mWidth, image->mHeight, true);
         EXPECT_TRUE(image->ConvertToPalette());
         return image;
     },
     true},
};

// The same blit onto a memory image and onto a surface image of the same opaque
// picture, for every format, source kind and paint: the surface must show what the
// memory image shows, within its precision.
TEST(DDImageBlitTest, SurfaceBlitsMatchTheMemoryImage)
{
    for (const auto& named : surfacetest::AllFormats())
    {
        FakeDisplay display(named.format);
        testsupport::ScopedImageHost host(&display);
        for (const SourceCase& source : kSources)
        {
            for (const PaintCase& paint : kPaints)
            {
                if (!source.anyColour && !paint.color.IsWhite())
                    continue;
                for (const int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
                {
                    if (mode == DRAW_MODE_ADDITIVE && std::string(source.name) != "sprite runs" &&
                        std::string(source.name) != "palette")
                        continue;
                    SCOPED_TRACE(std::string(named.name) + " / " + source.name + " / " + paint.name +
                                 (mode == DRAW_MODE_ADDITIVE ? " / additive" : ""));
                    const auto background =
                        QuantizedPixels(5, kBlitWidth, kBlitHeight, AlphaMix::Opaque, named.format);
                    MemoryImage memory(nullptr);
                    memory.SetBits(background.data(), kBlitWidth, kBlitHeight, true);
                    DDImage surface(&display);
                    surface.SetBits(background.data(), kBlitWidth, kBlitHeight, true);

                    auto src = source.make(display, named.format);
                    const Rect srcRect(2, 1, 19, 8);
                    memory.Blit(src.get(), 9, 2, srcRect, paint.color, mode);
                    surface.Blit(src.get(), 9, 2, srcRect, paint.color, mode);
                    ASSERT_NE(surface.mSurface, nullptr);
                    EXPECT_EQ(surface.mBits, nullptr) << "the surface holds the only picture";
                    const uint32_t* bits = surface.GetBits();
                    ASSERT_NE(bits, nullptr);
                    ExpectClose(
                        std::vector<uint32_t>(bits, bits + surface.PixelCount()),
                        std::vector<uint32_t>(memory.mBits.get(), memory.mBits.get() + memory.PixelCount()),
                        named.format);
                }
            }
        }
    }
}

// A palette source leaves on the surface exactly what the same picture without its
// palette leaves, whatever paint and mode.
TEST(DDImageBlitTest, PaletteSourcesDrawWhatTheirPixelsDraw)
{
    for (const auto& named : surfacetest::AllFormats())
    {
        FakeDisplay display(named.format);
        testsupport::ScopedImageHost host(&display);
        auto plain = PlainSource(display, named.format, AlphaMix::Runs);
        std::vector<uint32_t> pixels(plain->GetBits(), plain->GetBits() + plain->PixelCount());
        for (uint32_t& p : pixels)
            p &= 0xC0F0F0F0;
        plain->SetBits(pixels.data(), plain->mWidth, plain->mHeight, true);
        MemoryImage palette(nullptr);
        palette.SetBits(pixels.data(), plain->mWidth, plain->mHeight, true);
        ASSERT_TRUE(palette.ConvertToPalette());
        for (const int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        {
            for (const PaintCase& paint : kPaints)
            {
                SCOPED_TRACE(std::string(named.name) + " / " + paint.name + (mode ? " / additive" : ""));
                const auto background =
                    QuantizedPixels(7, kBlitWidth, kBlitHeight, AlphaMix::Opaque, named.format);
                DDImage expected(&display);
                expected.SetBits(background.data(), kBlitWidth, kBlitHeight, true);
                DDImage actual(&display);
                actual.SetBits(background.data(), kBlitWidth, kBlitHeight, true);
                expected.Blit(plain.get(), 6, 1, Rect(1, 0, 21, 9), paint.color, mode);
                actual.Blit(&palette, 6, 1, Rect(1, 0, 21, 9), paint.color, mode);
                const uint32_t* a = actual.GetBits();
                const uint32_t* e = expected.GetBits();
                ASSERT_NE(a, nullptr);
                ASSERT_NE(e, nullptr);
                EXPECT_TRUE(std::equal(a, a + actual.PixelCount(), e));
            }
        }
    }
}

// A mirrored blit draws what an unmirrored blit of the flipped source draws.
TEST(DDImageBlitTest, MirroredBlitsMatchTheFlippedSource)
{
    for (const auto& named : surfacetest::AllFormats())
    {
        FakeDisplay display(named.format);
        testsupport::ScopedImageHost host(&display);
        for (const int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        {
            for (const PaintCase& paint : kPaints)
            {
                SCOPED_TRACE(std::string(named.name) + " / " + paint.name + (mode ? " / additive" : ""));
                auto source = PlainSource(display, named.format, AlphaMix::Runs);
                std::vector<uint32_t> flipped(source->PixelCount());
                for (int32_t y = 0; y < source->mHeight; ++y)
                    for (int32_t x = 0; x < source->mWidth; ++x)
                        flipped[size_t(y * source->mWidth + x)] =
                            source->GetBits()[size_t(y * source->mWidth + source->mWidth - 1 - x)];
                MemoryImage mirror(nullptr);
                mirror.SetBits(flipped.data(), source->mWidth, source->mHeight, true);

                const auto background =
                    QuantizedPixels(6, kBlitWidth, kBlitHeight, AlphaMix::Opaque, named.format);
                DDImage expected(&display);
                expected.SetBits(background.data(), kBlitWidth, kBlitHeight, true);
                DDImage actual(&display);
                actual.SetBits(background.data(), kBlitWidth, kBlitHeight, true);
                // Source columns 3..17 seen from the other side are columns 5..19.
                expected.Blit(&mirror, 4, 1, Rect(5, 0, 15, 9), paint.color, mode);
                actual.BlitMirrored(source.get(), 4, 1, Rect(3, 0, 15, 9), paint.color, mode);
                const uint32_t* a = actual.GetBits();
                const uint32_t* e = expected.GetBits();
                EXPECT_TRUE(std::equal(a, a + actual.PixelCount(), e));
            }
        }
    }
}

// Blits reaching past either image are cut to both, also when mirrored.
TEST(DDImageBlitTest, BlitsPastTheEdgesAreClipped)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    testsupport::ScopedImageHost host(&display);
    auto source = PlainSource(display, display.mFormat, AlphaMix::Opaque);
    for (const int32_t x : {-30, -5, 20, 30, 60})
    {
        for (const int32_t y : {-12, -3, 5, 20})
        {
            const std::vector<uint32_t> background(size_t(kBlitWidth * kBlitHeight), 0xFF000000);
            DDImage plain(&display);
            plain.SetBits(background.data(), kBlitWidth, kBlitHeight, true);
            plain.Blit(source.get(), x, y, Rect(-2, -1, 30, 12), Color::White, DRAW_MODE_NORMAL);
            DDImage mirrored(&display);
            mirrored.SetBits(background.data(), kBlitWidth, kBlitHeight, true);
            mirrored.BlitMirrored(source.get(), x, y, Rect(-2, -1, 30, 12), Color(10, 20, 30, 128),
                                  DRAW_MODE_ADDITIVE);
            EXPECT_NE(plain.GetBits(), nullptr);
            EXPECT_NE(mirrored.GetBits(), nullptr);
        }
    }
}

uint16_t Surface16(DDImage& image, int32_t x, int32_t y)
{
    EXPECT_TRUE(image.LockSurface());
    uint16_t value = 0;
    std::memcpy(&value, image.mLockedDesc.bits + y * image.mLockedDesc.pitch + x * 2, 2);
    image.UnlockSurface();
    return value;
}

TEST(DDImageBlitTest, SixteenBitWeightsAreFiveBit)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    testsupport::ScopedImageHost host(&display);
    struct Case
    {
        const char* name;
        uint32_t dest;
        uint32_t source;
        bool isVolatile;
        uint16_t expected;
    };
    const Case cases[] = {
        // Black at alpha 128 keeps (256 - 128) >> 3 = 16 of 32 of the destination.
        {"run-length alpha 128", 0xFFFFFFFF, 0x80000000, false, 0x7BEF},
        {"volatile alpha 128", 0xFFFFFFFF, 0x80000000, true, 0x7BEF},
        // A volatile opaque pixel gets only 31 of 32 parts: white over black is 30, 61, 30.
        {"volatile opaque white", 0xFF000000, 0xFFFFFFFF, true, (30 << 11) | (61 << 5) | 30},
        {"run-length opaque white", 0xFF000000, 0xFFFFFFFF, false, 0xFFFF},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        DDImage dest(&display);
        const std::vector<uint32_t> below(4, c.dest);
        dest.SetBits(below.data(), 2, 2, true);
        MemoryImage source(nullptr);
        const std::vector<uint32_t> pixels(4, c.source);
        source.SetBits(pixels.data(), 2, 2, true);
        source.SetVolatile(c.isVolatile);
        dest.Blit(&source, 0, 0, Rect(0, 0, 2, 2), Color::White, DRAW_MODE_NORMAL);
        EXPECT_EQ(Surface16(dest, 1, 1), c.expected);
    }
}

TEST(DDImageBlitTest, SurfaceCopyKeepsTheDestinationsLock)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    testsupport::ScopedImageHost host(&display);
    const std::vector<uint32_t> black(16, 0xFF000000);
    DDImage dest(&display);
    dest.SetBits(black.data(), 4, 4, true);
    auto source = KeyedSource(display, display.mFormat, true);
    ASSERT_TRUE(dest.LockSurface());
    ASSERT_TRUE(dest.LockSurface());
    dest.Blit(source.get(), 0, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(dest.mLockCount, 2);
    EXPECT_EQ(dest.mSurface->LockCount(), 1);
    dest.UnlockSurface();
    dest.UnlockSurface();
    const uint32_t* from = source->GetBits();
    const uint32_t* bits = dest.GetBits();
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
        {
            const uint32_t s = from[y * 23 + x];
            EXPECT_EQ(bits[y * 4 + x], s == 0 ? 0xFF000000 : s) << x << "," << y;
        }
}

TEST(DDImageBlitTest, NoSoftwareDrawStillCopiesSurfaces)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    testsupport::ScopedImageHost host(&display);
    const std::vector<uint32_t> black(16, 0xFF000000);
    DDImage dest(&display);
    dest.SetBits(black.data(), 4, 4, true);
    ASSERT_NE(dest.GetSurface(), nullptr);
    dest.mNoSoftwareDraw = true;

    auto sprite = PlainSource(display, display.mFormat, AlphaMix::Uniform);
    dest.Blit(sprite.get(), 0, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL);
    dest.FillRect(Rect(0, 0, 4, 4), Color(255, 255, 255), DRAW_MODE_NORMAL);
    dest.DrawLine(0, 0, 3, 2, Color(255, 255, 255), DRAW_MODE_NORMAL);
    EXPECT_EQ(dest.GetBits(), nullptr) << "no software reading either";
    dest.mNoSoftwareDraw = false;
    for (int32_t i = 0; i < 16; ++i)
        EXPECT_EQ(dest.GetBits()[i], 0xFF000000u);
    dest.mBits.reset();

    auto opaque = KeyedSource(display, display.mFormat, true);
    dest.mNoSoftwareDraw = true;
    dest.Blit(opaque.get(), 0, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL);
    dest.mNoSoftwareDraw = false;
    const uint32_t* from = opaque->GetBits();
    EXPECT_EQ(dest.GetBits()[5], from[24] == 0 ? 0xFF000000 : from[24]);
}

TEST(DDImageBlitTest, HardwarePathGetsEveryDrawEvenOpaqueSurfaces)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    testsupport::ScopedImageHost host(&display);
    const std::vector<uint32_t> black(16, 0xFF000000);
    DDImage screen(&display);
    screen.SetBits(black.data(), 4, 4, true);
    ASSERT_NE(screen.GetSurface(), nullptr);
    display.mDrawSurface = screen.mSurface.get();
    display.m3D = true;

    auto opaque = KeyedSource(display, display.mFormat, true);
    auto sprite = PlainSource(display, display.mFormat, AlphaMix::Uniform);
    screen.Blit(opaque.get(), 0, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL);
    ASSERT_EQ(display.mD3D.mCalls.size(), 1u)
        << "the frame lives on the device: even an opaque surface goes there";
    display.mD3D.mPushedTransform = true;
    screen.Blit(opaque.get(), 0, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL);
    display.mD3D.mPushedTransform = false;
    screen.Blit(sprite.get(), 0, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL);
    screen.BlitMirrored(sprite.get(), 0, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL);
    screen.BlitSubpixel(sprite.get(), 0.5f, 0.0f, Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White,
                        DRAW_MODE_NORMAL);
    screen.BlitSubpixel(sprite.get(), 3.5f, 0.0f, Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White,
                        DRAW_MODE_NORMAL);
    screen.BlitSubpixel(sprite.get(), 9.0f, 0.0f, Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White,
                        DRAW_MODE_NORMAL);
    screen.FillRect(Rect(0, 0, 2, 2), Color::White, DRAW_MODE_NORMAL);
    screen.DrawAntialiasedLine(0, 0, 3, 2, Color::White, DRAW_MODE_NORMAL);
    EXPECT_TRUE(screen.FillPolygon(nullptr, 0, Rect(0, 0, 4, 4), Color::White, DRAW_MODE_NORMAL, 0, 0));
    const std::vector<std::string> expected = {"Blit",         "Blit",       "Blit",
                                               "BlitMirrored", "BlitLinear", "BlitSubpixel",
                                               "FillRect",     "DrawLine",   "FillPolygon"};
    EXPECT_EQ(display.mD3D.mCalls, expected);
}

} // namespace
