#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "tests/framework/graphics/SurfaceTestDisplay.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

using namespace Quib;
using surfacetest::FakeDisplay;
using surfacetest::Quantize;
using testsupport::AlphaMix;

namespace
{

constexpr int32_t kResampleSize = 24;

uint32_t Raw(DDImage& image, int32_t x, int32_t y)
{
    EXPECT_TRUE(image.LockSurface());
    uint32_t value = 0;
    const int32_t bytes = image.mLockedDesc.bitCount / 8;
    std::memcpy(&value, image.mLockedDesc.bits + y * image.mLockedDesc.pitch + x * bytes, size_t(bytes));
    image.UnlockSurface();
    return value;
}

std::vector<uint32_t> Quantized(uint64_t seed, int32_t width, int32_t height, AlphaMix mix,
                                const platform::PixelFormat& format)
{
    auto pixels = testsupport::RandomPixels(seed, width, height, mix);
    for (uint32_t& p : pixels)
        p = (p & 0xFF000000) | (Quantize(p, format) & 0xFFFFFF);
    return pixels;
}

int32_t ResampleTolerance(uint32_t mask)
{
    const int32_t step = 256 >> platform::MaskBits(mask);
    return step == 1 ? 3 : 3 * step + 6;
}

// Pixels in skip (the background) are not counted where the surface left them so.
int32_t Mismatches(DDImage& surface, MemoryImage& memory, const platform::PixelFormat& format,
                   const std::vector<uint32_t>* skip = nullptr)
{
    const uint32_t masks[3] = {format.redMask, format.greenMask, format.blueMask};
    const uint32_t* s = surface.GetBits();
    const uint32_t* m = memory.GetBits();
    int32_t count = 0;
    for (size_t i = 0; i < surface.PixelCount(); ++i)
    {
        if (skip != nullptr && ((*skip)[i] & 0xFFFFFF) == (s[i] & 0xFFFFFF))
            continue;
        const uint32_t expected = Quantize(m[i], format);
        for (int c = 0; c < 3; ++c)
        {
            const int32_t shift = 16 - 8 * c;
            if (std::abs(int32_t((s[i] >> shift) & 0xFF) - int32_t((expected >> shift) & 0xFF)) >
                ResampleTolerance(masks[c]))
                ++count;
        }
    }
    return count;
}

struct Scene
{
    explicit Scene(const platform::PixelFormat& format)
        : display(format), host(&display), memory(nullptr), surface(&display), sprite(nullptr)
    {
        const auto background = Quantized(3, kResampleSize, kResampleSize, AlphaMix::Opaque, format);
        memory.SetBits(background.data(), kResampleSize, kResampleSize, true);
        surface.SetBits(background.data(), kResampleSize, kResampleSize, true);
        const auto pixels = Quantized(4, 9, 7, AlphaMix::Uniform, format);
        sprite.SetBits(pixels.data(), 9, 7, true);
    }

