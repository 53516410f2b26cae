#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/SurfacePixels.h"

#include <algorithm>

namespace Quib
{

using namespace SurfacePixels;

namespace
{

bool InsideImage(const Rect& rect, const Image& image)
{
    return rect.mX >= 0 && rect.mY >= 0 && rect.mWidth > 0 && rect.mHeight > 0 &&
           rect.Right() <= image.GetWidth() && rect.Bottom() <= image.GetHeight();
}

// Nearest-pixel stretch of the mapped source rectangle onto the clipped rectangle of
// the locked surface, by one source pixel's display-format value at a time.
void StretchNearest(const Target& t, MemoryImage& source, NativeDisplay* display, const Rect& clipped,
                    const DoubleRect& mapped, const Paint& paint, bool additive, bool mirrored)
{
    const uint32_t* native = source.GetNativeAlphaData(display);
    const uint8_t* indices = source.mPalette && source.mIndices ? source.mIndices.get() : nullptr;
    const int64_t du = int64_t(mapped.mWidth * 65536.0 / clipped.mWidth);
    const int64_t dv = int64_t(mapped.mHeight * 65536.0 / clipped.mHeight);
    const int64_t uStart = int64_t(mapped.mX * 65536.0);
    // Rounding in the steps may never carry a position past the source.
    const int32_t maxColumn = source.mWidth - 1;
    const int32_t maxRow = source.mHeight - 1;
    int64_t v = int64_t(mapped.mY * 65536.0);
    for (int32_t j = 0; j < clipped.mHeight; ++j, v += dv)
    {
        const size_t rowStart = size_t(std::clamp<int64_t>(v >> 16, 0, maxRow)) * size_t(source.mWidth);
        uint8_t* row = t.Row(clipped.mY + j);
        int64_t u = uStart;
        for (int32_t i = 0; i < clipped.mWidth; ++i, u += du)
        {
            const size_t at = rowStart + size_t(std::clamp<int64_t>(u >> 16, 0, maxColumn));
            const uint32_t n = indices != nullptr ? native[indices[at]] : native[at];
            const int32_t x = mirrored ? clipped.mX + clipped.mWidth - 1 - i : clipped.mX + i;
            const uint32_t d = Load(t, row, x);
            uint32_t out;
            if (additive)
            {
                if (n == 0)
                    continue;
                out = AddNative(t, d, n, paint);
            }
            else if (paint.white)
            {
                const uint32_t a = n >> 24;
                if (a == 0)
                    continue;
                out = 0;
                for (const Channel& c : t.channel)
                    out |= ((d & c.mask) * (256 - a) >> 8) & c.mask;
                out += n;
            }
            else
            {
                const uint32_t a = (n >> 24) * paint.a / 255;
                if (a == 0)
                    continue;
                out = BlendChannels(t, d, n, 256 - a, paint.f);
            }
            Store(t, row, x, out);
        }
    }
}

} // namespace

void DDImage::BlitStretched(Image* source, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                            const Color& color, int32_t drawMode, bool unfiltered)
{
    StretchOnSurface(source, destRect, srcRect, clip, color, drawMode, unfiltered, false);
}

void DDImage::BlitStretchedMirrored(Image* source, const Rect& destRect, const Rect& srcRect,
                                    const Rect& clip, const Color& color, int32_t drawMode, bool unfiltered)
{
    StretchOnSurface(source, destRect, srcRect, clip, color, drawMode, unfiltered, true);
}

void DDImage::StretchOnSurface(Image* source, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                               const Color& color, int32_t drawMode, bool unfiltered, bool mirrored)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    UpdateTransparencyFlags();
    if (DrawsThrough3D())
    {
        mDDInterface->Get3D()->BlitStretched(destRect, srcRect, source, clip, color, drawMode, unfiltered,
                                             mirrored);
        return;
    }
    // A source rectangle beyond its image or a destination without area has no sound
    // mapping; the clip may not reach beyond this image.
    if (!InsideImage(srcRect, *source) || destRect.mWidth <= 0 || destRect.mHeight <= 0)
        return;
    const Rect area = clip.Intersection(Rect(0, 0, mWidth, mHeight));
    Rect clipped;
    DoubleRect mapped;
    const bool mappedOk = mirrored ? MapStretchRectMirrored(destRect, clipped, srcRect, area, mapped)
                                   : MapStretchRect(destRect, clipped, srcRect, area, mapped);
    if (!mappedOk || clipped.mWidth <= 0 || clipped.mHeight <= 0)
        return;

    auto* surfaced = dynamic_cast<DDImage*>(source);
    if (!mirrored && unfiltered && surfaced != nullptr && color.IsWhite() && drawMode == DRAW_MODE_NORMAL)
    {
        surfaced->UpdateTransparencyFlags();
        if (!surfaced->mHasAlpha && surfaced->GetSurface() != nullptr)
        {
            const Rect from(int32_t(mapped.mX), int32_t(mapped.mY),
                            int32_t(mapped.mX + mapped.mWidth) - int32_t(mapped.mX),
                            int32_t(mapped.mY + mapped.mHeight) - int32_t(mapped.mY));
            if (SurfaceCopy(*surfaced, from, clipped))
                DiscardMemoryCopies();
            return;
        }
    }

    if (!mirrored && !unfiltered)
    {
        if (!IsOpaque(false) || In3DMode())
        {
            MemoryImage::BlitStretched(source, destRect, srcRect, clip, color, drawMode, false);
            return;
        }
        StretchFilteredBlit(source, clipped, mapped, color, drawMode);
        DiscardMemoryCopies();
        return;
    }

    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr || !LockSurface())
        return;
    Target t;
    const bool additive = drawMode != DRAW_MODE_NORMAL;
    if (MakeTarget(*this, t) && (!additive || HasTables(t)))
        StretchNearest(t, *src, mDDInterface, clipped, mapped, Paint(color), additive, mirrored);
    UnlockSurface();
    DiscardMemoryCopies();
}

} // namespace Quib
