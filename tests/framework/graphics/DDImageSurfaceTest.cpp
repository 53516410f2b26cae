#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "tests/framework/graphics/SurfaceTestDisplay.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/RandomImage.h"

#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace Quib;
using surfacetest::FakeDisplay;
using surfacetest::Quantize;

namespace
{

uint32_t SurfacePixel(DDImage& image, int32_t x, int32_t y)
{
    EXPECT_TRUE(image.LockSurface());
    uint32_t value = 0;
    const int32_t bytes = image.mLockedDesc.bitCount / 8;
    std::memcpy(&value, image.mLockedDesc.bits + y * image.mLockedDesc.pitch + x * bytes, size_t(bytes));
    image.UnlockSurface();
    return value;
}

std::vector<uint32_t> SurfacePixels(DDImage& image)
{
    const uint32_t* bits = image.GetBits();
    return std::vector<uint32_t>(bits, bits + image.PixelCount());
}

TEST(DDImageSurfaceTest, ConstructionRegistersWithDisplayAndApplication)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    {
        DDImage image(&display);
        EXPECT_EQ(display.mImages.count(&image), 1u);
        EXPECT_EQ(display.mAppImages.count(&image), 1u);
        EXPECT_EQ(image.mApp, &display);
        EXPECT_EQ(image.mLockCount, 0);
        EXPECT_FALSE(image.mWantsSurface);
    }
    EXPECT_TRUE(display.mImages.empty());
    EXPECT_TRUE(display.mAppImages.empty());
}

// The application walks its image set from the main thread while the loading
// thread makes and deletes images, so it must only ever see whole surface images.
class WatchingDisplay : public FakeDisplay
{
public:
    using FakeDisplay::FakeDisplay;
    using FakeDisplay::RegisterImage;
    using FakeDisplay::UnregisterImage;

    void RegisterImage(MemoryImage* image) override
    {
        mWholeWhenRegistered = dynamic_cast<DDImage*>(image) != nullptr;
        FakeDisplay::RegisterImage(image);
    }
    void UnregisterImage(MemoryImage* image) override
    {
        const auto* surfaceImage = dynamic_cast<DDImage*>(image);
        mWholeWhenUnregistered = surfaceImage != nullptr && surfaceImage->mSurface != nullptr;
        FakeDisplay::UnregisterImage(image);
    }

    bool mWholeWhenRegistered = false;
    bool mWholeWhenUnregistered = false;
};

TEST(DDImageSurfaceTest, TheApplicationSeesOnlyWholeImagesInItsSet)
{
    WatchingDisplay display(platform::PixelFormat::Rgb32());
    {
        DDImage image(&display);
        EXPECT_TRUE(display.mWholeWhenRegistered);
        image.Create(2, 2);
        std::fill_n(image.GetBits(), 4, 0xFF102030);
        image.MarkBitsChanged();
        ASSERT_NE(image.GetSurface(), nullptr);
    }
    EXPECT_TRUE(display.mWholeWhenUnregistered);
    EXPECT_TRUE(display.mAppImages.empty());
}

TEST(DDImageSurfaceTest, ImagesWithPartialAlphaNeverGetASurface)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    DDImage image(&display);
    const std::vector<uint32_t> pixels = {0xFF102030, 0x80FFFFFF, 0x00000000, 0xFF405060};
    image.SetBits(pixels.data(), 2, 2, true);
    EXPECT_FALSE(image.CreateSurfaceFromBits());
    EXPECT_EQ(image.GetSurface(), nullptr);
    EXPECT_FALSE(image.mWantsSurface);
    image.DiscardBits();
    EXPECT_EQ(image.mSurface, nullptr);
    EXPECT_EQ(display.mSurfacesCreated, 0);
}

