#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "tests/framework/resources/ImageLibSupport.h"

#include <gtest/gtest.h>

using imagetest::FixturePath;

namespace
{

// A decoded picture given to a memory image without a copy: the same pixels, its own
// guard word, fresh flags, and no palette left over from what the image held before.
TEST(ImageHandOver, MemoryImageTakesTheDecodedPixels)
{
    for (const char* fixture : {"interlaced.png", "greyalpha.png", "pic.png"})
    {
        std::unique_ptr<ImageLib::Image> decoded = ImageLib::ReadPngImage(FixturePath(fixture));
        ASSERT_NE(decoded, nullptr) << fixture;
        const std::vector<uint32_t> expected(decoded->mBits.begin(), decoded->mBits.end());
        const uint32_t* array = decoded->GetPixels();

        Quib::MemoryImage image(nullptr);
        const uint32_t before[] = {0xFF000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu};
        image.SetBits(before, 2, 2, true);
        ASSERT_TRUE(image.ConvertToPalette());
        const int32_t changes = image.mBitsChangedCount;

        image.TakeBits(decoded->mBits.Release(), decoded->mWidth, decoded->mHeight, true);
        EXPECT_TRUE(decoded->mBits.empty());
        EXPECT_EQ(image.mBits.get(), array) << fixture;
        EXPECT_EQ(image.mPalette, nullptr);
        EXPECT_EQ(image.mIndices, nullptr);
        EXPECT_EQ(image.mBitsChangedCount, changes + 1);
        ASSERT_EQ(image.mWidth, decoded->mWidth);
        ASSERT_EQ(image.mHeight, decoded->mHeight);
        EXPECT_EQ(image.mBits[expected.size()], Quib::IMAGE_BITS_GUARD);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.GetBits())) << fixture;

        bool clear = false;
        bool partial = false;
        for (uint32_t pixel : expected)
        {
            clear |= pixel >> 24 == 0;
            partial |= pixel >> 24 != 0 && pixel >> 24 != 255;
        }
        EXPECT_EQ(image.mHasTrans, clear) << fixture;
        EXPECT_EQ(image.mHasAlpha, partial) << fixture;
        EXPECT_FALSE(image.mFlagsStale);
    }
}

// Nothing handed over is a blank picture of the size asked for, as with SetBits.
TEST(ImageHandOver, NoArrayGivesZeroPixels)
{
    Quib::MemoryImage image(nullptr);
    image.TakeBits(nullptr, 3, 2, true);
    ASSERT_NE(image.mBits, nullptr);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image.mBits[i], 0u);
    EXPECT_EQ(image.mBits[6], Quib::IMAGE_BITS_GUARD);
    EXPECT_TRUE(image.mHasTrans);
}

// Copies of a decoded picture own their pixels: writing one leaves the other alone.
TEST(ImageHandOver, PixelArraysCopyDeeply)
{
    ImageLib::Image original(2, 2);
    EXPECT_EQ(original.mBits, std::vector<uint32_t>(4, 0u));
    original.mBits[1] = 7;
    ImageLib::Image copy = original;
    copy.mBits[1] = 9;
    EXPECT_EQ(original.mBits[1], 7u);
    original = copy;
    EXPECT_EQ(original.mBits, copy.mBits);
    EXPECT_NE(original.GetPixels(), copy.GetPixels());

    ImageLib::PixelArray moved = std::move(copy.mBits);
    EXPECT_EQ(moved[1], 9u);
    EXPECT_TRUE(copy.mBits.empty());
}

} // namespace
