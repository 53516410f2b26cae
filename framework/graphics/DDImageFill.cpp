#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/BlitArea.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/SurfacePixels.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace Quib
{

using namespace SurfacePixels;

namespace
{

template <typename Pixel, typename Shade> void FillArea(const Target& t, const Rect& area, Shade shade)
{
    for (int32_t y = area.mY; y < area.mY + area.mHeight; ++y)
    {
        uint8_t* row = t.Row(y);
        for (int32_t x = area.mX; x < area.mX + area.mWidth; ++x)
            Store<Pixel>(row, x, shade(Load<Pixel>(row, x)));
    }
}

template <typename Shade> void FillArea(const Target& t, const Rect& area, Shade shade)
{
    if (t.bitCount == 16)
        FillArea<uint16_t>(t, area, shade);
    else
        FillArea<uint32_t>(t, area, shade);
}

} // namespace

void DDImage::FillRectNormal(const Rect& rect, const Color& color)
{
    if (mNoSoftwareDraw)
        return;
    Rect area;
    if (!ClipToImage(rect, mWidth, mHeight, area) || !LockSurface())
        return;
    Target t;
    if (MakeTarget(*this, t))
    {
        const Paint paint(color);
        const uint32_t a = paint.a;
        const bool narrow = t.bitCount == 16;
        uint32_t solid = 0;
        uint32_t premultiplied = 0;
        for (int i = 0; i < 3; ++i)
        {
            const uint32_t m = t.channel[i].mask;
            const uint32_t c = paint.Channel(i);
            if (a == 255)
                solid |= (narrow ? m * (c + 1) >> 8 : m * c >> 8) & m;
            else
                premultiplied |= (m * (((a * c + (narrow ? 128 : 127)) >> 8) + 1) >> 8) & m;
        }
        if (a == 255)
        {
            FillArea(t, area, [solid](uint32_t) { return solid; });
        }
        else
        {
            FillArea(t, area,
                     [&t, a, narrow, premultiplied](uint32_t d)
                     {
                         uint32_t out = premultiplied;
                         for (const Channel& c : t.channel)
                             out += (((d & c.mask) * (256 - a) + (narrow ? c.mask : 0)) >> 8) & c.mask;
                         return out;
                     });
        }
    }
    UnlockSurface();
}

void DDImage::FillRectAdditive(const Rect& rect, const Color& color)
{
    if (mNoSoftwareDraw)
        return;
    Rect area;
    if (!ClipToImage(rect, mWidth, mHeight, area) || !LockSurface())
        return;
    Target t;
    if (MakeTarget(*this, t) && HasTables(t))
    {
        const Paint paint(color);
        uint32_t add[3];
        for (int i = 0; i < 3; ++i)
            add[i] = (paint.f[i]) >> std::clamp(8 - t.channel[i].bits, 0, 8);
        FillArea(t, area, [&t, &add](uint32_t d) { return AddChannels(t, d, add); });
    }
    UnlockSurface();
}

void DDImage::FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t drawMode,
                                    const uint8_t* coverage, int32_t coverageX, int32_t coverageY,
                                    int32_t coveragePitch)
{
    if (count <= 0 || spans == nullptr)
        return;
    if (DrawsThrough3D())
    {
        int64_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
        for (int32_t i = 0; i < count; ++i)
        {
            left = std::min<int64_t>(left, spans[i].x);
            right = std::max<int64_t>(right, int64_t(spans[i].x) + spans[i].width);
            top = std::min<int64_t>(top, spans[i].y);
            bottom = std::max<int64_t>(bottom, int64_t(spans[i].y) + 1);
        }
        if (right <= left || right - left > mWidth || bottom - top > mHeight)
            return;
        // The caller's spans stay as they were: the moved ones are a copy.
        std::vector<Span> moved(spans, spans + count);
        for (Span& span : moved)
        {
            span.x -= int32_t(left);
            span.y -= int32_t(top);
        }
        MemoryImage box(nullptr);
        box.SetBits(nullptr, int32_t(right - left), int32_t(bottom - top), false);
        box.MemoryImage::FillSpansWithCoverage(moved.data(), count, color, drawMode, coverage,
                                               coverageX - int32_t(left), coverageY - int32_t(top),
                                               coveragePitch);
        Blit(&box, int32_t(left), int32_t(top), Rect(0, 0, box.mWidth, box.mHeight), Color::White, drawMode);
        return;
    }
    if (!LockSurface())
        return;
    Target t;
    if (MakeTarget(*this, t))
    {
        const Paint paint(color);
        uint32_t value = 0;
        for (int i = 0; i < 3; ++i)
            value |= (t.channel[i].mask * paint.Channel(i) >> 8) & t.channel[i].mask;
        for (int32_t i = 0; i < count; ++i)
        {
            const Span& span = spans[i];
            if (span.y < 0 || span.y >= mHeight)
                continue;
            // Columns outside the image are left out; the coverage keeps its own column.
            const int32_t first = std::max(span.x, 0);
            const int32_t last = int32_t(std::min<int64_t>(int64_t(span.x) + span.width, mWidth));
            uint8_t* row = t.Row(span.y);
            const int64_t coverRow = (int64_t(span.y) - coverageY) * coveragePitch - coverageX;
            for (int32_t x = first; x < last; ++x)
            {
                const uint32_t weight = ((uint32_t(coverage[coverRow + x]) + 1) * paint.a) >> 8;
                const uint32_t d = Load(t, row, x);
                uint32_t out = 0;
                for (const Channel& c : t.channel)
                    out |= (((value & c.mask) * weight + (d & c.mask) * (256 - weight)) >> 8) & c.mask;
                Store(t, row, x, out);
            }
        }
    }
    UnlockSurface();
    DiscardMemoryCopies();
}

} // namespace Quib
