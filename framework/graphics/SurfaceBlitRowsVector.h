#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include "framework/graphics/SurfaceRowLanes.h"

#include <cstdint>

// The 32-bit surface rows written once over a vector width L (SurfaceRowLanes): each
// takes whole groups of L::kPixels pixels and returns how many pixels it drew; the
// caller hands the rest to a narrower row.
namespace Quib::SurfaceBlitRows
{

// Per-pixel 16-bit lanes: each channel times its pixel's 256 - A fits in 16 bits,
// the shift by 8 leaves the byte the scalar masks keep, and the packed bytes are
// added to n as whole words, carries included, as the scalar form does. Groups wholly
// transparent or wholly opaque take their short cut.
template <typename L> int32_t OverWhite32Lanes(uint8_t* dest, const uint32_t* native, int32_t count)
{
    using V = typename L::Vector;
    const V zero = L::Zero();
    const V colour = L::Set32(0x00FFFFFF);
    const V full = L::Set32(256);
    const V alphaMask = L::Set32(int32_t(0xFF000000));
    int32_t i = 0;
    for (; i + L::kPixels <= count; i += L::kPixels)
    {
        const V n = L::Load(native + i);
        const V alpha = L::And(n, alphaMask);
        const V skip = L::Equal32(alpha, zero);
        if (L::AllSet(skip))
            continue;
        if (L::AllSet(L::Equal32(alpha, alphaMask)))
        {
            L::Store(dest + 4 * i, n);
            continue;
        }
        const V below = L::Load(dest + 4 * i);
        const V d = L::And(below, colour);
        const V k = L::Sub32(full, L::ShiftRight32(n, 24));
        const V k16 = L::Or(k, L::ShiftLeft32(k, 16));
        const V low = L::ShiftRight16(L::MulLow16(L::UnpackLow8(d, zero), L::UnpackLow32(k16, k16)), 8);
        const V high = L::ShiftRight16(L::MulLow16(L::UnpackHigh8(d, zero), L::UnpackHigh32(k16, k16)), 8);
        const V blended = L::Add32(L::PackUnsigned16(low, high), n);
        L::Store(dest + 4 * i, L::Select(skip, below, blended));
    }
    return i;
}

template <typename L> int32_t AddWhite32Lanes(uint8_t* dest, const uint32_t* native, int32_t count)
{
    using V = typename L::Vector;
    const V colour = L::Set32(0x00FFFFFF);
    const V zero = L::Zero();
    int32_t i = 0;
    for (; i + L::kPixels <= count; i += L::kPixels)
    {
        const V n = L::And(L::Load(native + i), colour);
        const V skip = L::Equal32(n, zero);
        if (L::AllSet(skip))
            continue;
        const V below = L::Load(dest + 4 * i);
        const V sum = L::AddSaturated8(L::And(below, colour), n);
        L::Store(dest + 4 * i, L::Select(skip, below, sum));
    }
    return i;
}

// 16-bit lanes again: A x colorAlpha fits, its division by 255 is exact as
// (x + 1 + (x >> 8)) >> 8 over that range, and the channel sums are taken modulo 2^16,
// which keeps the byte the scalar mask keeps.
template <typename L>
int32_t OverColor32Lanes(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                         uint32_t colorAlpha)
{
    using V = typename L::Vector;
    const V zero = L::Zero();
    const V colour = L::Set32(0x00FFFFFF);
    const V full = L::Set32(256);
    const V one = L::Set32(1);
    const V opaque = L::Set32(255);
    const V paintAlpha = L::Set32(int32_t(colorAlpha));
    // One pixel's three channel factors and a zero for its top byte, in every pixel.
    const V factors = L::Set64(int64_t(uint64_t(factor[0] & 0xFFFF) | uint64_t(factor[1] & 0xFFFF) << 16 |
                                       uint64_t(factor[2] & 0xFFFF) << 32));
    const bool solid = colorAlpha == 255;
    int32_t i = 0;
    for (; i + L::kPixels <= count; i += L::kPixels)
    {
        const V n = L::Load(native + i);
        const V alpha = L::ShiftRight32(n, 24);
        const V skip = L::Equal32(alpha, zero);
        if (L::AllSet(skip))
            continue;
        const V x = L::MulLow16(alpha, paintAlpha);
        const V share = L::ShiftRight32(L::Add32(L::Add32(x, one), L::ShiftRight32(x, 8)), 8);
        V k = L::Sub32(full, share);
        if (solid)
            k = L::AndNot(L::Equal32(alpha, opaque), k);
        const V k16 = L::Or(k, L::ShiftLeft32(k, 16));
        const V below = L::Load(dest + 4 * i);
        const V d = L::And(below, colour);
        const V c = L::And(n, colour);
        const V low = L::ShiftRight16(L::Add16(L::MulLow16(L::UnpackLow8(d, zero), L::UnpackLow32(k16, k16)),
                                               L::MulLow16(L::UnpackLow8(c, zero), factors)),
                                      8);
        const V high =
            L::ShiftRight16(L::Add16(L::MulLow16(L::UnpackHigh8(d, zero), L::UnpackHigh32(k16, k16)),
                                     L::MulLow16(L::UnpackHigh8(c, zero), factors)),
                            8);
        L::Store(dest + 4 * i, L::Select(skip, below, L::PackUnsigned16(low, high)));
    }
    return i;
}

} // namespace Quib::SurfaceBlitRows
#endif
