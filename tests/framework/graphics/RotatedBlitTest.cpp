#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/RotatedBlitRows.h"
#include "framework/graphics/Simd.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace Quib;
using testsupport::TestRandom;

namespace
{

class RotatedBlit : public ::testing::Test
{
protected:
    static void Fill(MemoryImage& image, int w, int h, uint32_t pixel)
    {
        const std::vector<uint32_t> pixels(size_t(w * h), pixel);
        image.SetBits(pixels.data(), w, h, true);
    }

    void TearDown() override { SetSimdLevel(DetectedSimdLevel()); }

    static RotatedBlitRows::Paint RandomPaint(TestRandom& random, bool colored)
    {
        RotatedBlitRows::Paint paint;
        if (colored)
        {
            paint.r = uint32_t(random.Range(0, 255));
            paint.g = uint32_t(random.Range(0, 255));
            paint.b = uint32_t(random.Range(0, 255));
            paint.a = uint32_t(random.Range(0, 255));
            paint.white = false;
        }
        return paint;
    }

    // Draws the row into both destinations, one by the fast routine and one by the
    // reference, which must agree.
    static void ExpectSameRow(RotatedBlitRows::Row row, const RotatedBlitRows::Paint& paint,
                              std::vector<uint32_t>& fast, std::vector<uint32_t>& slow)
    {
        row.dest = fast.data();
        RotatedBlitRows::Draw(row, paint);
        row.dest = slow.data();
        RotatedBlitRows::Reference(row, paint);
        ASSERT_EQ(fast, slow);
    }

