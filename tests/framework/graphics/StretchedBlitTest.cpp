#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/BlitKernels.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/Simd.h"
#include "framework/graphics/StretchFilter.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace Quib;
using testsupport::TestRandom;

namespace
{

class StretchedBlit : public ::testing::Test
{
protected:
    static void Load(MemoryImage& image, const std::vector<uint32_t>& pixels, int w, int h)
    {
        image.SetBits(pixels.data(), w, h, true);
    }
    static void Fill(MemoryImage& image, int w, int h, uint32_t pixel)
    {
        Load(image, std::vector<uint32_t>(size_t(w * h), pixel), w, h);
    }

    testsupport::FakeImageHost mHost;
    testsupport::ScopedImageHost mScope{&mHost};
};

TEST_F(StretchedBlit, MappingFollowsTheClipBackIntoTheSource)
{
    Rect clipped;
    DoubleRect mapped;
    ASSERT_TRUE(MemoryImage::MapStretchRect(Rect(10, 10, 20, 40), clipped, Rect(2, 4, 10, 20),
                                            Rect(15, 0, 100, 30), mapped));
    EXPECT_EQ(clipped, Rect(15, 10, 15, 20));
    EXPECT_EQ(mapped, DoubleRect(4.5, 4, 7.5, 10));
    ASSERT_TRUE(MemoryImage::MapStretchRectMirrored(Rect(10, 10, 20, 40), clipped, Rect(2, 4, 10, 20),
                                                    Rect(15, 0, 100, 30), mapped));
    EXPECT_EQ(mapped, DoubleRect(2, 4, 7.5, 10));
    EXPECT_FALSE(MemoryImage::MapStretchRect(Rect(10, 10, 20, 40), clipped, Rect(2, 4, 10, 20),
                                             Rect(40, 0, 10, 10), mapped));
}

TEST_F(StretchedBlit, UnfilteredAtScaleOneCopiesAndAtHalfTakesEverySecondPixel)
{
    MemoryImage source, dest;
    const std::vector<uint32_t> pixels = testsupport::RandomPixels(3, 8, 6, testsupport::AlphaMix::Opaque);
    Load(source, pixels, 8, 6);
    Fill(dest, 10, 10, 0);
    dest.BlitStretched(&source, Rect(1, 2, 4, 3), Rect(2, 1, 4, 3), Rect(0, 0, 10, 10), Color::White,
                       DRAW_MODE_NORMAL, true);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            ASSERT_EQ(dest.GetBits()[(2 + i) * 10 + 1 + j],
                      BlitReference::BlendWhite(0, pixels[size_t((1 + i) * 8 + 2 + j)]));

    Fill(dest, 10, 10, 0);
    dest.BlitStretched(&source, Rect(0, 0, 4, 3), Rect(0, 0, 8, 6), Rect(0, 0, 10, 10), Color::White,
                       DRAW_MODE_NORMAL, true);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            ASSERT_EQ(dest.GetBits()[i * 10 + j],
                      BlitReference::BlendWhite(0, pixels[size_t(2 * i * 8 + 2 * j)]));
}

TEST_F(StretchedBlit, FilteredEnlargementOfTwoPixelsIsARampEndingAt254)
{
    MemoryImage source, dest;
    Load(source, {0xFF000000u, 0xFFFFFFFFu}, 2, 1);
    Fill(dest, 5, 1, 0xFF000000u);
    dest.BlitStretched(&source, Rect(0, 0, 5, 1), Rect(0, 0, 2, 1), Rect(0, 0, 5, 1), Color::White,
                       DRAW_MODE_NORMAL, false);
    const uint32_t expected[5] = {0xFF000000u, 0xFF3F3F3Fu, 0xFF7F7F7Fu, 0xFFBFBFBFu, 0xFFFEFEFEu};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dest.GetBits()[i], expected[i]) << i;
}

