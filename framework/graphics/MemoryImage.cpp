#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/ImageHost.h"
#include "framework/graphics/NativeDisplay.h"
#include "framework/graphics/NativePixels.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Quib
{

ImageHost* gImageHost = nullptr;

namespace
{

// Conversions need some format even before a display exists: plain 32-bit ARGB.
const NativeDisplay& DisplayOrDefault(const NativeDisplay* display)
{
    static const NativeDisplay argb = []
    {
        NativeDisplay format;
        format.mBitDepth = 32;
        format.mRedMask = 0xFF0000;
        format.mGreenMask = 0xFF00;
        format.mBlueMask = 0xFF;
        format.mRedBits = format.mGreenBits = format.mBlueBits = 8;
        format.mRedShift = 16;
        format.mGreenShift = 8;
        return format;
    }();
    return display != nullptr ? *display : argb;
}

// One byte per pixel: how many pixels from it to the end of its run of one class
// within its row, itself included, capped at 255.
template <typename ClassOf>
std::unique_ptr<uint8_t[]> BuildRunLengths(int32_t width, int32_t height, ClassOf classOf)
{
    const size_t count = size_t(std::max(width, 0)) * size_t(std::max(height, 0));
    auto runs = std::make_unique<uint8_t[]>(count);
    for (int32_t y = 0; y < height; ++y)
    {
        const size_t row = size_t(y) * size_t(width);
        int32_t length = 0;
        uint8_t previous = 0;
        for (int32_t x = width - 1; x >= 0; --x)
        {
            const uint8_t cls = classOf(row + size_t(x));
            length = (x == width - 1 || cls != previous) ? 1 : length + 1;
            previous = cls;
            runs[row + size_t(x)] = uint8_t(std::min(length, 255));
        }
    }
    return runs;
}

struct AlphaSeen
{
    bool transparent = false;
    bool partial = false;
};

// Every loaded picture is scanned once, most of them wholly opaque, so the scan runs
// 64 pixels a step and stops as soon as both kinds of alpha have turned up. Per byte it
// keeps the smallest value (0 in an alpha byte: clear) and the largest value plus one,
// which wraps 255 to 0 (2 or more in an alpha byte: partly clear).
AlphaSeen ScanAlpha(const uint32_t* pixels, size_t count)
{
    AlphaSeen seen;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi8(1);
    constexpr int kAlphaBytes = 0x8888;
    for (; i + 64 <= count && !(seen.transparent && seen.partial); i += 64)
    {
        __m128i smallest = _mm_set1_epi8(char(0xFF));
        __m128i largestPlusOne = zero;
        for (size_t k = 0; k < 64; k += 8)
        {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i + k));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i + k + 4));
            smallest = _mm_min_epu8(smallest, _mm_min_epu8(a, b));
            largestPlusOne =
                _mm_max_epu8(largestPlusOne, _mm_max_epu8(_mm_add_epi8(a, one), _mm_add_epi8(b, one)));
        }
        seen.transparent |= (_mm_movemask_epi8(_mm_cmpeq_epi8(smallest, zero)) & kAlphaBytes) != 0;
        const __m128i atMostOne = _mm_cmpeq_epi8(_mm_subs_epu8(largestPlusOne, one), zero);
        seen.partial |= (_mm_movemask_epi8(atMostOne) & kAlphaBytes) != kAlphaBytes;
    }
#endif
    for (; i < count && !(seen.transparent && seen.partial); ++i)
    {
        const uint32_t alpha = pixels[i] >> 24;
        seen.transparent |= alpha == 0;
        seen.partial |= alpha != 0 && alpha != 255;
    }
    return seen;
}

uint8_t AlphaClass(uint32_t pixel)
{
    const uint32_t alpha = pixel >> 24;
    return alpha == 0 ? ALPHA_CLASS_TRANSPARENT : alpha == 255 ? ALPHA_CLASS_OPAQUE : ALPHA_CLASS_PARTIAL;
}

} // namespace

MemoryImage::MemoryImage() : MemoryImage(gImageHost) {}

MemoryImage::MemoryImage(ImageHost* app) : mApp(app)
{
    RegisterWithApp();
}

MemoryImage::MemoryImage(ImageHost* app, RegisterLater) : mApp(app) {}

