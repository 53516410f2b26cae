#include "framework/graphics/DDImage.h"

#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/ImageHost.h"
#include "framework/graphics/NativePixels.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace Quib
{
namespace
{

uint32_t DownShift(int32_t bits, int32_t from)
{
    return uint32_t(std::clamp(from - bits, 0, 31));
}

// A straight-alpha pixel in the surface's format: each channel's top bits at its place.
uint32_t ToSurface(uint32_t p, const LockedSurfaceDesc& lock)
{
    const auto place = [p](uint32_t mask, int32_t from)
    {
        const int32_t bits = platform::MaskBits(mask);
        return (p >> DownShift(bits, from)) << platform::MaskShift(mask) & mask;
    };
    return place(lock.blueMask, 8) | place(lock.greenMask, 16) | place(lock.redMask, 24);
}

uint32_t FromSurfaceChannel(uint32_t s, uint32_t mask)
{
    return ((s >> platform::MaskShift(mask)) << DownShift(platform::MaskBits(mask), 8)) & 0xFF;
}

// The lowest value whose bit is clear in a set of used values; false, with value left
// alone, when all are used.
bool FindFreeValue(const std::vector<uint32_t>& used, uint32_t& value)
{
    for (size_t word = 0; word < used.size(); ++word)
    {
        if (used[word] == 0xFFFFFFFF)
            continue;
        for (uint32_t bit = 0; bit < 32; ++bit)
        {
            if ((used[word] & (1u << bit)) == 0)
            {
                value = uint32_t(word * 32 + bit);
                return true;
            }
        }
    }
    return false;
}

template <typename Pixel> void StoreRow(uint8_t* row, const uint32_t* values, int32_t width)
{
    for (int32_t x = 0; x < width; ++x)
    {
        const Pixel narrow = Pixel(values[x]);
        std::memcpy(row + std::ptrdiff_t(x) * std::ptrdiff_t(sizeof(Pixel)), &narrow, sizeof(Pixel));
    }
}

} // namespace

DDImage::DDImage(DisplayServices* display)
    : MemoryImage(display->GetApp(), RegisterLater{}), mDDInterface(display)
{
    RegisterWithApp();
    mDDInterface->RegisterImage(this);
}

DDImage::~DDImage()
{
    UnregisterFromApp();
    if (mSurface && mLockCount > 0)
        mSurface->Unlock();
    mSurface.reset();
    mDDInterface->UnregisterImage(this);
}

bool DDImage::DrawsThrough3D() const
{
    return mDDInterface->Is3DOn() && mSurface && mSurface.get() == mDDInterface->GetDrawSurface();
}

bool DDImage::IsDrawnThrough3D(Image* image)
{
    const auto* surfaceImage = dynamic_cast<DDImage*>(image);
    return surfaceImage != nullptr && surfaceImage->DrawsThrough3D();
}

bool DDImage::In3DMode() const
{
    return mDDInterface->Is3DOn();
}

bool DDImage::CanDrawInMemory()
{
    return GetBits() != nullptr;
}

bool DDImage::IsOpaque(bool keyed) const
{
    return !mForceMemoryDraw && !mHasAlpha && (!mHasTrans || (keyed && mFirstPixelColorKey));
}

platform::Surface* DDImage::GetSurface()
{
    if (!mSurface)
        CreateSurfaceFromBits();
    return mSurface.get();
}

void DDImage::DeleteSurface()
{
    if (!mSurface)
        return;
    if (!mPalette && !mBits && mTextures == nullptr)
        GetBits();
    if (mLockCount > 0)
        mSurface->Unlock();
    mLockCount = 0;
    mSurface.reset();
}

bool DDImage::LockSurface()
{
    if (DrawsThrough3D())
        return false;
    if (mLockCount == 0)
    {
        mLockedDesc = LockedSurfaceDesc();
        platform::Surface* surface = GetSurface();
        platform::LockedSurface locked;
        if (surface == nullptr || surface->Lock(locked) != platform::SurfaceResult::Ok)
            return false;
        mLockedDesc.pitch = locked.pitch;
        mLockedDesc.bits = locked.bits;
        mLockedDesc.bitCount = surface->Format().bitCount;
        mLockedDesc.redMask = surface->Format().redMask;
        mLockedDesc.greenMask = surface->Format().greenMask;
        mLockedDesc.blueMask = surface->Format().blueMask;
    }
    ++mLockCount;
    return true;
}

bool DDImage::UnlockSurface()
{
    if (DrawsThrough3D())
        return false;
    // An unmatched unlock must not unlock a surface someone else still holds locked.
    if (mLockCount > 0 && --mLockCount == 0 && mSurface)
        mSurface->Unlock();
    return true;
}

void DDImage::SetSurface(std::shared_ptr<platform::Surface> surface)
{
    if (mSurface && mLockCount > 0)
        mSurface->Unlock();
    mLockCount = 0;
    mExternalSurface = true;
    mSurface = std::move(surface);
    if (mSurface)
    {
        mWidth = mSurface->Width();
        mHeight = mSurface->Height();
    }
    mNoSoftwareDraw = false;
}

void DDImage::SetVideoMemory(bool videoMemory)
{
    if (videoMemory == mVideoMemory)
        return;
    mVideoMemory = videoMemory;
    GetBits();
    DeleteSurface();
}

bool DDImage::UseFirstPixelAsColorKey()
{
    const bool created = CreateSurfaceFromBits();
    if (!created || mNoSoftwareDraw || !mHasTrans || !mFirstPixelColorKey)
        return created;
    const platform::Surface* primary = mDDInterface->GetPrimarySurface();
    if (primary == nullptr || !LockSurface())
        return created;
    uint32_t key = 0;
    if (primary->Format().bitCount == 16)
    {
        uint16_t narrow;
        std::memcpy(&narrow, mLockedDesc.bits, sizeof narrow);
        key = narrow;
    }
    else
    {
        std::memcpy(&key, mLockedDesc.bits, sizeof key);
    }
    mSurface->SetColorKey(key);
    UnlockSurface();
    return created;
}

void DDImage::RebuildStorage()
{
    MemoryImage::RebuildStorage();
    if (mWantsSurface)
        CreateSurfaceFromBits();
}

void DDImage::DiscardBits()
{
    if (mExternalSurface)
        return;
    mPurgeBits = true;
    UpdateTransparencyFlags();
    if (mApp != nullptr && mApp->Is3DEnabled())
    {
        if (mSurface)
        {
            GetBits();
            DeleteSurface();
        }
        MemoryImage::DiscardBits();
        return;
    }
    if (mWantsSurface && CreateSurfaceFromBits())
    {
        mBits.reset();
        mIndices.reset();
        mPalette.reset();
        return;
    }
    MemoryImage::DiscardBits();
}

void DDImage::DiscardMemoryCopies()
{
    // Without a usable surface the memory copies are the only picture.
    if (!mSurface || mSurface->IsLost())
        return;
    mBits.reset();
    mNativeAlphaData.reset();
    mRLAlphaData.reset();
    mRLAdditiveData.reset();
    mPalette.reset();
    mIndices.reset();
}

void DDImage::DeleteDisplayFormatCaches()
{
    if (mExternalSurface)
        return;
    MemoryImage::DeleteDisplayFormatCaches();
    DeleteSurface();
}

void DDImage::DeleteAllCaches()
{
    if (mExternalSurface)
        return;
    MemoryImage::DeleteAllCaches();
    DeleteSurface();
}

bool DDImage::ConvertToPalette()
{
    const bool converted = MemoryImage::ConvertToPalette();
    if (converted)
        DeleteSurface();
    return converted;
}

void DDImage::UpdateTransparencyFlags()
{
    if (mSurface)
        return;
    MemoryImage::UpdateTransparencyFlags();
}

void DDImage::Create(int32_t width, int32_t height)
{
    mBits.reset();
    mPalette.reset();
    mIndices.reset();
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    MarkBitsChanged();
}

void DDImage::MarkBitsChanged()
{
    MemoryImage::MarkBitsChanged();
    if (!mSurface)
        return;
    if (mExternalSurface)
    {
        // The surface belongs to the display: it keeps it and shows the new pixels.
        if (mBits)
            WriteBitsToSurface();
        return;
    }
    if (mLockCount > 0)
        mSurface->Unlock();
    mLockCount = 0;
    mSurface.reset();
}

void DDImage::WriteBitsToSurface()
{
    if (!LockSurface())
        return;
    const int32_t width = std::min(mWidth, mSurface->Width());
    const int32_t height = std::min(mHeight, mSurface->Height());
    std::vector<uint32_t> row(size_t(std::max(width, 0)));
    for (int32_t y = 0; y < height; ++y)
    {
        const uint32_t* from = mBits.get() + size_t(y) * size_t(mWidth);
        for (int32_t x = 0; x < width; ++x)
            row[size_t(x)] = ToSurface(from[x], mLockedDesc);
        uint8_t* to = mLockedDesc.bits + std::ptrdiff_t(y) * mLockedDesc.pitch;
        if (mLockedDesc.bitCount == 16)
            StoreRow<uint16_t>(to, row.data(), width);
        else if (mLockedDesc.bitCount == 32)
            StoreRow<uint32_t>(to, row.data(), width);
    }
    UnlockSurface();
}

uint32_t* DDImage::GetBits()
{
    if (mBits)
        return mBits.get();
    const NativeDisplay& display = *mDDInterface;
    const size_t count = PixelCount();
    if (!mSurface)
    {
        if ((!mPalette || !mIndices) && mNativeAlphaData)
        {
            mBits = std::make_unique_for_overwrite<uint32_t[]>(count + 1);
            mBits[count] = IMAGE_BITS_GUARD;
            for (size_t i = 0; i < count; ++i)
                mBits[i] = FromNative(mNativeAlphaData[i], display);
            return mBits.get();
        }
        return MemoryImage::GetBits();
    }
    if (mNoSoftwareDraw || !LockSurface())
        return nullptr;
    const int32_t bitCount = mLockedDesc.bitCount;
    if (bitCount != 16 && bitCount != 32)
    {
        UnlockSurface();
        return nullptr;
    }
    mBits = std::make_unique_for_overwrite<uint32_t[]>(count + 1);
    mBits[count] = IMAGE_BITS_GUARD;
    // Where the key was, the picture was transparent: reading back keeps it so.
    const std::optional<uint32_t> key = mSurface->ColorKey();
    const int32_t width = std::min(mWidth, mSurface->Width());
    const int32_t height = std::min(mHeight, mSurface->Height());
    if (width < mWidth || height < mHeight)
        std::fill_n(mBits.get(), count, 0u);
    for (int32_t y = 0; y < height; ++y)
    {
        const uint8_t* row = mLockedDesc.bits + std::ptrdiff_t(y) * mLockedDesc.pitch;
        uint32_t* out = mBits.get() + size_t(y) * size_t(mWidth);
        for (int32_t x = 0; x < width; ++x)
        {
            uint32_t s;
            if (bitCount == 16)
            {
                uint16_t narrow;
                std::memcpy(&narrow, row + std::ptrdiff_t(x) * 2, 2);
                s = narrow;
            }
            else
            {
                std::memcpy(&s, row + std::ptrdiff_t(x) * 4, 4);
            }
            if (key && s == *key)
            {
                out[x] = 0;
                continue;
            }
            out[x] = 0xFF000000 | FromSurfaceChannel(s, mLockedDesc.redMask) << 16 |
                     FromSurfaceChannel(s, mLockedDesc.greenMask) << 8 |
                     FromSurfaceChannel(s, mLockedDesc.blueMask);
        }
    }
    UnlockSurface();
    return mBits.get();
}

bool DDImage::CreateSurfaceFromBits()
{
    if (mSurface)
        return true;
    UpdateTransparencyFlags();
    if (mHasAlpha)
        return false;
    mWantsSurface = true;
    const uint32_t* bits = GetBits();
    if (bits == nullptr || mWidth <= 0 || mHeight <= 0)
        return false;

    CriticalSectionGuard guard(mDDInterface->mCritSect);
    const platform::SurfaceMemory memory =
        mVideoMemory ? platform::SurfaceMemory::Video : platform::SurfaceMemory::System;
    std::shared_ptr<platform::Surface> surface;
    if (mDDInterface->CreateSurface(mWidth, mHeight, memory, surface) != platform::SurfaceResult::Ok ||
        !surface)
        return false;
    mSurface = std::move(surface);
    mExternalSurface = false;
    if (!LockSurface())
    {
        // A surface that never received the picture must not stand in for it.
        mSurface.reset();
        return false;
    }
    const int32_t bitCount = mLockedDesc.bitCount;
    if (bitCount != 16 && bitCount != 32)
    {
        UnlockSurface();
        mSurface.reset();
        return false;
    }

    const size_t count = PixelCount();
    std::vector<uint32_t> converted(count);
    for (size_t i = 0; i < count; ++i)
        converted[i] = ToSurface(bits[i], mLockedDesc);

    // The key: the colour of the first transparent pixel, unless a visible pixel has
    // it too; then a value no visible pixel uses. Keys are compared in surface form, so
    // that layouts whose conversion reorders the channels cannot collide unseen.
    uint32_t key = 0;
    if (mHasTrans)
    {
        if (mFirstPixelColorKey)
        {
            key = converted[0];
        }
        else
        {
            const auto firstClear =
                std::find_if(bits, bits + count, [](uint32_t p) { return (p >> 24) < 255; });
            if (firstClear != bits + count)
                key = converted[size_t(firstClear - bits)];
            bool collides = false;
            for (size_t i = 0; i < count && !collides; ++i)
                collides = (bits[i] >> 24) == 255 && converted[i] == key;
            if (collides)
            {
                const size_t values = bitCount == 16 ? size_t(1) << 16 : size_t(1) << 24;
                std::vector<uint32_t> used(values / 32);
                for (size_t i = 0; i < count; ++i)
                {
                    if ((bits[i] >> 24) != 0)
                    {
                        const uint32_t v = converted[i] & uint32_t(values - 1);
                        used[v / 32] |= 1u << (v % 32);
                    }
                }
                // With every value in use the key stays the candidate, and opaque
                // pixels of its colour turn transparent.
                FindFreeValue(used, key);
            }
            for (size_t i = 0; i < count; ++i)
            {
                if ((bits[i] >> 24) < 255)
                    converted[i] = key;
            }
        }
    }
    for (int32_t y = 0; y < mHeight; ++y)
    {
        uint8_t* row = mLockedDesc.bits + std::ptrdiff_t(y) * mLockedDesc.pitch;
        const uint32_t* values = converted.data() + size_t(y) * size_t(mWidth);
        if (bitCount == 16)
            StoreRow<uint16_t>(row, values, mWidth);
        else
            StoreRow<uint32_t>(row, values, mWidth);
    }
    if (mHasTrans)
        mSurface->SetColorKey(key);
    UnlockSurface();
    return true;
}

} // namespace Quib
