#pragma once

#include <cstdint>

namespace Quib
{

// The pixel formulas of the memory image's fills and blits on straight-alpha
// 0xAARRGGBB words. BlitReference holds the plain formulas, one pixel at a time, with
// real divisions; BlitRows holds the row routines the images draw with (tables,
// vector code, run skipping), which must give bit-identical results.

// A drawing colour with components cut to 0..255.
struct BlitColor
{
    uint32_t r = 255;
    uint32_t g = 255;
    uint32_t b = 255;
    uint32_t a = 255;
};

namespace BlitReference
{

inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return a << 24 | r << 16 | g << 8 | b;
}

// Composites colour (r, g, b) with weight a (1..255) over d; used by fills and coverage.
inline uint32_t FillOver(uint32_t d, uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    const uint32_t da = d >> 24;
    const uint32_t outA = da + (255 - da) * a / 255;
    const uint32_t f = a * 255 / outA;
    const uint32_t outR = (((d >> 16) & 0xFF) * (256 - f) + r * f) >> 8;
    const uint32_t outG = (((d >> 8) & 0xFF) * (256 - f) + g * f) >> 8;
    const uint32_t outB = ((d & 0xFF) * (256 - f) + b * f) >> 8;
    return Pack(outA, outR, outG, outB);
}

// Unmodulated source over an opaque destination, by the source pixel's alpha class.
inline uint32_t BlendOpaqueDest(uint32_t d, uint32_t s)
{
    const uint32_t a = s >> 24;
    if (a == 0)
        return d;
    if (a == 255)
        return s;
    const uint32_t r = (((d >> 16) & 0xFF) * (256 - a) + ((s >> 16) & 0xFF) * a) >> 8;
    const uint32_t g = (((d >> 8) & 0xFF) * (256 - a) + ((s >> 8) & 0xFF) * a) >> 8;
    const uint32_t b = (((d & 0xFF) * (256 - a)) >> 8) + (((s & 0xFF) * a) >> 8);
    return Pack(255, r, g, b);
}

// Unmodulated source over a destination that may hold alpha.
inline uint32_t BlendWhite(uint32_t d, uint32_t s)
{
    const uint32_t sa = s >> 24;
    if (sa == 0)
        return d;
    const uint32_t da = d >> 24;
    const uint32_t outA = da + (255 - da) * sa / 255;
    const uint32_t f = sa * 255 / outA;
    const uint32_t r = (((d >> 16) & 0xFF) * (256 - f) + ((s >> 16) & 0xFF) * f) >> 8;
    const uint32_t g = (((d >> 8) & 0xFF) * (256 - f) + ((s >> 8) & 0xFF) * f) >> 8;
    const uint32_t b = (((d & 0xFF) * (256 - f)) >> 8) + (((s & 0xFF) * f) >> 8);
    return Pack(outA, r, g, b);
}

// Source modulated by a grey level k = r = g = b of the colour, with the colour's alpha.
inline uint32_t BlendGrey(uint32_t d, uint32_t s, uint32_t k, uint32_t ca)
{
    const uint32_t a = (s >> 24) * ca / 255;
    if (a == 0)
        return d;
    const uint32_t da = d >> 24;
    const uint32_t outA = da + (255 - da) * a / 255;
    const uint32_t f = a * 255 / outA;
    const uint32_t r = (((((s >> 16) & 0xFF) * k) >> 8) * f + ((d >> 16) & 0xFF) * (256 - f)) >> 8;
    const uint32_t b = (((((s & 0xFF) * k) >> 8) * f) >> 8) + (((d & 0xFF) * (256 - f)) >> 8);
    const uint32_t g = (((((s >> 8) & 0xFF) * f * k) >> 8) + ((d >> 8) & 0xFF) * (256 - f)) >> 8;
    return Pack(outA, r, g, b);
}

// Source modulated by any colour.
inline uint32_t BlendColor(uint32_t d, uint32_t s, const BlitColor& c)
{
    const uint32_t a = (s >> 24) * c.a / 255;
    if (a == 0)
        return d;
    const uint32_t da = d >> 24;
    const uint32_t outA = da + (255 - da) * a / 255;
    const uint32_t f = a * 255 / outA;
    const uint32_t r = (((s >> 16) & 0xFF) * f * c.r + 256 * ((d >> 16) & 0xFF) * (256 - f)) >> 16;
    const uint32_t g = (((((s >> 8) & 0xFF) * f * c.g) >> 8) + ((d >> 8) & 0xFF) * (256 - f)) >> 8;
    const uint32_t b = (((s & 0xFF) * f * c.b) >> 16) + (((d & 0xFF) * (256 - f)) >> 8);
    return Pack(outA, r, g, b);
}

// The additive saturation: T[i] = min(i, 255).
inline uint32_t Saturate(uint32_t value)
{
    return value > 255 ? 255 : value;
}

inline uint32_t AddChannels(uint32_t d, uint32_t r, uint32_t g, uint32_t b)
{
    return (d & 0xFF000000) | Saturate(((d >> 16) & 0xFF) + r) << 16 | Saturate(((d >> 8) & 0xFF) + g) << 8 |
           Saturate((d & 0xFF) + b);
}

// Additive, white colour, source with translucent pixels: colour weighted by its alpha.
inline uint32_t AddWhiteAlpha(uint32_t d, uint32_t s)
{
    const uint32_t a = s >> 24;
    return AddChannels(d, (((s >> 16) & 0xFF) * a) >> 8, (((s >> 8) & 0xFF) * a) >> 8, ((s & 0xFF) * a) >> 8);
}

// Additive, white colour, source without translucent pixels: the alpha is not used.
inline uint32_t AddWhite(uint32_t d, uint32_t s)
{
    return AddChannels(d, (s >> 16) & 0xFF, (s >> 8) & 0xFF, s & 0xFF);
}

// m holds c_a x channel / 255 per channel of the colour.
inline uint32_t AddColorAlpha(uint32_t d, uint32_t s, const BlitColor& m)
{
    const uint32_t a = s >> 24;
    return AddChannels(d, (((s >> 16) & 0xFF) * m.r * a) >> 16, (((s >> 8) & 0xFF) * m.g * a) >> 16,
                       ((((s & 0xFF) * m.b) >> 8) * a) >> 8);
}

inline uint32_t AddColor(uint32_t d, uint32_t s, const BlitColor& m)
{
    return AddChannels(d, (((s >> 16) & 0xFF) * m.r) >> 8, (((s >> 8) & 0xFF) * m.g) >> 8,
                       ((s & 0xFF) * m.b) >> 8);
}

} // namespace BlitReference