MemoryImage::MemoryImage(const MemoryImage& other)
    : Image(other), mBitsChangedCount(other.mBitsChangedCount), mTextureFlags(other.mTextureFlags),
      mForced(other.mForced), mHasTrans(other.mHasTrans), mHasAlpha(other.mHasAlpha),
      mVolatile(other.mVolatile), mPurgeBits(other.mPurgeBits), mPalettize(other.mPalettize),
      mFlagsStale(other.mFlagsStale), mApp(other.mApp)
{
    MemoryImage& source = const_cast<MemoryImage&>(other);
    const size_t count = PixelCount();
    const bool madeBits = !source.mBits && !source.mPalette;
    if (madeBits)
        source.GetBits();
    if (source.mBits)
    {
        mBits = std::make_unique<uint32_t[]>(count + 1);
        std::copy_n(source.mBits.get(), count + 1, mBits.get());
    }
    if (madeBits)
        source.mBits.reset();
    if (source.mPalette)
    {
        mPalette = std::make_unique<uint32_t[]>(256);
        std::copy_n(source.mPalette.get(), 256, mPalette.get());
    }
    if (source.mIndices)
    {
        mIndices = std::make_unique<uint8_t[]>(count);
        std::copy_n(source.mIndices.get(), count, mIndices.get());
    }
    if (source.mNativeAlphaData)
    {
        const size_t entries = source.mPalette ? 256 : count;
        mNativeAlphaData = std::make_unique<uint32_t[]>(entries);
        std::copy_n(source.mNativeAlphaData.get(), entries, mNativeAlphaData.get());
    }
    if (source.mRLAlphaData)
    {
        mRLAlphaData = std::make_unique<uint8_t[]>(count);
        std::copy_n(source.mRLAlphaData.get(), count, mRLAlphaData.get());
    }
    if (source.mRLAdditiveData)
    {
        mRLAdditiveData = std::make_unique<uint8_t[]>(count);
        std::copy_n(source.mRLAdditiveData.get(), count, mRLAdditiveData.get());
    }
    RegisterWithApp();
}

MemoryImage::~MemoryImage()
{
    UnregisterFromApp();
}

void MemoryImage::RegisterWithApp()
{
    if (mApp == nullptr)
        return;
    mApp->RegisterImage(this);
    mRegistered = true;
}

void MemoryImage::UnregisterFromApp()
{
    if (!mRegistered)
        return;
    mRegistered = false;
    mApp->UnregisterImage(this);
}

size_t MemoryImage::PixelCount() const
{
    return size_t(std::max(mWidth, 0)) * size_t(std::max(mHeight, 0));
}

void MemoryImage::AllocateBits()
{
    const size_t count = PixelCount();
    mBits = std::make_unique_for_overwrite<uint32_t[]>(count + 1);
    mBits[count] = IMAGE_BITS_GUARD;
}

void MemoryImage::MarkBitsChanged()
{
    ++mBitsChangedCount;
    mFlagsStale = true;
    mNativeAlphaData.reset();
    mRLAlphaData.reset();
    mRLAdditiveData.reset();
}

void MemoryImage::UpdateTransparencyFlags()
{
    if (!mFlagsStale || mForced)
        return;
    const auto scan = [this](const uint32_t* pixels, size_t count)
    {
        const AlphaSeen seen = ScanAlpha(pixels, count);
        mHasTrans = seen.transparent;
        mHasAlpha = seen.partial;
    };
    if (mBits)
        scan(mBits.get(), PixelCount());
    else if (mPalette)
        scan(mPalette.get(), 256);
    else
    {
        mHasTrans = true;
        mHasAlpha = false;
    }
    mFlagsStale = false;
}

void MemoryImage::ForceTransparencyFlags(bool hasTrans, bool hasAlpha)
{
    mForced = true;
    mHasTrans = hasTrans;
    mHasAlpha = hasAlpha;
}

void MemoryImage::SetVolatile(bool isVolatile)
{
    mVolatile = isVolatile;
}

