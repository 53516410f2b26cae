#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

using namespace Quib;
using testsupport::FakeImageHost;
using testsupport::ScopedImageHost;

namespace
{

class MemoryImageBlit : public ::testing::Test
{
protected:
    static void Load(MemoryImage& image, std::vector<uint32_t> pixels, int32_t width, int32_t height)
    {
        image.SetBits(pixels.data(), width, height, true);
    }

    // One destination pixel, one source pixel: the result of one blit.
    static uint32_t BlitOne(uint32_t d, uint32_t s, const Color& color, int32_t mode)
    {
        MemoryImage dst;
        MemoryImage src;
        Load(dst, {d}, 1, 1);
        Load(src, {s}, 1, 1);
        dst.Blit(&src, 0, 0, Rect(0, 0, 1, 1), color, mode);
        return dst.GetBits()[0];
    }

    FakeImageHost mHost;
    ScopedImageHost mScope{&mHost};
};

class NotAMemoryImage : public Image
{
};

// What a surface image that may not be read back gives: a size but no pixels.
class Unreadable : public MemoryImage
{
public:
    Unreadable()
    {
        mWidth = 4;
        mHeight = 4;
    }
    uint32_t* GetBits() override { return nullptr; }
};

} // namespace

TEST_F(MemoryImageBlit, FillTable)
{
    struct Case
    {
        const char* name;
        uint32_t before;
        Color color;
        int32_t mode;
        uint32_t after;
    };
    const Case cases[] = {
        {"opaque writes the packed colour", 0x80112233, Color(1, 2, 3), DRAW_MODE_NORMAL, 0xFF010203},
        {"additive mode fills the same", 0x80112233, Color(1, 2, 3), DRAW_MODE_ADDITIVE, 0xFF010203},
        {"half over transparent: f is 255", 0x00000000, Color(200, 100, 0, 128), DRAW_MODE_NORMAL,
         0x80C76300},
        {"half over opaque", 0xFF000000, Color(255, 255, 255, 128), DRAW_MODE_NORMAL, 0xFF7F7F7F},
        {"quarter over half", 0x80FF0000, Color(0, 0, 255, 64), DRAW_MODE_NORMAL, 0x9F990065},
        {"alpha 0 leaves the pixel", 0x12345678, Color(255, 255, 255, 0), DRAW_MODE_NORMAL, 0x12345678},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MemoryImage image;
        Load(image, {c.before}, 1, 1);
        image.FillRect(Rect(0, 0, 1, 1), c.color, c.mode);
        EXPECT_EQ(image.GetBits()[0], c.after) << std::hex << image.GetBits()[0];
    }
}

TEST_F(MemoryImageBlit, FillCoversExactlyItsRectangleAndMarksTheImage)
{
    MemoryImage image;
    Load(image, std::vector<uint32_t>(16, 0xFF000000), 4, 4);
    image.GetRLAlphaData();
    const int32_t count = image.mBitsChangedCount;
    image.FillRect(Rect(1, 2, 2, 5), Color(9, 9, 9), DRAW_MODE_NORMAL);
    EXPECT_EQ(image.mBitsChangedCount, count + 1);
    EXPECT_EQ(image.mRLAlphaData, nullptr);
    const uint32_t* bits = image.GetBits();
    for (int y = 0; y < 4; ++y)
    {
        for (int x = 0; x < 4; ++x)
        {
            const bool inside = x >= 1 && x <= 2 && y >= 2;
            EXPECT_EQ(bits[y * 4 + x], inside ? 0xFF090909u : 0xFF000000u) << x << "," << y;
        }
    }
    EXPECT_EQ(bits[16], IMAGE_BITS_GUARD);

    image.FillRect(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), Color(1, 1, 1), DRAW_MODE_NORMAL);
    image.FillRect(Rect(3, 3, INT32_MAX, INT32_MAX), Color(7, 7, 7), DRAW_MODE_NORMAL);
    image.ClearRect(Rect(INT32_MAX, 0, INT32_MAX, 1));
    EXPECT_EQ(image.GetBits()[15], 0xFF070707u);
    EXPECT_EQ(image.GetBits()[16], IMAGE_BITS_GUARD);
}

