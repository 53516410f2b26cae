#include "framework/graphics/BlitArea.h"

#include <algorithm>

namespace Quib
{

bool ClipBlitArea(int32_t dstWidth, int32_t dstHeight, int32_t srcWidth, int32_t srcHeight, int32_t x,
                  int32_t y, const Rect& srcRect, BlitArea& area)
{
    int64_t sx = srcRect.mX;
    int64_t sy = srcRect.mY;
    int64_t dx = x;
    int64_t dy = y;
    int64_t w = srcRect.mWidth;
    int64_t h = srcRect.mHeight;
    const auto cutLow = [&](int64_t& s, int64_t& d, int64_t& size)
    {
        const int64_t shift = std::max<int64_t>({0, -s, -d});
        s += shift;
        d += shift;
        size -= shift;
    };
    cutLow(sx, dx, w);
    cutLow(sy, dy, h);
    w = std::min({w, int64_t(srcWidth) - sx, int64_t(dstWidth) - dx});
    h = std::min({h, int64_t(srcHeight) - sy, int64_t(dstHeight) - dy});
    if (w <= 0 || h <= 0)
        return false;
    area = {int32_t(dx), int32_t(dy), int32_t(sx), int32_t(sy), int32_t(w), int32_t(h)};
    return true;
}

bool ClipToImage(const Rect& rect, int32_t width, int32_t height, Rect& clipped)
{
    clipped = rect.Intersection(Rect(0, 0, width, height));
    return clipped.mWidth > 0 && clipped.mHeight > 0;
}

BlitColor ToBlitColor(const Color& color)
{
    const auto cut = [](int value) { return uint32_t(std::clamp(value, 0, 255)); };
    return {cut(color.mRed), cut(color.mGreen), cut(color.mBlue), cut(color.mAlpha)};
}

} // namespace Quib