// A filtered stretch of a memory image takes neither the colour nor the draw
// mode: tinted or additive, it draws the plain resampled picture.
TEST_F(StretchedBlit, FilteredStretchIgnoresTheColourAndMode)
{
    MemoryImage source, plain, tinted, added, addedPlain;
    Load(source, {0xFF000000u, 0xFFFFFFFFu}, 2, 1);
    for (MemoryImage* image : {&plain, &tinted})
        Fill(*image, 5, 1, 0xFF000000u);
    for (MemoryImage* image : {&added, &addedPlain})
        Fill(*image, 5, 1, 0xFF204060u);
    const Rect dest(0, 0, 5, 1), src(0, 0, 2, 1);
    plain.BlitStretched(&source, dest, src, dest, Color::White, DRAW_MODE_NORMAL, false);
    tinted.BlitStretched(&source, dest, src, dest, Color(255, 0, 0, 128), DRAW_MODE_NORMAL, false);
    addedPlain.BlitStretched(&source, dest, src, dest, Color::White, DRAW_MODE_NORMAL, false);
    added.BlitStretched(&source, dest, src, dest, Color(0, 255, 0), DRAW_MODE_ADDITIVE, false);
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(tinted.GetBits()[i], plain.GetBits()[i]) << i;
        EXPECT_EQ(added.GetBits()[i], addedPlain.GetBits()[i]) << i;
    }
}

TEST_F(StretchedBlit, FilteredHalvingAveragesEachBlock)
{
    MemoryImage source, dest;
    Load(source, {0xFF000000u, 0xFFC8C8C8u, 0xFF646464u, 0xFF000000u}, 2, 2);
    Fill(dest, 1, 1, 0xFF000000u);
    dest.BlitStretched(&source, Rect(0, 0, 1, 1), Rect(0, 0, 2, 2), Rect(0, 0, 1, 1), Color::White,
                       DRAW_MODE_NORMAL, false);
    // Weights 128 and 128 per direction: (200 + 100) x 128 x 257 x 128 >> 16 = 75; alpha 255 x 4 x 128 x 128
    // x 257
    // >> 16 = 255; (75 x 255) >> 8 = 74.
    EXPECT_EQ(dest.GetBits()[0], 0xFF4A4A4Au);
}

TEST_F(StretchedBlit, ClippedDrawMatchesTheWholeDrawCutToTheClip)
{
    MemoryImage source;
    testsupport::FillRandom(source, 11, 16, 12, testsupport::AlphaMix::Extremes);
    for (bool unfiltered : {true, false})
    {
        MemoryImage whole, part;
        testsupport::FillRandom(whole, 12, 40, 30, testsupport::AlphaMix::Opaque);
        testsupport::FillRandom(part, 12, 40, 30, testsupport::AlphaMix::Opaque);
        const Rect dest(2, 3, 32, 24); // an exact enlargement by 2 keeps whole and clipped alike
        const Rect clip(10, 7, 16, 12);
        whole.BlitStretched(&source, Rect(2, 3, 8, 6), Rect(0, 0, 16, 12), Rect(0, 0, 40, 30), Color::White,
                            DRAW_MODE_NORMAL, unfiltered);
        whole.BlitStretched(&source, dest, Rect(0, 0, 16, 12), Rect(0, 0, 40, 30), Color::White,
                            DRAW_MODE_NORMAL, unfiltered);
        part.BlitStretched(&source, Rect(2, 3, 8, 6), Rect(0, 0, 16, 12), Rect(0, 0, 40, 30), Color::White,
                           DRAW_MODE_NORMAL, unfiltered);
        part.BlitStretched(&source, dest, Rect(0, 0, 16, 12), clip, Color::White, DRAW_MODE_NORMAL,
                           unfiltered);
        if (!unfiltered)
            continue; // a filtered enlargement steps from the clipped ends, so only the unfiltered one is
                      // exact
        for (int y = clip.mY; y < clip.mY + clip.mHeight; ++y)
            for (int x = clip.mX; x < clip.mX + clip.mWidth; ++x)
                ASSERT_EQ(part.GetBits()[y * 40 + x], whole.GetBits()[y * 40 + x]) << x << "," << y;
    }
    // The filtered reduction by an exact factor is unchanged by clipping at block edges.
    MemoryImage whole, part;
    testsupport::FillRandom(whole, 13, 40, 30, testsupport::AlphaMix::Opaque);
    testsupport::FillRandom(part, 13, 40, 30, testsupport::AlphaMix::Opaque);
    whole.BlitStretched(&source, Rect(4, 4, 8, 6), Rect(0, 0, 16, 12), Rect(0, 0, 40, 30), Color::White,
                        DRAW_MODE_NORMAL, false);
    part.BlitStretched(&source, Rect(4, 4, 8, 6), Rect(0, 0, 16, 12), Rect(6, 5, 4, 3), Color::White,
                       DRAW_MODE_NORMAL, false);
    for (int y = 5; y < 8; ++y)
        for (int x = 6; x < 10; ++x)
            ASSERT_EQ(part.GetBits()[y * 40 + x], whole.GetBits()[y * 40 + x]) << x << "," << y;
}