TEST_F(MemoryImageBlit, ClearMakesTransparentBlack)
{
    MemoryImage image;
    Load(image, std::vector<uint32_t>(6, 0xFFFFFFFF), 3, 2);
    image.ClearRect(Rect(1, 0, 5, 1));
    EXPECT_EQ(std::vector<uint32_t>(image.GetBits(), image.GetBits() + 6),
              (std::vector<uint32_t>{0xFFFFFFFF, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}));
    image.Clear();
    EXPECT_EQ(std::vector<uint32_t>(image.GetBits(), image.GetBits() + 6), std::vector<uint32_t>(6, 0));
}

TEST_F(MemoryImageBlit, NormalBlitPaths)
{
    struct Case
    {
        const char* name;
        uint32_t d;
        uint32_t s;
        Color color;
        uint32_t expected;
    };
    const Case cases[] = {
        {"opaque onto half-transparent black", 0x80000000, 0xFFFF0000, Color::White, 0xFFFE0000},
        {"transparent source pixel is skipped", 0x80102030, 0x00FFFFFF, Color::White, 0x80102030},
        {"opaque destination copies opaque", 0xFF102030, 0xFFABCDEF, Color::White, 0xFFABCDEF},
        {"opaque destination blends partial", 0xFF000000, 0x80FFFFFF, Color::White, 0xFF7F7F7F},
        {"grey colour", 0xFF204060, 0x80FF8040, Color(128, 128, 128), 0xFF4F4040},
        {"grey with colour alpha 0 draws nothing", 0xFF204060, 0xFFFFFFFF, Color(7, 7, 7, 0), 0xFF204060},
        {"other colour", 0xFF204060, 0x80FF8040, Color(128, 64, 255, 200), 0xFF453352},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BlitOne(c.d, c.s, c.color, DRAW_MODE_NORMAL), c.expected)
            << std::hex << BlitOne(c.d, c.s, c.color, DRAW_MODE_NORMAL);
    }
}

TEST_F(MemoryImageBlit, OpaqueDestinationTakesRunsFromTheSource)
{
    MemoryImage dst;
    Load(dst, std::vector<uint32_t>(8, 0xFF336699), 8, 1);
    MemoryImage src;
    Load(src,
         {0x00FFFFFF, 0x00FFFFFF, 0xFF010203, 0xFF040506, 0x80FFFFFF, 0xFF070809, 0x00000000, 0x40000000}, 8,
         1);
    dst.Blit(&src, 0, 0, Rect(0, 0, 8, 1), Color::White, DRAW_MODE_NORMAL);
    const std::vector<uint32_t> expected = {0xFF336699, 0xFF336699, 0xFF010203, 0xFF040506,
                                            0xFF99B2CB, 0xFF070809, 0xFF336699, 0xFF264C72};
    EXPECT_EQ(std::vector<uint32_t>(dst.GetBits(), dst.GetBits() + 8), expected);
    EXPECT_TRUE(src.mDrawn);
}

