#include "framework/graphics/MemoryImage.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace Quib;
using testsupport::FakeImageHost;
using testsupport::ScopedImageHost;

namespace
{

class MemoryImageStorage : public ::testing::Test
{
protected:
    void SetBits(MemoryImage& image, std::vector<uint32_t> pixels, int32_t width, int32_t height)
    {
        image.SetBits(pixels.data(), width, height, true);
    }

    FakeImageHost mHost;
    ScopedImageHost mScope{&mHost};
};

std::vector<uint8_t> Bytes(const uint8_t* data, size_t count)
{
    return std::vector<uint8_t>(data, data + count);
}

} // namespace

TEST_F(MemoryImageStorage, RegistersWithItsApplicationForItsLifetime)
{
    FakeImageHost other;
    {
        MemoryImage global;
        MemoryImage explicitHost(&other);
        EXPECT_EQ(global.mApp, &mHost);
        EXPECT_EQ(mHost.mRegistered.count(&global), 1u);
        EXPECT_EQ(other.mRegistered.count(&explicitHost), 1u);
        MemoryImage copy(explicitHost);
        EXPECT_EQ(other.mRegistered.count(&copy), 1u);
    }
    EXPECT_TRUE(mHost.mRegistered.empty());
    EXPECT_TRUE(other.mRegistered.empty());
    EXPECT_EQ(other.mTexturesDropped, 2);
}

TEST_F(MemoryImageStorage, StartsEmptyAndCreateMakesZeroPixelsOnDemand)
{
    MemoryImage image;
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_EQ(image.mBitsChangedCount, 0);
    EXPECT_FALSE(image.mHasTrans || image.mHasAlpha || image.mFlagsStale);

    image.Create(10, 10);
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_EQ(image.mBitsChangedCount, 1);
    image.UpdateTransparencyFlags();
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);

    const uint32_t* bits = image.GetBits();
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(bits[i], 0u);
    EXPECT_EQ(bits[100], IMAGE_BITS_GUARD);
    EXPECT_EQ(image.mBitsChangedCount, 1) << "GetBits is no change";
    image.MarkBitsChanged();
    image.UpdateTransparencyFlags();
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
}

TEST_F(MemoryImageStorage, TransparencyFlagsByAlpha)
{
    struct Case
    {
        std::vector<uint32_t> pixels;
        bool hasTrans;
        bool hasAlpha;
    };
    const Case cases[] = {
        {{0xFF000000, 0xFFFFFFFF}, false, false},
        {{0xFF000000, 0x00FFFFFF}, true, false},
        {{0x80FF0000, 0xFF000000}, false, true},
        {{0x01000000, 0x00000000, 0xFE000000}, true, true},
    };
    for (const Case& c : cases)
    {
        MemoryImage image;
        SetBits(image, c.pixels, int32_t(c.pixels.size()), 1);
        EXPECT_EQ(image.mHasTrans, c.hasTrans);
        EXPECT_EQ(image.mHasAlpha, c.hasAlpha);
        EXPECT_FALSE(image.mFlagsStale);
    }
}

TEST_F(MemoryImageStorage, ForcedFlagsAreNeverRecomputed)
{
    MemoryImage image;
    SetBits(image, {0x00000000, 0x80000000}, 2, 1);
    image.ForceTransparencyFlags(false, false);
    image.MarkBitsChanged();
    image.UpdateTransparencyFlags();
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
    EXPECT_TRUE(image.mFlagsStale);

    MemoryImage copy(image);
    EXPECT_TRUE(copy.mForced);
    EXPECT_FALSE(copy.mHasTrans);
}

TEST_F(MemoryImageStorage, SetBitsWithItsOwnArrayChangesNothing)
{
    MemoryImage image;
    SetBits(image, {1, 2, 3, 4}, 2, 2);
    const int32_t count = image.mBitsChangedCount;
    image.SetBits(image.GetBits(), 2, 2, true);
    EXPECT_EQ(image.mBitsChangedCount, count);
}

TEST_F(MemoryImageStorage, SetBitsTakesTheNewShapeEvenForTheSamePixelCount)
{
    MemoryImage image;
    SetBits(image, std::vector<uint32_t>(6, 0xFF000000), 2, 3);
    SetBits(image, {1, 2, 3, 4, 5, 6}, 3, 2);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetBits()[5], 6u);
    EXPECT_EQ(image.GetBits()[6], IMAGE_BITS_GUARD);
}

