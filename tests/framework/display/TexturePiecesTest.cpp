#include "framework/display/ClipVertexList.h"
#include "framework/display/TexelConversion.h"
#include "framework/display/TextureFormat.h"
#include "framework/display/TextureLimits.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace Quib;

namespace
{

TEST(TexturePiecesTest, PieceSidesFollowTheTable)
{
    const TextureLimits limits = TextureLimits::FromCaps(1024, 1024, 1, 1, 65536);
    const std::pair<int32_t, int32_t> table[] = {{3, 4},     {65, 128},  {100, 128},   {200, 256},
                                                 {300, 256}, {400, 128}, {480, 512},   {600, 64},
                                                 {640, 512}, {800, 256}, {1000, 1024}, {2000, 1024}};
    for (const auto& [side, piece] : table)
    {
        int32_t w = side, h = 1;
        ChooseTexturePieceSize(w, h, false, 0, limits);
        EXPECT_EQ(w, piece) << side;
    }
    int32_t w = 100, h = 3;
    ChooseTexturePieceSize(w, h, true, 0, limits);
    EXPECT_EQ(w, 128);
    EXPECT_EQ(h, 4);
    w = 500, h = 500;
    ChooseTexturePieceSize(w, h, false, 2, limits);
    EXPECT_EQ(w, 64) << "the 64-piece flag";
}

TEST(TexturePiecesTest, LayoutOfABackgroundOnDevicesOfTwoRatios)
{
    const TexturePieceLayout eight =
        LayoutTexturePieces(800, 600, 0, TextureLimits::FromCaps(1024, 1024, 1, 1, 8));
    EXPECT_EQ(eight.mPieceWidth, 256);
    EXPECT_EQ(eight.mPieceHeight, 64);
    EXPECT_EQ(eight.mColumns, 4);
    EXPECT_EQ(eight.mRows, 10);
    EXPECT_EQ(eight.PieceWidth(3, 0), 32);
    EXPECT_EQ(eight.PieceHeight(3, 0), 64);
    EXPECT_EQ(eight.PieceWidth(0, 9), 256);
    EXPECT_EQ(eight.PieceHeight(0, 9), 32);
    EXPECT_EQ(eight.PieceWidth(3, 9), 32);
    EXPECT_EQ(eight.PieceHeight(3, 9), 32);
    EXPECT_FLOAT_EQ(eight.mUExtent, 3.125f);
    EXPECT_FLOAT_EQ(eight.mVExtent, 9.375f);

    const TexturePieceLayout one =
        LayoutTexturePieces(800, 600, 0, TextureLimits::FromCaps(1024, 1024, 1, 1, 1));
    EXPECT_EQ(one.mColumns, 4);
    EXPECT_EQ(one.mRows, 3);
    for (int32_t row = 0; row < 3; ++row)
        for (int32_t column = 0; column < 4; ++column)
        {
            EXPECT_EQ(one.PieceWidth(column, row), 256);
            EXPECT_EQ(one.PieceHeight(column, row), 256);
        }
}

TEST(TexturePiecesTest, LimitsFromDevicesThatSayLittle)
{
    const TextureLimits none = TextureLimits::FromCaps(0, 0, 0, 0, 0);
    EXPECT_EQ(LayoutTexturePieces(800, 600, 0, none).mPieceWidth, 64);
    EXPECT_EQ(LayoutTexturePieces(800, 600, 0, none).mPieceHeight, 64);
    const TextureLimits small = TextureLimits::FromCaps(4096, 4096, 4, 0, 0);
    EXPECT_EQ(small.mMaxWidth, 1024);
    EXPECT_EQ(small.mMinWidth, 4);
    EXPECT_EQ(small.mMinHeight, 1);
    EXPECT_EQ(small.mMaxAspect, 65536);
    platform::RendererInfo info;
    info.maxTextureWidth = info.maxTextureHeight = 16384;
    info.formats = {platform::TexelFormat::Argb8888, platform::TexelFormat::Rgb565};
    EXPECT_EQ(TextureLimits::FromRenderer(info).mFormatMask, uint32_t(TEXTURE_A8R8G8B8 | TEXTURE_R5G6B5));
}

TEST(TexturePiecesTest, TexelsKeepTheTopBitsAndReadBackOpaque)
{
    EXPECT_EQ(ArgbToTexel(0x80FF7F3Fu, TEXTURE_A4R4G4B4), 0x8F73u);
    EXPECT_EQ(TexelToArgb(0x8F73u, TEXTURE_A4R4G4B4), 0xFFF07030u);
    EXPECT_EQ(ArgbToTexel(0x80FF7F3Fu, TEXTURE_R5G6B5), 0xFBE7u);
    EXPECT_EQ(TexelToArgb(0xFBE7u, TEXTURE_R5G6B5), 0xFFF87C38u);
    EXPECT_EQ(TexelToArgb(0x12345678u, TEXTURE_A8R8G8B8), 0x12345678u);
}

TEST(TexturePiecesTest, PiecesRepeatTheImagesLastColumnAndRowOnce)
{
    // A 3 x 2 image in a 4 x 4 piece: one repeated column and row, zero beyond.
    const uint32_t image[] = {1, 2, 3, 4, 5, 6};
    const std::vector<uint8_t> texels = PieceTexels(image, 3, 2, 0, 0, 4, 4, TEXTURE_A8R8G8B8);
    std::vector<uint32_t> values(16);
    std::memcpy(values.data(), texels.data(), 64);
    EXPECT_EQ(values, (std::vector<uint32_t>{1, 2, 3, 3, 4, 5, 6, 6, 4, 5, 6, 6, 0, 0, 0, 0}));
    // A piece that starts past the image holds nothing.
    const std::vector<uint8_t> beyond = PieceTexels(image, 3, 2, 4, 0, 2, 2, TEXTURE_A8R8G8B8);
    EXPECT_TRUE(std::all_of(beyond.begin(), beyond.end(), [](uint8_t b) { return b == 0; }));
}

TEST(TexturePiecesTest, ClippingCarriesCoordinatesAndColoursToTheCuts)
{
    ClipVertexList square;
    square.Add({-10, 0, 0xFF000000, 0, 0});
    square.Add({-10, 10, 0xFF000000, 0, 1});
    square.Add({10, 10, 0xFFFFFFFF, 1, 1});
    square.Add({10, 0, 0xFFFFFFFF, 1, 0});
    square.ClipToRect(0, 0, 100, 100);
    ASSERT_EQ(square.Count(), 4);
    for (int32_t i = 0; i < square.Count(); ++i)
        if (square[i].x == 0.0f)
        {
            EXPECT_FLOAT_EQ(square[i].u, 0.5f);
            EXPECT_EQ(square[i].color, 0xFF808080u);
        }
    EXPECT_EQ(square.Fan().size(), 6u);

    ClipVertexList outside;
    outside.Add({200, 200, 0, 0, 0});
    outside.Add({300, 200, 0, 0, 0});
    outside.Add({250, 300, 0, 0, 0});
    outside.ClipToRect(0, 0, 100, 100);
    EXPECT_TRUE(outside.Fan().empty());

    const float nan = std::numeric_limits<float>::quiet_NaN();
    ClipVertexList broken;
    broken.Add({nan, 0, 0, 0, 0});
    broken.Add({50, 50, 0, 0, 0});
    broken.Add({60, 10, 0, 0, 0});
    broken.ClipToRect(0, 0, 100, 100);
    for (const platform::RenderVertex& v : broken.Fan())
        EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
}

} // namespace
