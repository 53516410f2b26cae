#include "framework/graphics/BlitKernels.h"

#include "framework/graphics/BlitKernelsSimd.h"
#include "framework/graphics/Simd.h"

#include <algorithm>
#include <array>

namespace Quib
{

namespace
{

using namespace BlitReference;

constexpr bool kHaveX86 =
#if defined(__x86_64__) || defined(__i386__)
    true;
#else
    false;
#endif

// Exact x / 255 for x below 65535.
inline uint32_t Div255(uint32_t x)
{
    return (x + 1 + (x >> 8)) >> 8;
}

// For compositing weight a over destination alpha da: the outcome alpha
// A' = da + (255 - da) a / 255 in the low byte and f = a 255 / A' in the high byte,
// so that no pixel pays for a division.
const uint16_t* OverFactorTable()
{
    static const std::array<uint16_t, 65536> table = []
    {
        std::array<uint16_t, 65536> t{};
        for (uint32_t a = 1; a < 256; ++a)
        {
            for (uint32_t da = 0; da < 256; ++da)
            {
                const uint32_t outA = da + (255 - da) * a / 255;
                t[a << 8 | da] = uint16_t(outA | (a * 255 / outA) << 8);
            }
        }
        return t;
    }();
    return table.data();
}

// The blends below are the reference formulas with the divisions taken from the table.
inline uint32_t FastBlendWhite(uint32_t d, uint32_t s, const uint16_t* factors)
{
    const uint32_t sa = s >> 24;
    if (sa == 0)
        return d;
    const uint32_t both = factors[sa << 8 | d >> 24];
    const uint32_t f = both >> 8;
    const uint32_t r = (((d >> 16) & 0xFF) * (256 - f) + ((s >> 16) & 0xFF) * f) >> 8;
    const uint32_t g = (((d >> 8) & 0xFF) * (256 - f) + ((s >> 8) & 0xFF) * f) >> 8;
    const uint32_t b = (((d & 0xFF) * (256 - f)) >> 8) + (((s & 0xFF) * f) >> 8);
    return Pack(both & 0xFF, r, g, b);
}

inline uint32_t FastBlendGrey(uint32_t d, uint32_t s, uint32_t k, uint32_t ca, const uint16_t* factors)
{
    const uint32_t a = Div255((s >> 24) * ca);
    if (a == 0)
        return d;
    const uint32_t both = factors[a << 8 | d >> 24];
    const uint32_t f = both >> 8;
    const uint32_t r = (((((s >> 16) & 0xFF) * k) >> 8) * f + ((d >> 16) & 0xFF) * (256 - f)) >> 8;
    const uint32_t b = (((((s & 0xFF) * k) >> 8) * f) >> 8) + (((d & 0xFF) * (256 - f)) >> 8);
    const uint32_t g = (((((s >> 8) & 0xFF) * f * k) >> 8) + ((d >> 8) & 0xFF) * (256 - f)) >> 8;
    return Pack(both & 0xFF, r, g, b);
}

inline uint32_t FastBlendColor(uint32_t d, uint32_t s, const BlitColor& c, const uint16_t* factors)
{
    const uint32_t a = Div255((s >> 24) * c.a);
    if (a == 0)
        return d;
    const uint32_t both = factors[a << 8 | d >> 24];
    const uint32_t f = both >> 8;
    const uint32_t r = (((s >> 16) & 0xFF) * f * c.r + 256 * ((d >> 16) & 0xFF) * (256 - f)) >> 16;
    const uint32_t g = (((((s >> 8) & 0xFF) * f * c.g) >> 8) + ((d >> 8) & 0xFF) * (256 - f)) >> 8;
    const uint32_t b = (((s & 0xFF) * f * c.b) >> 16) + (((d & 0xFF) * (256 - f)) >> 8);
    return Pack(both & 0xFF, r, g, b);
}

inline uint32_t FastFillOver(uint32_t d, const BlitColor& c, const uint16_t* factors)
{
    const uint32_t both = factors[c.a << 8 | d >> 24];
    const uint32_t f = both >> 8;
    const uint32_t r = (((d >> 16) & 0xFF) * (256 - f) + c.r * f) >> 8;
    const uint32_t g = (((d >> 8) & 0xFF) * (256 - f) + c.g * f) >> 8;
    const uint32_t b = ((d & 0xFF) * (256 - f) + c.b * f) >> 8;
    return Pack(both & 0xFF, r, g, b);
}

// Unmodulated source over an opaque destination: the run-length bytes tell how far each
// alpha class extends, so transparent runs are skipped and opaque runs copied whole.
void BlendOpaqueDestRow(uint32_t* dst, const uint32_t* src, const uint8_t* runs, int32_t count,
                        const BlitColor&)
{
    int32_t x = 0;
    while (x < count)
    {
        const int32_t run = std::min<int32_t>(std::max<int32_t>(runs[x], 1), count - x);
        const uint32_t alpha = src[x] >> 24;
        if (alpha == 255)
        {
            std::copy_n(src + x, run, dst + x);
        }
        else if (alpha != 0)
        {
            for (int32_t i = x; i < x + run; ++i)
                dst[i] = BlendOpaqueDest(dst[i], src[i]);
        }
        x += run;
    }
}

void BlendWhiteRow(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count, const BlitColor&)
{
    const uint16_t* factors = OverFactorTable();
    for (int32_t i = 0; i < count; ++i)
        dst[i] = FastBlendWhite(dst[i], src[i], factors);
}

void BlendGreyRow(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count, const BlitColor& color)
{
    const uint16_t* factors = OverFactorTable();
    for (int32_t i = 0; i < count; ++i)
        dst[i] = FastBlendGrey(dst[i], src[i], color.r, color.a, factors);
}

void BlendColorRow(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count, const BlitColor& color)
{
    const uint16_t* factors = OverFactorTable();
    for (int32_t i = 0; i < count; ++i)
        dst[i] = FastBlendColor(dst[i], src[i], color, factors);
}

template <uint32_t (*Add)(uint32_t, uint32_t)>
void AddRow(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count, const BlitColor&)
{
    for (int32_t i = 0; i < count; ++i)
        dst[i] = Add(dst[i], src[i]);
}

template <uint32_t (*Add)(uint32_t, uint32_t, const BlitColor&)>
void AddColorRow(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count, const BlitColor& m)
{
    for (int32_t i = 0; i < count; ++i)
        dst[i] = Add(dst[i], src[i], m);
}

BlitRows::RowFunction ScalarRow(BlitOp op)
{
    switch (op)
    {
    case BlitOp::BlendOpaqueDest:
        return &BlendOpaqueDestRow;
    case BlitOp::BlendWhite:
        return &BlendWhiteRow;
    case BlitOp::BlendGrey:
        return &BlendGreyRow;
    case BlitOp::BlendColor:
        return &BlendColorRow;
    case BlitOp::AddWhiteAlpha:
        return &AddRow<&AddWhiteAlpha>;
    case BlitOp::AddWhite:
        return &AddRow<&AddWhite>;
    case BlitOp::AddColorAlpha:
        return &AddColorRow<&AddColorAlpha>;
    default:
        return &AddColorRow<&AddColor>;
    }
}

} // namespace

namespace BlitRows
{

RowFunction Select(BlitOp op)
{
    if constexpr (kHaveX86)
    {
        const SimdLevel level = ActiveSimdLevel();
        RowFunction row = nullptr;
        if (level == SimdLevel::Avx2)
            row = BlitSimd::Avx2Row(op);
        if (row == nullptr && level != SimdLevel::Scalar)
            row = BlitSimd::Sse2Row(op);
        if (row != nullptr)
            return row;
    }
    return ScalarRow(op);
}

void BlitReference(BlitOp op, uint32_t* dst, const uint32_t* src, int32_t count, const BlitColor& color)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t d = dst[i];
        const uint32_t s = src[i];
        switch (op)
        {
        case BlitOp::BlendOpaqueDest:
            dst[i] = BlendOpaqueDest(d, s);
            break;
        case BlitOp::BlendWhite:
            dst[i] = BlendWhite(d, s);
            break;
        case BlitOp::BlendGrey:
            dst[i] = BlendGrey(d, s, color.r, color.a);
            break;
        case BlitOp::BlendColor:
            dst[i] = BlendColor(d, s, color);
            break;
        case BlitOp::AddWhiteAlpha:
            dst[i] = AddWhiteAlpha(d, s);
            break;
        case BlitOp::AddWhite:
            dst[i] = AddWhite(d, s);
            break;
        case BlitOp::AddColorAlpha:
            dst[i] = AddColorAlpha(d, s, color);
            break;
        case BlitOp::AddColor:
            dst[i] = AddColor(d, s, color);
            break;
        }
    }
}