enum class BlitOp
{
    BlendOpaqueDest, // needs the source's run-length alpha bytes
    BlendWhite,
    BlendGrey,
    BlendColor,
    AddWhiteAlpha,
    AddWhite,
    AddColorAlpha,
    AddColor,
};

namespace BlitRows
{

// Draws count source pixels over count destination pixels with the operation's formula.
// runs: the source row's run-length alpha bytes (BlendOpaqueDest only). color: the
// drawing colour (blends) or the per-channel multipliers m (additive with colour).
// Source and destination must not overlap.
using RowFunction = void (*)(uint32_t* dst, const uint32_t* src, const uint8_t* runs, int32_t count,
                             const BlitColor& color);

// The fastest routine for the operation at the active vector level; a blit chooses once
// and draws all its rows with it.
RowFunction Select(BlitOp op);

inline void Blit(BlitOp op, uint32_t* dst, const uint32_t* src, const uint8_t* runs, int32_t count,
                 const BlitColor& color)
{
    Select(op)(dst, src, runs, count, color);
}

// The same through BlitReference, one pixel at a time.
void BlitReference(BlitOp op, uint32_t* dst, const uint32_t* src, int32_t count, const BlitColor& color);

// Composites the colour over count pixels (alpha 1..254), or stores it (alpha 255).
void Fill(uint32_t* dst, int32_t count, const BlitColor& color);
void FillReference(uint32_t* dst, int32_t count, const BlitColor& color);

// Composites the colour over count pixels, each weighted by its coverage byte:
// a = (c_a (v + 1)) >> 8; a weight of 0 leaves the pixel.
void FillCoverage(uint32_t* dst, const uint8_t* coverage, int32_t count, const BlitColor& color);
void FillCoverageReference(uint32_t* dst, const uint8_t* coverage, int32_t count, const BlitColor& color);

} // namespace BlitRows

} // namespace Quib