TEST_F(MemoryImageStorage, SetBitsFromItsOwnPixelsIntoANewShape)
{
    MemoryImage image;
    SetBits(image, {1, 2, 3, 4, 5, 6}, 3, 2);
    image.SetBits(image.GetBits() + 3, 3, 1, false);
    EXPECT_EQ(std::vector<uint32_t>(image.GetBits(), image.GetBits() + 4),
              (std::vector<uint32_t>{4, 5, 6, IMAGE_BITS_GUARD}));
}

TEST_F(MemoryImageStorage, RunLengthAlphaBytes)
{
    struct Case
    {
        const char* name;
        std::vector<uint32_t> pixels;
        int32_t width;
        std::vector<uint8_t> runs;
    };
    const Case cases[] = {
        {"classes 0 0 0 1 1 2",
         {0x00000000, 0x00FFFFFF, 0x00123456, 0xFF000000, 0xFFFFFFFF, 0x80000000},
         6,
         {3, 2, 1, 2, 1, 1}},
        {"one pixel wide", std::vector<uint32_t>(5, 0x80000000), 1, {1, 1, 1, 1, 1}},
        {"rows are separate", {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}, 2, {2, 1, 2, 1}},
        {"different partial alphas share a run", {0x01000000, 0xFE000000, 0x00000000}, 3, {2, 1, 1}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MemoryImage image;
        SetBits(image, c.pixels, c.width, int32_t(c.pixels.size()) / c.width);
        EXPECT_EQ(Bytes(image.GetRLAlphaData(), c.runs.size()), c.runs);
    }
}

TEST_F(MemoryImageStorage, RunLengthCapsAt255)
{
    MemoryImage image;
    SetBits(image, std::vector<uint32_t>(300, 0xFF000000), 300, 1);
    const uint8_t* runs = image.GetRLAlphaData();
    for (int i = 0; i < 46; ++i)
        ASSERT_EQ(runs[i], 255) << i;
    for (int i = 46; i < 300; ++i)
        ASSERT_EQ(runs[i], 300 - i) << i;
}

TEST_F(MemoryImageStorage, RunLengthAdditiveBytesFollowTheScreenFormat)
{
    MemoryImage image;
    // Alpha 0 premultiplies to black; a dim colour vanishes in 5-6-5.
    SetBits(image, {0x00FFFFFF, 0xFF000000, 0xFF010101, 0xFF808080, 0xFF808080}, 5, 1);
    NativeDisplay format32 = FakeImageHost::Format32();
    EXPECT_EQ(Bytes(image.GetRLAdditiveData(&format32), 5), (std::vector<uint8_t>{2, 1, 3, 2, 1}));

    MemoryImage narrow;
    SetBits(narrow, {0x00FFFFFF, 0xFF000000, 0xFF010101, 0xFF808080, 0xFF808080}, 5, 1);
    NativeDisplay format565 = FakeImageHost::Format565();
    EXPECT_EQ(Bytes(narrow.GetRLAdditiveData(&format565), 5), (std::vector<uint8_t>{3, 2, 1, 2, 1}));

    MemoryImage column;
    SetBits(column, std::vector<uint32_t>(5, 0xFFFFFFFF), 1, 5);
    EXPECT_EQ(Bytes(column.GetRLAdditiveData(&format32), 5), (std::vector<uint8_t>{1, 1, 1, 1, 1}));
}

TEST_F(MemoryImageStorage, RunLengthCachesOfAPaletteImage)
{
    MemoryImage image;
    SetBits(image, {0x00FFFFFF, 0x00000000, 0xFF000000, 0xFF808080, 0x80FFFFFF, 0x80FFFFFF}, 6, 1);
    ASSERT_TRUE(image.ConvertToPalette());
    EXPECT_EQ(Bytes(image.GetRLAlphaData(), 6), (std::vector<uint8_t>{2, 1, 2, 1, 2, 1}));
    NativeDisplay format = FakeImageHost::Format32();
    EXPECT_EQ(Bytes(image.GetRLAdditiveData(&format), 6), (std::vector<uint8_t>{3, 2, 1, 3, 2, 1}));
    EXPECT_EQ(image.mBits, nullptr) << "the caches are built from the palette form";
}

TEST_F(MemoryImageStorage, MarkBitsChangedDropsTheCachesButNotThePalette)
{
    MemoryImage image;
    SetBits(image, {0xFF000000, 0x80FF0000}, 2, 1);
    ASSERT_TRUE(image.ConvertToPalette());
    image.GetNativeAlphaData(&mHost.mDisplay);
    image.GetRLAlphaData();
    image.GetRLAdditiveData(&mHost.mDisplay);
    image.MarkBitsChanged();
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.mRLAlphaData, nullptr);
    EXPECT_EQ(image.mRLAdditiveData, nullptr);
    EXPECT_NE(image.mPalette, nullptr);
    EXPECT_TRUE(image.mFlagsStale);
}