TEST(DDImageSurfaceTest, ColourKeyIsFirstTransparentColourUnlessAVisiblePixelHasIt)
{
    struct Case
    {
        const char* name;
        platform::PixelFormat format;
        std::vector<uint32_t> pixels;
        uint32_t key;
    };
    const Case cases[] = {
        {"565 free candidate",
         platform::PixelFormat::Rgb565(),
         {0xFF00FF00, 0x00FF0000, 0xFF0000FF, 0x00000000},
         0xF800},
        // 0xFF070307 converts to the same 565 value as the transparent 0x00000000.
        {"565 collision",
         platform::PixelFormat::Rgb565(),
         {0x00000000, 0xFF070307, 0xFFFFFFFF, 0x00123456},
         1},
        {"32 free candidate",
         platform::PixelFormat::Rgb32(),
         {0xFF000001, 0x00000000, 0xFF000002, 0xFF000003},
         0},
        {"32 collision", platform::PixelFormat::Rgb32(), {0x00000000, 0xFF000000, 0xFF000001, 0xFF000003}, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FakeDisplay display(c.format);
        DDImage image(&display);
        image.SetBits(c.pixels.data(), 2, 2, true);
        ASSERT_TRUE(image.CreateSurfaceFromBits());
        ASSERT_TRUE(image.mSurface->ColorKey().has_value());
        const uint32_t key = *image.mSurface->ColorKey();
        std::set<uint32_t> visible;
        for (int32_t i = 0; i < 4; ++i)
        {
            const uint32_t value = SurfacePixel(image, i % 2, i / 2);
            if ((c.pixels[size_t(i)] >> 24) == 255)
                visible.insert(value);
            else
                EXPECT_EQ(value, key);
        }
        EXPECT_EQ(visible.count(key), 0u);
        EXPECT_EQ(key, c.key);
    }
}

TEST(DDImageSurfaceTest, ReadBackOf565KeepsTopBitsAndTransparency)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    DDImage image(&display);
    const std::vector<uint32_t> pixels = {0xFFFFFFFF, 0x00FFFFFF, 0xFF8C4A2D, 0xFF000000};
    image.SetBits(pixels.data(), 2, 2, true);
    image.mWantsSurface = true;
    image.DiscardBits();
    ASSERT_NE(image.mSurface, nullptr);
    ASSERT_EQ(image.mBits, nullptr);
    const std::vector<uint32_t> read = SurfacePixels(image);
    EXPECT_EQ(read[0], 0xFFF8FCF8u);
    EXPECT_EQ(read[1], 0x00000000u) << "the key's pixels stay transparent";
    EXPECT_EQ(read[2], Quantize(0xFF8C4A2D, display.mFormat));
    EXPECT_EQ(read[3], 0xFF000000u);
}

TEST(DDImageSurfaceTest, MarkBitsChangedDropsTheStaleSurface)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    DDImage image(&display);
    std::vector<uint32_t> pixels(4, 0xFF112233);
    image.SetBits(pixels.data(), 2, 2, true);
    ASSERT_NE(image.GetSurface(), nullptr);
    image.mBits[0] = 0xFF445566;
    image.MarkBitsChanged();
    EXPECT_EQ(image.mSurface, nullptr);
    EXPECT_EQ(image.GetBits()[0], 0xFF445566u);
}

TEST(DDImageSurfaceTest, LocksNestAndUnlockOnlyAtTheLast)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    DDImage image(&display);
    std::vector<uint32_t> pixels(4, 0xFF112233);
    image.SetBits(pixels.data(), 2, 2, true);
    ASSERT_TRUE(image.LockSurface());
    ASSERT_TRUE(image.LockSurface());
    EXPECT_EQ(image.mLockCount, 2);
    EXPECT_EQ(image.mLockedDesc.bitCount, 32);
    EXPECT_EQ(image.mSurface->LockCount(), 1);
    EXPECT_TRUE(image.UnlockSurface());
    EXPECT_EQ(image.mSurface->LockCount(), 1);
    EXPECT_TRUE(image.UnlockSurface());
    EXPECT_EQ(image.mSurface->LockCount(), 0);
    EXPECT_TRUE(image.UnlockSurface());
    EXPECT_EQ(image.mLockCount, 0);
}

TEST(DDImageSurfaceTest, LockFailsWithoutSurfaceOrOnTheHardwarePath)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    DDImage image(&display);
    std::vector<uint32_t> pixels(4, 0xFF112233);
    image.SetBits(pixels.data(), 2, 2, true);
    display.mFailCreate = true;
    EXPECT_FALSE(image.LockSurface());
    EXPECT_EQ(image.GetBits()[0], 0xFF112233u) << "a failed creation keeps the pixels";
    image.FillRect(Rect(0, 0, 2, 2), Color(1, 2, 3), DRAW_MODE_NORMAL);
    EXPECT_EQ(image.GetBits()[0], 0xFF112233u) << "nothing drawn, and the only copy survives";

    display.mFailCreate = false;
    ASSERT_NE(image.GetSurface(), nullptr);
    display.mDrawSurface = image.mSurface.get();
    display.m3D = true;
    EXPECT_TRUE(image.DrawsThrough3D());
    EXPECT_TRUE(DDImage::IsDrawnThrough3D(&image));
    EXPECT_FALSE(image.LockSurface());
    MemoryImage plain(nullptr);
    EXPECT_FALSE(DDImage::IsDrawnThrough3D(&plain));
}

