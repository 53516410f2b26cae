#include "ImageLibSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace imagetest;

namespace
{

using ReadFunction = std::unique_ptr<ImageLib::Image> (*)(const std::string&);

struct DecodeCase
{
    const char* fixture;
    ReadFunction read;
    int tolerance;    // largest difference per channel from ImageMagick's pixels
    bool clearIsZero; // fully transparent pixels are 0, whatever their palette colour
};

int Channel(uint32_t pixel, int shift)
{
    return static_cast<int>((pixel >> shift) & 0xFF);
}

void ExpectPixelsNear(const ImageLib::Image& image, const std::vector<uint32_t>& expected,
                      const DecodeCase& c)
{
    ASSERT_EQ(expected.size(), image.mBits.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        uint32_t want = expected[i];
        if (c.clearIsZero && (want >> 24) == 0)
            want = 0;
        uint32_t got = image.mBits[i];
        for (int shift = 0; shift < 32; shift += 8)
            ASSERT_LE(std::abs(Channel(got, shift) - Channel(want, shift)), c.tolerance)
                << c.fixture << " pixel " << i << " got " << std::hex << got << " want " << want;
    }
}

class DecodeFixture : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(DecodeFixture, MatchesImageMagickPixels)
{
    const DecodeCase& c = GetParam();
    auto image = c.read(FixturePath(c.fixture));
    ASSERT_NE(image, nullptr) << c.fixture;
    EXPECT_EQ(image->GetWidth(), 13);
    EXPECT_EQ(image->GetHeight(), 9);
    ExpectPixelsNear(*image, ExpectedPixels(c.fixture), c);
}

// JPEG tolerances allow for a different inverse DCT, and 16-bit samples for rounding
// to 8 bits the other way; everything else must be exact.
INSTANTIATE_TEST_SUITE_P(Formats, DecodeFixture,
                         ::testing::Values(DecodeCase{"rgba.png", ImageLib::ReadPngImage, 0, false},
                                           DecodeCase{"rgb.png", ImageLib::ReadPngImage, 0, false},
                                           DecodeCase{"palette.png", ImageLib::ReadPngImage, 0, false},
                                           DecodeCase{"grey.png", ImageLib::ReadPngImage, 0, false},
                                           DecodeCase{"grey2.png", ImageLib::ReadPngImage, 0, false},
                                           DecodeCase{"greyalpha.png", ImageLib::ReadPngImage, 1, false},
                                           DecodeCase{"interlaced.png", ImageLib::ReadPngImage, 0, false},
                                           DecodeCase{"rgba16.png", ImageLib::ReadPngImage, 1, false},
                                           DecodeCase{"interlaced16.png", ImageLib::ReadPngImage, 1, false},
                                           DecodeCase{"colour.jpg", ImageLib::ReadJpegImage, 2, false},
                                           DecodeCase{"grey.jpg", ImageLib::ReadJpegImage, 2, false},
                                           DecodeCase{"cmyk.jpg", ImageLib::ReadJpegImage, 3, false},
                                           DecodeCase{"picture.gif", ImageLib::ReadGifImage, 0, true},
                                           DecodeCase{"transparent.gif", ImageLib::ReadGifImage, 0, true},
                                           DecodeCase{"interlaced.gif", ImageLib::ReadGifImage, 0, true},
                                           DecodeCase{"picture.tga", ImageLib::ReadTgaImage, 0, false}),
                         [](const auto& info)
                         {
                             std::string name = info.param.fixture;
                             for (char& ch : name)
                                 if (ch == '.')
                                     ch = '_';
                             return name;
                         });

TEST(ImageReaders, GreyJpegIsOpaqueGreyAndPaletteTransparencyBecomesAlpha)
{
    auto grey = ImageLib::ReadJpegImage(FixturePath("grey.jpg"));
    ASSERT_NE(grey, nullptr);
    for (uint32_t pixel : grey->mBits)
    {
        EXPECT_EQ(pixel >> 24, 0xFFu);
        EXPECT_EQ(Channel(pixel, 0), Channel(pixel, 8));
        EXPECT_EQ(Channel(pixel, 8), Channel(pixel, 16));
    }
    auto palette = ImageLib::ReadPngImage(FixturePath("palette.png"));
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->mBits[6] >> 24, 0u);
    EXPECT_EQ(palette->mBits[0] >> 24, 0xFFu);
}

