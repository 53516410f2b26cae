#include "framework/graphics/TriangleRasterizer.h"

#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TriangleSpanReference.h"
#include "framework/graphics/TriangleSpans.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace Quib;
using testsupport::TestRandom;

namespace
{

FixedVertex Fixed(double x, double y)
{
    FixedVertex v;
    v.x = int32_t(x * 65536.0);
    v.y = int32_t(y * 65536.0);
    return v;
}

// Adds one to every pixel a triangle covers.
void Count(std::vector<int>& counts, int width, const FixedVertex& a, const FixedVertex& b,
           const FixedVertex& c)
{
    const FixedVertex tri[3] = {a, b, c};
    raster::ForEachTriangleSpan(tri,
                                [&](int32_t row, int32_t first, int32_t end)
                                {
                                    for (int32_t x = first; x < end; ++x)
                                        ++counts[size_t(row) * size_t(width) + size_t(x)];
                                });
}

TEST(TriangleRasterizer, JitteredMeshCoversEveryPixelOfItsRectangleExactlyOnce)
{
    TestRandom random(7);
    constexpr int kW = 64, kH = 48, kCols = 9, kRows = 7;
    for (int trial = 0; trial < 20; ++trial)
    {
        // Rectangle corners and interior points at fractional positions.
        const double left = 3.0 + random.Range(0, 65535) / 65536.0;
        const double top = 2.0 + random.Range(0, 65535) / 65536.0;
        const double right = kW - 4.0 + random.Range(0, 65535) / 65536.0;
        const double bottom = kH - 3.0 + random.Range(0, 65535) / 65536.0;
        std::vector<FixedVertex> grid;
        for (int j = 0; j <= kRows; ++j)
            for (int i = 0; i <= kCols; ++i)
            {
                double x = left + (right - left) * i / kCols;
                double y = top + (bottom - top) * j / kRows;
                if (i > 0 && i < kCols)
                    x += (random.Range(-1000, 1000) / 1000.0) * 2.0;
                if (j > 0 && j < kRows)
                    y += (random.Range(-1000, 1000) / 1000.0) * 2.0;
                grid.push_back(Fixed(x, y));
            }
        // The outline must be exactly the rectangle, so its vertices keep their exact values.
        std::vector<int> counts(kW * kH, 0);
        auto at = [&](int i, int j) { return grid[size_t(j * (kCols + 1) + i)]; };
        for (int j = 0; j < kRows; ++j)
            for (int i = 0; i < kCols; ++i)
            {
                if (random.Range(0, 1) == 0)
                {
                    Count(counts, kW, at(i, j), at(i + 1, j), at(i + 1, j + 1));
                    Count(counts, kW, at(i, j), at(i + 1, j + 1), at(i, j + 1));
                }
                else
                {
                    Count(counts, kW, at(i + 1, j), at(i, j + 1), at(i, j));
                    Count(counts, kW, at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
                }
            }
        const FixedVertex tl = at(0, 0), br = at(kCols, kRows);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
            {
                const bool inside = int64_t(x) * 65536 >= tl.x && int64_t(x) * 65536 < br.x &&
                                    int64_t(y) * 65536 >= tl.y && int64_t(y) * 65536 < br.y;
                ASSERT_EQ(counts[size_t(y * kW + x)], inside ? 1 : 0)
                    << "trial " << trial << " at " << x << "," << y;
            }
    }
}

TEST(TriangleRasterizer, FanAroundAPointLeavesNoGapAtItsCentre)
{
    constexpr int kW = 40;
    std::vector<int> counts(kW * kW, 0);
    const FixedVertex centre = Fixed(20.0, 20.0);
    const FixedVertex ring[8] = {Fixed(5, 5),   Fixed(20, 3.5), Fixed(35, 5), Fixed(36.25, 20),
                                 Fixed(35, 35), Fixed(20, 37),  Fixed(5, 35), Fixed(3.75, 20)};
    for (int i = 0; i < 8; ++i)
        Count(counts, kW, centre, ring[i], ring[(i + 1) % 8]);
    for (int v : counts)
        ASSERT_LE(v, 1);
    EXPECT_EQ(counts[20 * kW + 20], 1);
    EXPECT_EQ(counts[20 * kW + 19], 1);
    EXPECT_EQ(counts[19 * kW + 20], 1);
}

TEST(TriangleRasterizer, ClippingKeepsWhatIsInsideAndCutsCornersIntoPolygons)
{
    const TriVertex a{1, 1, 0, 0, 0xFF000000u}, b{8, 1, 1, 0, 0xFFFFFFFFu}, c{1, 8, 0, 1, 0xFF0000FFu};
    const TriVertex* tri[3] = {&a, &b, &c};
    const TriVertex* out[7];
    EXPECT_EQ(ClipPolygonToRect(tri, out, 0, 9, 0, 9), 3);
    EXPECT_EQ(out[0], &a);

    EXPECT_EQ(ClipPolygonToRect(tri, out, 10, 20, 0, 9), 0);
    EXPECT_EQ(ClipPolygonToRect(tri, out, 0, 9, 8.5f, 20), 0); // a sliver of one vertex is no polygon

    // Corner b beyond the right edge x = 4.5: a quadrilateral, crossings halfway along a-b.
    ASSERT_EQ(ClipPolygonToRect(tri, out, 0, 4.5f, 0, 9), 4);
    EXPECT_EQ(out[0], &a);
    EXPECT_FLOAT_EQ(out[1]->x, 4.5f);
    EXPECT_FLOAT_EQ(out[1]->y, 1.0f);
    EXPECT_FLOAT_EQ(out[1]->u, 0.5f);
    EXPECT_EQ(out[1]->color, 0xFF7F7F7Fu);
    EXPECT_FLOAT_EQ(out[2]->x, 4.5f);
    EXPECT_FLOAT_EQ(out[2]->y, 4.5f);
    EXPECT_EQ(out[3], &c);
}

// A destination of one format with the triangle drawn by the table and by the reference.
template <class Word> struct SpanCanvas
{
    static constexpr int kW = 23, kH = 19;
    std::vector<Word> pixels;
    explicit SpanCanvas(TestRandom& random) : pixels(kW * kH)
    {
        for (Word& p : pixels)
        {
            uint32_t value = random.Next();
            if (random.Range(0, 2) == 0)
                value |= 0xFF000000u;
            p = Word(value);
        }
    }
};

template <class Word>
void CompareRoutine(int32_t index, TestRandom& random, const std::vector<uint32_t>& texels, int tw, int th)
{
    TextureDescription tex;
    tex.bits = texels.data();
    tex.width = tw;
    tex.height = th;
    tex.maxU = (tw - 1) * 65536;
    tex.maxV = (th - 1) * 65536;
    tex.size = tw * th;
    const ColorRecord color{random.Range(0, 255), random.Range(0, 255), random.Range(0, 255),
                            random.Range(0, 255)};
    FixedVertex v[3];
    for (FixedVertex& p : v)
    {
        p.x = random.Range(0, SpanCanvas<Word>::kW * 65536);
        p.y = random.Range(0, SpanCanvas<Word>::kH * 65536);
        p.a = random.Range(0, 255) << 16;
        p.r = random.Range(0, 255) << 16;
        p.g = random.Range(0, 255) << 16;
        p.b = random.Range(0, 255) << 16;
        p.u = random.Range(-tw * 65536 / 4, tw * 65536 * 5 / 4);
        p.v = random.Range(-th * 65536 / 4, th * 65536 * 5 / 4);
    }
    SpanCanvas<Word> fast(random);
    SpanCanvas<Word> slow = fast;
    gTriangleSpanRoutines[size_t(index)](v, fast.pixels.data(), SpanCanvas<Word>::kW * int32_t(sizeof(Word)),
                                         &tex, &color);
    DrawTriangleSpansReference(index, v, slow.pixels.data(), SpanCanvas<Word>::kW * int32_t(sizeof(Word)),
                               &tex, &color);
    ASSERT_EQ(fast.pixels, slow.pixels) << "routine " << index;
}

TEST(TriangleRasterizer, EveryTableRoutineMatchesTheReference)
{
    TestRandom random(2024);
    for (int32_t index = 0; index < 128; ++index)
    {
        ASSERT_NE(gTriangleSpanRoutines[size_t(index)], nullptr);
        for (int trial = 0; trial < 12; ++trial)
        {
            const int tw = random.Range(1, 9), th = random.Range(1, 9);
            const std::vector<uint32_t> texels =
                testsupport::RandomPixels(random.Next(), tw, th, testsupport::AlphaMix::Extremes);
            if ((index & 0x40) != 0)
                CompareRoutine<uint16_t>(index, random, texels, tw, th);
            else
                CompareRoutine<uint32_t>(index, random, texels, tw, th);
        }
    }
}

TEST(TriangleRasterizer, DispatchIndexCombinesFormatAndFlags)
{
    EXPECT_EQ(SpanRoutineIndex(false, false, false, false, PIXEL_FORMAT_8888, false), 0);
    EXPECT_EQ(SpanRoutineIndex(true, true, true, true, PIXEL_FORMAT_8888, true), 31);
    EXPECT_EQ(SpanRoutineIndex(true, false, false, false, PIXEL_FORMAT_888, false), 0x20 | 16);
    EXPECT_EQ(SpanRoutineIndex(false, false, true, false, PIXEL_FORMAT_565, false), 0x40 | 2);
    EXPECT_EQ(SpanRoutineIndex(false, true, false, false, PIXEL_FORMAT_555, true), 0x60 | 4 | 1);
    EXPECT_EQ(SpanRoutineIndex(false, false, false, true, 0x1234, false), 8);
}

TEST(TriangleRasterizer, SixteenBitFormatsPackTheirChannels)
{
    const TriVertex tri[3] = {{0, 0, 0, 0, 0}, {4, 0, 0, 0, 0}, {0, 4, 0, 0, 0}};
    uint16_t pixels[16] = {};
    RasterizeTriangle(Rect(0, 0, 4, 4), Color(255, 128, 8), tri, 3, nullptr, pixels, 8, PIXEL_FORMAT_565,
                      false, false);
    EXPECT_EQ(pixels[0], uint16_t((31 << 11) | (32 << 5) | 1));
    RasterizeTriangle(Rect(0, 0, 4, 4), Color(255, 128, 8), tri, 3, nullptr, pixels, 8, PIXEL_FORMAT_555,
                      false, false);
    EXPECT_EQ(pixels[0], uint16_t((31 << 10) | (16 << 5) | 1));
    EXPECT_EQ(pixels[15], 0); // outside the triangle
}

class TriangleImages : public ::testing::Test
{
protected:
    testsupport::FakeImageHost mHost;
    testsupport::ScopedImageHost mScope{&mHost};
};

TEST_F(TriangleImages, FewerThanThreeVerticesOrNothingInsideTheClipDrawsNothing)
{
    std::vector<uint32_t> pixels(16 * 16, 0x12345678u);
    const std::vector<uint32_t> before = pixels;
    const TriVertex tri[3] = {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {0, 10, 0, 0, 0}};
    RasterizeTriangle(Rect(0, 0, 16, 16), Color::White, tri, 2, nullptr, pixels.data(), 64, PIXEL_FORMAT_8888,
                      false, false);
    RasterizeTriangle(Rect(11, 11, 5, 5), Color::White, tri, 3, nullptr, pixels.data(), 64, PIXEL_FORMAT_8888,
                      false, false);
    EXPECT_EQ(pixels, before);
}

TEST_F(TriangleImages, ClippedQuadFillsTheClipRectangleToItsLastPixelAndNoFurther)
{
    std::vector<uint32_t> pixels(20 * 20, 0);
    const TriVertex strip[4] = {{-5, -5, 0, 0, 0}, {30, -5, 0, 0, 0}, {-5, 30, 0, 0, 0}, {30, 30, 0, 0, 0}};
    const Rect clip(3, 4, 10, 7);
    RasterizeTriangle(clip, Color(1, 2, 3), strip, 4, nullptr, pixels.data(), 80, PIXEL_FORMAT_8888, false,
                      false);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
        {
            const bool inside = x >= 3 && x < 13 && y >= 4 && y < 11;
            ASSERT_EQ(pixels[size_t(y * 20 + x)], inside ? 0xFF010203u : 0u) << x << "," << y;
        }
}

TEST_F(TriangleImages, StripOfFourBlendsEachPixelOnce)
{
    MemoryImage texture;
    const std::vector<uint32_t> half(4, 0x80FFFFFFu);
    texture.SetBits(half.data(), 2, 2, true);
    std::vector<uint32_t> pixels(12 * 12, 0xFF000000u);
    const TriVertex strip[4] = {
        {1, 1, 0, 0, 0}, {9.5f, 1, 1, 0, 0}, {1, 10.25f, 0, 1, 0}, {9.5f, 10.25f, 1, 1, 0}};
    RasterizeTriangle(Rect(0, 0, 12, 12), Color::White, strip, 4, &texture, pixels.data(), 48,
                      PIXEL_FORMAT_8888, false, false);
    const uint32_t once = 0xFF7F7F7Fu; // (0 x 128 + 255 x 128) >> 8; twice would give 191
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
        {
            const bool inside = x >= 1 && x <= 9 && y >= 1 && y <= 10;
            ASSERT_EQ(pixels[size_t(y * 12 + x)], inside ? once : 0xFF000000u) << x << "," << y;
        }
}

TEST_F(TriangleImages, IdentityMatrixCopiesTheSourceTexelForTexel)
{
    MemoryImage source;
    testsupport::FillRandom(source, 99, 13, 9, testsupport::AlphaMix::Opaque);
    const std::vector<uint32_t> expected(source.GetBits(), source.GetBits() + 13 * 9);
    for (bool linear : {false, true})
    {
        MemoryImage dest;
        dest.Create(20, 15);
        dest.Clear();
        const int before = dest.mBitsChangedCount;
        // The image's centre lands on (x, y) - 0.5: whole pixels for x = 3 + 6.5.
        dest.BlitTransformed(&source, 9.5f, 6.5f, Matrix3(), Rect(0, 0, 20, 15), Color::White,
                             DRAW_MODE_NORMAL, Rect(0, 0, 13, 9), linear);
        EXPECT_NE(dest.mBitsChangedCount, before);
        const uint32_t* out = dest.GetBits();
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 20; ++x)
            {
                const bool inside = x >= 3 && x < 16 && y >= 2 && y < 11;
                const uint32_t want = inside ? expected[size_t((y - 2) * 13 + (x - 3))] : 0u;
                ASSERT_EQ(out[y * 20 + x], want) << (linear ? "linear " : "nearest ") << x << "," << y;
            }
    }
}

TEST_F(TriangleImages, TexturedTrianglesUseVertexColoursOnlyWhenGiven)
{
    MemoryImage source;
    const std::vector<uint32_t> white(4, 0xFFFFFFFFu);
    source.SetBits(white.data(), 2, 2, true);
    MemoryImage dest;
    dest.Create(8, 8);
    dest.Clear();
    const TriVertex plain[3] = {{0, 0, 0, 0, 0}, {8, 0, 1, 0, 0}, {0, 8, 0, 1, 0}};
    const TriVertex tinted[3] = {
        {0, 0, 0, 0, 0xFF00FF00u}, {8, 0, 1, 0, 0xFF00FF00u}, {0, 8, 0, 1, 0xFF00FF00u}};
    dest.BlitTexturedTriangles(&source, plain, 1, Rect(0, 0, 8, 8), Color::White, 0, 0, 0, false);
    EXPECT_EQ(dest.GetBits()[0], 0xFFFFFFFFu);
    dest.BlitTexturedTriangles(&source, tinted, 1, Rect(0, 0, 8, 8), Color::White, 0, 0, 0, false);
    EXPECT_EQ(dest.GetBits()[0], 0xFF00FF00u);
    // The offset moves the triangles.
    dest.Clear();
    dest.BlitTexturedTriangles(&source, plain, 1, Rect(0, 0, 8, 8), Color::White, 0, 4, 4, false);
    EXPECT_EQ(dest.GetBits()[0], 0u);
    EXPECT_EQ(dest.GetBits()[4 * 8 + 4], 0xFFFFFFFFu);
}

TEST_F(TriangleImages, NonFiniteAndFarAwayVerticesStayInsideTheClip)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    MemoryImage texture;
    testsupport::FillRandom(texture, 8, 4, 4);
    const TriVertex cases[][3] = {{{nan, 0, 0, 0, 0}, {10, 0, 1, 0, 0}, {0, 10, 0, 1, 0}},
                                  {{-inf, -inf, 0, 0, 0}, {inf, 0, 1, 0, 0}, {0, inf, 0, 1, 0}},
                                  {{-1e30f, 2, 0, 0, 0}, {1e30f, 3, 1, 0, 0}, {5, 1e30f, 0, 1, 0}},
                                  {{1, 1, nan, inf, 0}, {9, 2, -1e30f, 1e30f, 0}, {3, 9, inf, -inf, 0}}};
    for (const auto& tri : cases)
    {
        std::vector<uint32_t> pixels(16 * 16, 0x11111111u);
        RasterizeTriangle(Rect(4, 4, 8, 8), Color::White, tri, 3, &texture, pixels.data(), 64,
                          PIXEL_FORMAT_8888, true, false);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (x < 4 || x >= 12 || y < 4 || y >= 12)
                    ASSERT_EQ(pixels[size_t(y * 16 + x)], 0x11111111u) << x << "," << y;
    }
}

