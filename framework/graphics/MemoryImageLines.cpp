#include "framework/graphics/BlitArea.h"
#include "framework/graphics/BlitKernels.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Quib
{

namespace
{

int32_t Trunc(double value)
{
    return int32_t(value);
}

// Integer stepping of a line between double end points. The normal line starts its
// error with the fractional position of the start; the additive line does not.
template <typename Plot>
void StepLine(double x1, double y1, double x2, double y2, bool fractionalStart, Plot plot)
{
    const double boxLeft = std::min(x1, x2);
    const double boxRight = std::max(x1, x2);
    const double boxTop = std::min(y1, y2);
    const double boxBottom = std::max(y1, y2);
    const auto inBox = [&](int32_t x, int32_t y)
    { return x >= boxLeft && x <= boxRight && y >= boxTop && y <= boxBottom; };

    double dx = x2 - x1;
    double dy = y2 - y1;
    if (std::fabs(dx) <= std::fabs(dy))
    {
        if (dy < 0)
        {
            std::swap(x1, x2);
            std::swap(y1, y2);
            dx = -dx;
            dy = -dy;
        }
        const int32_t sx = dx < 0 ? -1 : 1;
        const double ax = std::fabs(dx);
        int32_t x = Trunc(x1);
        const int32_t y = Trunc(y1);
        plot(x, y);
        const int64_t kstay = int64_t(2 * ax);
        const int64_t kstep = int64_t(2 * (ax - dy));
        int64_t e = fractionalStart ? int64_t((x1 - x) * double(kstay) + double(int64_t(2 * ax - dy)))
                                    : int64_t(2 * ax - dy);
        for (int32_t yy = Trunc(y1 + 1); yy <= y2; ++yy)
        {
            if (e < 1)
            {
                e += kstay;
            }
            else
            {
                x += sx;
                if (!inBox(x, yy))
                    return;
                e += kstep;
            }
            plot(x, yy);
        }
    }
    else
    {
        if (dx < 0)
        {
            std::swap(x1, x2);
            std::swap(y1, y2);
            dx = -dx;
            dy = -dy;
        }
        const int32_t sy = dy < 0 ? -1 : 1;
        const double ay = std::fabs(dy);
        const int32_t x = Trunc(x1);
        int32_t y = Trunc(y1);
        plot(x, y);
        const int64_t kstay = int64_t(2 * ay);
        const int64_t kstep = int64_t(2 * (ay - dx));
        int64_t e = fractionalStart ? int64_t((y1 - y) * double(kstay) + double(int64_t(2 * ay - dx)))
                                    : int64_t(2 * ay - dx);
        for (int32_t xx = Trunc(x1 + 1); xx <= x2; ++xx)
        {
            if (e < 1)
            {
                e += kstay;
            }
            else
            {
                y += sy;
                if (!inBox(xx, y))
                    return;
                e += kstep;
            }
            plot(xx, y);
        }
    }
}

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

// Coordinates that are not numbers or lie beyond any image cannot be stepped in integers.
bool Drawable(double x1, double y1, double x2, double y2)
{
    constexpr double kLimit = 1 << 30;
    for (double value : {x1, y1, x2, y2})
    {
        if (!(std::fabs(value) < kLimit))
            return false;
    }
    return true;
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
    StepLine(x1, y1, x2, y2, true,
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
                 pixel = BlitReference::Pack(255, mix((pixel >> 16) & 0xFF, r2), mix((pixel >> 8) & 0xFF, g2),
                                             mix(pixel & 0xFF, b2));
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
    StepLine(x1, y1, x2, y2, false,
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

    int32_t ix1 = Trunc(x1);
    int32_t iy1 = Trunc(y1);
    int32_t ix2 = Trunc(x2);
    int32_t iy2 = Trunc(y2);
    if (iy1 > iy2)
    {
        std::swap(ix1, ix2);
        std::swap(iy1, iy2);
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    int32_t nx = ix2 - ix1;
    const int32_t ny = iy2 - iy1;
    int32_t dir = 1;
    if (nx < 0)
    {
        nx = -nx;
        dir = -1;
    }
    const double adx = std::fabs(x2 - x1);
    const double ady = y2 - y1;

    // 16.16 position of the line across the minor axis.
    int64_t b = int64_t(std::fabs(y1 - iy1) * std::fabs(x1 - ix1) * 65536);
    plot(ix1, iy1, 255 - ((b >> 8) & 0xFF));
    int32_t x = ix1;
    int32_t y = iy1;
    if (nx < ny)
    {
        const int64_t step = int64_t(65536 * adx / ady);
        for (int32_t i = 0; i < std::max(ny - 1, 0); ++i)
        {
            b += step;
            if (b >= 65536)
            {
                b &= 0xFFFF;
                x += dir;
            }
            ++y;
            plot(x, y, 255 - (b >> 8));
            if (x + dir >= 0 && x + dir < mWidth)
                plot(x + dir, y, b >> 8);
        }
    }
    else
    {
        const int64_t step = int64_t(65536 * ady / adx);
        for (int32_t i = 0; i < std::max(nx - 1, 0); ++i)
        {
            b += step;
            if (b >= 65536)
            {
                b &= 0xFFFF;
                ++y;
            }
            x += dir;
            plot(x, y, 255 - (b >> 8));
            if (y < mHeight - 1)
                plot(x, y + 1, b >> 8);
        }
    }
    plot(ix2, iy2, 255 - (b >> 8));
}

} // namespace Quib
