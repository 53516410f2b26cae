#include "platform/Surface.h"

#include <bit>
#include <cstring>

namespace platform
{
namespace
{

// Larger than any screen or picture the program makes; keeps pitch arithmetic in range.
constexpr int32_t kMaxSide = 16384;

bool Inside(const SurfaceRect& rect, const Surface& surface)
{
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= surface.Width() && rect.bottom <= surface.Height();
}

} // namespace

int32_t MaskShift(uint32_t mask)
{
    return mask == 0 ? 0 : std::countr_zero(mask);
}

int32_t MaskBits(uint32_t mask)
{
    return mask == 0 ? 0 : 32 - std::countl_zero(mask) - std::countr_zero(mask);
}

std::shared_ptr<Surface> Surface::Create(const SurfaceDescription& description)
{
    const int32_t bits = description.format.bitCount;
    if (bits != 16 && bits != 32)
        return nullptr;
    if (description.width <= 0 || description.height <= 0 || description.width > kMaxSide ||
        description.height > kMaxSide)
        return nullptr;
    // Rows padded to 32 bytes, so that code which steps rows by the width instead of
    // the pitch goes wrong in tests as it would on a video card.
    const int32_t pitch = (description.width * (bits / 8) + 31) & ~31;
    return std::shared_ptr<Surface>(new Surface(description, pitch));
}

Surface::Surface(const SurfaceDescription& description, int32_t pitch)
    : mWidth(description.width), mHeight(description.height), mPitch(pitch), mFormat(description.format),
      mMemory(description.memory), mPixels(size_t(pitch) * size_t(description.height))
{
}

SurfaceResult Surface::Lock(LockedSurface& locked)
{
    if (mLost)
        return SurfaceResult::Lost;
    ++mLockCount;
    locked.bits = mPixels.data();
    locked.pitch = mPitch;
    return SurfaceResult::Ok;
}

void Surface::Unlock()
{
    if (mLockCount > 0)
        --mLockCount;
}

uint32_t Surface::ReadPixel(const uint8_t* row, int32_t x) const
{
    if (mFormat.bitCount == 16)
    {
        uint16_t value;
        std::memcpy(&value, row + size_t(x) * 2, 2);
        return value;
    }
    uint32_t value;
    std::memcpy(&value, row + size_t(x) * 4, 4);
    return value;
}

void Surface::WritePixel(uint8_t* row, int32_t x, uint32_t value) const
{
    if (mFormat.bitCount == 16)
    {
        const uint16_t narrow = uint16_t(value);
        std::memcpy(row + size_t(x) * 2, &narrow, 2);
        return;
    }
    std::memcpy(row + size_t(x) * 4, &value, 4);
}

SurfaceResult Surface::Blt(const SurfaceRect& destRect, Surface& source, const SurfaceRect& sourceRect,
                           bool keyed)
{
    if (mLost || source.mLost)
        return SurfaceResult::Lost;
    if (mLockCount > 0 || source.mLockCount > 0)
        return SurfaceResult::Busy;
    if (!(mFormat == source.mFormat))
        return SurfaceResult::InvalidPixelFormat;
    if (!Inside(destRect, *this) || !Inside(sourceRect, source))
        return SurfaceResult::InvalidRect;

    const int32_t width = destRect.Width();
    const int32_t height = destRect.Height();
    const int32_t bytes = mFormat.BytesPerPixel();
    const bool useKey = keyed && source.mColorKey.has_value();
    const uint32_t key = useKey ? *source.mColorKey : 0;
    const bool stretched = width != sourceRect.Width() || height != sourceRect.Height();

    // A copy within one surface reads from a snapshot when the areas may overlap in a
    // way that row order alone cannot handle.
    std::vector<uint8_t> snapshot;
    const uint8_t* sourcePixels = source.mPixels.data();
    if (&source == this && (stretched || useKey))
    {
        snapshot = mPixels;
        sourcePixels = snapshot.data();
    }

    if (!stretched && !useKey)
    {
        const bool upwards = &source == this && destRect.top > sourceRect.top;
        for (int32_t i = 0; i < height; ++i)
        {
            const int32_t row = upwards ? height - 1 - i : i;
            std::memmove(mPixels.data() + size_t(destRect.top + row) * size_t(mPitch) +
                             size_t(destRect.left) * size_t(bytes),
                         sourcePixels + size_t(sourceRect.top + row) * size_t(source.mPitch) +
                             size_t(sourceRect.left) * size_t(bytes),
                         size_t(width) * size_t(bytes));
        }
        return SurfaceResult::Ok;
    }

    for (int32_t y = 0; y < height; ++y)
    {
        const int32_t sy = sourceRect.top + int32_t(int64_t(y) * sourceRect.Height() / height);
        const uint8_t* from = sourcePixels + size_t(sy) * size_t(source.mPitch);
        uint8_t* to = mPixels.data() + size_t(destRect.top + y) * size_t(mPitch);
        for (int32_t x = 0; x < width; ++x)
        {
            const int32_t sx = sourceRect.left + int32_t(int64_t(x) * sourceRect.Width() / width);
            const uint32_t value = source.ReadPixel(from, sx);
            if (useKey && value == key)
                continue;
            WritePixel(to, destRect.left + x, value);
        }
    }
    return SurfaceResult::Ok;
}

void Surface::MarkLost()
{
    mLost = true;
}

SurfaceResult Surface::Restore()
{
    if (!mLost)
        return SurfaceResult::Ok;
    std::fill(mPixels.begin(), mPixels.end(), uint8_t(0));
    mLost = false;
    return SurfaceResult::Ok;
}

} // namespace platform