TEST(ImageReaders, RefuseFilesOfOtherFormatsOrVariants)
{
    // Each reader is handed files it must not take, including the other formats' fixtures.
    const struct
    {
        ReadFunction read;
        const char* fixture;
    } cases[] = {
        {ImageLib::ReadTgaImage, "rgb24.tga"},    {ImageLib::ReadTgaImage, "bottomup.tga"},
        {ImageLib::ReadTgaImage, "rgba.png"},     {ImageLib::ReadPngImage, "colour.jpg"},
        {ImageLib::ReadPngImage, "picture.gif"},  {ImageLib::ReadJpegImage, "rgba.png"},
        {ImageLib::ReadJpegImage, "picture.tga"}, {ImageLib::ReadGifImage, "rgba.png"},
        {ImageLib::ReadGifImage, "colour.jpg"},   {ImageLib::ReadPngImage, "no-such-file.png"},
        {ImageLib::ReadJpegImage, "no-such.jpg"}, {ImageLib::ReadGifImage, "no-such.gif"},
        {ImageLib::ReadTgaImage, "no-such.tga"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.read(FixturePath(c.fixture)), nullptr) << c.fixture;
}

TEST(ImageReaders, TruncatedFilesNeverReadPastTheData)
{
    ScratchFolder folder;
    const struct
    {
        ReadFunction read;
        const char* fixture;
        bool stillDecodes; // the format carries on with what arrived
    } cases[] = {
        {ImageLib::ReadPngImage, "rgba.png", false},    {ImageLib::ReadPngImage, "interlaced16.png", false},
        {ImageLib::ReadTgaImage, "picture.tga", false}, {ImageLib::ReadJpegImage, "colour.jpg", true},
        {ImageLib::ReadGifImage, "picture.gif", true},
    };
    for (const auto& c : cases)
    {
        std::vector<uint8_t> bytes = ReadBytes(FixturePath(c.fixture));
        for (size_t keep : {size_t(0), size_t(5), size_t(20), bytes.size() * 2 / 3, bytes.size() - 3})
        {
            folder.Write("cut", std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(keep)));
            auto image = c.read(folder.Path("cut"));
            if (keep == bytes.size() - 3 && c.stillDecodes)
            {
                EXPECT_NE(image, nullptr) << c.fixture << " cut to " << keep;
            }
            else if (keep < 21 || !c.stillDecodes)
            {
                EXPECT_EQ(image, nullptr) << c.fixture << " cut to " << keep;
            }
        }
    }
}

TEST(ImageReaders, HeadersClaimingHugePicturesGiveNoImage)
{
    ScratchFolder folder;
    std::vector<uint8_t> tga(18, 0);
    tga[12] = tga[13] = tga[14] = tga[15] = 0xFF; // 65535 x 65535
    tga[16] = 32;
    tga[17] = 0x28;
    folder.Write("huge.tga", tga);
    EXPECT_EQ(ImageLib::ReadTgaImage(folder.Path("huge.tga")), nullptr);

    // A TGA of a sane size whose pixels are missing.
    tga[12] = 64;
    tga[13] = 0;
    tga[14] = 64;
    tga[15] = 0;
    folder.Write("short.tga", tga);
    EXPECT_EQ(ImageLib::ReadTgaImage(folder.Path("short.tga")), nullptr);

    GifPicture gif{.width = 32000, .height = 32000, .palette = {0, 0xFFFFFF}, .indices = {1}};
    folder.Write("huge.gif", MakeGif(gif));
    EXPECT_EQ(ImageLib::ReadGifImage(folder.Path("huge.gif")), nullptr);

    std::vector<uint8_t> png = ReadBytes(FixturePath("rgb.png"));
    png[16] = 0x00; // width 0x00FFFFFF: the header's CRC is wrong too, either way no image
    png[17] = 0xFF;
    png[18] = 0xFF;
    png[19] = 0xFF;
    folder.Write("huge.png", png);
    EXPECT_EQ(ImageLib::ReadPngImage(folder.Path("huge.png")), nullptr);

    // A JPEG whose frame header claims 8192 x 4096 with only a few bytes of scan data.
    std::vector<uint8_t> jpeg = ReadBytes(FixturePath("colour.jpg"));
    auto marker = [&](uint8_t code)
    {
        for (size_t i = 2; i + 1 < jpeg.size(); ++i)
            if (jpeg[i] == 0xFF && jpeg[i + 1] == code)
                return i;
        return jpeg.size();
    };
    const size_t frame = marker(0xC0);
    const size_t scan = marker(0xDA);
    ASSERT_LT(scan, jpeg.size());
    jpeg[frame + 5] = 0x10; // height 4096
    jpeg[frame + 6] = 0x00;
    jpeg[frame + 7] = 0x20; // width 8192
    jpeg[frame + 8] = 0x00;
    jpeg.resize(scan + 2 + (size_t(jpeg[scan + 2]) << 8 | jpeg[scan + 3]) + 8);
    folder.Write("huge.jpg", jpeg);
    EXPECT_EQ(ImageLib::ReadJpegImage(folder.Path("huge.jpg")), nullptr);

    // One component sampled 4 x 4 across 5700 x 5700 in 4,400 bytes: enough for
    // a bit per 32 x 32 unit, far too little for the 8 x 8 blocks a scan of a
    // single component codes (171 MB and a second of decoding if believed).
    std::vector<uint8_t> sampled = ReadBytes(FixturePath("grey.jpg"));
    const auto find = [&](uint8_t code)
    {
        for (size_t i = 2; i + 1 < sampled.size(); ++i)
            if (sampled[i] == 0xFF && sampled[i + 1] == code)
                return i;
        return sampled.size();
    };
    const size_t greyFrame = find(0xC0);
    ASSERT_LT(greyFrame + 11, sampled.size());
    for (size_t at : {greyFrame + 5, greyFrame + 7})
    {
        sampled[at] = 0x16; // 5700
        sampled[at + 1] = 0x44;
    }
    sampled[greyFrame + 11] = 0x44;
    sampled.resize(find(0xD9));
    sampled.resize(4400, 0x00);
    folder.Write("sampled.jpg", sampled);
    EXPECT_EQ(ImageLib::ReadJpegImage(folder.Path("sampled.jpg")), nullptr);
}