TEST(DDImageSurfaceTest, ReplacingBitsKeepsAnAdoptedSurfaceAndShowsThem)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    std::shared_ptr<platform::Surface> screen =
        platform::Surface::Create({3, 2, display.mFormat, platform::SurfaceMemory::System});
    DDImage image(&display);
    image.SetSurface(screen);
    EXPECT_EQ(image.mWidth, 3);
    EXPECT_EQ(image.mHeight, 2);
    EXPECT_TRUE(image.mExternalSurface);

    const std::vector<uint32_t> pixels(6, 0xFFFF0000);
    image.SetBits(pixels.data(), 3, 2, false);
    EXPECT_EQ(image.mSurface, screen) << "the display's surface stays with its image";
    EXPECT_EQ(SurfacePixel(image, 2, 1), 0xF800u);
    image.DeleteAllCaches();
    image.DeleteDisplayFormatCaches();
    EXPECT_EQ(image.mSurface, screen);
}

TEST(DDImageSurfaceTest, VideoMemoryChangeRecreatesTheSurfaceWithThePicture)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    DDImage image(&display);
    std::vector<uint32_t> pixels(4, 0xFF123456);
    image.SetBits(pixels.data(), 2, 2, true);
    image.mWantsSurface = true;
    image.DiscardBits();
    ASSERT_EQ(image.mSurface->Memory(), platform::SurfaceMemory::System);
    image.SetVideoMemory(true);
    EXPECT_EQ(image.mSurface, nullptr);
    ASSERT_NE(image.GetSurface(), nullptr);
    EXPECT_EQ(image.mSurface->Memory(), platform::SurfaceMemory::Video);
    EXPECT_EQ(SurfacePixels(image), pixels);
}

TEST(DDImageSurfaceTest, SurfacesGiveWayToMemoryIn3DModeWithThePicture)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    DDImage image(&display);
    const std::vector<uint32_t> pixels = {0xFFF80000, 0x00000000, 0xFF00FC00, 0xFF0000F8};
    image.SetBits(pixels.data(), 2, 2, true);
    image.mWantsSurface = true;
    image.DiscardBits();
    ASSERT_EQ(image.mBits, nullptr);
    display.m3D = true;
    image.DiscardBits();
    EXPECT_EQ(image.mSurface, nullptr);
    EXPECT_EQ(SurfacePixels(image), pixels);

    // Deleting a surface that holds the only picture reads it back first.
    display.m3D = false;
    image.DiscardBits();
    ASSERT_EQ(image.mBits, nullptr);
    image.DeleteSurface();
    EXPECT_EQ(image.mSurface, nullptr);
    EXPECT_TRUE(image.mWantsSurface);
    EXPECT_EQ(SurfacePixels(image), pixels);
}

TEST(DDImageSurfaceTest, CursorAreasDrawInSoftwareIn3DMode)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    const std::vector<uint32_t> black(4, 0xFF000000);
    const std::vector<uint32_t> red(4, 0xFFFF0000);
    MemoryImage source(nullptr);
    source.SetBits(red.data(), 2, 2, true);
    DDImage cursorArea(&display);
    cursorArea.SetBits(black.data(), 2, 2, true);
    DDImage other(&display);
    other.SetBits(black.data(), 2, 2, true);
    display.mCursorArea = &cursorArea;
    display.m3D = true;
    cursorArea.Blit(&source, 0, 0, Rect(0, 0, 2, 2), Color::White, DRAW_MODE_NORMAL);
    other.Blit(&source, 0, 0, Rect(0, 0, 2, 2), Color::White, DRAW_MODE_NORMAL);
    EXPECT_NE(cursorArea.mSurface, nullptr);
    EXPECT_EQ(other.mSurface, nullptr) << "other images draw on the memory path in 3D mode";
    EXPECT_EQ(SurfacePixels(cursorArea), red);
    EXPECT_EQ(SurfacePixels(other), red);
    EXPECT_TRUE(display.mD3D.mCalls.empty());
}

// A surface made before the screen changed its format keeps its own layout: it is read
// and drawn by its own masks, and the new clamp tables, sized for other channels, are
// not used on it.
TEST(DDImageSurfaceTest, SurfaceFromAnEarlierModeKeepsItsOwnLayout)
{
    FakeDisplay display(platform::PixelFormat::Rgb32());
    DDImage image(&display);
    const std::vector<uint32_t> grey(4, 0xFF808080);
    image.SetBits(grey.data(), 2, 2, true);
    ASSERT_NE(image.GetSurface(), nullptr);
    display.SetFormat(platform::PixelFormat::Rgb565());
    image.FillRect(Rect(0, 0, 2, 2), Color(255, 255, 255), DRAW_MODE_ADDITIVE);
    image.DrawLine(0.0, 0.0, 1.0, 1.5, Color(255, 255, 255), DRAW_MODE_ADDITIVE);
    EXPECT_EQ(SurfacePixels(image), grey);
    image.mBits.reset();
    image.FillRect(Rect(0, 0, 1, 1), Color::White, DRAW_MODE_NORMAL);
    EXPECT_EQ(SurfacePixels(image)[0], 0xFFFEFEFEu);
    EXPECT_EQ(SurfacePixels(image)[3], 0xFF808080u);
}

