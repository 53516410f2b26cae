#include "ImageLibSupport.h"

#include <gtest/gtest.h>

using namespace imagetest;

namespace
{

ImageLib::Image Picture()
{
    ImageLib::Image image(17, 5);
    for (int y = 0; y < image.mHeight; ++y)
        for (int x = 0; x < image.mWidth; ++x)
            image.mBits[y * image.mWidth + x] = uint32_t(x * 15) << 24 | uint32_t(x * 13) << 16 |
                                                uint32_t(y * 50) << 8 | uint32_t(255 - x * 7);
    return image;
}

TEST(ImageWriters, PngRoundTripKeepsEveryPixelAndAlpha)
{
    ScratchFolder folder;
    ImageLib::Image image = Picture();
    ASSERT_TRUE(ImageLib::SavePngFile(folder.Path("out.png"), image));
    auto back = ImageLib::ReadPngImage(folder.Path("out.png"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetWidth(), 17);
    EXPECT_EQ(back->GetHeight(), 5);
    EXPECT_EQ(back->mBits, image.mBits);
}

TEST(ImageWriters, JpegRoundTripIsOpaqueAndClose)
{
    ScratchFolder folder;
    ImageLib::Image image(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.mBits[y * 16 + x] =
                0x10000000u | uint32_t(x * 8 + 40) << 16 | uint32_t(y * 8 + 40) << 8 | 128;
    ASSERT_TRUE(ImageLib::SaveJpegFile(folder.Path("out.jpg"), image));
    auto back = ImageLib::ReadJpegImage(folder.Path("out.jpg"));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->mBits.size(), image.mBits.size());
    for (size_t i = 0; i < image.mBits.size(); ++i)
    {
        EXPECT_EQ(back->mBits[i] >> 24, 0xFFu);
        for (int shift = 0; shift < 24; shift += 8)
            EXPECT_NEAR(int(back->mBits[i] >> shift & 0xFF), int(image.mBits[i] >> shift & 0xFF), 6) << i;
    }
}

TEST(ImageWriters, FailuresReturnFalse)
{
    ScratchFolder folder;
    ImageLib::Image image = Picture();
    EXPECT_FALSE(ImageLib::SavePngFile(folder.Path("missing/folder/out.png"), image));
    EXPECT_FALSE(ImageLib::SaveJpegFile(folder.Path("missing/folder/out.jpg"), image));
    ImageLib::Image empty;
    EXPECT_FALSE(ImageLib::SavePngFile(folder.Path("empty.png"), empty));
    EXPECT_FALSE(ImageLib::SaveJpegFile(folder.Path("empty.jpg"), empty));
}

} // namespace