TEST_F(StretchedBlit, EnlargementClippedBelowOneSourcePixelStaysWithinTheSourceColours)
{
    MemoryImage source, dest;
    Load(source, {0xFF204060u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu}, 2, 2);
    // 2 x 2 enlarged to 200 x 200 and clipped to 20 x 20: the mapped source is 0.2 wide.
    // At the source's corner a backward step would leave the image and turn weights
    // negative; the clipped part is instead one flat colour taken at the mapped corner.
    struct Case
    {
        Rect dest;
        uint32_t expected;
    };
    const Case cases[] = {{Rect(0, 0, 200, 200), 0xFF1F3F5Fu}, {Rect(-90, -90, 200, 200), 0xFFFCFDFDu}};
    for (const Case& c : cases)
    {
        Fill(dest, 64, 64, 0xFF000000u);
        dest.BlitStretched(&source, c.dest, Rect(0, 0, 2, 2), Rect(0, 0, 20, 20), Color::White,
                           DRAW_MODE_NORMAL, false);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(dest.GetBits()[y * 64 + x], c.expected) << x << "," << y;
        EXPECT_EQ(dest.GetBits()[20 * 64 + 20], 0xFF000000u);
    }
}

TEST_F(StretchedBlit, ColourOverTransparentPixelsIsStoredStraight)
{
    MemoryImage source, dest;
    Load(source, {0x80FF8040u, 0x80FF8040u, 0x80FF8040u, 0x80FF8040u}, 2, 2);
    Fill(dest, 4, 4, 0);
    dest.BlitStretched(&source, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White,
                       DRAW_MODE_NORMAL, false);
    // Alpha 128 over nothing keeps the colour itself, not the colour times one half.
    EXPECT_EQ(dest.GetBits()[5], 0x80FE7F3Fu);
}

TEST_F(StretchedBlit, SourceRectangleOutsideTheImageDrawsNothing)
{
    MemoryImage source, dest;
    Fill(source, 4, 4, 0xFFFFFFFFu);
    Fill(dest, 10, 10, 0xFF000000u);
    const int before = dest.mBitsChangedCount;
    for (bool unfiltered : {true, false})
        for (const Rect& bad : {Rect(1, 0, 4, 4), Rect(-1, 0, 4, 4), Rect(0, 0, 4, 5), Rect(0, 0, 0, 4)})
            dest.BlitStretched(&source, Rect(0, 0, 10, 10), bad, Rect(0, 0, 10, 10), Color::White,
                               DRAW_MODE_NORMAL, unfiltered);
    EXPECT_EQ(dest.mBitsChangedCount, before);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(dest.GetBits()[i], 0xFF000000u);
}

TEST_F(StretchedBlit, HugeAndDegenerateRectanglesDrawSafely)
{
    MemoryImage source, dest;
    testsupport::FillRandom(source, 5, 7, 5);
    Fill(dest, 16, 16, 0xFF000000u);
    const Rect cases[] = {Rect(0, 0, 0, 10), Rect(0, 0, 10, -4), Rect(-1000000, -1000000, 2000000, 2000000),
                          Rect(15, 15, 2147483647, 2147483647), Rect(-2147483647, 3, 10, 10)};
    for (bool unfiltered : {true, false})
        for (const Rect& destRect : cases)
            dest.BlitStretched(&source, destRect, Rect(0, 0, 7, 5), Rect(-50, -50, 500, 500), Color::White,
                               DRAW_MODE_NORMAL, unfiltered);
    SUCCEED();
}