    FakeDisplay display;
    testsupport::ScopedImageHost host;
    MemoryImage memory;
    DDImage surface;
    MemoryImage sprite;
};

const Color kResamplePaints[] = {Color::White, Color(160, 160, 160, 255), Color(250, 90, 30, 200)};

// Rotated, stretched and coverage draws on a surface look as they do on a memory
// image, in every format and paint.
TEST(SurfaceResampledBlitTest, MatchTheMemoryImage)
{
    using Draw = std::function<void(Image&, MemoryImage&, const Color&, int32_t)>;
    const Rect clip(1, 2, 21, 20);
    const std::pair<const char*, Draw> draws[] = {
        {"rotated", [&](Image& d, MemoryImage& s, const Color& c, int32_t mode)
         { d.BlitRotated(&s, 6.3f, 5.1f, Rect(0, 0, 9, 7), clip, c, mode, 0.7, 4.0f, 3.0f); }},
        {"rotated backwards", [&](Image& d, MemoryImage& s, const Color& c, int32_t mode)
         { d.BlitRotated(&s, 8.0f, 9.0f, Rect(1, 1, 8, 6), clip, c, mode, -2.4, 2.0f, 5.5f); }},
        {"subpixel", [&](Image& d, MemoryImage& s, const Color& c, int32_t mode)
         { d.BlitSubpixel(&s, 3.25f, 4.75f, Rect(0, 0, 9, 7), clip, c, mode); }},
        {"stretched nearest", [&](Image& d, MemoryImage& s, const Color& c, int32_t mode)
         { d.BlitStretched(&s, Rect(-3, 2, 18, 14), Rect(0, 0, 9, 7), clip, c, mode, true); }},
        {"stretched filtered", [&](Image& d, MemoryImage& s, const Color& c, int32_t mode)
         { d.BlitStretched(&s, Rect(2, 1, 27, 14), Rect(0, 0, 9, 7), clip, c, mode, false); }},
        {"coverage",
         [&](Image& d, MemoryImage&, const Color& c, int32_t mode)
         {
             static const std::vector<uint8_t> coverage = []
             {
                 std::vector<uint8_t> bytes(30 * 30);
                 for (size_t i = 0; i < bytes.size(); ++i)
                     bytes[i] = uint8_t(i * 37 % 256);
                 return bytes;
             }();
             const Span spans[] = {{3, 2, 10}, {4, -3, 40}, {5, 20, 4}, {30, 0, 5}, {23, 0, 24}};
             d.FillSpansWithCoverage(spans, 5, c, mode, coverage.data(), -4, 1, 30);
         }},
    };
    for (const auto& named : surfacetest::AllFormats())
    {
        for (const auto& [name, draw] : draws)
        {
            for (const Color& paint : kResamplePaints)
            {
                const std::string kind = name;
                // A memory image's filtered stretch is never tinted, while a surface
                // tints the resampled picture: they agree only for white.
                if (kind == "stretched filtered" && paint != Color::White)
                    continue;
                SCOPED_TRACE(std::string(named.name) + " / " + name + " / " +
                             std::to_string(paint.PackARGB()));
                Scene scene(named.format);
                draw(scene.memory, scene.sprite, paint, DRAW_MODE_NORMAL);
                draw(scene.surface, scene.sprite, paint, DRAW_MODE_NORMAL);
                const auto background =
                    Quantized(3, kResampleSize, kResampleSize, AlphaMix::Opaque, named.format);
                // Walking backwards, the surface stops half a pixel inside the
                // rectangle's first row, where the memory image takes one more step.
                EXPECT_EQ(Mismatches(scene.surface, scene.memory, named.format,
                                     kind == "rotated backwards" ? &background : nullptr),
                          0);
                const uint32_t* drawn = scene.surface.GetBits();
                EXPECT_GT(std::inner_product(drawn, drawn + scene.surface.PixelCount(), background.begin(), 0,
                                             std::plus<>(),
                                             [](uint32_t a, uint32_t b) { return a != b ? 1 : 0; }),
                          10)
                    << "the draw must reach the surface";
            }
        }
    }
}

// Matrix blits and textured triangles go through the triangle rasteriser on the
// surface where it has spans for the layout, and through the memory image elsewhere.
TEST(SurfaceResampledBlitTest, TransformedBlitsMatchTheMemoryImage)
{
    for (const auto& named : surfacetest::AllFormats())
    {
        const platform::PixelFormat& format = named.format;
        for (const bool linear : {false, true})
        {
            SCOPED_TRACE(std::string(named.name) + (linear ? " linear" : ""));
            Scene scene(format);
            Matrix3 matrix;
            matrix.RotateRad(0.4f);
            matrix.Scale(1.5f, 1.2f);
            scene.memory.BlitTransformed(&scene.sprite, 12.0f, 11.0f, matrix,
                                         Rect(0, 0, kResampleSize, kResampleSize), Color::White,
                                         DRAW_MODE_NORMAL, Rect(0, 0, 9, 7), linear);
            scene.surface.BlitTransformed(&scene.sprite, 12.0f, 11.0f, matrix,
                                          Rect(0, 0, kResampleSize, kResampleSize), Color::White,
                                          DRAW_MODE_NORMAL, Rect(0, 0, 9, 7), linear);
            EXPECT_EQ(Mismatches(scene.surface, scene.memory, format), 0);

            const TriVertex triangles[] = {{2.0f, 3.0f, 0.0f, 0.0f, 0},
                                           {20.0f, 5.5f, 1.0f, 0.0f, 0},
                                           {6.0f, 21.0f, 0.0f, 1.0f, 0},
                                           {14.0f, 12.0f, 0.5f, 0.5f, 0xC080FF40},
                                           {23.0f, 23.0f, 1.0f, 1.0f, 0xFFFFFFFF},
                                           {10.0f, 23.0f, 0.0f, 1.0f, 0x80FFFFFF}};
            const Color tint(220, 200, 255, 230);
            scene.memory.BlitTexturedTriangles(&scene.sprite, triangles, 2,
                                               Rect(0, 0, kResampleSize, kResampleSize), tint,
                                               DRAW_MODE_NORMAL, 0.5f, -1.0f, linear);
            scene.surface.BlitTexturedTriangles(&scene.sprite, triangles, 2,
                                                Rect(0, 0, kResampleSize, kResampleSize), tint,
                                                DRAW_MODE_NORMAL, 0.5f, -1.0f, linear);
            EXPECT_EQ(Mismatches(scene.surface, scene.memory, format), 0);
        }
    }
}

// The rasteriser's spans know only three exact layouts; every other surface, however
// close its masks come to one of them, is drawn in memory and must look the same.
TEST(SurfaceResampledBlitTest, OnlyExactLayoutsReachTheRasterisersSpans)
{
    struct Case
    {
        const char* name;
        platform::PixelFormat format;
        bool spans;
    };
    const Case cases[] = {{"Rgb565", platform::PixelFormat::Rgb565(), true},
                          {"Rgb555", platform::PixelFormat::Rgb555(), true},
                          {"Rgb32", platform::PixelFormat::Rgb32(), true},
                          {"Bgr565", {16, 0x001F, 0x07E0, 0xF800}, false},
                          {"Bgr555", {16, 0x001F, 0x03E0, 0x7C00}, false},
                          {"565 with red and green swapped", {16, 0x07E0, 0xF800, 0x001F}, false},
                          {"555 one bit up", {16, 0xF800, 0x07C0, 0x003E}, false},
                          {"Rgb444", {16, 0x0F00, 0x00F0, 0x000F}, false},
                          {"Bgr32", {32, 0x000000FF, 0x0000FF00, 0x00FF0000}, false}};
    const TriVertex triangle[] = {
        {2.0f, 3.0f, 0.0f, 0.0f, 0}, {20.0f, 5.5f, 1.0f, 0.0f, 0}, {6.0f, 21.0f, 0.0f, 1.0f, 0x80FFC040}};
    for (const Case& c : cases)
        for (const bool triangles : {false, true})
        {
            SCOPED_TRACE(std::string(c.name) + (triangles ? " triangles" : " transformed"));
            Scene scene(c.format);
            ASSERT_NE(scene.surface.GetSurface(), nullptr);
            if (triangles)
            {
                scene.memory.BlitTexturedTriangles(&scene.sprite, triangle, 1,
                                                   Rect(0, 0, kResampleSize, kResampleSize), Color::White,
                                                   DRAW_MODE_NORMAL, 0.0f, 0.0f, true);
                scene.surface.BlitTexturedTriangles(&scene.sprite, triangle, 1,
                                                    Rect(0, 0, kResampleSize, kResampleSize), Color::White,
                                                    DRAW_MODE_NORMAL, 0.0f, 0.0f, true);
            }
            else
            {
                Matrix3 matrix;
                matrix.RotateRad(-0.6f);
                scene.memory.BlitTransformed(&scene.sprite, 12.0f, 12.0f, matrix,
                                             Rect(0, 0, kResampleSize, kResampleSize), Color(200, 255, 120),
                                             DRAW_MODE_NORMAL, Rect(0, 0, 9, 7), false);
                scene.surface.BlitTransformed(&scene.sprite, 12.0f, 12.0f, matrix,
                                              Rect(0, 0, kResampleSize, kResampleSize), Color(200, 255, 120),
                                              DRAW_MODE_NORMAL, Rect(0, 0, 9, 7), false);
            }
            // Drawn on the surface, the surface stays; drawn in memory, the changed
            // pixels replace it.
            EXPECT_EQ(scene.surface.mSurface != nullptr, c.spans);
            EXPECT_EQ(Mismatches(scene.surface, scene.memory, c.format), 0);
        }
}

TEST(SurfaceResampledBlitTest, RotationByZeroKeepsInsideTheTaps)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    testsupport::ScopedImageHost host(&display);
    const std::vector<uint32_t> white(64, 0xFFFFFFFF);
    DDImage dest(&display);
    dest.SetBits(white.data(), 8, 8, true);
    const std::vector<uint32_t> red(20, 0xFFFF0000);
    MemoryImage source(nullptr);
    source.SetBits(red.data(), 5, 4, true);
    dest.BlitRotated(&source, 2.0f, 3.0f, Rect(0, 0, 5, 4), Rect(0, 0, 8, 8), Color::White, DRAW_MODE_NORMAL,
                     0.0, 0.0f, 0.0f);
    // An opaque pixel weighs 254: red 255 x 254 / 256 plus 2/256 of white.
    const uint32_t drawn = ((255 * 254) >> 8) + ((255 * 2) >> 8);
    const uint32_t kept = (255 * 2) >> 8;
    for (int32_t y = 0; y < 8; ++y)
    {
        for (int32_t x = 0; x < 8; ++x)
        {
            const bool inside = x >= 3 && x <= 5 && y >= 3 && y <= 5;
            const uint32_t expected = inside ? (drawn << 16 | kept << 8 | kept) : 0xFFFFFF;
            EXPECT_EQ(Raw(dest, x, y) & 0xFFFFFF, expected) << x << "," << y;
        }
    }
}

