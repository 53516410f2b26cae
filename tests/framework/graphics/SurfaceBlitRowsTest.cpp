#include "framework/graphics/SurfaceBlitRows.h"

#include "framework/graphics/Simd.h"
#include "tests/support/RandomImage.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace Quib;

namespace
{

// Display-format values as the blitters get them: premultiplied, so no channel
// exceeds its alpha, in runs of every class.
std::vector<uint32_t> NativeRow(uint64_t seed, int32_t count)
{
    auto pixels = testsupport::RandomPixels(seed, count, 1, testsupport::AlphaMix::Runs);
    for (uint32_t& p : pixels)
    {
        const uint32_t a = p >> 24;
        const auto channel = [a](uint32_t c) { return (c * (a + 1)) >> 8; };
        p = a << 24 | channel((p >> 16) & 0xFF) << 16 | channel((p >> 8) & 0xFF) << 8 | channel(p & 0xFF);
    }
    return pixels;
}

using RowFunction = std::function<void(uint8_t*, const uint32_t*, int32_t)>;

// Every row length around the vector widths, at every offset into the row, gives the
// bytes of the plain formula, the destination's unused top byte included.
void Check(const RowFunction& reference, const RowFunction& row)
{
    for (int32_t count = 0; count <= 37; ++count)
    {
        for (int32_t offset = 0; offset < 3; ++offset)
        {
            const auto native = NativeRow(uint64_t(count * 7 + offset), count + offset);
            const auto below = testsupport::RandomPixels(uint64_t(count + 100), count + offset, 1,
                                                         testsupport::AlphaMix::Uniform);
            std::vector<uint8_t> expected(below.size() * 4 + 4);
            const auto* bytes = reinterpret_cast<const uint8_t*>(below.data());
            std::copy(bytes, bytes + below.size() * 4, expected.begin() + 1);
            std::vector<uint8_t> actual = expected;
            reference(expected.data() + 1 + 4 * offset, native.data() + offset, count);
            row(actual.data() + 1 + 4 * offset, native.data() + offset, count);
            EXPECT_EQ(actual, expected) << "count " << count << " offset " << offset;
        }
    }
}

class SurfaceBlitRowsTest : public ::testing::TestWithParam<SimdLevel>
{
protected:
    void SetUp() override { SetSimdLevel(GetParam()); }
    void TearDown() override { SetSimdLevel(DetectedSimdLevel()); }
};

TEST_P(SurfaceBlitRowsTest, RowsMatchTheirReferences)
{
    struct Row
    {
        const char* name;
        RowFunction reference;
        RowFunction row;
    };
    const Row rows[] = {
        {"over", SurfaceBlitRows::OverWhite32Reference, SurfaceBlitRows::OverWhite32},
        {"add", SurfaceBlitRows::AddWhite32Reference, SurfaceBlitRows::AddWhite32},
        {"narrow to 16 bits", SurfaceBlitRows::Narrow16Reference, SurfaceBlitRows::Narrow16},
        {"add on 5-6-5", SurfaceBlitRows::AddWhite565Reference, SurfaceBlitRows::AddWhite565},
    };
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.name);
        Check(r.reference, r.row);
    }
}

TEST_P(SurfaceBlitRowsTest, ColouredRowsMatchTheirReference)
{
    const uint32_t factors[][3] = {{255, 255, 255}, {200, 200, 200}, {0, 128, 255}, {17, 250, 3}};
    for (const uint32_t colorAlpha : {255u, 254u, 200u, 128u, 1u})
    {
        for (const auto& factor : factors)
        {
            SCOPED_TRACE(colorAlpha);
            Check([&](uint8_t* d, const uint32_t* n, int32_t c)
                  { SurfaceBlitRows::OverColor32Reference(d, n, c, factor, colorAlpha); },
                  [&](uint8_t* d, const uint32_t* n, int32_t c)
                  { SurfaceBlitRows::OverColor32(d, n, c, factor, colorAlpha); });
            Check([&](uint8_t* d, const uint32_t* n, int32_t c)
                  { SurfaceBlitRows::OverColor565Reference(d, n, c, factor, colorAlpha); },
                  [&](uint8_t* d, const uint32_t* n, int32_t c)
                  { SurfaceBlitRows::OverColor565(d, n, c, factor, colorAlpha); });
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, SurfaceBlitRowsTest,
                         ::testing::Values(SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2));

} // namespace