TEST_F(MemoryImageStorage, NativeConversionAndItsRoundTrip)
{
    struct Case
    {
        const char* name;
        NativeDisplay format;
        uint32_t pixel;
        uint32_t native;
        uint32_t rebuilt;
    };
    const Case cases[] = {
        {"half red on 32-bit", FakeImageHost::Format32(), 0x80FF0000, 0x80800000, 0x80FF0000},
        {"half red on 5-6-5", FakeImageHost::Format565(), 0x80FF0000, 0x80008000, 0x80FF0000},
        {"faint grey on 32-bit", FakeImageHost::Format32(), 0x10646464, 0x10060606, 0x105B5B5B},
        {"opaque on 32-bit survives", FakeImageHost::Format32(), 0xFF123456, 0xFF123456, 0xFF123456},
        {"transparent keeps nothing", FakeImageHost::Format32(), 0x00FFFFFF, 0x00000000, 0x00000000},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        mHost.mDisplay = c.format;
        MemoryImage image;
        SetBits(image, {c.pixel}, 1, 1);
        NativeDisplay format = c.format;
        EXPECT_EQ(image.GetNativeAlphaData(&format)[0], c.native);
        image.mBits.reset();
        EXPECT_EQ(image.GetBits()[0], c.rebuilt);
        EXPECT_NE(image.mNativeAlphaData, nullptr) << "the screen-format cache stays";
    }
}

// Images whose pixels are purged are read back whenever something draws into them;
// each read-back must give the same pixels, or the picture fades a step every time.
TEST_F(MemoryImageStorage, RepeatedReadBacksAreStable)
{
    const std::pair<const char*, NativeDisplay> formats[] = {{"32-bit", FakeImageHost::Format32()},
                                                             {"5-6-5", FakeImageHost::Format565()}};
    for (const auto& [name, format] : formats)
    {
        SCOPED_TRACE(name);
        mHost.mDisplay = format;
        const auto original = testsupport::RandomPixels(11, 32, 16, testsupport::AlphaMix::Uniform);
        MemoryImage image;
        image.SetBits(original.data(), 32, 16, true);
        image.DiscardBits();
        const std::vector<uint32_t> first(image.GetBits(), image.GetBits() + image.PixelCount());
        for (size_t i = 0; i < original.size(); ++i)
            if (original[i] >> 24 == 255 && format.mBitDepth == 32)
                ASSERT_EQ(first[i], original[i]) << "opaque pixels come back exactly, pixel " << i;
        for (int cycle = 0; cycle < 4; ++cycle)
        {
            image.MarkBitsChanged();
            image.DiscardBits();
            ASSERT_EQ(image.mBits, nullptr);
            EXPECT_EQ(std::vector<uint32_t>(image.GetBits(), image.GetBits() + image.PixelCount()), first)
                << "cycle " << cycle;
        }
    }
}

// The screen form is made and read back in the format of the image's own application,
// whatever the global one uses.
TEST_F(MemoryImageStorage, DiscardedPixelsComeBackInTheirApplicationsFormat)
{
    FakeImageHost sixteenBit;
    sixteenBit.mDisplay = FakeImageHost::Format565();
    mHost.mDisplay = FakeImageHost::Format32();
    MemoryImage image(&sixteenBit);
    SetBits(image, {0xFF123456, 0xFFFFFFFF}, 2, 1);
    image.DiscardBits();
    EXPECT_EQ(image.mNativeAlphaData[0], 0xFF0011AAu);
    EXPECT_EQ(image.GetBits()[0], 0xFF103450u);
    EXPECT_EQ(image.GetBits()[1], 0xFFF8FCF8u);
}

TEST_F(MemoryImageStorage, PaletteKeepsColoursInOrderOfFirstAppearance)
{
    MemoryImage image;
    SetBits(image, {0xFF0000FF, 0x00000000, 0xFF0000FF, 0x80FFFFFF, 0x00000000, 0x00000001}, 3, 2);
    ASSERT_TRUE(image.ConvertToPalette());
    EXPECT_TRUE(image.mPalettize);
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_EQ(Bytes(image.mIndices.get(), 6), (std::vector<uint8_t>{0, 1, 0, 2, 1, 3}));
    EXPECT_EQ(image.mPalette[0], 0xFF0000FFu);
    EXPECT_EQ(image.mPalette[1], 0x00000000u);
    EXPECT_EQ(image.mPalette[2], 0x80FFFFFFu);
    EXPECT_EQ(image.mPalette[3], 0x00000001u);
    EXPECT_TRUE(image.ConvertToPalette()) << "already in palette form";
}