TEST_F(MemoryImageBlit, DestinationFlagsAreTakenAsTheyStand)
{
    // The flags say opaque although the pixel is translucent: the opaque path's formula
    // (alpha forced to 255) is used.
    MemoryImage dst;
    Load(dst, {0xFF000000}, 1, 1);
    dst.GetBits()[0] = 0x10000000;
    MemoryImage src;
    Load(src, {0x80FFFFFF}, 1, 1);
    dst.Blit(&src, 0, 0, Rect(0, 0, 1, 1), Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(dst.GetBits()[0], 0xFF7F7F7Fu);
}

TEST_F(MemoryImageBlit, AdditiveBlitPaths)
{
    struct Case
    {
        const char* name;
        uint32_t d;
        uint32_t s;
        bool sourceHasAlpha;
        Color color;
        uint32_t expected;
    };
    const Case cases[] = {
        {"weighted by source alpha", 0x40000000, 0x80FF0000, true, Color::White, 0x407F0000},
        {"saturates", 0xFFF0F0F0, 0x80FFFFFF, true, Color::White, 0xFFFFFFFF},
        {"transparent pixels add when the source has no alpha", 0xFF101010, 0x00204080, false, Color::White,
         0xFF305090},
        {"colour with source alpha", 0xFF101010, 0x80FF8040, true, Color(255, 128, 0, 128), 0xFF4F2010},
        {"colour without source alpha", 0xFF101010, 0x00FF8040, false, Color(255, 128, 0, 128), 0xFF8F3010},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MemoryImage dst;
        MemoryImage src;
        Load(dst, {c.d}, 1, 1);
        Load(src, {c.s}, 1, 1);
        src.ForceTransparencyFlags(false, c.sourceHasAlpha);
        dst.Blit(&src, 0, 0, Rect(0, 0, 1, 1), c.color, DRAW_MODE_ADDITIVE);
        EXPECT_EQ(dst.GetBits()[0], c.expected) << std::hex << dst.GetBits()[0];
    }
}

TEST_F(MemoryImageBlit, RefusedBlitsLeaveTheDestinationUnmarked)
{
    MemoryImage dst;
    Load(dst, {0xFF000000}, 1, 1);
    const int32_t count = dst.mBitsChangedCount;
    NotAMemoryImage foreign;
    dst.Blit(&foreign, 0, 0, Rect(0, 0, 1, 1), Color::White, DRAW_MODE_NORMAL);
    EXPECT_TRUE(foreign.mDrawn);
    MemoryImage src;
    Load(src, {0xFFFFFFFF}, 1, 1);
    dst.Blit(&src, 0, 0, Rect(0, 0, 1, 1), Color::White, 2);
    dst.Blit(nullptr, 0, 0, Rect(0, 0, 1, 1), Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(dst.mBitsChangedCount, count);
    EXPECT_EQ(dst.GetBits()[0], 0xFF000000u);
}

TEST_F(MemoryImageBlit, ImagesWithoutPixelsAreNeitherDrawnNorRead)
{
    Unreadable none;
    MemoryImage real;
    const auto pixels = testsupport::RandomPixels(5, 4, 4);
    real.SetBits(pixels.data(), 4, 4, true);
    const Rect all(0, 0, 4, 4);
    const Span spans[] = {{1, 0, 4}};
    const uint8_t coverage[4] = {255, 128, 64, 1};
    for (const int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        for (const Color& color : {Color::White, Color(10, 200, 30, 128)})
        {
            none.FillRect(all, color, mode);
            none.FillSpansWithCoverage(spans, 1, color, mode, coverage, 0, 1, 4);
            none.DrawLine(0, 0, 3, 3, color, mode);
            none.DrawAntialiasedLine(0, 0, 3, 2, color, mode);
            none.Blit(&real, 0, 0, all, color, mode);
            real.Blit(&none, 0, 0, all, color, mode);
        }
    none.ClearRect(all);
    real.mHasAlpha = real.mHasTrans = false; // takes the run-length path over the source
    real.Blit(&none, 0, 0, all, Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(std::vector<uint32_t>(real.GetBits(), real.GetBits() + 16), pixels);
}

TEST_F(MemoryImageBlit, SourceRectanglesAreCutToBothImages)
{
    MemoryImage src;
    Load(src, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}, 2, 2);
    struct Case
    {
        const char* name;
        int32_t x;
        int32_t y;
        Rect srcRect;
        std::vector<uint32_t> expected; // 3 x 3 opaque black destination; 0 marks untouched pixels
    };
    const Case cases[] = {
        {"inside", 1, 1, Rect(0, 0, 2, 2), {0, 0, 0, 0, 0xFF000001, 0xFF000002, 0, 0xFF000003, 0xFF000004}},
        {"source rect beyond the source", 0, 0, Rect(1, 1, 5, 5), {0xFF000004, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"source rect before the source", 1, 1, Rect(-1, -1, 2, 2), {0, 0, 0, 0, 0, 0, 0, 0, 0xFF000001}},
        {"destination beyond the image", 2, 2, Rect(0, 0, 2, 2), {0, 0, 0, 0, 0, 0, 0, 0, 0xFF000001}},
        {"destination before the image", -1, -1, Rect(0, 0, 2, 2), {0xFF000004, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"far away", 1 << 30, -(1 << 30), Rect(0, 0, 2, 2), {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"negative size", 0, 0, Rect(0, 0, -2, 2), {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"sizes at the integer limits",
         0,
         0,
         Rect(1, 1, INT32_MAX, INT32_MAX),
         {0xFF000004, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"positions at the integer limits",
         INT32_MIN,
         INT32_MAX,
         Rect(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX),
         {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        for (int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        {
            MemoryImage dst;
            Load(dst, std::vector<uint32_t>(9, 0xFF000000), 3, 3);
            dst.Blit(&src, c.x, c.y, c.srcRect, Color::White, mode);
            std::vector<uint32_t> expected = c.expected;
            for (uint32_t& pixel : expected)
                pixel |= 0xFF000000;
            EXPECT_EQ(std::vector<uint32_t>(dst.GetBits(), dst.GetBits() + 9), expected) << "mode " << mode;
        }
    }
}

TEST_F(MemoryImageBlit, SpriteSheetCellIsAddressedWithTheSourceWidth)
{
    MemoryImage sheet;
    std::vector<uint32_t> pixels(4 * 4);
    for (uint32_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0xFF000000 | i;
    Load(sheet, pixels, 4, 4);
    MemoryImage dst;
    Load(dst, std::vector<uint32_t>(4, 0xFF000000), 2, 2);
    dst.Blit(&sheet, 0, 0, Rect(2, 2, 2, 2), Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(std::vector<uint32_t>(dst.GetBits(), dst.GetBits() + 4),
              (std::vector<uint32_t>{0xFF00000A, 0xFF00000B, 0xFF00000E, 0xFF00000F}));
}

TEST_F(MemoryImageBlit, PaletteSourceDrawsLikeItsPixelsAndKeepsItsForm)
{
    const std::vector<uint32_t> pixels = {0x00000000, 0xFFFF0000, 0x80FFFFFF,
                                          0xFF00FF00, 0xFFFF0000, 0x40123456};
    for (const Color& color : {Color::White, Color(100, 100, 100, 200), Color(10, 200, 30, 255)})
    {
        for (int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        {
            for (bool opaqueDest : {true, false})
            {
                MemoryImage plain;
                MemoryImage palette;
                Load(plain, pixels, 3, 2);
                Load(palette, pixels, 3, 2);
                ASSERT_TRUE(palette.ConvertToPalette());
                const std::vector<uint32_t> background(20, opaqueDest ? 0xFF203040 : 0x60203040);
                MemoryImage a;
                MemoryImage b;
                Load(a, background, 5, 4);
                Load(b, background, 5, 4);
                a.Blit(&plain, 1, 1, Rect(0, 0, 3, 2), color, mode);
                b.Blit(&palette, 1, 1, Rect(0, 0, 3, 2), color, mode);
                EXPECT_EQ(std::vector<uint32_t>(a.GetBits(), a.GetBits() + 20),
                          std::vector<uint32_t>(b.GetBits(), b.GetBits() + 20));
                EXPECT_NE(palette.mPalette, nullptr);
                EXPECT_EQ(palette.mBits, nullptr);
            }
        }
    }
}

TEST_F(MemoryImageBlit, BlitOntoItselfWithOverlap)
{
    MemoryImage image;
    Load(image, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}, 4, 1);
    image.Blit(&image, 1, 0, Rect(0, 0, 3, 1), Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(std::vector<uint32_t>(image.GetBits(), image.GetBits() + 4),
              (std::vector<uint32_t>{0xFF000001, 0xFF000001, 0xFF000002, 0xFF000003}));
}

TEST_F(MemoryImageBlit, BlitOntoItselfReadsTheOriginalRows)
{
    // Rows and columns overlap in both directions; translucent pixels show whether a
    // pixel was read before or after it was drawn over.
    const std::vector<uint32_t> pixels = testsupport::RandomPixels(3, 6, 6, testsupport::AlphaMix::Uniform);
    for (const auto& [dx, dy] : {std::pair{1, 1}, std::pair{-1, -2}, std::pair{2, -1}, std::pair{-2, 2}})
    {
        for (int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        {
            MemoryImage image;
            MemoryImage copy;
            Load(image, pixels, 6, 6);
            Load(copy, pixels, 6, 6);
            MemoryImage expected;
            Load(expected, pixels, 6, 6);
            expected.Blit(&copy, 1 + dx, 1 + dy, Rect(1, 1, 4, 4), Color(200, 100, 50, 180), mode);
            image.Blit(&image, 1 + dx, 1 + dy, Rect(1, 1, 4, 4), Color(200, 100, 50, 180), mode);
            EXPECT_EQ(std::vector<uint32_t>(image.GetBits(), image.GetBits() + 36),
                      std::vector<uint32_t>(expected.GetBits(), expected.GetBits() + 36))
                << dx << "," << dy << " mode " << mode;
        }
    }
}

TEST_F(MemoryImageBlit, CoverageSpans)
{
    MemoryImage image;
    Load(image, std::vector<uint32_t>(12, 0xFF000000), 4, 3);
    // Coverage map 4 wide, placed at (1, 1).
    const uint8_t coverage[] = {0, 255, 127, 9, 255, 0, 0, 0};
    const Span spans[] = {{1, 1, 3}, {2, 2, 2}};
    image.FillSpansWithCoverage(spans, 2, Color(255, 255, 255), DRAW_MODE_ADDITIVE, coverage, 1, 1, 4);
    const uint32_t* bits = image.GetBits();
    EXPECT_EQ(bits[4 + 1], 0xFF000000u) << "coverage 0 leaves the first pixel";
    EXPECT_EQ(bits[4 + 2], 0xFFFEFEFEu) << "full coverage still composites: 255 becomes 254";
    EXPECT_EQ(bits[4 + 3], 0xFF7E7E7Eu);
    EXPECT_EQ(bits[8 + 2], 0xFF000000u) << "second span starts at its own coverage column";
    EXPECT_EQ(bits[8 + 3], 0xFF000000u);

    MemoryImage half;
    Load(half, std::vector<uint32_t>(2, 0x00000000), 2, 1);
    const uint8_t full[] = {255, 255, 255, 255, 255};
    const Span row[] = {{0, -1, 5}};
    half.FillSpansWithCoverage(row, 1, Color(200, 0, 0, 128), DRAW_MODE_NORMAL, full, -1, 0, 5);
    EXPECT_EQ(half.GetBits()[0], 0x80C70000u);
    EXPECT_EQ(half.GetBits()[2], IMAGE_BITS_GUARD);
}

TEST_F(MemoryImageBlit, SubpixelBlitIsARotationByZero)
{
    MemoryImage src;
    testsupport::FillRandom(src, 7, 6, 5, testsupport::AlphaMix::Uniform);
    MemoryImage a;
    MemoryImage b;
    testsupport::FillRandom(a, 8, 30, 30, testsupport::AlphaMix::Opaque);
    testsupport::FillRandom(b, 8, 30, 30, testsupport::AlphaMix::Opaque);
    const Rect clip(0, 0, 30, 30);
    a.BlitSubpixel(&src, 10.0f, 20.0f, Rect(0, 0, 6, 5), clip, Color::White, DRAW_MODE_NORMAL);
    b.BlitRotated(&src, 10.0f, 20.0f, Rect(0, 0, 6, 5), clip, Color::White, DRAW_MODE_NORMAL, 0.0, 0.0f,
                  0.0f);
    EXPECT_EQ(std::vector<uint32_t>(a.GetBits(), a.GetBits() + 900),
              std::vector<uint32_t>(b.GetBits(), b.GetBits() + 900));
    EXPECT_TRUE(src.mDrawn);
}
