#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// The integer stepping of lines between double end points, apart from what a pixel
// write does, so that every pixel format steps a line through the same pixels.
namespace Quib::LineSteps
{

inline int32_t Trunc(double value)
{
    return int32_t(value);
}

// Coordinates that are not numbers or lie beyond any image cannot be stepped in integers.
inline bool Drawable(double x1, double y1, double x2, double y2)
{
    constexpr double kLimit = 1 << 30;
    for (double value : {x1, y1, x2, y2})
    {
        if (!(std::fabs(value) < kLimit))
            return false;
    }
    return true;
}

// Plain line: plot(x, y) for every pixel. The normal line starts its error with the
// fractional position of the start; the additive line does not. The start pixel is
// plotted without a box test; the line ends where a minor step leaves its box.
template <typename Plot>
void Plain(double x1, double y1, double x2, double y2, bool fractionalStart, Plot plot)
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
        plot(x, Trunc(y1));
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
        return;
    }
    if (dx < 0)
    {
        std::swap(x1, x2);
        std::swap(y1, y2);
        dx = -dx;
        dy = -dy;
    }
    const int32_t sy = dy < 0 ? -1 : 1;
    const double ay = std::fabs(dy);
    int32_t y = Trunc(y1);
    plot(Trunc(x1), y);
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

// Antialiased line with two-pixel coverage in 16.16: plot(x, y, coverage 0..255).
// Neighbours are plotted only inside the width x height image.
template <typename Plot>
void Antialiased(double x1, double y1, double x2, double y2, int32_t width, int32_t height, Plot plot)
{
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

    int64_t b = int64_t(std::fabs(y1 - iy1) * std::fabs(x1 - ix1) * 65536);
    plot(ix1, iy1, 255 - ((b >> 8) & 0xFF));
    int32_t x = ix1;
    int32_t y = iy1;
    if (nx < ny)
    {
        const int64_t step = ady > 0 ? int64_t(65536 * adx / ady) : 0;
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
            if (x + dir >= 0 && x + dir < width)
                plot(x + dir, y, b >> 8);
        }
    }
    else
    {
        const int64_t step = adx > 0 ? int64_t(65536 * ady / adx) : 0;
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
            if (y < height - 1)
                plot(x, y + 1, b >> 8);
        }
    }
    plot(ix2, iy2, 255 - (b >> 8));
}

} // namespace Quib::LineSteps
