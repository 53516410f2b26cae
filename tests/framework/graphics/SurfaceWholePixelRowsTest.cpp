#include "framework/graphics/SurfaceWholePixelRows.h"

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Simd.h"
#include "tests/framework/graphics/SurfaceTestDisplay.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Quib;
using testsupport::AlphaMix;
using testsupport::TestRandom;

namespace
{

class SurfaceWholePixelRowsTest : public ::testing::Test
{
protected:
    void TearDown() override { SetSimdLevel(DetectedSimdLevel()); }

    static std::vector<SimdLevel> VectorLevels()
    {
        std::vector<SimdLevel> levels;
        for (const SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2})
            if (level <= DetectedSimdLevel())
                levels.push_back(level);
        return levels;
    }
};

// Random rows of every length up to a few vector steps, over destinations whose top
// byte is set, see-through, opaque and mixed, under white and random tints.
TEST_F(SurfaceWholePixelRowsTest, VectorRowsMatchTheReference)
{
    TestRandom random(91);
    for (const SimdLevel level : VectorLevels())
    {
        SetSimdLevel(level);
        for (int round = 0; round < 400; ++round)
        {
            const int32_t count = random.Range(0, 37);
            const AlphaMix mixes[] = {AlphaMix::Uniform, AlphaMix::Extremes, AlphaMix::Opaque};
            const AlphaMix mix = mixes[round % 3];
            const auto src = testsupport::RandomPixels(uint64_t(round) + 1, count + 1, 1, mix);
            const auto dest =
                testsupport::RandomPixels(uint64_t(round) + 1000, count + 1, 1, AlphaMix::Uniform);
            SurfaceWholePixelRows::Tint tint;
            if (round % 2 == 1)
            {
                tint.r = uint32_t(random.Range(0, 255));
                tint.g = uint32_t(random.Range(0, 255));
                tint.b = uint32_t(random.Range(0, 255));
                tint.a = uint32_t(random.Range(0, 255));
                tint.white = false;
            }
            std::vector<uint8_t> fast(dest.size() * 4);
            std::memcpy(fast.data(), dest.data(), fast.size());
            std::vector<uint8_t> slow = fast;
            SurfaceWholePixelRows::Draw(src.data(), fast.data(), count, tint);
            SurfaceWholePixelRows::Reference(src.data(), slow.data(), count, tint);
            ASSERT_EQ(fast, slow) << "level " << int(level) << " round " << round << " count " << count;
            ASSERT_EQ(std::memcmp(fast.data() + 4 * count, dest.data() + count, 4), 0)
                << "the pixel past the row stays";
        }
    }
}

struct BlitCase
{
    const char* name;
    Color color;
    float x;
    float y;
    Rect clip;
    AlphaMix mix;
};

// Whole images blitted at whole-pixel positions onto a 32-bit screen: the per-pixel
// routine (the scalar level keeps it) and the vector rows must leave the same pixels,
// clipped at every side, tinted and over see-through and translucent sources.
TEST_F(SurfaceWholePixelRowsTest, WholePixelBlitsMatchThePerPixelRoutine)
{
    constexpr int32_t kWidth = 61;
    constexpr int32_t kHeight = 23;
    const Rect all(0, 0, kWidth, kHeight);
    const BlitCase cases[] = {
        {"white sprite", Color::White, 7, 3, all, AlphaMix::Runs},
        {"white uniform alphas", Color::White, 2, 1, all, AlphaMix::Uniform},
        {"opaque", Color::White, 0, 0, all, AlphaMix::Opaque},
        {"tinted", Color(255, 120, 40, 255), 5, 2, all, AlphaMix::Extremes},
        {"tinted see-through", Color(60, 220, 140, 170), 9, 4, all, AlphaMix::Runs},
        {"faded white", Color(255, 255, 255, 70), 3, 6, all, AlphaMix::Uniform},
        {"past the left and top", Color::White, -13, -5, all, AlphaMix::Extremes},
        {"past the right and bottom", Color(200, 200, 200, 140), 40, 15, all, AlphaMix::Runs},
        {"inside a clip", Color::White, 1, 0, Rect(11, 3, 29, 12), AlphaMix::Uniform},
    };
    for (const auto& named : surfacetest::AllFormats())
    {
        if (named.format.bitCount != 32)
            continue;
        surfacetest::FakeDisplay display(named.format);
        testsupport::ScopedImageHost host(&display);
        const auto background = testsupport::RandomPixels(3, kWidth, kHeight, AlphaMix::Opaque);
        for (const BlitCase& c : cases)
        {
            SCOPED_TRACE(std::string(named.name) + " / " + c.name);
            MemoryImage sprite(nullptr);
            testsupport::FillRandom(sprite, 17, 35, 14, c.mix);
            const auto draw = [&](SimdLevel level, bool blit)
            {
                SetSimdLevel(level);
                DDImage screen(&display);
                screen.SetBits(background.data(), kWidth, kHeight, true);
                if (blit)
                {
                    screen.BlitSubpixel(&sprite, c.x, c.y, Rect(2, 1, 31, 12), c.clip, c.color,
                                        DRAW_MODE_NORMAL);
                    screen.BlitSubpixel(&sprite, c.x + 20, c.y + 5, Rect(0, 0, 35, 14), c.clip, c.color,
                                        DRAW_MODE_NORMAL);
                }
                // The surface's own words, top byte included.
                std::vector<uint32_t> words(size_t(kWidth) * size_t(kHeight));
                EXPECT_TRUE(screen.LockSurface());
                for (int32_t y = 0; y < kHeight; ++y)
                    std::memcpy(words.data() + size_t(y) * kWidth,
                                screen.mLockedDesc.bits + size_t(y) * size_t(screen.mLockedDesc.pitch),
                                size_t(kWidth) * 4);
                screen.UnlockSurface();
                return words;
            };
            const auto perPixel = draw(SimdLevel::Scalar, true);
            ASSERT_NE(perPixel, draw(SimdLevel::Scalar, false)) << "the blits drew nothing";
            for (const SimdLevel level : VectorLevels())
                ASSERT_EQ(draw(level, true), perPixel) << "level " << int(level);
        }
    }
}

} // namespace