    testsupport::FakeImageHost mHost;
    testsupport::ScopedImageHost mScope{&mHost};
};

TEST_F(RotatedBlit, WholePositionDropsTheFirstAndLastColumnAndTheLastRow)
{
    MemoryImage source, dest;
    Fill(source, 4, 3, 0xFFFFFFFFu);
    Fill(dest, 30, 30, 0xFF000000u);
    dest.BlitSubpixel(&source, 10.0f, 20.0f, Rect(0, 0, 4, 3), Rect(0, 0, 30, 30), Color::White,
                      DRAW_MODE_NORMAL);
    const uint32_t* out = dest.GetBits();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
        {
            const bool drawn = (x == 11 || x == 12) && (y == 20 || y == 21);
            // The corner weight is 65534, so A = 254 and a white pixel arrives as 253.
            ASSERT_EQ(out[y * 30 + x], drawn ? 0xFFFDFDFDu : 0xFF000000u) << x << "," << y;
        }
}

TEST_F(RotatedBlit, HalfPixelPositionMixesNeighbouringColumns)
{
    MemoryImage source, dest;
    const std::vector<uint32_t> stripes = {0xFF000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu,
                                           0xFF000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu,
                                           0xFF000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu};
    source.SetBits(stripes.data(), 4, 3, true);
    Fill(dest, 30, 30, 0xFF000000u);
    dest.BlitSubpixel(&source, 10.5f, 20.0f, Rect(0, 0, 4, 3), Rect(0, 0, 30, 30), Color::White,
                      DRAW_MODE_NORMAL);
    const uint32_t* out = dest.GetBits();
    for (int x = 11; x <= 13; ++x)
        for (int y = 20; y <= 21; ++y)
        {
            const uint32_t red = (out[y * 30 + x] >> 16) & 0xFF;
            EXPECT_NEAR(int(red), 127, 2) << x << "," << y;
        }
    EXPECT_EQ(out[20 * 30 + 10], 0xFF000000u);
    EXPECT_EQ(out[20 * 30 + 14], 0xFF000000u);
    EXPECT_EQ(out[22 * 30 + 12], 0xFF000000u);
}

TEST_F(RotatedBlit, QuarterTurnSwapsTheBoundsAroundTheSameCentre)
{
    DoubleRect box;
    ASSERT_TRUE(MemoryImage::GetRotatedBounds(100.0f, 50.0f, Rect(0, 0, 40, 10), Rect(0, 0, 400, 400), box,
                                              20.0f, 5.0f, M_PI / 2));
    EXPECT_NEAR(box.mWidth, 10.0, 1e-4);
    EXPECT_NEAR(box.mHeight, 40.0, 1e-4);
    EXPECT_NEAR(box.mX + box.mWidth / 2, 120.0, 1e-4);
    EXPECT_NEAR(box.mY + box.mHeight / 2, 55.0, 1e-4);
    EXPECT_FALSE(MemoryImage::GetRotatedBounds(500.0f, 50.0f, Rect(0, 0, 40, 10), Rect(0, 0, 400, 400), box,
                                               20.0f, 5.0f, 0.3));
}

TEST_F(RotatedBlit, TransparentSourceDrawsNothingButMarksTheDestination)
{
    MemoryImage source, dest;
    Fill(source, 8, 8, 0x00FFFFFFu);
    Fill(dest, 20, 20, 0xFF102030u);
    const int before = dest.mBitsChangedCount;
    dest.BlitRotated(&source, 5.0f, 5.0f, Rect(0, 0, 8, 8), Rect(0, 0, 20, 20), Color::White,
                     DRAW_MODE_NORMAL, 0.7, 4.0f, 4.0f);
    EXPECT_NE(dest.mBitsChangedCount, before);
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(dest.GetBits()[i], 0xFF102030u);
}

TEST_F(RotatedBlit, AnyModeOtherThanNormalAddsAndKeepsAlpha)
{
    MemoryImage source;
    Fill(source, 4, 4, 0xFF404040u);
    for (int32_t mode : {DRAW_MODE_ADDITIVE, 7})
    {
        MemoryImage dest;
        Fill(dest, 10, 10, 0x80101010u);
        dest.BlitSubpixel(&source, 2.0f, 2.0f, Rect(0, 0, 4, 4), Rect(0, 0, 10, 10), Color::White, mode);
        // S >> 8 = (64 x 254) >> 8 = 63 added to 16.
        EXPECT_EQ(dest.GetBits()[3 * 10 + 3], 0x804F4F4Fu) << mode;
    }
}

TEST_F(RotatedBlit, SourceRectangleAddressesItsRowOfCells)
{
    MemoryImage sheet, dest;
    std::vector<uint32_t> pixels(8 * 8, 0xFFFF0000u);
    for (int y = 4; y < 8; ++y)
        for (int x = 4; x < 8; ++x)
            pixels[size_t(y * 8 + x)] = 0xFF00FF00u;
    sheet.SetBits(pixels.data(), 8, 8, true);
    Fill(dest, 10, 10, 0xFF000000u);
    dest.BlitSubpixel(&sheet, 0.0f, 0.0f, Rect(4, 4, 4, 4), Rect(0, 0, 10, 10), Color::White,
                      DRAW_MODE_NORMAL);
    EXPECT_EQ(dest.GetBits()[1 * 10 + 1], 0xFF00FD00u);
    // No red from outside the rectangle reaches any pixel.
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(dest.GetBits()[i] & 0x00FF0000u, 0u);
}

TEST_F(RotatedBlit, SourceRectangleOutsideTheImageDrawsNothing)
{
    MemoryImage source, dest;
    Fill(source, 4, 4, 0xFFFFFFFFu);
    Fill(dest, 10, 10, 0xFF000000u);
    for (const Rect& bad : {Rect(2, 0, 4, 4), Rect(0, -1, 4, 4), Rect(0, 0, 4, 5)})
        dest.BlitRotated(&source, 2.0f, 2.0f, bad, Rect(0, 0, 10, 10), Color::White, DRAW_MODE_NORMAL, 0.3,
                         1.0f, 1.0f);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(dest.GetBits()[i], 0xFF000000u);
}

// Red surrounds the green source rectangle: any red in the output was read outside it.
TEST_F(RotatedBlit, RandomTurnsNeverSampleOutsideTheSourceRectangle)
{
    TestRandom random(5);
    MemoryImage source;
    std::vector<uint32_t> pixels(20 * 20, 0xFFFF0000u);
    const Rect rect(5, 6, 9, 7);
    for (int y = rect.mY; y < rect.mY + rect.mHeight; ++y)
        for (int x = rect.mX; x < rect.mX + rect.mWidth; ++x)
            pixels[size_t(y * 20 + x)] = 0xFF00FF00u;
    source.SetBits(pixels.data(), 20, 20, true);
    for (int trial = 0; trial < 300; ++trial)
    {
        MemoryImage dest;
        Fill(dest, 40, 40, 0xFF000000u);
        const double angle = random.Range(-31416, 31416) / 5000.0;
        dest.BlitRotated(&source, float(random.Range(-100, 400)) / 10.0f,
                         float(random.Range(-100, 400)) / 10.0f, rect, Rect(0, 0, 40, 40), Color::White,
                         DRAW_MODE_NORMAL, angle, float(random.Range(0, 90)) / 10.0f,
                         float(random.Range(0, 70)) / 10.0f);
        for (int i = 0; i < 1600; ++i)
            ASSERT_EQ(dest.GetBits()[i] & 0x00FF0000u, 0u) << "trial " << trial;
    }
}

TEST_F(RotatedBlit, ExtremePositionsAndAnglesDrawSafely)
{
    MemoryImage source, dest;
    Fill(source, 6, 5, 0xFFFFFFFFu);
    Fill(dest, 16, 16, 0xFF000000u);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case
    {
        float x, y;
        double angle;
        float cx, cy;
    };
    const Case cases[] = {{1e30f, 5, 0.3, 1, 1},      {-1e9f, -1e9f, 1.0, 2, 2}, {4, 4, 1e12, 3, 2},
                          {4, 4, 0.5, 1e20f, -1e20f}, {nan, 4, 0.5, 1, 1},       {4, 4, 0.0, nan, 1}};
    for (const Case& c : cases)
        dest.BlitRotated(&source, c.x, c.y, Rect(0, 0, 6, 5), Rect(-100, -100, 1000, 1000), Color::White,
                         DRAW_MODE_NORMAL, c.angle, c.cx, c.cy);
    SUCCEED();
}

// Alpha biased to 0 and 255, destinations opaque and not, white and coloured paint.
TEST_F(RotatedBlit, FastRowsMatchTheReferenceBitForBit)
{
    TestRandom random(77);
    for (int trial = 0; trial < 400; ++trial)
    {
        const int w = random.Range(2, 24), h = random.Range(2, 24);
        const std::vector<uint32_t> src = testsupport::RandomPixels(
            random.Next(), w, h,
            trial % 2 == 0 ? testsupport::AlphaMix::Extremes : testsupport::AlphaMix::Runs);
        std::vector<uint32_t> fast = testsupport::RandomPixels(
            random.Next(), 64, 1,
            trial % 3 == 0 ? testsupport::AlphaMix::Opaque : testsupport::AlphaMix::Extremes);
        std::vector<uint32_t> slow = fast;
        RotatedBlitRows::Paint paint = RandomPaint(random, trial % 4 != 0);
        paint.additive = trial % 5 == 0;
        // Any start and step that keep the 2 x 2 neighbourhood inside the source.
        RotatedBlitRows::Row row;
        row.src = src.data();
        row.stride = w;
        row.u = random.Range(0, (w - 1) * 65536 - 1);
        row.v = random.Range(0, (h - 1) * 65536 - 1);
        row.du = 0;
        row.dv = 0;
        row.count = 64;
        const int32_t endU = random.Range(0, (w - 1) * 65536 - 1);
        const int32_t endV = random.Range(0, (h - 1) * 65536 - 1);
        row.du = (endU - row.u) / 64;
        row.dv = (endV - row.v) / 64;
        ExpectSameRow(row, paint, fast, slow);
        ASSERT_FALSE(HasFatalFailure()) << "trial " << trial;
    }
}

// Rows that start on a pixel corner and step one source pixel: the row routine
// takes each source pixel alone there, four at a time, with a tail; destinations
// that are not opaque send some pixels back to the dividing formula.
TEST_F(RotatedBlit, WholePixelRowsMatchTheReferenceBitForBit)
{
    const testsupport::AlphaMix mixes[] = {testsupport::AlphaMix::Opaque, testsupport::AlphaMix::Extremes,
                                           testsupport::AlphaMix::Runs, testsupport::AlphaMix::Uniform};
    TestRandom random(915);
    for (int trial = 0; trial < 400; ++trial)
    {
        const int w = random.Range(2, 40), h = random.Range(2, 6);
        const std::vector<uint32_t> src = testsupport::RandomPixels(random.Next(), w, h, mixes[trial % 4]);
        const int column = random.Range(0, w - 2);
        const int count = random.Range(1, w - 1 - column);
        const std::vector<uint32_t> dest =
            testsupport::RandomPixels(random.Next(), count, 1, mixes[(trial / 4) % 4]);
        const RotatedBlitRows::Paint paint = RandomPaint(random, trial % 3 != 0);
        RotatedBlitRows::Row row;
        row.src = src.data();
        row.stride = w;
        row.u = column * 65536;
        row.v = random.Range(0, h - 2) * 65536;
        row.du = 65536;
        row.count = count;
        // Each vector width, and each hands its last pixels to the narrower one.
        for (const SimdLevel level : {SimdLevel::Sse2, DetectedSimdLevel()})
        {
            SetSimdLevel(level);
            std::vector<uint32_t> fast = dest, slow = dest;
            ExpectSameRow(row, paint, fast, slow);
            ASSERT_FALSE(HasFatalFailure()) << "trial " << trial;
        }
    }
}

// The whole blit at whole positions, clipped on every side, on the vector path and
// on the plain one.
TEST_F(RotatedBlit, WholePositionDrawsTheSameOnEveryPath)
{
    struct Case
    {
        float x, y;
        Rect clip;
        Color color;
    };
    const Case cases[] = {
        {0.0f, 0.0f, Rect(0, 0, 64, 48), Color::White},
        {-7.0f, -3.0f, Rect(0, 0, 64, 48), Color(231, 218, 202, 255)},
        {40.0f, 30.0f, Rect(0, 0, 64, 48), Color(255, 255, 255, 70)},
        {5.0f, 6.0f, Rect(9, 8, 21, 13), Color(90, 200, 30, 180)},
        {-2.0f, 1.0f, Rect(0, 0, 64, 48), Color(128, 128, 128, 255)},
    };
    for (const Case& c : cases)
    {
        std::vector<uint32_t> results[3];
        const SimdLevel levels[3] = {SimdLevel::Scalar, SimdLevel::Sse2, DetectedSimdLevel()};
        for (int pass = 0; pass < 3; ++pass)
        {
            SetSimdLevel(levels[pass]);
            MemoryImage source, dest;
            testsupport::FillRandom(source, 31, 37, 29, testsupport::AlphaMix::Runs);
            testsupport::FillRandom(dest, 32, 64, 48, testsupport::AlphaMix::Extremes);
            dest.BlitSubpixel(&source, c.x, c.y, Rect(0, 0, 37, 29), c.clip, c.color, DRAW_MODE_NORMAL);
            results[pass].assign(dest.GetBits(), dest.GetBits() + 64 * 48);
        }
        EXPECT_EQ(results[0], results[1]) << c.x << "," << c.y;
        EXPECT_EQ(results[0], results[2]) << c.x << "," << c.y;
    }
}

TEST_F(RotatedBlit, SeededSweepGivesTheSameImageOnEveryPathAndIsPinned)
{
    uint64_t hashes[2] = {0, 0};
    const SimdLevel levels[2] = {SimdLevel::Scalar, DetectedSimdLevel()};
    for (int pass = 0; pass < 2; ++pass)
    {
        SetSimdLevel(levels[pass]);
        TestRandom random(4242);
        uint64_t hash = 0xCBF29CE484222325ull;
        for (int trial = 0; trial < 150; ++trial)
        {
            MemoryImage source, dest;
            const int sw = random.Range(1, 30), sh = random.Range(1, 30);
            testsupport::FillRandom(source, random.Next(), sw, sh,
                                    trial % 2 ? testsupport::AlphaMix::Extremes
                                              : testsupport::AlphaMix::Runs);
            testsupport::FillRandom(dest, random.Next(), 48, 40,
                                    trial % 3 ? testsupport::AlphaMix::Opaque
                                              : testsupport::AlphaMix::Extremes);
            const Rect rect(random.Range(0, sw - 1), random.Range(0, sh - 1), 0, 0);
            const Rect src(rect.mX, rect.mY, random.Range(1, sw - rect.mX), random.Range(1, sh - rect.mY));
            const Rect clip(random.Range(-5, 20), random.Range(-5, 20), random.Range(0, 60),
                            random.Range(0, 60));
            const Color color = trial % 4 == 0 ? Color::White
                                               : Color(random.Range(0, 255), random.Range(0, 255),
                                                       random.Range(0, 255), random.Range(0, 255));
            dest.BlitRotated(&source, float(random.Range(-200, 500)) / 10.0f,
                             float(random.Range(-200, 450)) / 10.0f, src, clip, color,
                             trial % 5 == 0 ? DRAW_MODE_ADDITIVE : DRAW_MODE_NORMAL,
                             random.Range(-31416, 31416) / 5000.0, float(random.Range(0, 300)) / 10.0f,
                             float(random.Range(0, 300)) / 10.0f);
            hash = testsupport::Checksum(dest.GetBits(), 48 * 40, hash);
        }
        hashes[pass] = hash;
    }
    EXPECT_EQ(hashes[0], hashes[1]);
    EXPECT_EQ(hashes[0], 7914628222672765624ull);
}

} // namespace