TEST_F(MemoryImageStorage, UnusedPaletteEntriesDoNotInventTransparency)
{
    MemoryImage image;
    SetBits(image, {0xFF102030, 0xFF405060}, 2, 1);
    ASSERT_TRUE(image.ConvertToPalette());
    image.MarkBitsChanged();
    image.UpdateTransparencyFlags();
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
}

TEST_F(MemoryImageStorage, PaletteHoldsAtMost256Colours)
{
    std::vector<uint32_t> pixels(257);
    for (uint32_t i = 0; i < 257; ++i)
        pixels[i] = 0xFF000000 | (i * 0x10101);

    MemoryImage fits;
    SetBits(fits, std::vector<uint32_t>(pixels.begin(), pixels.begin() + 256), 16, 16);
    EXPECT_TRUE(fits.ConvertToPalette());
    EXPECT_EQ(fits.mIndices[255], 255);

    MemoryImage tooMany;
    SetBits(tooMany, pixels, 257, 1);
    EXPECT_FALSE(tooMany.ConvertToPalette());
    EXPECT_FALSE(tooMany.mPalettize);
    EXPECT_EQ(tooMany.mPalette, nullptr);
    EXPECT_EQ(tooMany.mIndices, nullptr);
    ASSERT_NE(tooMany.mBits, nullptr);
    EXPECT_EQ(tooMany.mBits[256], pixels[256]);

    MemoryImage empty;
    empty.Create(0, 4);
    EXPECT_TRUE(empty.ConvertToPalette());
}

TEST_F(MemoryImageStorage, GetBitsLeavesThePaletteForm)
{
    MemoryImage image;
    SetBits(image, {0xFF0000FF, 0x80FFFFFF}, 2, 1);
    ASSERT_TRUE(image.ConvertToPalette());
    image.GetNativeAlphaData(&mHost.mDisplay);
    const uint8_t* runs = image.GetRLAlphaData();
    EXPECT_EQ(Bytes(runs, 2), (std::vector<uint8_t>{1, 1}));

    const uint32_t* bits = image.GetBits();
    EXPECT_EQ(bits[0], 0xFF0000FFu);
    EXPECT_EQ(bits[1], 0x80FFFFFFu);
    EXPECT_EQ(bits[2], IMAGE_BITS_GUARD);
    EXPECT_EQ(image.mPalette, nullptr);
    EXPECT_EQ(image.mIndices, nullptr);
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_TRUE(image.mPalettize);
}

TEST_F(MemoryImageStorage, DiscardBitsKeepsTheScreenFormIn2D)
{
    MemoryImage image;
    SetBits(image, {0xFF112233, 0xFF445566}, 2, 1);
    image.DiscardBits();
    EXPECT_TRUE(image.mPurgeBits);
    EXPECT_EQ(image.mBits, nullptr);
    ASSERT_NE(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.GetBits()[1], 0xFF445566u);

    MemoryImage palette;
    SetBits(palette, {0xFF112233, 0xFF445566}, 2, 1);
    ASSERT_TRUE(palette.ConvertToPalette());
    palette.DiscardBits();
    EXPECT_NE(palette.mPalette, nullptr) << "a palette image keeps its palette form in 2D";
    EXPECT_NE(palette.mNativeAlphaData, nullptr);
}

TEST_F(MemoryImageStorage, DiscardBitsIn3DNeedsTextures)
{
    mHost.m3D = true;
    MemoryImage image;
    SetBits(image, {0xFF112233}, 1, 1);
    image.DiscardBits();
    EXPECT_NE(image.mBits, nullptr) << "without textures the pixels are the only copy";

    ImageTextures* textures = reinterpret_cast<ImageTextures*>(&mHost);
    image.mTextures = textures;
    image.DiscardBits();
    EXPECT_EQ(image.mBits, nullptr);

    mHost.mTextureReadBackWorks = true;
    mHost.mTexturePixel = 0xFF445566;
    EXPECT_EQ(image.GetBits()[0], 0xFF445566u);

    image.mBits.reset();
    mHost.mTextureReadBackWorks = false;
    EXPECT_EQ(image.GetBits()[0], 0u) << "a failed read-back gives transparent black";
    image.mTextures = nullptr;
}

