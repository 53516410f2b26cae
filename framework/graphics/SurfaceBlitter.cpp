#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/BlitArea.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/SurfaceBlitRows.h"
#include "framework/graphics/SurfacePixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Quib
{

using namespace SurfacePixels;

namespace
{

// The part of an unscaled blit inside both images. A mirrored blit draws source
// column srcX + i at destination column x + width - 1 - i, so its cut is taken from
// the other end of the destination.
bool ClipArea(int32_t dstWidth, int32_t dstHeight, int32_t srcWidth, int32_t srcHeight, int32_t x, int32_t y,
              const Rect& srcRect, bool mirrored, BlitArea& area)
{
    const int64_t w = srcRect.mWidth;
    const int64_t h = srcRect.mHeight;
    const int64_t sx = srcRect.mX;
    const int64_t sy = srcRect.mY;
    const int64_t rowLow = std::max<int64_t>({0, -sy, -int64_t(y)});
    const int64_t rowHigh = std::min<int64_t>({h, srcHeight - sy, int64_t(dstHeight) - y});
    int64_t colLow;
    int64_t colHigh;
    if (mirrored)
    {
        colLow = std::max<int64_t>({0, -sx, int64_t(x) + w - dstWidth});
        colHigh = std::min<int64_t>({w, srcWidth - sx, int64_t(x) + w});
    }
    else
    {
        colLow = std::max<int64_t>({0, -sx, -int64_t(x)});
        colHigh = std::min<int64_t>({w, srcWidth - sx, int64_t(dstWidth) - x});
    }
    if (rowLow >= rowHigh || colLow >= colHigh)
        return false;
    area.srcX = int32_t(sx + colLow);
    area.srcY = int32_t(sy + rowLow);
    area.dstY = int32_t(y + rowLow);
    area.dstX = int32_t(mirrored ? x + w - colHigh : x + colLow);
    area.width = int32_t(colHigh - colLow);
    area.height = int32_t(rowHigh - rowLow);
    return true;
}

// The source's display-format data: one value per pixel, or per palette entry with
// one index per pixel.
struct NativeSource
{
    const uint32_t* native = nullptr;
    const uint8_t* indices = nullptr;
    int32_t width = 0;

    uint32_t At(size_t i) const { return indices != nullptr ? native[indices[i]] : native[i]; }
};

NativeSource ReadNative(MemoryImage& source, NativeDisplay* display)
{
    NativeSource data;
    data.native = source.GetNativeAlphaData(display);
    data.indices = source.mPalette && source.mIndices ? source.mIndices.get() : nullptr;
    data.width = source.mWidth;
    return data;
}

// Walks every row of the area in runs of one class; opaque(n) gives the pixel of an
// opaque run, blend(d, n, a) a blended pixel. The destination is walked leftwards
// when mirrored.
template <typename Pixel, typename Opaque, typename Blend>
void WalkAlphaRuns(const Target& t, const NativeSource& src, const uint8_t* runs, const BlitArea& area,
                   bool mirrored, bool opaqueRuns, Opaque opaque, Blend blend)
{
    for (int32_t row = 0; row < area.height; ++row)
    {
        const size_t start = size_t(area.srcY + row) * size_t(src.width) + size_t(area.srcX);
        uint8_t* dest = t.Row(area.dstY + row);
        int32_t i = 0;
        while (i < area.width)
        {
            const int32_t n =
                std::min<int32_t>(std::max<int32_t>(runs[start + size_t(i)], 1), area.width - i);
            const uint32_t alpha = src.At(start + size_t(i)) >> 24;
            if (alpha != 0)
            {
                for (int32_t k = i; k < i + n; ++k)
                {
                    const int32_t x = mirrored ? area.dstX + area.width - 1 - k : area.dstX + k;
                    const uint32_t value = src.At(start + size_t(k));
                    if (alpha == 255 && opaqueRuns)
                        Store<Pixel>(dest, x, opaque(value));
                    else
                        Store<Pixel>(dest, x, blend(Load<Pixel>(dest, x), value, value >> 24));
                }
            }
            i += n;
        }
    }
}

// True on 32-bit surfaces whose three channels are whole bytes: there the per-channel
// formulas become byte arithmetic, and the clamp tables a saturating add.
bool ByteChannels(const Target& t)
{
    return t.packing == Packing::Wide && t.channel[0].bits == 8 && t.channel[1].bits == 8 &&
           t.channel[2].bits == 8 &&
           (t.channel[0].mask | t.channel[1].mask | t.channel[2].mask) == 0x00FFFFFF;
}

// True on 16-bit surfaces of 5-6-5 channels, red and blue at either end.
bool Channels565(const Target& t)
{
    return t.packing == Packing::P565 && t.channel[1].mask == 0x07E0 &&
           (t.channel[0].mask | t.channel[2].mask) == 0xF81F;
}

// Hands each row of the area to a row routine: destination bytes, source values, count.
// A palette source's values are looked up a row at a time, so that its rows take the
// same routine.
template <typename RowRoutine>
void EachRow(const Target& t, const NativeSource& src, const BlitArea& area, RowRoutine routine)
{
    const std::ptrdiff_t bytes = t.bitCount / 8;
    thread_local std::vector<uint32_t> looked;
    if (src.indices != nullptr)
        looked.resize(size_t(area.width));
    for (int32_t row = 0; row < area.height; ++row)
    {
        const size_t start = size_t(area.srcY + row) * size_t(src.width) + size_t(area.srcX);
        const uint32_t* values = src.native + start;
        if (src.indices != nullptr)
        {
            for (int32_t i = 0; i < area.width; ++i)
                looked[size_t(i)] = src.native[src.indices[start + size_t(i)]];
            values = looked.data();
        }
        routine(t.Row(area.dstY + row) + std::ptrdiff_t(area.dstX) * bytes, values, area.width);
    }
}

// The common case of a plain source drawn left to right: each run is handed over
// whole, as a stretch of destination bytes and of source values.
template <typename OpaqueRun, typename BlendRun>
void WalkSpans(const Target& t, const NativeSource& src, const uint8_t* runs, const BlitArea& area,
               OpaqueRun opaqueRun, BlendRun blendRun)
{
    const int32_t bytes = t.bitCount / 8;
    for (int32_t row = 0; row < area.height; ++row)
    {
        const size_t start = size_t(area.srcY + row) * size_t(src.width) + size_t(area.srcX);
        const uint32_t* native = src.native + start;
        const uint8_t* lengths = runs + start;
        uint8_t* dest = t.Row(area.dstY + row) + std::ptrdiff_t(area.dstX) * bytes;
        int32_t i = 0;
        while (i < area.width)
        {
            const int32_t n = std::min<int32_t>(std::max<int32_t>(lengths[i], 1), area.width - i);
            const uint32_t alpha = native[i] >> 24;
            if (alpha == 255)
                opaqueRun(dest + std::ptrdiff_t(i) * bytes, native + i, n);
            else if (alpha != 0)
                blendRun(dest + std::ptrdiff_t(i) * bytes, native + i, n);
            i += n;
        }
    }
}

template <typename Pixel>
void AlphaRunsWhite(const Target& t, const NativeSource& src, const uint8_t* runs, const BlitArea& area,
                    bool mirrored)
{
    const bool packed = t.packing == Packing::P565 || t.packing == Packing::P555;
    if (!mirrored && t.packing == Packing::Wide)
    {
        // Every pixel of a run shares its class, so whole rows give what the run walk
        // gives; the row routine skips and copies by groups of its own.
        EachRow(t, src, area, SurfaceBlitRows::OverWhite32);
        return;
    }
    if (!mirrored && src.indices == nullptr && packed)
    {
        const uint32_t mask = t.SpreadMask();
        WalkSpans(
            t, src, runs, area,
            [](uint8_t* d, const uint32_t* n, int32_t count)
            {
                for (int32_t k = 0; k < count; ++k)
                    Store<uint16_t>(d, k, n[k]);
            },
            [mask](uint8_t* d, const uint32_t* n, int32_t count)
            {
                for (int32_t k = 0; k < count; ++k)
                {
                    const uint32_t a = n[k] >> 24;
                    Store<uint16_t>(
                        d, k,
                        Fold((Spread(Load<uint16_t>(d, k), mask) * ((256 - a) >> 3)) >> 5 & mask) +
                            (n[k] & 0xFFFF));
                }
            });
        return;
    }
    const auto opaque = [](uint32_t n) { return n; };
    if (t.packing == Packing::P565 || t.packing == Packing::P555)
    {
        const uint32_t mask = t.SpreadMask();
        WalkAlphaRuns<Pixel>(t, src, runs, area, mirrored, true, opaque,
                             [mask](uint32_t d, uint32_t n, uint32_t a) {
                                 return Fold((Spread(d, mask) * ((256 - a) >> 3)) >> 5 & mask) + (n & 0xFFFF);
                             });
    }
    else if (t.packing == Packing::Generic16)
    {
        WalkAlphaRuns<Pixel>(t, src, runs, area, mirrored, true, opaque,
                             [&t](uint32_t d, uint32_t n, uint32_t a)
                             {
                                 uint32_t out = 0;
                                 for (const Channel& c : t.channel)
                                     out |= ((d & c.mask) * (256 - a) >> 8) & c.mask;
                                 return out + n;
                             });
    }
    else
    {
        WalkAlphaRuns<Pixel>(t, src, runs, area, mirrored, true, opaque,
                             [](uint32_t d, uint32_t n, uint32_t a)
                             {
                                 return ((d & 0x00FF00FF) * (256 - a) >> 8 & 0x00FF00FF) + n +
                                        ((d & 0x0000FF00) * (256 - a) >> 8 & 0x0000FF00);
                             });
    }
}

template <typename Pixel>
void AlphaRunsColor(const Target& t, const NativeSource& src, const uint8_t* runs, const BlitArea& area,
                    bool mirrored, const Paint& paint)
{
    const uint32_t ac = paint.a;
    if (!mirrored && ByteChannels(t))
    {
        // Grey and coloured paints agree per channel on whole bytes.
        uint32_t factor[3];
        for (int i = 0; i < 3; ++i)
            factor[t.channel[i].shift / 8] = paint.f[i];
        EachRow(t, src, area,
                [&](uint8_t* d, const uint32_t* n, int32_t c)
                { SurfaceBlitRows::OverColor32(d, n, c, factor, ac); });
        return;
    }
    if (!paint.grey && !mirrored && src.indices == nullptr && Channels565(t))
    {
        uint32_t factor[3];
        for (int i = 0; i < 3; ++i)
            factor[t.channel[i].shift == 0 ? 0 : t.channel[i].shift == 5 ? 1 : 2] = paint.f[i];
        EachRow(t, src, area,
                [&](uint8_t* d, const uint32_t* n, int32_t c)
                { SurfaceBlitRows::OverColor565(d, n, c, factor, ac); });
        return;
    }
    const auto keep = [ac](uint32_t a) { return 256 - a * ac / 255; };
    const bool opaqueRuns = ac == 255;
    const uint32_t fr = paint.f[0];
    if (paint.grey && (t.packing == Packing::P565 || t.packing == Packing::P555))
    {
        const uint32_t mask = t.SpreadMask();
        const uint32_t factor = fr >> 3;
        WalkAlphaRuns<Pixel>(
            t, src, runs, area, mirrored, opaqueRuns,
            [mask, factor](uint32_t n) { return Fold((Spread(n, mask) * factor) >> 5 & mask); },
            [mask, factor, keep](uint32_t d, uint32_t n, uint32_t a)
            { return Fold(((Spread(n, mask) * factor) + Spread(d, mask) * (keep(a) >> 3)) >> 5 & mask); });
    }
    else if (paint.grey && t.packing == Packing::Wide)
    {
        WalkAlphaRuns<Pixel>(
            t, src, runs, area, mirrored, opaqueRuns,
            [fr](uint32_t n)
            { return (fr * (n & 0x00FF00FF) >> 8 & 0x00FF00FF) | ((n & 0x0000FF00) * fr >> 8 & 0x0000FF00); },
            [fr, keep](uint32_t d, uint32_t n, uint32_t a)
            {
                const uint32_t k = keep(a);
                return (((d & 0x00FF00FF) * k + (n & 0x00FF00FF) * fr) >> 8 & 0x00FF00FF) |
                       (((d & 0x0000FF00) * k + (n & 0x0000FF00) * fr) >> 8 & 0x0000FF00);
            });
    }
    else
    {
        WalkAlphaRuns<Pixel>(
            t, src, runs, area, mirrored, opaqueRuns,
            [&t, &paint](uint32_t n) { return BlendChannels(t, 0, n, 0, paint.f); },
            [&t, &paint, keep](uint32_t d, uint32_t n, uint32_t a)
            { return BlendChannels(t, d, n, keep(a), paint.f); });
    }
}

template <typename Pixel>
void AlphaRuns(const Target& t, MemoryImage& source, NativeDisplay* display, const BlitArea& area,
               bool mirrored, const Paint& paint)
{
    const NativeSource src = ReadNative(source, display);
    const uint8_t* runs = source.GetRLAlphaData();
    if (paint.white)
        AlphaRunsWhite<Pixel>(t, src, runs, area, mirrored);
    else
        AlphaRunsColor<Pixel>(t, src, runs, area, mirrored, paint);
}

template <typename Pixel>
void AdditiveRuns(const Target& t, MemoryImage& source, NativeDisplay* display, const BlitArea& area,
                  bool mirrored, const Paint& paint)
{
    const NativeSource src = ReadNative(source, display);
    if (paint.white && !mirrored && src.indices == nullptr && ByteChannels(t))
    {
        EachRow(t, src, area, SurfaceBlitRows::AddWhite32);
        return;
    }
    // The clamp tables are saturating adds, and adding a colour of 0 changes nothing.
    if (paint.white && !mirrored && src.indices == nullptr && Channels565(t))
    {
        EachRow(t, src, area, SurfaceBlitRows::AddWhite565);
        return;
    }
    const uint8_t* runs = source.GetRLAdditiveData(display);
    for (int32_t row = 0; row < area.height; ++row)
    {
        const size_t start = size_t(area.srcY + row) * size_t(src.width) + size_t(area.srcX);
        uint8_t* dest = t.Row(area.dstY + row);
        int32_t i = 0;
        while (i < area.width)
        {
            const int32_t n =
                std::min<int32_t>(std::max<int32_t>(runs[start + size_t(i)], 1), area.width - i);
            if ((src.At(start + size_t(i)) & 0xFFFFFF) != 0)
            {
                for (int32_t k = i; k < i + n; ++k)
                {
                    const int32_t x = mirrored ? area.dstX + area.width - 1 - k : area.dstX + k;
                    Store<Pixel>(dest, x,
                                 AddNative(t, Load<Pixel>(dest, x), src.At(start + size_t(k)), paint));
                }
            }
            i += n;
        }
    }
}

// Raw straight-alpha pixels blended one by one; alpha 255 still keeps a trace of the
// destination, as the cheap weights give it.
template <typename Pixel> void VolatileRows(const Target& t, MemoryImage& source, const BlitArea& area)
{
    const uint32_t* bits = source.GetBits();
    if (bits == nullptr)
        return;
    const bool rgbOrder = gDisplayRGBOrder.load(std::memory_order_relaxed);
    for (int32_t row = 0; row < area.height; ++row)
    {
        const uint32_t* src = bits + size_t(area.srcY + row) * size_t(source.mWidth) + size_t(area.srcX);
        uint8_t* dest = t.Row(area.dstY + row);
        for (int32_t i = 0; i < area.width; ++i)
        {
            const uint32_t p = src[i];
            const uint32_t a = p >> 24;
            if (a == 0)
                continue;
            const int32_t x = area.dstX + i;
            const uint32_t d = Load<Pixel>(dest, x);
            uint32_t out = 0;
            if (rgbOrder && t.packing == Packing::P565)
            {
                const uint32_t s = ((p & 0xFC00) << 11) + ((p >> 3) & 0x1F) + ((p >> 8) & 0xF800);
                const uint32_t spread = Spread(d, SPREAD_565);
                out = Fold((spread + (((p >> 27) * (s - spread)) >> 5)) & SPREAD_565);
            }
            else if (rgbOrder && t.packing == Packing::P555)
            {
                const uint32_t s = ((p >> 3) & 0x1F) + ((p >> 9) & 0x7C00) + ((p & 0xF800) << 10);
                const uint32_t spread = Spread(d, SPREAD_555);
                out = Fold((spread + (((p >> 27) * (s - spread)) >> 5)) & SPREAD_555);
            }
            else if (rgbOrder && t.packing == Packing::Wide)
            {
                for (const uint32_t q : {0x00FF00FFu, 0x0000FF00u})
                    out |= ((d & q) + ((((p & q) - (d & q)) * a) >> 8)) & q;
            }
            else
            {
                const uint32_t bytes[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
                for (int c = 0; c < 3; ++c)
                {
                    const uint32_t m = t.channel[c].mask;
                    const uint32_t add =
                        t.bitCount == 16 ? (m * bytes[c] * a) >> 8 : m * ((bytes[c] * a) >> 8);
                    out |= (((d & m) * (256 - a) + add + (m >> 1)) >> 8) & m;
                }
            }
            Store<Pixel>(dest, x, out);
        }
    }
}

// A row of display-format values stored whole: on 32-bit surfaces as they are, on
// 16-bit ones cut to their low half.
template <typename Pixel> void StoreRow(uint8_t* dest, const uint32_t* native, int32_t count)
{
    if constexpr (sizeof(Pixel) == sizeof(uint32_t))
    {
        std::memcpy(dest, native, size_t(count) * sizeof(uint32_t));
    }
    else
    {
        SurfaceBlitRows::Narrow16(dest, native, count);
    }
}

template <typename Pixel>
void OpaqueCopy(const Target& t, MemoryImage& source, NativeDisplay* display, const BlitArea& area)
{
    const NativeSource src = ReadNative(source, display);
    const bool keyed = source.mHasTrans;
    if (!keyed && src.indices == nullptr)
    {
        EachRow(t, src, area, StoreRow<Pixel>);
        return;
    }
    for (int32_t row = 0; row < area.height; ++row)
    {
        const size_t start = size_t(area.srcY + row) * size_t(src.width) + size_t(area.srcX);
        uint8_t* dest = t.Row(area.dstY + row);
        for (int32_t i = 0; i < area.width; ++i)
        {
            const uint32_t n = src.At(start + size_t(i));
            if (keyed && n < 0x1000000)
                continue;
            Store<Pixel>(dest, area.dstX + i, n);
        }
    }
}

enum class Family
{
    AlphaRuns,
    Additive,
    Volatile,
    OpaqueCopy,
};

template <typename Pixel>
void Draw(Family family, const Target& t, MemoryImage& source, NativeDisplay* display, const BlitArea& area,
          bool mirrored, const Paint& paint)
{
    switch (family)
    {
    case Family::AlphaRuns:
        AlphaRuns<Pixel>(t, source, display, area, mirrored, paint);
        break;
    case Family::Additive:
        AdditiveRuns<Pixel>(t, source, display, area, mirrored, paint);
        break;
    case Family::Volatile:
        VolatileRows<Pixel>(t, source, area);
        break;
    case Family::OpaqueCopy:
        OpaqueCopy<Pixel>(t, source, display, area);
        break;
    }
}

// Locks the destination, draws one family of loops over the clipped area, unlocks.
void RunLoops(DDImage& dest, MemoryImage& source, int32_t x, int32_t y, const Rect& srcRect,
              const Color& color, Family family, bool mirrored)
{
    BlitArea area;
    if (!ClipArea(dest.mWidth, dest.mHeight, source.mWidth, source.mHeight, x, y, srcRect, mirrored, area))
        return;
    if (!dest.LockSurface())
        return;
    Target target;
    if (MakeTarget(dest, target) && (family != Family::Additive || HasTables(target)))
    {
        const Paint paint(color);
        if (target.bitCount == 16)
            Draw<uint16_t>(family, target, source, dest.mDDInterface, area, mirrored, paint);
        else
            Draw<uint32_t>(family, target, source, dest.mDDInterface, area, mirrored, paint);
    }
    dest.UnlockSurface();
}

bool HasSurface(Image* image)
{
    const auto* surfaceImage = dynamic_cast<DDImage*>(image);
    return surfaceImage != nullptr && surfaceImage->mSurface != nullptr;
}

} // namespace

bool DDImage::SurfaceCopy(DDImage& source, const Rect& srcRect, const Rect& destRect)
{
    platform::Surface* from = source.GetSurface();
    platform::Surface* to = GetSurface();
    if (from == nullptr || to == nullptr)
        return false;
    if (mLockCount > 0)
        mSurface->Unlock();
    const platform::SurfaceRect fromRect{srcRect.mX, srcRect.mY, int32_t(srcRect.Right()),
                                         int32_t(srcRect.Bottom())};
    const platform::SurfaceRect toRect{destRect.mX, destRect.mY, int32_t(destRect.Right()),
                                       int32_t(destRect.Bottom())};
    const bool copied = to->Blt(toRect, *from, fromRect, source.mHasTrans) == platform::SurfaceResult::Ok;
    if (mLockCount > 0)
    {
        platform::LockedSurface locked;
        if (mSurface->Lock(locked) != platform::SurfaceResult::Ok)
        {
            mLockCount = 0;
            return false;
        }
        mLockedDesc.bits = locked.bits;
        mLockedDesc.pitch = locked.pitch;
    }
    return copied;
}

void DDImage::BlitNormal(Image* image, int32_t x, int32_t y, const Rect& srcRect, const Color& color)
{
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr)
        return;
    source->UpdateTransparencyFlags();
    const bool white = color.IsWhite();
    Family family;
    if (source->mVolatile && !HasSurface(source) && white && !mNoSoftwareDraw)
    {
        family = Family::Volatile;
    }
    else if (source->mHasAlpha || !white)
    {
        family = Family::AlphaRuns;
    }
    else if (HasSurface(source) &&
             !(mSurface && mSurface->Memory() == platform::SurfaceMemory::System &&
               static_cast<DDImage*>(source)->mSurface->Memory() == platform::SurfaceMemory::Video))
    {
        // A copy between surfaces clips like the software loops, so it never reaches
        // outside either surface.
        BlitArea area;
        if (ClipArea(mWidth, mHeight, source->mWidth, source->mHeight, x, y, srcRect, false, area))
            SurfaceCopy(*static_cast<DDImage*>(source), Rect(area.srcX, area.srcY, area.width, area.height),
                        Rect(area.dstX, area.dstY, area.width, area.height));
        return;
    }
    else
    {
        family = Family::OpaqueCopy;
    }
    if (mNoSoftwareDraw)
        return;
    RunLoops(*this, *source, x, y, srcRect, color, family, false);
}

void DDImage::BlitAdditive(Image* image, int32_t x, int32_t y, const Rect& srcRect, const Color& color)
{
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || mNoSoftwareDraw)
        return;
    RunLoops(*this, *source, x, y, srcRect, color, Family::Additive, false);
}

void DDImage::BlitMirroredNormal(Image* image, int32_t x, int32_t y, const Rect& srcRect, const Color& color)
{
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || mNoSoftwareDraw)
        return;
    source->UpdateTransparencyFlags();
    RunLoops(*this, *source, x, y, srcRect, color, Family::AlphaRuns, true);
}

void DDImage::BlitMirroredAdditive(Image* image, int32_t x, int32_t y, const Rect& srcRect,
                                   const Color& color)
{
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || mNoSoftwareDraw)
        return;
    RunLoops(*this, *source, x, y, srcRect, color, Family::Additive, true);
}

} // namespace Quib