TEST(SurfaceResampledBlitTest, DrawsOutsideTheClipChangeNothing)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    testsupport::ScopedImageHost host(&display);
    const auto background = Quantized(3, kResampleSize, kResampleSize, AlphaMix::Opaque, display.mFormat);
    DDImage dest(&display);
    dest.SetBits(background.data(), kResampleSize, kResampleSize, true);
    const std::vector<uint32_t> red(20, 0xFFFF0000);
    MemoryImage source(nullptr);
    source.SetBits(red.data(), 5, 4, true);
    const Rect clip(0, 0, 6, 6);
    dest.BlitRotated(&source, 15.0f, 15.0f, Rect(0, 0, 5, 4), clip, Color::White, DRAW_MODE_NORMAL, 0.3, 0.0f,
                     0.0f);
    dest.BlitStretched(&source, Rect(10, 10, 9, 9), Rect(0, 0, 5, 4), clip, Color::White, DRAW_MODE_NORMAL,
                       true);
    dest.BlitStretchedMirrored(&source, Rect(10, 10, 9, 9), Rect(0, 0, 5, 4), clip, Color::White,
                               DRAW_MODE_ADDITIVE, false);
    dest.FillSpansWithCoverage(nullptr, 0, Color::White, DRAW_MODE_NORMAL, nullptr, 0, 0, 0);
    ASSERT_NE(dest.mBits, nullptr) << "nothing drawn, so the memory copy stays";
    EXPECT_TRUE(std::equal(background.begin(), background.end(), dest.mBits.get()));
}

