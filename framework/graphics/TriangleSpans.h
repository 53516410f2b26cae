#pragma once

// The pixel-exact core shared by the span routines and their scalar reference:
// which pixels a triangle covers, how attributes are stepped across it, and how a
// shaded pixel is written in each destination format.

#include "framework/graphics/TriangleRasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Quib::raster
{

inline int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b) != 0 && ((a < 0) != (b < 0)))
        --q;
    return q;
}

inline __int128 FloorDiv128(__int128 a, __int128 b)
{
    __int128 q = a / b;
    if ((a % b) != 0 && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// The first pixel row or column whose centre (an integer coordinate) lies at or
// after a 16.16 position.
inline int32_t CeilPixel(int32_t fixed)
{
    return int32_t((int64_t(fixed) + 0xFFFF) >> 16);
}

// Where an edge crosses successive pixel rows, as the first pixel column at or right
// of the exact crossing. The crossing is kept as an exact quotient and remainder, so
// two triangles sharing the edge find the same column on every row: one ends its span
// there and the other starts, which leaves neither gaps nor overlaps.
class EdgeCrossing
{
public:
    EdgeCrossing(const FixedVertex& top, const FixedVertex& bottom, int32_t row)
    {
        const int64_t dy = int64_t(bottom.y) - top.y;
        const int64_t dx = int64_t(bottom.x) - top.x;
        mDen = dy * 65536;
        const __int128 num = __int128(top.x) * dy + __int128(int64_t(row) * 65536 - top.y) * __int128(dx);
        const __int128 q = FloorDiv128(num, mDen);
        mQ = int64_t(q);
        mR = int64_t(num - q * mDen);
        const int64_t step = dx * 65536;
        mStepQ = FloorDiv(step, mDen);
        mStepR = step - mStepQ * mDen;
    }

    int32_t Column() const { return int32_t(mQ + (mR != 0 ? 1 : 0)); }

    void NextRow()
    {
        mQ += mStepQ;
        mR += mStepR;
        if (mR >= mDen)
        {
            ++mQ;
            mR -= mDen;
        }
    }

private:
    int64_t mDen = 1;
    int64_t mQ = 0;
    int64_t mR = 0;
    int64_t mStepQ = 0;
    int64_t mStepR = 0;
};

// Calls fn(row, firstColumn, endColumn) for every non-empty span of the triangle.
// A pixel belongs to the triangle when its centre lies inside, or on a left or top
// edge (rows and columns are half-open).
template <class Fn> void ForEachTriangleSpan(const FixedVertex* vertices, Fn&& fn)
{
    const FixedVertex* v[3] = {&vertices[0], &vertices[1], &vertices[2]};
    std::sort(v, v + 3, [](const FixedVertex* a, const FixedVertex* b) { return a->y < b->y; });
    const __int128 cross = __int128(int64_t(v[1]->x) - v[0]->x) * (int64_t(v[2]->y) - v[0]->y) -
                           __int128(int64_t(v[1]->y) - v[0]->y) * (int64_t(v[2]->x) - v[0]->x);
    if (cross == 0)
        return;
    const bool longEdgeLeft = cross > 0;
    const int32_t rowTop = CeilPixel(v[0]->y);
    const int32_t rowMid = CeilPixel(v[1]->y);
    const int32_t rowBottom = CeilPixel(v[2]->y);
    if (rowTop >= rowBottom)
        return;

    EdgeCrossing longEdge(*v[0], *v[2], rowTop);
    auto walk = [&](const FixedVertex& top, const FixedVertex& bottom, int32_t from, int32_t to)
    {
        if (from >= to)
            return;
        EdgeCrossing shortEdge(top, bottom, from);
        for (int32_t row = from; row < to; ++row)
        {
            const int32_t left = longEdgeLeft ? longEdge.Column() : shortEdge.Column();
            const int32_t right = longEdgeLeft ? shortEdge.Column() : longEdge.Column();
            if (left < right)
                fn(row, left, right);
            longEdge.NextRow();
            shortEdge.NextRow();
        }
    };
    walk(*v[0], *v[1], rowTop, rowMid);
    walk(*v[1], *v[2], rowMid, rowBottom);
}

// A linear attribute over the triangle, evaluated at pixel centres. Each span starts
// from an exact evaluation and steps by a constant, so no error builds up across rows.
class AttributePlane
{
public:
    AttributePlane() = default;
    AttributePlane(const FixedVertex* v, int32_t FixedVertex::*field)
    {
        const double e1x = double(v[1].x) - v[0].x;
        const double e1y = double(v[1].y) - v[0].y;
        const double e2x = double(v[2].x) - v[0].x;
        const double e2y = double(v[2].y) - v[0].y;
        const double area = e1x * e2y - e2x * e1y;
        const double d1 = double(v[1].*field) - v[0].*field;
        const double d2 = double(v[2].*field) - v[0].*field;
        mGradX = area != 0.0 ? (d1 * e2y - d2 * e1y) / area : 0.0;
        mGradY = area != 0.0 ? (d2 * e1x - d1 * e2x) / area : 0.0;
        mBase = v[0].*field;
        mX0 = v[0].x;
        mY0 = v[0].y;
        mStep = ToFixed(mGradX * 65536.0);
    }

    int64_t At(int32_t column, int32_t row) const
    {
        return ToFixed(mBase + mGradX * (double(column) * 65536.0 - mX0) +
                       mGradY * (double(row) * 65536.0 - mY0));
    }
    int64_t Step() const { return mStep; }

private:
    // Bounded so that stepping across any span stays far inside 64 bits.
    static int64_t ToFixed(double value)
    {
        constexpr double limit = 1e15;
        if (!(value > -limit))
            return int64_t(-limit);
        if (value > limit)
            return int64_t(limit);
        return int64_t(std::floor(value));
    }

    double mGradX = 0.0;
    double mGradY = 0.0;
    double mBase = 0.0;
    double mX0 = 0.0;
    double mY0 = 0.0;
    int64_t mStep = 0;
};

struct Argb
{
    uint32_t a, r, g, b;
};

inline Argb Unpack(uint32_t p)
{
    return {p >> 24, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
}

inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Multiplies a channel by a factor 0..255 where 255 leaves it unchanged.
inline uint32_t Modulate(uint32_t channel, uint32_t factor)
{
    return (channel * (factor + 1)) >> 8;
}

inline int64_t ClampFixed(int64_t value, int64_t high)
{
    return value < 0 ? 0 : (value > high ? high : value);
}

inline uint32_t FetchNearest(const TextureDescription& t, int64_t u, int64_t v)
{
    const int32_t x = int32_t(ClampFixed(u, t.maxU) >> 16);
    const int32_t y = int32_t(ClampFixed(v, t.maxV) >> 16);
    return t.bits[size_t(y) * size_t(t.width) + size_t(x)];
}

// Texel centres lie half a texel in; the four neighbours are weighted by the 8-bit
// fractions, each channel on its own (straight alpha).
inline Argb FetchBilinear(const TextureDescription& t, int64_t u, int64_t v)
{
    const int32_t su = int32_t(ClampFixed(u - 32768, t.maxU));
    const int32_t sv = int32_t(ClampFixed(v - 32768, t.maxV));
    const int32_t x0 = su >> 16;
    const int32_t y0 = sv >> 16;
    const uint32_t fx = (uint32_t(su) >> 8) & 0xFF;
    const uint32_t fy = (uint32_t(sv) >> 8) & 0xFF;
    const int32_t x1 = x0 + (x0 < t.width - 1 ? 1 : 0);
    const int32_t y1 = y0 + (y0 < t.height - 1 ? 1 : 0);
    const uint32_t* row0 = t.bits + size_t(y0) * size_t(t.width);
    const uint32_t* row1 = t.bits + size_t(y1) * size_t(t.width);
    const uint32_t p00 = row0[x0], p10 = row0[x1], p01 = row1[x0], p11 = row1[x1];
    auto channel = [&](int shift)
    {
        const uint32_t top = ((p00 >> shift) & 0xFF) * (256 - fx) + ((p10 >> shift) & 0xFF) * fx;
        const uint32_t bottom = ((p01 >> shift) & 0xFF) * (256 - fx) + ((p11 >> shift) & 0xFF) * fx;
        return (top * (256 - fy) + bottom * fy) >> 16;
    };
    return {channel(24), channel(16), channel(8), channel(0)};
}

// Destination access per format. 32-bit formats hold 0xAARRGGBB; the 16-bit ones
// expand their channels to 8 bits by repeating the top bits.
template <int32_t Format> struct PixelAccess;

template <> struct PixelAccess<PIXEL_FORMAT_8888>
{
    using Word = uint32_t;
    static Argb Read(Word p) { return Unpack(p); }
    static Word Write(Argb c) { return Pack(c.a, c.r, c.g, c.b); }
    static constexpr bool kHasAlpha = true;
};

template <> struct PixelAccess<PIXEL_FORMAT_888>
{
    using Word = uint32_t;
    static Argb Read(Word p)
    {
        Argb c = Unpack(p);
        c.a = 255;
        return c;
    }
    static Word Write(Argb c) { return Pack(255, c.r, c.g, c.b); }
    static constexpr bool kHasAlpha = false;
};

template <> struct PixelAccess<PIXEL_FORMAT_565>
{
    using Word = uint16_t;
    static Argb Read(Word p)
    {
        const uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
        return {255, (r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
    }
    static Word Write(Argb c) { return Word(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)); }
    static constexpr bool kHasAlpha = false;
};

template <> struct PixelAccess<PIXEL_FORMAT_555>
{
    using Word = uint16_t;
    static Argb Read(Word p)
    {
        const uint32_t r = (p >> 10) & 31, g = (p >> 5) & 31, b = p & 31;
        return {255, (r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2)};
    }
    static Word Write(Argb c) { return Word(((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3)); }
    static constexpr bool kHasAlpha = false;
};

// The framework's compositing rule (as for fills): an opaque source replaces, a clear
// one leaves the pixel, anything between is blended and the coverage accumulates.
inline Argb Composite(Argb d, Argb s)
{
    if (s.a >= 255)
        return {255, s.r, s.g, s.b};
    const uint32_t outA = d.a + (255 - d.a) * s.a / 255;
    const uint32_t f = s.a * 255 / outA;
    return {outA, (d.r * (256 - f) + s.r * f) >> 8, (d.g * (256 - f) + s.g * f) >> 8,
            (d.b * (256 - f) + s.b * f) >> 8};
}

} // namespace Quib::raster
