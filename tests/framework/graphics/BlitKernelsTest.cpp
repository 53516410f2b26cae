#include "framework/graphics/BlitKernels.h"

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/Simd.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Quib;
using testsupport::AlphaMix;
using testsupport::TestRandom;

namespace
{

std::vector<SimdLevel> AvailableLevels()
{
    std::vector<SimdLevel> levels = {SimdLevel::Scalar};
    if (int(DetectedSimdLevel()) >= int(SimdLevel::Sse2))
        levels.push_back(SimdLevel::Sse2);
    if (DetectedSimdLevel() == SimdLevel::Avx2)
        levels.push_back(SimdLevel::Avx2);
    return levels;
}

const char* LevelName(SimdLevel level)
{
    return level == SimdLevel::Scalar ? "scalar" : level == SimdLevel::Sse2 ? "sse2" : "avx2";
}

// Puts the machine's own level back after a test forced another.
class SimdLevels : public ::testing::Test
{
protected:
    ~SimdLevels() override { SetSimdLevel(DetectedSimdLevel()); }
};

// Component values biased to the ends, where the short cuts are.
uint32_t BiasedByte(TestRandom& random)
{
    const uint32_t pick = random.Next() % 8;
    return pick == 0 ? 0 : pick == 1 ? 255 : random.Next() & 0xFF;
}

AlphaMix PickMix(TestRandom& random)
{
    const AlphaMix mixes[] = {AlphaMix::Uniform, AlphaMix::Extremes, AlphaMix::Opaque, AlphaMix::Runs};
    return mixes[random.Next() % 4];
}

} // namespace

TEST_F(SimdLevels, EveryRowRoutineMatchesItsReference)
{
    const BlitOp ops[] = {BlitOp::BlendOpaqueDest, BlitOp::BlendWhite,    BlitOp::BlendGrey,
                          BlitOp::BlendColor,      BlitOp::AddWhiteAlpha, BlitOp::AddWhite,
                          BlitOp::AddColorAlpha,   BlitOp::AddColor};
    for (SimdLevel level : AvailableLevels())
    {
        SetSimdLevel(level);
        TestRandom random(1234);
        for (BlitOp op : ops)
        {
            for (int round = 0; round < 300; ++round)
            {
                const int32_t count = random.Range(0, 70);
                const int32_t offset = random.Range(0, 7);
                const std::vector<uint32_t> source =
                    testsupport::RandomPixels(random.Next(), count + offset, 1, PickMix(random));
                const std::vector<uint32_t> background =
                    testsupport::RandomPixels(random.Next(), count + offset, 1, PickMix(random));
                BlitColor color{BiasedByte(random), BiasedByte(random), BiasedByte(random),
                                BiasedByte(random)};
                if (op == BlitOp::BlendGrey)
                    color.g = color.b = color.r;

                MemoryImage runsOf(nullptr);
                runsOf.SetBits(source.data(), count + offset, 1, true);
                const uint8_t* runs = runsOf.GetRLAlphaData() + offset;

                std::vector<uint32_t> fast = background;
                std::vector<uint32_t> reference = background;
                BlitRows::Blit(op, fast.data() + offset, source.data() + offset, runs, count, color);
                BlitRows::BlitReference(op, reference.data() + offset, source.data() + offset, count, color);
                ASSERT_EQ(fast, reference) << LevelName(level) << " op " << int(op) << " round " << round;
            }
        }
    }
}

TEST_F(SimdLevels, FillMatchesItsReference)
{
    for (SimdLevel level : AvailableLevels())
    {
        SetSimdLevel(level);
        TestRandom random(99);
        for (int round = 0; round < 2000; ++round)
        {
            const int32_t count = random.Range(0, 40);
            const std::vector<uint32_t> background =
                testsupport::RandomPixels(random.Next(), count, 1, PickMix(random));
            const BlitColor color{BiasedByte(random), BiasedByte(random), BiasedByte(random),
                                  BiasedByte(random)};
            std::vector<uint32_t> fast = background;
            std::vector<uint32_t> reference = background;
            BlitRows::Fill(fast.data(), count, color);
            BlitRows::FillReference(reference.data(), count, color);
            ASSERT_EQ(fast, reference) << LevelName(level) << " round " << round;
        }
    }
}