uint32_t* MemoryImage::GetNativeAlphaData(NativeDisplay* display)
{
    if (mNativeAlphaData)
        return mNativeAlphaData.get();
    UpdateTransparencyFlags();
    const NativeDisplay& format = DisplayOrDefault(display);
    if (mPalette && mIndices)
    {
        mNativeAlphaData = std::make_unique_for_overwrite<uint32_t[]>(256);
        for (size_t i = 0; i < 256; ++i)
            mNativeAlphaData[i] = ToNative(mPalette[i], format);
    }
    else
    {
        const uint32_t* bits = GetBits();
        const size_t count = PixelCount();
        mNativeAlphaData = std::make_unique_for_overwrite<uint32_t[]>(count);
        for (size_t i = 0; i < count; ++i)
            mNativeAlphaData[i] = ToNative(bits[i], format);
    }
    return mNativeAlphaData.get();
}

uint8_t* MemoryImage::GetRLAlphaData()
{
    UpdateTransparencyFlags();
    if (mRLAlphaData)
        return mRLAlphaData.get();
    if (mPalette && mIndices)
    {
        const uint32_t* palette = mPalette.get();
        const uint8_t* indices = mIndices.get();
        mRLAlphaData =
            BuildRunLengths(mWidth, mHeight, [&](size_t i) { return AlphaClass(palette[indices[i]]); });
    }
    else
    {
        const uint32_t* pixels = mNativeAlphaData ? mNativeAlphaData.get() : GetBits();
        mRLAlphaData = BuildRunLengths(mWidth, mHeight, [&](size_t i) { return AlphaClass(pixels[i]); });
    }
    return mRLAlphaData.get();
}

uint8_t* MemoryImage::GetRLAdditiveData(NativeDisplay* display)
{
    if (mRLAdditiveData)
        return mRLAdditiveData.get();
    const uint32_t* native = GetNativeAlphaData(display);
    if (mPalette && mIndices)
    {
        const uint8_t* indices = mIndices.get();
        mRLAdditiveData = BuildRunLengths(
            mWidth, mHeight, [&](size_t i) { return uint8_t((native[indices[i]] & 0xFFFFFF) != 0); });
    }
    else
    {
        mRLAdditiveData =
            BuildRunLengths(mWidth, mHeight, [&](size_t i) { return uint8_t((native[i] & 0xFFFFFF) != 0); });
    }
    return mRLAdditiveData.get();
}

uint32_t* MemoryImage::GetBits()
{
    if (mBits)
        return mBits.get();
    const size_t count = PixelCount();
    AllocateBits();
    uint32_t* bits = mBits.get();
    if (mPalette && mIndices)
    {
        for (size_t i = 0; i < count; ++i)
            bits[i] = mPalette[mIndices[i]];
        mIndices.reset();
        mPalette.reset();
        mNativeAlphaData.reset();
    }
    else if (mNativeAlphaData)
    {
        const NativeDisplay& format = DisplayOrDefault(mApp != nullptr ? mApp->GetNativeDisplay() : nullptr);
        for (size_t i = 0; i < count; ++i)
            bits[i] = FromNative(mNativeAlphaData[i], format);
    }
    else if (mTextures == nullptr || mApp == nullptr || !mApp->CopyTexturesToImage(this))
    {
        std::fill_n(bits, count, 0u);
    }
    return bits;
}

void MemoryImage::SetBits(const uint32_t* bits, int32_t width, int32_t height, bool updateFlags)
{
    if (bits != nullptr && bits == mBits.get())
        return;
    mPalette.reset();
    mIndices.reset();
    const int32_t newWidth = std::max(width, 0);
    const int32_t newHeight = std::max(height, 0);
    // The old array lives until the copy is done, in case the pixels come from it.
    std::unique_ptr<uint32_t[]> old;
    if (!mBits || size_t(newWidth) * size_t(newHeight) != PixelCount())
    {
        old = std::move(mBits);
        mWidth = newWidth;
        mHeight = newHeight;
        AllocateBits();
    }
    mWidth = newWidth;
    mHeight = newHeight;
    const size_t count = PixelCount();
    if (bits != nullptr)
        std::copy_n(bits, count, mBits.get());
    else
        std::fill_n(mBits.get(), count, 0u);
    mBits[count] = IMAGE_BITS_GUARD;
    MarkBitsChanged();
    if (updateFlags)
        UpdateTransparencyFlags();
}