TEST(GifReader, TransparentIndexGivesZeroAndOutOfTableIndicesAreOpaqueBlack)
{
    ScratchFolder folder;
    GifPicture picture{
        .width = 4,
        .height = 2,
        .palette = {0x000000, 0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x102030, 0x405060},
        .indices = {5, 1, 5, 2, 3, 4, 6, 7},
        .transparent = 5};
    folder.Write("t.gif", MakeGif(picture));
    auto image = ImageLib::ReadGifImage(folder.Path("t.gif"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mBits, (std::vector<uint32_t>{0, 0xFF112233, 0, 0xFF445566, 0xFF778899, 0xFFAABBCC,
                                                   0xFF102030, 0xFF405060}));

    GifPicture small{.width = 2, .height = 1, .palette = {0xFF0000, 0x00FF00}, .indices = {1, 3}};
    folder.Write("small.gif", MakeGif(small));
    image = ImageLib::ReadGifImage(folder.Path("small.gif"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mBits, (std::vector<uint32_t>{0xFF00FF00, 0xFF000000}));
}

TEST(GifReader, InterlacedRowsFillInPassOrder)
{
    ScratchFolder folder;
    // Three rows of two: passes put rows 0, 2, 1 in that order. Cut after four pixels,
    // rows 0 and 2 are filled and row 1 is still untouched.
    GifPicture picture{.width = 2,
                       .height = 3,
                       .palette = {0, 0xFF0000, 0x00FF00, 0x0000FF},
                       .indices = {1, 1, 2, 2, 3, 3},
                       .interlaced = true};
    folder.Write("i.gif", MakeGif(picture));
    auto image = ImageLib::ReadGifImage(folder.Path("i.gif"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mBits, (std::vector<uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFF00FF00,
                                                   0xFF00FF00}));

    picture.indices = {1, 1, 2, 2};
    folder.Write("cut.gif", MakeGif(picture));
    image = ImageLib::ReadGifImage(folder.Path("cut.gif"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mBits, (std::vector<uint32_t>{0xFFFF0000, 0xFFFF0000, 0, 0, 0xFF00FF00, 0xFF00FF00}));
}

TEST(GifReader, BadSignatureSizeOrCodesEndCleanly)
{
    ScratchFolder folder;
    GifPicture picture{.width = 3, .height = 1, .palette = {0, 0xFFFFFF}, .indices = {1, 0, 1}};

    picture.signature = "GIF88a";
    folder.Write("sig.gif", MakeGif(picture));
    EXPECT_EQ(ImageLib::ReadGifImage(folder.Path("sig.gif")), nullptr);

    picture.signature = "GIF87a";
    picture.width = 0;
    folder.Write("empty.gif", MakeGif(picture));
    EXPECT_EQ(ImageLib::ReadGifImage(folder.Path("empty.gif")), nullptr);

    picture.width = 0x8000; // negative as a signed 16-bit value
    folder.Write("negative.gif", MakeGif(picture));
    EXPECT_EQ(ImageLib::ReadGifImage(folder.Path("negative.gif")), nullptr);

    // A code beyond the next free entry ends decoding after what came before it.
    picture.width = 3;
    picture.indices = {1, 7, 1};
    std::vector<uint8_t> bytes = MakeGif(picture);
    folder.Write("code.gif", bytes);
    auto image = ImageLib::ReadGifImage(folder.Path("code.gif"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mBits[0], 0xFFFFFFFFu);
    EXPECT_EQ(image->mBits[1], 0u);
    EXPECT_EQ(image->mBits[2], 0u);
}

} // namespace
