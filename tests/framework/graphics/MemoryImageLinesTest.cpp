#include "framework/foundation/Color.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/support/FakeImageHost.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <utility>
#include <vector>

using namespace Quib;
using testsupport::FakeImageHost;
using testsupport::ScopedImageHost;

namespace
{

using PixelMap = std::map<std::pair<int, int>, uint32_t>;

class MemoryImageLines : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::vector<uint32_t> black(kSize * kSize, kBackground);
        mImage.SetBits(black.data(), kSize, kSize, true);
    }

    // Every pixel that differs from the background, by (x, y).
    PixelMap Changed()
    {
        PixelMap changed;
        const uint32_t* bits = mImage.GetBits();
        for (int y = 0; y < kSize; ++y)
        {
            for (int x = 0; x < kSize; ++x)
            {
                if (bits[y * kSize + x] != kBackground)
                    changed[{x, y}] = bits[y * kSize + x];
            }
        }
        return changed;
    }

    std::vector<std::pair<int, int>> ChangedPlaces()
    {
        std::vector<std::pair<int, int>> places;
        for (const auto& [place, pixel] : Changed())
            places.push_back(place);
        return places;
    }

    static constexpr int kSize = 12;
    static constexpr uint32_t kBackground = 0xFF000000;
    FakeImageHost mHost;
    ScopedImageHost mScope{&mHost};
    MemoryImage mImage;
};

using Places = std::vector<std::pair<int, int>>;

} // namespace

