#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/RotatedBlitRows.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Quib
{
namespace
{

uint32_t ClampChannel(int value)
{
    return uint32_t(std::clamp(value, 0, 255));
}

int64_t ToFixed(double value)
{
    // Far-away positions only ever skip their rows; keep the cast defined for them
    // (NaN included).
    constexpr double limit = 1e12;
    return int64_t(value >= -limit ? (value <= limit ? value : limit) : -limit);
}

// The stretch of destination pixels [first, last] of a row whose 2 x 2 neighbourhood
// lies inside the source rectangle along one axis; false when none does.
bool LimitAxis(int64_t start, int64_t step, int64_t size, int64_t& first, int64_t& last, int64_t reverseEnd)
{
    if (step < 0)
    {
        if ((start >> 16) < 0)
            return false;
        first = std::max(first, (size * 65536 - start - 0x27FFF) / step);
        last = std::min(last, (reverseEnd - start) / step);
    }
    else if (step > 0)
    {
        if ((start >> 16) >= size - 1)
            return false;
        first = std::max(first, (65536 - start) / step);
        last = std::min(last, (size * 65536 - start - 0x17FFF) / step);
    }
    else if (!(start >= 0 && start < (size - 1) * 65536))
    {
        return false;
    }
    return true;
}

} // namespace

bool MemoryImage::GetRotatedBounds(float x, float y, const Rect& srcRect, const Rect& clip,
                                   DoubleRect& bounds, float centerX, float centerY, double angle)
{
    const float a = float(angle);
    const float c = std::cos(a);
    const float s = std::sin(a);
    const float w = float(srcRect.mWidth);
    const float h = float(srcRect.mHeight);
    const float corners[4][2] = {{0.0f, 0.0f}, {w, 0.0f}, {w, h}, {0.0f, h}};
    float minX = 1e7f, minY = 1e7f, maxX = -1e7f, maxY = -1e7f;
    for (const auto& corner : corners)
    {
        const float dx = corner[0] - centerX;
        const float dy = corner[1] - centerY;
        const float turnedX = centerX + dx * c + dy * s + x;
        const float turnedY = centerY + dy * c - dx * s + y;
        minX = std::min(minX, turnedX);
        maxX = std::max(maxX, turnedX);
        minY = std::min(minY, turnedY);
        maxY = std::max(maxY, turnedY);
    }
    const DoubleRect box(minX, minY, double(maxX) - minX, double(maxY) - minY);
    bounds = box.Intersection(DoubleRect(clip.mX, clip.mY, clip.mWidth, clip.mHeight));
    return bounds.mWidth > 0.0 && bounds.mHeight > 0.0;
}

void MemoryImage::BlitRotated(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                              const Color& color, int32_t drawMode, double angle, float centerX,
                              float centerY)
{
    source->mDrawn = true;
    // The clip may not reach beyond this image, nor the source rectangle beyond its own.
    const Rect area = clip.Intersection(Rect(0, 0, mWidth, mHeight));
    DoubleRect box;
    if (!GetRotatedBounds(x, y, srcRect, area, box, centerX, centerY, angle))
        return;
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr)
        return;
    if (srcRect.mX < 0 || srcRect.mY < 0 || srcRect.Right() > src->mWidth || srcRect.Bottom() > src->mHeight)
        return;

    const int32_t w = srcRect.mWidth;
    const int32_t h = srcRect.mHeight;
    const uint32_t* pixels;
    int32_t stride;
    thread_local std::vector<uint32_t> paletteRows;
    if (src->mPalette && src->mIndices)
    {
        // The palette form stays; the rectangle is expanded once for the sampler.
        paletteRows.resize(size_t(w) * size_t(h));
        for (int32_t j = 0; j < h; ++j)
            for (int32_t i = 0; i < w; ++i)
                paletteRows[size_t(j) * size_t(w) + size_t(i)] =
                    src->mPalette[src->mIndices[size_t(srcRect.mY + j) * size_t(src->mWidth) +
                                                size_t(srcRect.mX + i)]];
        pixels = paletteRows.data();
        stride = w;
    }
    else
    {
        const uint32_t* bits = src->GetBits();
        if (bits == nullptr)
            return;
        pixels = bits + size_t(srcRect.mY) * size_t(src->mWidth) + size_t(srcRect.mX);
        stride = src->mWidth;
    }
    uint32_t* dest = GetBits();
    if (dest == nullptr)
        return;

    RotatedBlitRows::Paint paint;
    paint.r = ClampChannel(color.mRed);
    paint.g = ClampChannel(color.mGreen);
    paint.b = ClampChannel(color.mBlue);
    paint.a = ClampChannel(color.mAlpha);
    paint.white = color == Color::White;
    paint.additive = drawMode != DRAW_MODE_NORMAL;

    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const int32_t du = int32_t(cosA * 65536.0);
    const int32_t dv = int32_t(sinA * 65536.0);
    const int32_t bx = int32_t(box.mX);
    const int32_t by = int32_t(box.mY);
    const int64_t last0 = int64_t(box.mWidth - 1.0);

    RotatedBlitRows::Row row;
    row.src = pixels;
    row.stride = stride;
    row.du = du;
    row.dv = dv;
    for (int32_t r = 0; double(r) < box.mHeight; ++r)
    {
        const float dxr = float(bx) - centerX - x;
        const float dyr = float(by + r) - centerY - y;
        const int64_t ustart = ToFixed((dxr * cosA - dyr * sinA + centerX) * 65536.0);
        const int64_t vstart = ToFixed((dyr * cosA + dxr * sinA + centerY) * 65536.0);
        int64_t first = 0;
        int64_t last = last0;
        if (!LimitAxis(ustart, du, w, first, last, 0x7FFF) || !LimitAxis(vstart, dv, h, first, last, 0))
            continue;
        if (first > last)
            continue;
        row.u = int32_t(ustart + first * du);
        row.v = int32_t(vstart + first * dv);
        row.count = int32_t(last - first + 1);
        row.dest = dest + size_t(by + r) * size_t(mWidth) + size_t(bx + first);
        RotatedBlitRows::Draw(row, paint);
    }
    MarkBitsChanged();
}

} // namespace Quib
