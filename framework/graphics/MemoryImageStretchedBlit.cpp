#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/BlitArea.h"
#include "framework/graphics/BlitKernels.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/StretchFilter.h"

#include <algorithm>
#include <cmath>

namespace Quib
{
namespace
{

bool InsideImage(const Rect& rect, const Image& image)
{
    return rect.mX >= 0 && rect.mY >= 0 && rect.mWidth > 0 && rect.mHeight > 0 &&
           rect.Right() <= image.GetWidth() && rect.Bottom() <= image.GetHeight();
}

bool MapRect(const Rect& destRect, Rect& clipped, const Rect& srcRect, const Rect& clip, DoubleRect& mapped,
             bool mirrored)
{
    clipped = destRect.Intersection(clip);
    const double sx = double(srcRect.mWidth) / destRect.mWidth;
    const double sy = double(srcRect.mHeight) / destRect.mHeight;
    const double offsetX = mirrored ? double(destRect.mX) + destRect.mWidth - clipped.mX - clipped.mWidth
                                    : clipped.mX - destRect.mX;
    mapped.mX = srcRect.mX + sx * offsetX;
    mapped.mY = srcRect.mY + sy * (clipped.mY - destRect.mY);
    mapped.mWidth = srcRect.mWidth + sx * (clipped.mWidth - destRect.mWidth);
    mapped.mHeight = srcRect.mHeight + sy * (clipped.mHeight - destRect.mHeight);
    return mapped.mWidth > 0.0 && mapped.mHeight > 0.0;
}

} // namespace

bool MemoryImage::MapStretchRect(const Rect& destRect, Rect& clipped, const Rect& srcRect, const Rect& clip,
                                 DoubleRect& mapped)
{
    return MapRect(destRect, clipped, srcRect, clip, mapped, false);
}

bool MemoryImage::MapStretchRectMirrored(const Rect& destRect, Rect& clipped, const Rect& srcRect,
                                         const Rect& clip, DoubleRect& mapped)
{
    return MapRect(destRect, clipped, srcRect, clip, mapped, true);
}

void MemoryImage::BlitStretched(Image* source, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                                const Color& color, int32_t drawMode, bool unfiltered)
{
    source->mDrawn = true;
    // A source rectangle beyond its image, or a destination rectangle without area,
    // has no sound mapping; a clip beyond this image would write outside it.
    if (!InsideImage(srcRect, *source) || destRect.mWidth <= 0 || destRect.mHeight <= 0)
        return;
    Rect clipped;
    DoubleRect mapped;
    if (!MapStretchRect(destRect, clipped, srcRect, clip.Intersection(Rect(0, 0, mWidth, mHeight)), mapped))
        return;
    if (clipped.mWidth <= 0 || clipped.mHeight <= 0)
        return;
    // The draw mode plays no part, and the filtered sampler takes no colour: a
    // filtered stretch of a memory image is never tinted.
    (void)drawMode;
    if (unfiltered)
        StretchUnfiltered(source, clipped, mapped, color);
    else
        StretchFiltered(source, clipped, mapped);
}

void MemoryImage::StretchUnfiltered(Image* source, const Rect& clipped, const DoubleRect& mapped,
                                    const Color& color)
{
    auto* src = dynamic_cast<MemoryImage*>(source);
    const uint32_t* bits = src != nullptr ? src->GetBits() : nullptr;
    uint32_t* dest = GetBits();
    if (bits != nullptr && dest != nullptr)
    {
        // A tinted stretch composites like a tinted blit, so that scaled and unscaled
        // draws of one image look alike.
        const BlitColor paint = ToBlitColor(color);
        const bool white = color == Color::White;
        const bool grey = paint.r == paint.g && paint.g == paint.b;
        const double sx = mapped.mWidth / clipped.mWidth;
        const double sy = mapped.mHeight / clipped.mHeight;
        // Positions are cut to the mapped rectangle's pixels so that rounding in the
        // repeated additions can never read past it.
        const int32_t lowX = std::max(int32_t(mapped.mX), 0);
        const int32_t lowY = std::max(int32_t(mapped.mY), 0);
        const int32_t highX =
            std::clamp(int32_t(std::ceil(mapped.mX + mapped.mWidth)) - 1, lowX, src->mWidth - 1);
        const int32_t highY =
            std::clamp(int32_t(std::ceil(mapped.mY + mapped.mHeight)) - 1, lowY, src->mHeight - 1);
        double y = mapped.mY;
        for (int32_t i = 0; i < clipped.mHeight; ++i, y += sy)
        {
            const uint32_t* srcRow = bits + size_t(std::clamp(int32_t(y), lowY, highY)) * size_t(src->mWidth);
            uint32_t* d = dest + size_t(clipped.mY + i) * size_t(mWidth) + size_t(clipped.mX);
            double x = mapped.mX;
            for (int32_t j = 0; j < clipped.mWidth; ++j, x += sx)
            {
                const uint32_t s = srcRow[std::clamp(int32_t(x), lowX, highX)];
                if (white)
                    d[j] = BlitReference::BlendWhite(d[j], s);
                else if (grey)
                    d[j] = BlitReference::BlendGrey(d[j], s, paint.r, paint.a);
                else
                    d[j] = BlitReference::BlendColor(d[j], s, paint);
            }
        }
    }
    MarkBitsChanged();
}

void MemoryImage::StretchFiltered(Image* source, const Rect& clipped, const DoubleRect& mapped)
{
    uint32_t* dest = GetBits();
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr || dest == nullptr)
        return;
    StretchFilter::Source input;
    input.width = src->mWidth;
    input.height = src->mHeight;
    if (src->mPalette && src->mIndices)
    {
        input.palette = src->mPalette.get();
        input.indices = src->mIndices.get();
    }
    else
    {
        input.bits = src->GetBits();
        if (input.bits == nullptr)
            return;
    }
    if (StretchFilter::Draw(input, dest, mWidth, clipped, mapped))
        MarkBitsChanged();
}

void MemoryImage::StretchFilteredBlit(Image* source, const Rect& clipped, const DoubleRect& mapped,
                                      const Color& color, int32_t drawMode)
{
    MemoryImage stretched(nullptr);
    stretched.SetBits(nullptr, clipped.mWidth, clipped.mHeight, false);
    const Rect whole(0, 0, clipped.mWidth, clipped.mHeight);
    stretched.StretchFiltered(source, whole, mapped);
    Blit(&stretched, clipped.mX, clipped.mY, whole, color, drawMode);
}

} // namespace Quib