TEST(SurfaceResampledBlitTest, MirroredStretchIsTheStretchOfTheFlippedSource)
{
    for (const auto& named : surfacetest::AllFormats())
    {
        for (const int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        {
            SCOPED_TRACE(std::string(named.name) + (mode ? " additive" : ""));
            Scene scene(named.format);
            const auto pixels = Quantized(4, 9, 7, AlphaMix::Uniform, named.format);
            std::vector<uint32_t> flipped(pixels.size());
            for (int32_t y = 0; y < 7; ++y)
                for (int32_t x = 0; x < 9; ++x)
                    flipped[size_t(y * 9 + x)] = pixels[size_t(y * 9 + 8 - x)];
            MemoryImage mirror(nullptr);
            mirror.SetBits(flipped.data(), 9, 7, true);
            DDImage expected(&scene.display);
            expected.SetBits(scene.surface.GetBits(), kResampleSize, kResampleSize, true);
            const Color paint(200, 100, 250, 220);
            expected.BlitStretched(&mirror, Rect(0, 0, 18, 21), Rect(0, 0, 9, 7),
                                   Rect(0, 0, kResampleSize, kResampleSize), paint, mode, true);
            scene.surface.BlitStretchedMirrored(&scene.sprite, Rect(0, 0, 18, 21), Rect(0, 0, 9, 7),
                                                Rect(0, 0, kResampleSize, kResampleSize), paint, mode, true);
            const uint32_t* a = scene.surface.GetBits();
            EXPECT_TRUE(std::equal(a, a + scene.surface.PixelCount(), expected.GetBits()));
        }
    }
}

TEST(SurfaceResampledBlitTest, UnfilteredStretchOfASurfacedImageCopiesSurfaces)
{
    FakeDisplay display(platform::PixelFormat::Rgb555());
    testsupport::ScopedImageHost host(&display);
    const std::vector<uint32_t> black(64, 0xFF000000);
    DDImage dest(&display);
    dest.SetBits(black.data(), 8, 8, true);
    std::vector<uint32_t> pixels = {0xFFF80000, 0x00000000, 0xFF00F800, 0xFF0000F8};
    DDImage source(&display);
    source.SetBits(pixels.data(), 2, 2, true);
    ASSERT_NE(source.GetSurface(), nullptr);
    dest.BlitStretched(&source, Rect(0, 0, 8, 8), Rect(0, 0, 2, 2), Rect(0, 0, 8, 8), Color::White,
                       DRAW_MODE_NORMAL, true);
    EXPECT_EQ(Raw(dest, 3, 3), 0x7C00u);
    EXPECT_EQ(Raw(dest, 4, 3), 0u) << "the key is left out";
    EXPECT_EQ(Raw(dest, 3, 4), 0x03E0u);
    EXPECT_EQ(Raw(dest, 7, 7), 0x001Fu);
}

TEST(SurfaceResampledBlitTest, CoverageOn565)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    testsupport::ScopedImageHost host(&display);
    const std::vector<uint32_t> black(16, 0xFF000000);
    DDImage dest(&display);
    dest.SetBits(black.data(), 4, 4, true);
    const std::vector<uint8_t> full(16, 255);
    const Span span{1, 0, 4};
    dest.FillSpansWithCoverage(&span, 1, Color::White, DRAW_MODE_NORMAL, full.data(), 0, 0, 4);
    // White is 30, 62, 30 here, and full coverage keeps 1/256 of the black below.
    EXPECT_EQ(Raw(dest, 2, 1), uint32_t(29 << 11 | 61 << 5 | 29));
    EXPECT_EQ(Raw(dest, 2, 2), 0u);
}