TEST_F(StretchedBlit, TintedUnfilteredStretchCompositesLikeATintedBlit)
{
    MemoryImage source, viaStretch, viaBlit;
    testsupport::FillRandom(source, 21, 6, 5);
    testsupport::FillRandom(viaStretch, 22, 6, 5);
    testsupport::FillRandom(viaBlit, 22, 6, 5);
    for (const Color& color : {Color(90, 90, 90, 200), Color(10, 200, 30, 150)})
    {
        viaStretch.BlitStretched(&source, Rect(0, 0, 6, 5), Rect(0, 0, 6, 5), Rect(0, 0, 6, 5), color,
                                 DRAW_MODE_NORMAL, true);
        viaBlit.Blit(&source, 0, 0, Rect(0, 0, 6, 5), color, DRAW_MODE_NORMAL);
        for (int i = 0; i < 30; ++i)
            ASSERT_EQ(viaStretch.GetBits()[i], viaBlit.GetBits()[i]) << i;
    }
}

TEST_F(StretchedBlit, PaletteSourceReadsThroughItsPalette)
{
    MemoryImage source, reference, dest, viaPalette;
    const std::vector<uint32_t> pixels = {0xFF000000u, 0xFFFF0000u, 0xFF00FF00u, 0x800000FFu,
                                          0xFF000000u, 0xFFFF0000u, 0xFF00FF00u, 0x800000FFu};
    Load(source, pixels, 4, 2);
    Load(reference, pixels, 4, 2);
    ASSERT_TRUE(source.ConvertToPalette());
    Fill(dest, 9, 5, 0xFF808080u);
    Fill(viaPalette, 9, 5, 0xFF808080u);
    dest.BlitStretched(&reference, Rect(0, 0, 9, 5), Rect(0, 0, 4, 2), Rect(0, 0, 9, 5), Color::White,
                       DRAW_MODE_NORMAL, false);
    viaPalette.BlitStretched(&source, Rect(0, 0, 9, 5), Rect(0, 0, 4, 2), Rect(0, 0, 9, 5), Color::White,
                             DRAW_MODE_NORMAL, false);
    for (int i = 0; i < 45; ++i)
        ASSERT_EQ(viaPalette.GetBits()[i], dest.GetBits()[i]) << i;
}

TEST_F(StretchedBlit, FastFilterMatchesTheReferenceOnEveryPathAndTheSweepIsPinned)
{
    for (SimdLevel level : {SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2})
    {
        SetSimdLevel(level);
        TestRandom random(909);
        uint64_t hash = 0xCBF29CE484222325ull;
        for (int trial = 0; trial < 300; ++trial)
        {
            const int sw = random.Range(1, 40), sh = random.Range(1, 40);
            const std::vector<uint32_t> src = testsupport::RandomPixels(
                random.Next(), sw, sh,
                trial % 2 ? testsupport::AlphaMix::Extremes : testsupport::AlphaMix::Runs);
            constexpr int kW = 64, kH = 48;
            std::vector<uint32_t> fast = testsupport::RandomPixels(
                random.Next(), kW, kH,
                trial % 3 ? testsupport::AlphaMix::Opaque : testsupport::AlphaMix::Extremes);
            std::vector<uint32_t> slow = fast;
            const int sx = random.Range(0, sw - 1), sy = random.Range(0, sh - 1);
            const Rect srcRect(sx, sy, random.Range(1, sw - sx), random.Range(1, sh - sy));
            const Rect destRect(random.Range(-20, 50), random.Range(-20, 40), random.Range(1, 90),
                                random.Range(1, 70));
            const Rect clip =
                Rect(random.Range(-5, 30), random.Range(-5, 30), random.Range(0, 70), random.Range(0, 60))
                    .Intersection(Rect(0, 0, kW, kH));
            Rect clipped;
            DoubleRect mapped;
            if (!MemoryImage::MapStretchRect(destRect, clipped, srcRect, clip, mapped) ||
                clipped.mWidth <= 0 || clipped.mHeight <= 0)
                continue;
            StretchFilter::Source source;
            source.bits = src.data();
            source.width = sw;
            source.height = sh;
            const bool drewFast = StretchFilter::Draw(source, fast.data(), kW, clipped, mapped);
            const bool drewSlow = StretchFilter::Reference(source, slow.data(), kW, clipped, mapped);
            ASSERT_EQ(drewFast, drewSlow);
            ASSERT_EQ(fast, slow) << "trial " << trial << " level " << int(level);
            hash = testsupport::Checksum(fast.data(), fast.size(), hash);
        }
        EXPECT_EQ(hash, 2994154650379454209ull);
    }
    SetSimdLevel(DetectedSimdLevel());
}

} // namespace
