#include "framework/graphics/BlitArea.h"
#include "framework/graphics/BlitKernels.h"
#include "framework/graphics/LineSteps.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>

namespace Quib
{

namespace
{

using LineSteps::Drawable;
using LineSteps::Trunc;

// Coverage v of the antialiased line composited over d.
uint32_t CoverPixel(uint32_t d, const BlitColor& c, uint32_t v)
{
    const uint32_t a = c.a == 255 ? v : ((c.a + 1) * v) >> 8;
    const uint32_t da = d >> 24;
    const uint32_t outA = da + (255 - da) * a / 255;
    if (outA == 0)
        return d;
    const uint32_t f = a * 255 / outA;
    const uint32_t r = (((d >> 16) & 0xFF) * (256 - f) + c.r * f) >> 8;
    const uint32_t g = (((d >> 8) & 0xFF) * (256 - f) + c.g * f) >> 8;
    const uint32_t b = ((d & 0xFF) * (256 - f) + c.b * f) >> 8;
    return BlitReference::Pack(outA, r, g, b);
}

} // namespace

void MemoryImage::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode)
{
    if (!Drawable(x1, y1, x2, y2))
    {
        MarkBitsChanged();
        return;
    }
    if (y1 == y2)
    {
        const int32_t left = Trunc(std::min(x1, x2));
        MemoryImage::FillRect(Rect(left, Trunc(y1), Trunc(std::max(x1, x2)) - left + 1, 1), color, drawMode);
        return;
    }
    if (x1 == x2)
    {
        const int32_t top = Trunc(std::min(y1, y2));
        MemoryImage::FillRect(Rect(Trunc(x1), top, 1, Trunc(std::max(y1, y2)) - top + 1), color, drawMode);
        return;
    }
    if (drawMode == DRAW_MODE_NORMAL)
        DrawLineNormal(x1, y1, x2, y2, color);
    else if (drawMode == DRAW_MODE_ADDITIVE)
        DrawLineAdditive(x1, y1, x2, y2, color);
    MarkBitsChanged();
}

void MemoryImage::DrawAntialiasedLine(double x1, double y1, double x2, double y2, const Color& color,
                                      int32_t drawMode)
{
    if (!Drawable(x1, y1, x2, y2))
    {
        MarkBitsChanged();
        return;
    }
    if (y1 == y2 || x1 == x2)
    {
        DrawLine(x1, y1, x2, y2, color, drawMode);
        return;
    }
    if (drawMode == DRAW_MODE_NORMAL)
        DrawAntialiasedLineNormal(x1, y1, x2, y2, color);
    MarkBitsChanged();
}

void MemoryImage::DrawLineNormal(double x1, double y1, double x2, double y2, const Color& color)
{
    uint32_t* bits = GetBits();
    if (bits == nullptr)
        return;
    const BlitColor c = ToBlitColor(color);
    uint32_t solid = 0xFF000000;
    uint32_t r2 = 0;
    uint32_t g2 = 0;
    uint32_t b2 = 0;
    if (c.a == 255)
    {
        solid |= ((c.r * 255 + 127) >> 8) << 16 | ((c.g * 255 + 127) >> 8) << 8 | ((c.b * 255 + 127) >> 8);
    }
    else
    {
        const auto weigh = [&](uint32_t channel)
        { return ((((channel * c.a + 128) >> 8) * 255) + 127) >> 8; };
        r2 = weigh(c.r);
        g2 = weigh(c.g);
        b2 = weigh(c.b);
    }
    const uint32_t keep = 256 - c.a;
    LineSteps::Plain(x1, y1, x2, y2, true,
                     [&](int32_t x, int32_t y)
                     {
                         if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
                             return;
                         uint32_t& pixel = bits[size_t(y) * size_t(mWidth) + size_t(x)];
                         if (c.a == 255)
                         {
                             pixel = solid;
                             return;
                         }
                         const auto mix = [&](uint32_t d, uint32_t add)
                         { return std::min<uint32_t>(((d * keep + 127) >> 8) + add, 255); };
                         pixel = BlitReference::Pack(255, mix((pixel >> 16) & 0xFF, r2),
                                                     mix((pixel >> 8) & 0xFF, g2), mix(pixel & 0xFF, b2));
                     });
}

void MemoryImage::DrawLineAdditive(double x1, double y1, double x2, double y2, const Color& color)
{
    uint32_t* bits = GetBits();
    if (bits == nullptr)
        return;
    const BlitColor c = ToBlitColor(color);
    const uint32_t mr = c.a * c.r / 255;
    const uint32_t mg = c.a * c.g / 255;
    const uint32_t mb = c.a * c.b / 255;
    LineSteps::Plain(x1, y1, x2, y2, false,
                     [&](int32_t x, int32_t y)
                     {
                         if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
                             return;
                         uint32_t& pixel = bits[size_t(y) * size_t(mWidth) + size_t(x)];
                         pixel = BlitReference::AddChannels(pixel, mr, mg, mb) | 0xFF000000;
                     });
}

void MemoryImage::DrawAntialiasedLineNormal(double x1, double y1, double x2, double y2, const Color& color)
{
    uint32_t* bits = GetBits();
    if (bits == nullptr)
        return;
    const BlitColor c = ToBlitColor(color);
    const auto plot = [&](int32_t x, int32_t y, int64_t coverage)
    {
        if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
            return;
        uint32_t& pixel = bits[size_t(y) * size_t(mWidth) + size_t(x)];
        pixel = CoverPixel(pixel, c, uint32_t(std::clamp<int64_t>(coverage, 0, 255)));
    };

    LineSteps::Antialiased(x1, y1, x2, y2, mWidth, mHeight, plot);
}

} // namespace Quib
