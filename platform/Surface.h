#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace platform
{

// How a surface lays out one pixel: 16 or 32 bits, each colour channel a run of bits
// given by its mask. Any bits outside the three masks are unused.
struct PixelFormat
{
    int32_t bitCount = 32;
    uint32_t redMask = 0x00FF0000;
    uint32_t greenMask = 0x0000FF00;
    uint32_t blueMask = 0x000000FF;

    static PixelFormat Rgb32() { return {32, 0x00FF0000, 0x0000FF00, 0x000000FF}; }
    static PixelFormat Rgb565() { return {16, 0xF800, 0x07E0, 0x001F}; }
    static PixelFormat Rgb555() { return {16, 0x7C00, 0x03E0, 0x001F}; }

    int32_t BytesPerPixel() const { return bitCount / 8; }
    bool operator==(const PixelFormat&) const = default;
};

// Index of the lowest set bit and the number of positions from it to the highest.
int32_t MaskShift(uint32_t mask);
int32_t MaskBits(uint32_t mask);

enum class SurfaceMemory
{
    System,
    Video,
};

// The outcomes the surface operations report; callers that only need success test Ok.
enum class SurfaceResult
{
    Ok,
    Lost,               // the display was reset; Restore gives the surface new memory
    Busy,               // a copy into or out of a locked surface
    InvalidRect,        // a copy rectangle outside its surface or without area
    InvalidPixelFormat, // only 16 and 32 bits; copies need equal formats
    OutOfMemory,
};

struct SurfaceDescription
{
    int32_t width = 0;
    int32_t height = 0;
    PixelFormat format;
    SurfaceMemory memory = SurfaceMemory::System;
};

// Where a locked surface's pixels are: rows of pitch bytes, the first pixel at bits.
struct LockedSurface
{
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
};

struct SurfaceRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

// A block of pixels in one format that the display and the images draw into: the
// stand-in for a video card's surface. Shared by reference count between the images
// and the display. Not thread-safe: the display's lock guards every surface.
class Surface
{
public:
    // Null when the format is not 16 or 32 bits, or the size is not positive or too large.
    static std::shared_ptr<Surface> Create(const SurfaceDescription& description);

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int32_t Width() const { return mWidth; }
    int32_t Height() const { return mHeight; }
    int32_t Pitch() const { return mPitch; }
    const PixelFormat& Format() const { return mFormat; }
    SurfaceMemory Memory() const { return mMemory; }

    // Locks nest; each successful Lock needs one Unlock. A lost surface cannot be locked.
    SurfaceResult Lock(LockedSurface& locked);
    void Unlock();
    int32_t LockCount() const { return mLockCount; }

    // The source colour key: pixels of this value are left out of keyed copies.
    void SetColorKey(uint32_t key) { mColorKey = key; }
    void ClearColorKey() { mColorKey.reset(); }
    std::optional<uint32_t> ColorKey() const { return mColorKey; }

    // Copies source's area into this surface's area; a size difference stretches by
    // the nearest source pixel. With keyed, source pixels equal to the source's colour
    // key are skipped (a source without a key copies everything). The two may be the
    // same surface, also with overlapping areas.
    SurfaceResult Blt(const SurfaceRect& destRect, Surface& source, const SurfaceRect& sourceRect,
                      bool keyed);

    // A display reset takes the memory of every surface away.
    void MarkLost();
    bool IsLost() const { return mLost; }
    // New memory, cleared to zero; the picture is gone.
    SurfaceResult Restore();

private:
    Surface(const SurfaceDescription& description, int32_t pitch);

    uint32_t ReadPixel(const uint8_t* row, int32_t x) const;
    void WritePixel(uint8_t* row, int32_t x, uint32_t value) const;

    int32_t mWidth;
    int32_t mHeight;
    int32_t mPitch;
    PixelFormat mFormat;
    SurfaceMemory mMemory;
    std::vector<uint8_t> mPixels;
    int32_t mLockCount = 0;
    std::optional<uint32_t> mColorKey;
    bool mLost = false;
};

} // namespace platform