TEST_F(MemoryImageLines, SteppingOfPlainLines)
{
    struct Case
    {
        const char* name;
        double x1, y1, x2, y2;
        int32_t mode;
        Places places; // sorted by x, then y
    };
    const Case cases[] = {
        {"x-major", 0.0, 0.0, 3.0, 1.0, DRAW_MODE_NORMAL, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"x-major reversed", 3.0, 1.0, 0.0, 0.0, DRAW_MODE_NORMAL, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"fractional start, normal",
         0.0,
         0.5,
         4.0,
         1.5,
         DRAW_MODE_NORMAL,
         {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
        {"fractional start, additive",
         0.0,
         0.5,
         4.0,
         1.5,
         DRAW_MODE_ADDITIVE,
         {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}},
        {"y-major", 1.0, 0.0, 2.0, 3.0, DRAW_MODE_NORMAL, {{1, 0}, {1, 1}, {2, 2}, {2, 3}}},
        {"diagonal up-left", 5.0, 5.0, 2.0, 2.0, DRAW_MODE_NORMAL, {{2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        {"anti-diagonal", 0.0, 3.0, 3.0, 0.0, DRAW_MODE_NORMAL, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},
        {"horizontal is a fill",
         6.7,
         4.2,
         2.1,
         4.2,
         DRAW_MODE_NORMAL,
         {{2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}}},
        {"vertical is a fill", 1.5, 3.9, 1.5, 1.1, DRAW_MODE_NORMAL, {{1, 1}, {1, 2}, {1, 3}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUp();
        mImage.DrawLine(c.x1, c.y1, c.x2, c.y2, Color::White, c.mode);
        EXPECT_EQ(ChangedPlaces(), c.places);
    }
}

TEST_F(MemoryImageLines, PixelValuesOfPlainLines)
{
    mImage.DrawLine(0, 0, 3, 1, Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(Changed()[std::make_pair(0, 0)], 0xFFFEFEFEu) << "a stepped white line reaches 254";
    SetUp();
    mImage.DrawLine(0, 5, 3, 5, Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(Changed()[std::make_pair(0, 5)], 0xFFFFFFFFu) << "the horizontal fill keeps 255";

    SetUp();
    mImage.GetBits()[0] = 0x00402010;
    mImage.DrawLine(0, 0, 3, 1, Color(200, 100, 50, 128), DRAW_MODE_NORMAL);
    // c1 = (c a + 128) >> 8, c2 = (c1 255 + 127) >> 8, d (256 - a) + 127 >> 8 plus c2.
    EXPECT_EQ(mImage.GetBits()[0], 0xFF844221u);

    SetUp();
    mImage.GetBits()[0] = 0x00F01010;
    mImage.DrawLine(0, 0, 3, 1, Color(100, 0, 255, 128), DRAW_MODE_ADDITIVE);
    EXPECT_EQ(mImage.GetBits()[0], 0xFFFF1090u) << "additive lines saturate and force alpha 255";
}

TEST_F(MemoryImageLines, AdditiveHorizontalLineBlendsLikeAFill)
{
    mImage.DrawLine(0, 0, 2, 0, Color(255, 255, 255, 128), DRAW_MODE_ADDITIVE);
    EXPECT_EQ(Changed()[std::make_pair(1, 0)], 0xFF7F7F7Fu);
}

TEST_F(MemoryImageLines, OtherModesDrawNothingButMark)
{
    const int32_t count = mImage.mBitsChangedCount;
    mImage.DrawLine(0, 0, 3, 1, Color::White, 2);
    mImage.DrawAntialiasedLine(0, 0, 3, 1, Color::White, DRAW_MODE_ADDITIVE);
    EXPECT_TRUE(Changed().empty());
    EXPECT_EQ(mImage.mBitsChangedCount, count + 2);
}

TEST_F(MemoryImageLines, AntialiasedCoverage)
{
    // Drawn in white over black, a pixel's value is its coverage (with f = v over an
    // opaque pixel, (255 v) >> 8).
    const auto value = [](uint32_t v)
    {
        const uint32_t c = (255 * v) >> 8;
        return 0xFF000000 | c << 16 | c << 8 | c;
    };
    mImage.DrawAntialiasedLine(2.0, 2.0, 6.0, 4.0, Color::White, DRAW_MODE_NORMAL);
    PixelMap expected = {{{2, 2}, value(255)}, {{3, 2}, value(127)}, {{3, 3}, value(128)},
                         {{4, 3}, value(255)}, {{5, 3}, value(127)}, {{5, 4}, value(128)},
                         {{6, 4}, value(127)}};
    EXPECT_EQ(Changed(), expected);

    SetUp();
    mImage.DrawAntialiasedLine(6.0, 4.0, 2.0, 2.0, Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(Changed(), expected) << "the end points are ordered by row";

    SetUp();
    mImage.DrawAntialiasedLine(3.0, 1.0, 4.0, 5.0, Color::White, DRAW_MODE_NORMAL);
    expected = {{{3, 1}, value(255)}, {{3, 2}, value(191)}, {{4, 2}, value(64)},  {{3, 3}, value(127)},
                {{4, 3}, value(128)}, {{3, 4}, value(63)},  {{4, 4}, value(192)}, {{4, 5}, value(63)}};
    EXPECT_EQ(Changed(), expected) << "steep lines spread across columns";
}

TEST_F(MemoryImageLines, AntialiasedLineInOnePixelDrawsOnlyItsEnds)
{
    mImage.DrawAntialiasedLine(3.2, 3.1, 3.7, 3.9, Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(ChangedPlaces(), (Places{{3, 3}}));
}

TEST_F(MemoryImageLines, AntialiasedNeighboursStayInsideTheImage)
{
    mImage.DrawAntialiasedLine(0.0, 8.0, 11.0, 11.0, Color::White, DRAW_MODE_NORMAL);
    mImage.DrawAntialiasedLine(11.0, 0.0, 9.0, 11.0, Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(mImage.GetBits()[kSize * kSize], IMAGE_BITS_GUARD);
}

TEST_F(MemoryImageLines, LinesOutsideTheImageWriteNothingOutsideIt)
{
    const double nan = std::nan("");
    const double cases[][4] = {{-5.0, -3.0, 20.0, 15.0},
                               {3.0, -40.0, 5.0, 50.0},
                               {-1e12, 0.0, 1e12, 1.0},
                               {nan, 1.0, 2.0, 3.0},
                               {0.0, 0.0, 1e300, 1e300}};
    for (const auto& c : cases)
    {
        for (int32_t mode : {DRAW_MODE_NORMAL, DRAW_MODE_ADDITIVE})
        {
            mImage.DrawLine(c[0], c[1], c[2], c[3], Color::White, mode);
            mImage.DrawAntialiasedLine(c[0], c[1], c[2], c[3], Color::White, mode);
        }
    }
    EXPECT_EQ(mImage.GetBits()[kSize * kSize], IMAGE_BITS_GUARD);
    EXPECT_EQ(Changed().count({0, 1}), 1u) << "the visible part of a line that crosses the image is drawn";
}

TEST_F(MemoryImageLines, AntialiasedTranslucentColourOverTransparency)
{
    std::vector<uint32_t> clear(kSize * kSize, 0);
    mImage.SetBits(clear.data(), kSize, kSize, true);
    mImage.DrawAntialiasedLine(0.0, 0.0, 4.0, 2.0, Color(255, 0, 0, 127), DRAW_MODE_NORMAL);
    // a = ((127 + 1) 255) >> 8 = 127 at the start; over alpha 0 the colour lands whole.
    EXPECT_EQ(mImage.GetBits()[0], 0x7FFE0000u);
}