void Fill(uint32_t* dst, int32_t count, const BlitColor& color)
{
    if (color.a == 255)
    {
        std::fill_n(dst, count, Pack(255, color.r, color.g, color.b));
        return;
    }
    if (color.a == 0)
        return;
    const uint16_t* factors = OverFactorTable();
    const SimdLevel level = ActiveSimdLevel();
    int32_t x = 0;
    while (x < count)
    {
        if constexpr (kHaveX86)
        {
            if (level == SimdLevel::Avx2)
                x += BlitSimd::FillOpaqueDestAvx2(dst + x, count - x, color);
            if (level != SimdLevel::Scalar)
                x += BlitSimd::FillOpaqueDestSse2(dst + x, count - x, color);
        }
        // A group with a pixel that is not opaque, or the tail.
        const int32_t end = std::min(count, x + 8);
        for (; x < end; ++x)
            dst[x] = FastFillOver(dst[x], color, factors);
    }
}

void FillReference(uint32_t* dst, int32_t count, const BlitColor& color)
{
    for (int32_t i = 0; i < count; ++i)
    {
        if (color.a == 255)
            dst[i] = Pack(255, color.r, color.g, color.b);
        else if (color.a != 0)
            dst[i] = FillOver(dst[i], color.r, color.g, color.b, color.a);
    }
}

void FillCoverage(uint32_t* dst, const uint8_t* coverage, int32_t count, const BlitColor& color)
{
    const uint16_t* factors = OverFactorTable();
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t a = (color.a * (uint32_t(coverage[i]) + 1)) >> 8;
        if (a == 0)
            continue;
        const uint32_t d = dst[i];
        const uint32_t both = factors[a << 8 | d >> 24];
        const uint32_t f = both >> 8;
        const uint32_t r = (((d >> 16) & 0xFF) * (256 - f) + color.r * f) >> 8;
        const uint32_t g = (((d >> 8) & 0xFF) * (256 - f) + color.g * f) >> 8;
        const uint32_t b = ((d & 0xFF) * (256 - f) + color.b * f) >> 8;
        dst[i] = Pack(both & 0xFF, r, g, b);
    }
}

void FillCoverageReference(uint32_t* dst, const uint8_t* coverage, int32_t count, const BlitColor& color)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t a = (color.a * (uint32_t(coverage[i]) + 1)) >> 8;
        if (a != 0)
            dst[i] = FillOver(dst[i], color.r, color.g, color.b, a);
    }
}

} // namespace BlitRows

} // namespace Quib