TEST_F(MemoryImageStorage, DisplayCachesAreDroppedWhileTheRunLengthAlphaStays)
{
    MemoryImage image;
    SetBits(image, {0xFF112233, 0x00445566}, 2, 1);
    image.DiscardBits();
    image.GetRLAlphaData();
    image.GetRLAdditiveData(&mHost.mDisplay);

    image.DeleteDisplayFormatCaches();
    ASSERT_NE(image.mBits, nullptr) << "the pixels are rebuilt before their last form goes";
    EXPECT_EQ(image.mBits[0], 0xFF112233u);
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.mRLAdditiveData, nullptr);
    EXPECT_NE(image.mRLAlphaData, nullptr);

    image.DeleteAllCaches();
    EXPECT_EQ(image.mRLAlphaData, nullptr);
    EXPECT_EQ(mHost.mTexturesDropped, 1);
}

TEST_F(MemoryImageStorage, RebuildStorageRestoresPaletteAndPurge)
{
    MemoryImage image;
    SetBits(image, {0xFF112233, 0xFF445566}, 2, 1);
    ASSERT_TRUE(image.ConvertToPalette());
    image.DiscardBits();
    image.DeleteDisplayFormatCaches();
    ASSERT_NE(image.mPalette, nullptr);
    image.GetBits();
    EXPECT_EQ(image.mPalette, nullptr);

    image.RebuildStorage();
    EXPECT_NE(image.mPalette, nullptr);
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_NE(image.mNativeAlphaData, nullptr);
}

TEST_F(MemoryImageStorage, CopyTakesEveryFormButTheTextures)
{
    MemoryImage image;
    SetBits(image, {0xFF112233, 0x80445566, 0x00000000, 0xFF112233}, 2, 2);
    image.mTextureFlags = TEXTURE_FLAG_A8R8G8B8;
    image.mVolatile = true;
    ASSERT_TRUE(image.ConvertToPalette());
    image.GetNativeAlphaData(&mHost.mDisplay);
    image.GetRLAlphaData();
    image.mTextures = reinterpret_cast<ImageTextures*>(&mHost);

    MemoryImage copy(image);
    image.mTextures = nullptr;
    EXPECT_EQ(copy.mTextures, nullptr);
    EXPECT_EQ(copy.mTextureFlags, TEXTURE_FLAG_A8R8G8B8);
    EXPECT_TRUE(copy.mVolatile);
    EXPECT_TRUE(copy.mPalettize);
    EXPECT_TRUE(copy.mHasAlpha);
    EXPECT_EQ(copy.mBitsChangedCount, image.mBitsChangedCount);
    ASSERT_NE(copy.mPalette, nullptr);
    EXPECT_NE(copy.mPalette.get(), image.mPalette.get());
    EXPECT_EQ(Bytes(copy.mIndices.get(), 4), Bytes(image.mIndices.get(), 4));
    EXPECT_EQ(copy.mNativeAlphaData[1], image.mNativeAlphaData[1]);
    EXPECT_EQ(Bytes(copy.mRLAlphaData.get(), 4), Bytes(image.mRLAlphaData.get(), 4));
    EXPECT_EQ(copy.GetBits()[1], 0x80445566u);

    MemoryImage screenOnly;
    SetBits(screenOnly, {0xFF010203}, 1, 1);
    screenOnly.DiscardBits();
    MemoryImage screenCopy(screenOnly);
    EXPECT_EQ(screenOnly.mBits, nullptr) << "the source keeps its form";
    ASSERT_NE(screenCopy.mBits, nullptr);
    EXPECT_EQ(screenCopy.mBits[0], 0xFF010203u);
    EXPECT_EQ(screenCopy.mBits[1], IMAGE_BITS_GUARD);
}

TEST_F(MemoryImageStorage, SoftwareCachesSurviveTheirLastForm)
{
    MemoryImage image;
    SetBits(image, {0xFF112233}, 1, 1);
    image.DiscardBits();
    image.DeleteSoftwareCaches();
    ASSERT_NE(image.mBits, nullptr);
    EXPECT_EQ(image.mBits[0], 0xFF112233u);
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
}

TEST_F(MemoryImageStorage, WithoutAnApplicationImagesStillWork)
{
    ScopedImageHost none(nullptr);
    MemoryImage image;
    EXPECT_EQ(image.mApp, nullptr);
    SetBits(image, {0x80FF0000}, 1, 1);
    image.DiscardBits();
    EXPECT_EQ(image.GetBits()[0], 0x80FF0000u) << "converted through plain 32-bit ARGB";
    image.DeleteAllCaches();
}