// A keyed image draws on the memory path, which must read its surface back first; a
// lost or unreadable surface makes the draw a no-op rather than a crash.
TEST(DDImageSurfaceTest, MemoryDrawsWithoutReadableSurfaceDrawNothing)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    DDImage image(&display);
    const std::vector<uint32_t> pixels = {0xFFF80000, 0x00000000, 0xFF00FC00, 0xFF0000F8};
    image.SetBits(pixels.data(), 2, 2, true);
    image.mWantsSurface = true;
    image.DiscardBits();
    ASSERT_EQ(image.mBits, nullptr);
    MemoryImage source(nullptr);
    source.SetBits(pixels.data(), 2, 2, true);
    for (const bool lost : {true, false})
    {
        if (lost)
            image.mSurface->MarkLost();
        else
            image.mNoSoftwareDraw = true;
        image.FillRect(Rect(0, 0, 2, 2), Color::White, DRAW_MODE_NORMAL);
        image.Blit(&source, 0, 0, Rect(0, 0, 2, 2), Color::White, DRAW_MODE_NORMAL);
        image.DrawLine(0.0, 0.0, 1.0, 1.5, Color::White, DRAW_MODE_NORMAL);
        image.DrawAntialiasedLine(0.0, 0.0, 1.0, 1.5, Color::White, DRAW_MODE_NORMAL);
        EXPECT_EQ(image.mBits, nullptr);
        image.mSurface->Restore();
    }
}

TEST(DDImageSurfaceTest, FirstPixelKeyTakesTheSurfacesFirstPixel)
{
    FakeDisplay display(platform::PixelFormat::Rgb565());
    DDImage image(&display);
    const std::vector<uint32_t> pixels = {0xFFFF0000, 0x00000000, 0xFF00FF00, 0xFFFF0000};
    image.SetBits(pixels.data(), 2, 2, true);
    image.mFirstPixelColorKey = true;
    EXPECT_TRUE(image.UseFirstPixelAsColorKey());
    EXPECT_EQ(image.mSurface->ColorKey(), 0xF800u);
}

// Every kind of image a display reset walks over comes back as it was, reset after
// reset: what the display does between the two walks must not show in any picture.
TEST(DDImageSurfaceTest, DisplayResetLeavesEveryImageAsItWas)
{
    for (const auto& named : surfacetest::AllFormats())
    {
        SCOPED_TRACE(named.name);
        FakeDisplay display(named.format);
        testsupport::ScopedImageHost host(&display);
        std::vector<std::unique_ptr<DDImage>> images;
        const auto add = [&](testsupport::AlphaMix mix, bool surfaceOnly, bool palette)
        {
            auto image = std::make_unique<DDImage>(&display);
            auto pixels = testsupport::RandomPixels(uint64_t(images.size() + 7), 9, 5, mix);
            if (mix == testsupport::AlphaMix::Extremes)
            {
                for (uint32_t& p : pixels)
                    p = (p >> 24) < 128 ? 0 : (p | 0xFF000000);
            }
            image->SetBits(pixels.data(), 9, 5, true);
            if (palette)
                image->ConvertToPalette();
            if (surfaceOnly)
            {
                image->mWantsSurface = true;
                image->DiscardBits();
            }
            images.push_back(std::move(image));
        };
        add(testsupport::AlphaMix::Opaque, false, false);  // memory only
        add(testsupport::AlphaMix::Opaque, true, false);   // surface only
        add(testsupport::AlphaMix::Extremes, true, false); // keyed surface
        add(testsupport::AlphaMix::Uniform, true, false);  // partial alpha: display-format data only
        add(testsupport::AlphaMix::Extremes, false, true); // palette
        add(testsupport::AlphaMix::Uniform, false, false); // partial alpha in memory

        const auto snapshot = [&]
        {
            std::vector<std::vector<uint32_t>> shots;
            for (auto& image : images)
            {
                const uint32_t* native = image->GetNativeAlphaData(&display);
                const size_t entries = image->mPalette ? 256 : image->PixelCount();
                shots.emplace_back(native, native + entries);
                shots.emplace_back(SurfacePixels(*image));
            }
            return shots;
        };
        const auto reset = [&]
        {
            for (auto& image : images)
                image->DeleteDisplayFormatCaches();
            display.SetFormat(named.format);
            for (auto& image : images)
                image->RebuildStorage();
        };
        reset();
        const auto before = snapshot();
        for (int round = 0; round < 3; ++round)
        {
            reset();
            EXPECT_EQ(snapshot(), before) << "after reset " << round + 1;
        }
    }
}

} // namespace