TEST(BlitRows, CoverageFillMatchesItsReference)
{
    TestRandom random(77);
    for (int round = 0; round < 2000; ++round)
    {
        const int32_t count = random.Range(0, 40);
        const std::vector<uint32_t> background =
            testsupport::RandomPixels(random.Next(), count, 1, PickMix(random));
        std::vector<uint8_t> coverage(static_cast<size_t>(count));
        for (uint8_t& v : coverage)
            v = uint8_t(BiasedByte(random));
        const BlitColor color{BiasedByte(random), BiasedByte(random), BiasedByte(random), BiasedByte(random)};
        std::vector<uint32_t> fast = background;
        std::vector<uint32_t> reference = background;
        BlitRows::FillCoverage(fast.data(), coverage.data(), count, color);
        BlitRows::FillCoverageReference(reference.data(), coverage.data(), count, color);
        ASSERT_EQ(fast, reference) << "round " << round;
    }
}

TEST_F(SimdLevels, ExhaustiveSinglePixelBlendsMatchTheirReference)
{
    // Every source alpha against every destination alpha, for the operations whose
    // factors come from tables.
    TestRandom random(5);
    std::vector<uint32_t> source;
    std::vector<uint32_t> background;
    for (uint32_t sa = 0; sa < 256; ++sa)
    {
        for (uint32_t da = 0; da < 256; ++da)
        {
            source.push_back(sa << 24 | (random.Next() & 0xFFFFFF));
            background.push_back(da << 24 | (random.Next() & 0xFFFFFF));
        }
    }
    const int32_t count = int32_t(source.size());
    for (BlitOp op : {BlitOp::BlendWhite, BlitOp::BlendGrey, BlitOp::BlendColor})
    {
        for (const BlitColor& color : {BlitColor{255, 255, 255, 255}, BlitColor{77, 77, 77, 200},
                                       BlitColor{255, 0, 128, 255}, BlitColor{1, 2, 3, 1}})
        {
            std::vector<uint32_t> fast = background;
            std::vector<uint32_t> reference = background;
            BlitRows::Blit(op, fast.data(), source.data(), nullptr, count, color);
            BlitRows::BlitReference(op, reference.data(), source.data(), count, color);
            ASSERT_EQ(fast, reference) << "op " << int(op);
        }
    }
    for (uint32_t alpha = 0; alpha < 256; ++alpha)
    {
        const BlitColor color{200, 100, 50, alpha};
        std::vector<uint32_t> fast = background;
        std::vector<uint32_t> reference = background;
        BlitRows::Fill(fast.data(), count, color);
        BlitRows::FillReference(reference.data(), count, color);
        ASSERT_EQ(fast, reference) << "fill alpha " << alpha;
    }
}

// Random images, rectangles, colours and modes drawn through the memory image; the
// checksum of every result is pinned, and every vector level must give it.
TEST_F(SimdLevels, PinnedSweepThroughTheImages)
{
    testsupport::FakeImageHost host;
    testsupport::ScopedImageHost scope(&host);
    std::vector<uint64_t> sums;
    for (SimdLevel level : AvailableLevels())
    {
        SetSimdLevel(level);
        TestRandom random(20261210);
        uint64_t sum = 0xCBF29CE484222325ull;
        for (int round = 0; round < 400; ++round)
        {
            MemoryImage dst;
            MemoryImage src;
            const int32_t width = random.Range(1, 90);
            const int32_t height = random.Range(1, 12);
            testsupport::FillRandom(dst, random.Next(), width, height, PickMix(random));
            testsupport::FillRandom(src, random.Next(), random.Range(1, 90), random.Range(1, 12),
                                    PickMix(random));
            if (random.Next() % 4 == 0)
                src.ConvertToPalette();
            const Rect srcRect(random.Range(-5, 20), random.Range(-3, 5), random.Range(0, 100),
                               random.Range(0, 14));
            const Color color(int(BiasedByte(random)), int(BiasedByte(random)), int(BiasedByte(random)),
                              int(BiasedByte(random)));
            const Color grey(color.mRed, color.mRed, color.mRed, color.mAlpha);
            const Color& chosen = random.Next() % 3 == 0 ? Color::White : random.Next() % 2 ? grey : color;
            const int32_t x = random.Range(-20, width);
            const int32_t y = random.Range(-4, height);
            switch (random.Next() % 3)
            {
            case 0:
                dst.Blit(&src, x, y, srcRect, chosen, DRAW_MODE_NORMAL);
                break;
            case 1:
                dst.Blit(&src, x, y, srcRect, chosen, DRAW_MODE_ADDITIVE);
                break;
            default:
                dst.FillRect(Rect(x, y, srcRect.mWidth, srcRect.mHeight), chosen, DRAW_MODE_NORMAL);
                break;
            }
            sum = testsupport::Checksum(dst.GetBits(), dst.PixelCount() + 1, sum);
        }
        sums.push_back(sum);
    }
    for (uint64_t sum : sums)
        EXPECT_EQ(sum, 0xE45D08B20CCB4C9Full) << std::hex << sum;
}
