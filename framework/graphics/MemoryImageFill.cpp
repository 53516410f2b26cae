#include "framework/graphics/BlitArea.h"
#include "framework/graphics/BlitKernels.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>

namespace Quib
{

// The fill composites in both draw modes: additive fills are the surface image's.
void MemoryImage::FillRect(const Rect& rect, const Color& color, int32_t)
{
    uint32_t* bits = GetBits();
    Rect area;
    if (bits != nullptr && ClipToImage(rect, mWidth, mHeight, area))
    {
        const BlitColor c = ToBlitColor(color);
        for (int32_t y = area.mY; y < area.mY + area.mHeight; ++y)
            BlitRows::Fill(bits + size_t(y) * size_t(mWidth) + size_t(area.mX), area.mWidth, c);
    }
    MarkBitsChanged();
}

void MemoryImage::ClearRect(const Rect& rect)
{
    uint32_t* bits = GetBits();
    Rect area;
    if (bits != nullptr && ClipToImage(rect, mWidth, mHeight, area))
    {
        for (int32_t y = area.mY; y < area.mY + area.mHeight; ++y)
            std::fill_n(bits + size_t(y) * size_t(mWidth) + size_t(area.mX), area.mWidth, 0u);
    }
    MarkBitsChanged();
}

void MemoryImage::Clear()
{
    uint32_t* bits = GetBits();
    if (bits == nullptr)
        return;
    std::fill_n(bits, PixelCount(), 0u);
    MarkBitsChanged();
}

void MemoryImage::FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t,
                                        const uint8_t* coverage, int32_t coverageX, int32_t coverageY,
                                        int32_t coveragePitch)
{
    uint32_t* bits = GetBits();
    if (bits == nullptr)
        return;
    const BlitColor c = ToBlitColor(color);
    for (int32_t i = 0; i < count; ++i)
    {
        const Span& span = spans[i];
        if (span.y < 0 || span.y >= mHeight)
            continue;
        // Columns outside the image are skipped while the coverage keeps its own column.
        const int32_t first = std::max(span.x, 0);
        const int32_t last = std::min<int64_t>(int64_t(span.x) + span.width, mWidth);
        uint32_t* row = bits + size_t(span.y) * size_t(mWidth);
        if (first >= last)
            continue;
        const int64_t coverStart =
            (int64_t(span.y) - coverageY) * coveragePitch + (first - int64_t(coverageX));
        BlitRows::FillCoverage(row + first, coverage + coverStart, last - first, c);
    }
    MarkBitsChanged();
}

} // namespace Quib