// A strip draws (V0, V1, V2), (V1, V3, V2), (V2, V3, V4), (V3, V5, V4): the same
// pixels as those triangles drawn one by one in that corner order.
TEST_F(TriangleImages, StripTrianglesTakeTheirCornersInStripOrder)
{
    TestRandom random(4242);
    for (int trial = 0; trial < 100; ++trial)
    {
        MemoryImage texture;
        testsupport::FillRandom(texture, random.Next(), random.Range(1, 9), random.Range(1, 9),
                                testsupport::AlphaMix::Extremes);
        constexpr int kW = 23, kH = 19;
        const std::vector<uint32_t> background = testsupport::RandomPixels(random.Next(), kW, kH);
        TriVertex strip[6];
        for (TriVertex& v : strip)
            v = TriVertex{float(random.Range(-50, kW * 10 + 50)) / 10.0f,
                          float(random.Range(-50, kH * 10 + 50)) / 10.0f,
                          float(random.Range(0, 100)) / 100.0f, float(random.Range(0, 100)) / 100.0f,
                          random.Next()};
        const Rect clip(random.Range(0, 5), random.Range(0, 5), random.Range(5, kW - 5),
                        random.Range(5, kH - 5));
        const bool linear = random.Range(0, 1) == 1;
        const bool vertexColors = random.Range(0, 1) == 1;

        std::vector<uint32_t> whole = background;
        RasterizeTriangle(clip, Color::White, strip, 6, &texture, whole.data(), kW * 4, PIXEL_FORMAT_8888,
                          linear, vertexColors);
        std::vector<uint32_t> single = background;
        for (int i = 2; i < 6; ++i)
        {
            const bool odd = (i & 1) != 0;
            const TriVertex triangle[3] = {strip[i - 2], odd ? strip[i] : strip[i - 1],
                                           odd ? strip[i - 1] : strip[i]};
            RasterizeTriangle(clip, Color::White, triangle, 3, &texture, single.data(), kW * 4,
                              PIXEL_FORMAT_8888, linear, vertexColors);
        }
        ASSERT_EQ(whole, single) << trial;
    }
}

