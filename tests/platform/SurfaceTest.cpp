#include "platform/Surface.h"

#include <cstring>
#include <gtest/gtest.h>

using platform::PixelFormat;
using platform::Surface;
using platform::SurfaceMemory;
using platform::SurfaceRect;
using platform::SurfaceResult;

namespace
{

std::shared_ptr<Surface> Make(int32_t width, int32_t height, PixelFormat format = PixelFormat::Rgb32())
{
    return Surface::Create({width, height, format, SurfaceMemory::System});
}

uint32_t Get(Surface& surface, int32_t x, int32_t y)
{
    platform::LockedSurface locked;
    EXPECT_EQ(surface.Lock(locked), SurfaceResult::Ok);
    uint32_t value = 0;
    const uint8_t* at = locked.bits + y * locked.pitch + x * surface.Format().BytesPerPixel();
    std::memcpy(&value, at, size_t(surface.Format().BytesPerPixel()));
    surface.Unlock();
    return value;
}

void Put(Surface& surface, int32_t x, int32_t y, uint32_t value)
{
    platform::LockedSurface locked;
    ASSERT_EQ(surface.Lock(locked), SurfaceResult::Ok);
    std::memcpy(locked.bits + y * locked.pitch + x * surface.Format().BytesPerPixel(), &value,
                size_t(surface.Format().BytesPerPixel()));
    surface.Unlock();
}

// Numbers every pixel by its position, so a copy shows where each pixel came from.
void Number(Surface& surface)
{
    for (int32_t y = 0; y < surface.Height(); ++y)
        for (int32_t x = 0; x < surface.Width(); ++x)
            Put(surface, x, y, uint32_t(y * 100 + x + 1));
}

TEST(SurfaceTest, CreationRefusesBadFormatsAndSizes)
{
    EXPECT_EQ(Make(0, 4), nullptr);
    EXPECT_EQ(Make(4, -1), nullptr);
    EXPECT_EQ(Make(100000, 4), nullptr);
    EXPECT_EQ(Make(4, 4, {24, 0xFF0000, 0xFF00, 0xFF}), nullptr);
    EXPECT_EQ(Make(4, 4, {8, 0xE0, 0x1C, 0x3}), nullptr);

    const auto narrow = Make(13, 3, PixelFormat::Rgb565());
    ASSERT_NE(narrow, nullptr);
    EXPECT_GE(narrow->Pitch(), 26);
    EXPECT_EQ(narrow->Pitch() % 4, 0);
    EXPECT_EQ(narrow->Format(), PixelFormat::Rgb565());
}

TEST(SurfaceTest, MaskShiftsAndWidths)
{
    EXPECT_EQ(platform::MaskShift(0xF800), 11);
    EXPECT_EQ(platform::MaskBits(0xF800), 5);
    EXPECT_EQ(platform::MaskShift(0x07E0), 5);
    EXPECT_EQ(platform::MaskBits(0x07E0), 6);
    EXPECT_EQ(platform::MaskShift(0xFF0000), 16);
    EXPECT_EQ(platform::MaskBits(0xFF0000), 8);
    EXPECT_EQ(platform::MaskBits(0), 0);
}

TEST(SurfaceTest, LocksNestAndBlockCopies)
{
    auto a = Make(4, 4);
    auto b = Make(4, 4);
    platform::LockedSurface first;
    platform::LockedSurface second;
    ASSERT_EQ(a->Lock(first), SurfaceResult::Ok);
    ASSERT_EQ(a->Lock(second), SurfaceResult::Ok);
    EXPECT_EQ(first.bits, second.bits);
    EXPECT_EQ(a->LockCount(), 2);
    EXPECT_EQ(b->Blt({0, 0, 4, 4}, *a, {0, 0, 4, 4}, false), SurfaceResult::Busy);
    EXPECT_EQ(a->Blt({0, 0, 4, 4}, *b, {0, 0, 4, 4}, false), SurfaceResult::Busy);
    a->Unlock();
    EXPECT_EQ(b->Blt({0, 0, 4, 4}, *a, {0, 0, 4, 4}, false), SurfaceResult::Busy);
    a->Unlock();
    a->Unlock();
    EXPECT_EQ(a->LockCount(), 0);
    EXPECT_EQ(b->Blt({0, 0, 4, 4}, *a, {0, 0, 4, 4}, false), SurfaceResult::Ok);
}

TEST(SurfaceTest, CopiesRefuseRectanglesOutsideAndMixedFormats)
{
    auto a = Make(4, 4);
    auto b = Make(4, 4);
    auto narrow = Make(4, 4, PixelFormat::Rgb565());
    const SurfaceRect bad[] = {{-1, 0, 2, 2}, {0, 0, 5, 2}, {0, 0, 2, 5}, {2, 2, 2, 3}, {3, 0, 1, 1}};
    for (const SurfaceRect& rect : bad)
    {
        EXPECT_EQ(a->Blt(rect, *b, {0, 0, 2, 2}, false), SurfaceResult::InvalidRect);
        EXPECT_EQ(a->Blt({0, 0, 2, 2}, *b, rect, false), SurfaceResult::InvalidRect);
    }
    EXPECT_EQ(a->Blt({0, 0, 2, 2}, *narrow, {0, 0, 2, 2}, false), SurfaceResult::InvalidPixelFormat);
}

TEST(SurfaceTest, CopyKeyedCopyAndStretch)
{
    auto source = Make(4, 4, PixelFormat::Rgb565());
    Number(*source);
    auto dest = Make(8, 8, PixelFormat::Rgb565());
    ASSERT_EQ(dest->Blt({1, 2, 3, 4}, *source, {2, 1, 4, 3}, false), SurfaceResult::Ok);
    EXPECT_EQ(Get(*dest, 1, 2), 103u);
    EXPECT_EQ(Get(*dest, 2, 3), 204u);
    EXPECT_EQ(Get(*dest, 0, 2), 0u);

    // The key leaves its pixels out; an unkeyed copy of the same source does not.
    source->SetColorKey(103);
    auto keyed = Make(4, 4, PixelFormat::Rgb565());
    Put(*keyed, 2, 1, 0xBEEF);
    ASSERT_EQ(keyed->Blt({0, 0, 4, 4}, *source, {0, 0, 4, 4}, true), SurfaceResult::Ok);
    EXPECT_EQ(keyed->ColorKey(), std::nullopt);
    EXPECT_EQ(Get(*keyed, 2, 1), 0xBEEFu);
    EXPECT_EQ(Get(*keyed, 3, 1), 104u);
    ASSERT_EQ(keyed->Blt({0, 0, 4, 4}, *source, {0, 0, 4, 4}, false), SurfaceResult::Ok);
    EXPECT_EQ(Get(*keyed, 2, 1), 103u);

    // Doubling repeats each source pixel; halving takes every second one.
    auto big = Make(8, 8, PixelFormat::Rgb565());
    ASSERT_EQ(big->Blt({0, 0, 8, 8}, *source, {0, 0, 4, 4}, false), SurfaceResult::Ok);
    EXPECT_EQ(Get(*big, 0, 0), 1u);
    EXPECT_EQ(Get(*big, 1, 1), 1u);
    EXPECT_EQ(Get(*big, 7, 6), 304u);
    auto small = Make(2, 2, PixelFormat::Rgb565());
    ASSERT_EQ(small->Blt({0, 0, 2, 2}, *source, {0, 0, 4, 4}, false), SurfaceResult::Ok);
    EXPECT_EQ(Get(*small, 1, 1), 203u);
}

TEST(SurfaceTest, OverlappingCopiesWithinOneSurface)
{
    struct Case
    {
        SurfaceRect to;
        SurfaceRect from;
    };
    const Case cases[] = {
        {{1, 1, 5, 5}, {0, 0, 4, 4}}, {{0, 0, 4, 4}, {1, 1, 5, 5}}, {{0, 2, 4, 6}, {0, 0, 4, 4}}};
    for (const Case& c : cases)
    {
        auto surface = Make(6, 6);
        Number(*surface);
        auto copy = Make(6, 6);
        ASSERT_EQ(copy->Blt({0, 0, 6, 6}, *surface, {0, 0, 6, 6}, false), SurfaceResult::Ok);
        ASSERT_EQ(surface->Blt(c.to, *surface, c.from, false), SurfaceResult::Ok);
        for (int32_t y = 0; y < c.to.Height(); ++y)
            for (int32_t x = 0; x < c.to.Width(); ++x)
                EXPECT_EQ(Get(*surface, c.to.left + x, c.to.top + y),
                          Get(*copy, c.from.left + x, c.from.top + y));
    }
}

TEST(SurfaceTest, LostSurfacesRefuseUntilRestored)
{
    auto a = Make(4, 4);
    auto b = Make(4, 4);
    Put(*a, 1, 1, 0x123456);
    a->MarkLost();
    EXPECT_TRUE(a->IsLost());
    platform::LockedSurface locked;
    EXPECT_EQ(a->Lock(locked), SurfaceResult::Lost);
    EXPECT_EQ(a->LockCount(), 0);
    EXPECT_EQ(b->Blt({0, 0, 4, 4}, *a, {0, 0, 4, 4}, false), SurfaceResult::Lost);
    EXPECT_EQ(a->Restore(), SurfaceResult::Ok);
    EXPECT_FALSE(a->IsLost());
    EXPECT_EQ(Get(*a, 1, 1), 0u);
}

} // namespace