void MemoryImage::TakeBits(std::unique_ptr<uint32_t[]> bits, int32_t width, int32_t height, bool updateFlags)
{
    if (!bits)
    {
        SetBits(nullptr, width, height, updateFlags);
        return;
    }
    mPalette.reset();
    mIndices.reset();
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    mBits = std::move(bits);
    mBits[PixelCount()] = IMAGE_BITS_GUARD;
    MarkBitsChanged();
    if (updateFlags)
        UpdateTransparencyFlags();
}

void MemoryImage::Create(int32_t width, int32_t height)
{
    mBits.reset();
    // Indices sized for the old picture would index past the new one.
    mPalette.reset();
    mIndices.reset();
    mHasTrans = true;
    mHasAlpha = true;
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    MarkBitsChanged();
}

void MemoryImage::DiscardBits()
{
    mPurgeBits = true;
    if (mApp != nullptr && mApp->Is3DEnabled())
    {
        if (mTextures == nullptr)
            return;
        mBits.reset();
        mIndices.reset();
        mPalette.reset();
        return;
    }
    if (!mBits && !mIndices)
        return;
    // The format GetBits reads back with, or the pixels would come back in another one.
    GetNativeAlphaData(mApp != nullptr ? mApp->GetNativeDisplay() : nullptr);
    mBits.reset();
    if (mTextures != nullptr)
    {
        mIndices.reset();
        mPalette.reset();
    }
}

void MemoryImage::DeleteSoftwareCaches()
{
    if (!mBits && !mIndices)
        GetBits();
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
    mRLAlphaData.reset();
}

void MemoryImage::DeleteDisplayFormatCaches()
{
    if (!mBits && !mIndices)
        GetBits();
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
}

void MemoryImage::ReleaseTextures()
{
    if (mApp != nullptr)
        mApp->DropImageTextures(this);
}

void MemoryImage::DeleteAllCaches()
{
    DeleteSoftwareCaches();
    ReleaseTextures();
}

void MemoryImage::RebuildStorage()
{
    if (mPalettize)
        ConvertToPalette();
    if (mPurgeBits)
        DiscardBits();
}

bool MemoryImage::ConvertToPalette()
{
    UpdateTransparencyFlags();
    if (mPalette && mIndices)
        return true;
    const uint32_t* bits = GetBits();
    if (bits == nullptr)
        return false;
    const size_t count = PixelCount();
    mIndices = std::make_unique<uint8_t[]>(count);
    // Entries no index uses repeat a used colour, so the transparency test over the
    // whole palette sees only colours the picture has.
    mPalette = std::make_unique<uint32_t[]>(256);
    std::fill_n(mPalette.get(), 256, count > 0 ? bits[0] : 0u);
    if (BuildPalette(bits, mIndices.get(), mWidth, mHeight, mPalette.get()))
    {
        mBits.reset();
        mNativeAlphaData.reset();
        mPalettize = true;
        return true;
    }
    mIndices.reset();
    mPalette.reset();
    mPalettize = false;
    return false;
}

bool MemoryImage::BuildPalette(const uint32_t* bits, uint8_t* indices, int32_t width, int32_t height,
                               uint32_t* palette)
{
    if (width <= 0 || height <= 0)
        return true;
    const size_t count = size_t(width) * size_t(height);
    struct Known
    {
        uint32_t color;
        uint8_t index;
    };
    Known known[256];
    size_t knownCount = 1;
    known[0] = {bits[0], 0};
    palette[0] = bits[0];
    indices[0] = 0;
    for (size_t i = 1; i < count; ++i)
    {
        const uint32_t color = bits[i];
        Known* end = known + knownCount;
        Known* place = std::lower_bound(
            known, end, color, [](const Known& entry, uint32_t value) { return entry.color < value; });
        if (place != end && place->color == color)
        {
            indices[i] = place->index;
            continue;
        }
        if (knownCount == 256)
            return false;
        std::memmove(place + 1, place, size_t(end - place) * sizeof(Known));
        const uint8_t index = uint8_t(knownCount);
        *place = {color, index};
        palette[index] = color;
        indices[i] = index;
        ++knownCount;
    }
    return true;
}

} // namespace Quib