TEST_F(TriangleImages, SeededSweepOfStripsThroughEveryFormatIsPinned)
{
    TestRandom random(31337);
    uint64_t hash = 0xCBF29CE484222325ull;
    for (int trial = 0; trial < 200; ++trial)
    {
        MemoryImage texture;
        const int tw = random.Range(1, 16), th = random.Range(1, 16);
        testsupport::FillRandom(texture, random.Next(), tw, th,
                                trial % 3 == 0 ? testsupport::AlphaMix::Opaque
                                               : testsupport::AlphaMix::Extremes);
        const int32_t formats[4] = {PIXEL_FORMAT_8888, PIXEL_FORMAT_888, PIXEL_FORMAT_565, PIXEL_FORMAT_555};
        const int32_t format = formats[trial % 4];
        constexpr int kW = 37, kH = 29;
        std::vector<uint32_t> pixels = testsupport::RandomPixels(random.Next(), kW, kH);
        TriVertex strip[6];
        for (TriVertex& v : strip)
            v = TriVertex{float(random.Range(-200, kW * 10 + 200)) / 10.0f,
                          float(random.Range(-200, kH * 10 + 200)) / 10.0f,
                          float(random.Range(-10, 110)) / 100.0f, float(random.Range(-10, 110)) / 100.0f,
                          random.Next()};
        const Rect clip(random.Range(0, 10), random.Range(0, 10), random.Range(0, kW - 10),
                        random.Range(0, kH - 10));
        const Color color = random.Range(0, 1) == 0 ? Color::White
                                                    : Color(random.Range(0, 255), random.Range(0, 255),
                                                            random.Range(0, 255), random.Range(0, 255));
        const bool textured = random.Range(0, 3) != 0;
        const int32_t pitch = format == PIXEL_FORMAT_565 || format == PIXEL_FORMAT_555 ? kW * 2 : kW * 4;
        RasterizeTriangle(clip, color, strip, random.Range(3, 6), textured ? &texture : nullptr,
                          pixels.data(), pitch, format, random.Range(0, 1) == 1, random.Range(0, 1) == 1);
        hash = testsupport::Checksum(pixels.data(), pixels.size(), hash);
    }
    EXPECT_EQ(hash, 13384838366371405871ull);
}

} // namespace
