#include "framework/graphics/MemoryImage.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Quib;

namespace
{

struct Flags
{
    bool hasTrans;
    bool hasAlpha;
};

Flags ScanOf(const std::vector<uint32_t>& pixels)
{
    MemoryImage image(nullptr);
    image.SetBits(pixels.data(), int32_t(pixels.size()), 1, true);
    return {image.mHasTrans, image.mHasAlpha};
}

// Pictures whose lengths straddle the scan's steps, each with one odd pixel at
// every position: a step boundary or the tail must never hide it. Colour bytes equal
// to 0 or 255 beside the alpha must not count as alpha.
TEST(MemoryImageAlphaScan, OnePixelAnywhereSetsItsFlag)
{
    struct Odd
    {
        uint32_t pixel;
        Flags expected;
    };
    const Odd odds[] = {
        {0x00FFFFFF, {true, false}}, {0x01000000, {false, true}}, {0x80FF00FF, {false, true}},
        {0xFE00FF00, {false, true}}, {0x00000000, {true, false}},
    };
    for (uint32_t background : {0xFF000000u, 0xFFFFFFFFu, 0xFF00FF00u})
        for (size_t length : {1u, 3u, 15u, 16u, 17u, 63u, 64u, 65u, 127u, 128u, 129u, 200u})
        {
            const Flags plain = ScanOf(std::vector<uint32_t>(length, background));
            EXPECT_FALSE(plain.hasTrans || plain.hasAlpha) << length;
            for (const Odd& odd : odds)
                for (size_t at = 0; at < length; ++at)
                {
                    std::vector<uint32_t> pixels(length, background);
                    pixels[at] = odd.pixel;
                    const Flags got = ScanOf(pixels);
                    ASSERT_EQ(got.hasTrans, odd.expected.hasTrans) << std::hex << odd.pixel << " at " << at;
                    ASSERT_EQ(got.hasAlpha, odd.expected.hasAlpha) << std::hex << odd.pixel << " at " << at;
                }
        }
}

// Both kinds found early must still give both flags, and a wholly clear picture has
// no partial alpha.
TEST(MemoryImageAlphaScan, BothKindsAndClearPictures)
{
    std::vector<uint32_t> both(300, 0xFF123456u);
    both[2] = 0x00123456u;
    both[5] = 0x7F123456u;
    const Flags mixed = ScanOf(both);
    EXPECT_TRUE(mixed.hasTrans && mixed.hasAlpha);

    std::vector<uint32_t> late(300, 0xFF123456u);
    late[299] = 0x00000000u;
    late[3] = 0x40000000u;
    const Flags lateBoth = ScanOf(late);
    EXPECT_TRUE(lateBoth.hasTrans && lateBoth.hasAlpha);

    const Flags clear = ScanOf(std::vector<uint32_t>(140, 0x00FFFFFFu));
    EXPECT_TRUE(clear.hasTrans);
    EXPECT_FALSE(clear.hasAlpha);
}

} // namespace