TEST(SurfaceResampledBlitTest, CoverageOnTheHardwarePathGoesThroughAnImage)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    testsupport::ScopedImageHost host(&display);
    const std::vector<uint32_t> black(16, 0xFF000000);
    DDImage screen(&display);
    screen.SetBits(black.data(), 4, 4, true);
    ASSERT_NE(screen.GetSurface(), nullptr);
    display.mDrawSurface = screen.mSurface.get();
    display.m3D = true;
    const std::vector<uint8_t> full(16, 255);
    const Span spans[] = {{1, 1, 2}, {2, 0, 3}};
    screen.FillSpansWithCoverage(spans, 2, Color::White, DRAW_MODE_NORMAL, full.data(), 0, 0, 4);
    EXPECT_EQ(display.mD3D.mCalls, std::vector<std::string>{"Blit"});
    EXPECT_EQ(spans[0].x, 1) << "the caller's spans stay where they were";
    EXPECT_EQ(spans[1].y, 2);
}

// Positions, rectangles and clips far outside either image, in every operation and
// format: nothing may be read or written outside the source or the surface (the
// sanitizer build watches), and the picture stays readable.
TEST(SurfaceResampledBlitTest, WildGeometryStaysInside)
{
    testsupport::TestRandom random(99);
    for (const auto& named : surfacetest::AllFormats())
    {
        SCOPED_TRACE(named.name);
        Scene scene(named.format);
        const std::vector<uint8_t> coverage(84 * 64, 200);
        for (int round = 0; round < 60; ++round)
        {
            const auto any = [&](int32_t span) { return random.Range(-span, span); };
            const Rect srcRect(any(12), any(12), random.Range(-2, 20), random.Range(-2, 20));
            const Rect destRect(any(40), any(40), random.Range(-5, 60), random.Range(-5, 60));
            const Rect clip(any(30), any(30), random.Range(0, 60), random.Range(0, 60));
            const Color paint(random.Range(0, 255), random.Range(0, 255), random.Range(0, 255),
                              random.Range(0, 255));
            const int32_t mode = random.Range(0, 1);
            DDImage& d = scene.surface;
            d.Blit(&scene.sprite, any(40), any(40), srcRect, paint, mode);
            d.BlitMirrored(&scene.sprite, any(40), any(40), srcRect, paint, mode);
            d.BlitRotated(&scene.sprite, float(any(40)), float(any(40)), srcRect, clip, paint, mode,
                          random.Range(-700, 700) / 100.0, float(any(10)), float(any(10)));
            d.BlitStretched(&scene.sprite, destRect, srcRect, clip, paint, mode, random.Range(0, 1) == 1);
            d.BlitStretchedMirrored(&scene.sprite, destRect, srcRect, clip, paint, mode,
                                    random.Range(0, 1) == 1);
            d.FillRect(destRect, paint, mode);
            d.DrawLine(any(40), any(40), any(40), any(40), paint, mode);
            d.DrawAntialiasedLine(any(40) + 0.5, any(40) + 0.25, any(40), any(40), paint, mode);
            const Span spans[] = {{any(40), any(40), random.Range(0, 80)},
                                  {any(40), any(40), random.Range(0, 80)}};
            // The coverage map reaches 30 pixels beyond the image on every side.
            d.FillSpansWithCoverage(spans, 2, paint, mode, coverage.data(), -30, -30, 64);
        }
        EXPECT_NE(scene.surface.GetBits(), nullptr);
    }
}

} // namespace
