#include "framework/graphics/RotatedBlitRows.h"

#include "framework/graphics/LaneSpread.h"
#include "framework/graphics/Simd.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVELLAN_ROTATED_SSE2 1
#define AVX2_TARGET __attribute__((target("avx2")))
#endif

namespace Quib::RotatedBlitRows
{
namespace
{

struct Sample
{
    uint32_t a; // A, the summed weights of the four neighbours
    uint32_t r; // premultiplied sums S
    uint32_t g;
    uint32_t b;
};

// The fractions are made odd so that no weight reaches 65536 and every product fits
// in 32 bits.
inline Sample SampleAt(const Row& row, int32_t u, int32_t v, uint32_t colorAlpha, bool scaleAlpha)
{
    const uint32_t* p0 = row.src + int64_t(v >> 16) * row.stride + (u >> 16);
    const uint32_t* p1 = p0 + row.stride;
    const uint32_t fx = (uint32_t(u) & 0xFFFE) + 1;
    const uint32_t fy = (uint32_t(v) & 0xFFFE) + 1;
    const uint32_t pixels[4] = {p0[0], p0[1], p1[0], p1[1]};
    const uint32_t weights[4] = {((65536 - fx) * (65536 - fy)) >> 16, (fx * (65536 - fy)) >> 16,
                                 ((65536 - fx) * fy) >> 16, (fx * fy) >> 16};
    Sample s{0, 0, 0, 0};
    for (int n = 0; n < 4; ++n)
    {
        uint32_t an = (weights[n] * (pixels[n] >> 24)) >> 16;
        if (scaleAlpha)
            an = (an * colorAlpha) >> 8;
        s.a += an;
        s.r += ((pixels[n] >> 16) & 0xFF) * an;
        s.g += ((pixels[n] >> 8) & 0xFF) * an;
        s.b += (pixels[n] & 0xFF) * an;
    }
    return s;
}

inline uint32_t Saturate(uint32_t value)
{
    return value > 255 ? 255 : value;
}

inline uint32_t ComposeNormal(uint32_t d, uint32_t cA, uint32_t cR, uint32_t cG, uint32_t cB)
{
    if (cA >= 251)
        return 0xFF000000u | (cR << 16) | (cG << 8) | cB;
    const uint32_t da = d >> 24;
    const uint32_t i = 256 - cA;
    const uint32_t t = ((256 - da) * i) >> 8;
    const uint32_t den = 256 - t;
    auto channel = [&](uint32_t dc, uint32_t c) { return ((((dc * da) >> 8) * i + 256 * c) / den) & 0xFF; };
    return ((255 - t) << 24) | (channel((d >> 16) & 0xFF, cR) << 16) | (channel((d >> 8) & 0xFF, cG) << 8) |
           channel(d & 0xFF, cB);
}

inline void DrawSample(const Sample& s, const Paint& paint, uint32_t* dest)
{
    const bool modulate = !paint.white;
    if (s.a == 0)
        return;
    const uint32_t d = *dest;
    if (!paint.additive)
    {
        uint32_t cR = s.r >> 8, cG = s.g >> 8, cB = s.b >> 8;
        if (modulate)
        {
            cR = (s.r * (paint.r + 1)) >> 16;
            cG = ((s.g >> 8) * (paint.g + 1)) >> 8;
            cB = ((s.b >> 8) * (paint.b + 1)) >> 8;
        }
        *dest = ComposeNormal(d, s.a, cR, cG, cB);
        return;
    }
    uint32_t addR = s.r >> 8, addG = s.g >> 8, addB = s.b >> 8;
    if (modulate)
    {
        const uint32_t mR = paint.a * paint.r / 255;
        const uint32_t mG = paint.a * paint.g / 255;
        const uint32_t mB = paint.a * paint.b / 255;
        addR = ((s.r >> 8) * mR) >> 8;
        addG = (s.g * mG) >> 16;
        addB = (s.b * mB) >> 16;
    }
    *dest = (d & 0xFF000000u) | (Saturate(((d >> 16) & 0xFF) + addR) << 16) |
            (Saturate(((d >> 8) & 0xFF) + addG) << 8) | Saturate((d & 0xFF) + addB);
}

inline void ReferencePixel(const Row& row, const Paint& paint, int32_t u, int32_t v, uint32_t* dest)
{
    DrawSample(SampleAt(row, u, v, paint.a, !paint.white && !paint.additive), paint, dest);
}

#ifdef ORVELLAN_ROTATED_SSE2

using LaneSpread::SpreadHigh;
using LaneSpread::SpreadLow;

// Normal mode, one pixel per step in 16-bit lanes: the two source rows' neighbour
// pairs are widened, weighted with mulhi (weights and alphas fit 16 bits, so the high
// half of the product is exactly the >> 16 of the formula), and summed; with the alpha
// lane of each neighbour set to 1 the same products yield A. Destination pixels that
// are not opaque take the scalar formula, which divides.
void DrawNormalSse2(const Row& row, const Paint& paint)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i rgbMask = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i alphaOne = _mm_set_epi16(1, 0, 0, 0, 1, 0, 0, 0);
    const __m128i colorAlpha = _mm_set1_epi16(int16_t(paint.a));
    // Red uses (S x (c + 1)) >> 16, green and blue ((S >> 8) x (c + 1)) >> 8.
    const __m128i factors =
        _mm_set_epi16(0, 0, 0, 0, 0, int16_t(paint.r + 1), int16_t(paint.g + 1), int16_t(paint.b + 1));
    const __m128i redLane = _mm_set_epi16(0, 0, 0, 0, 0, -1, 0, 0);
    const bool modulate = !paint.white;

    int32_t u = row.u;
    int32_t v = row.v;
    uint32_t* dest = row.dest;
    for (int32_t k = 0; k < row.count; ++k, u += row.du, v += row.dv, ++dest)
    {
        const uint32_t* p0 = row.src + int64_t(v >> 16) * row.stride + (u >> 16);
        const uint32_t* p1 = p0 + row.stride;
        const __m128i top64 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p0));
        const __m128i bottom64 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p1));
        const __m128i both = _mm_unpacklo_epi64(top64, bottom64);
        // Four transparent neighbours give A = 0: nothing to draw.
        if ((_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(both, 24), zero)) & 0xFFFF) == 0xFFFF)
            continue;

        const uint32_t fx = (uint32_t(u) & 0xFFFE) + 1;
        const uint32_t fy = (uint32_t(v) & 0xFFFE) + 1;
        const uint32_t ifx = 65536 - fx;
        const uint32_t ify = 65536 - fy;
        const uint32_t w00 = (ifx * ify) >> 16, w10 = (fx * ify) >> 16;
        const uint32_t w01 = (ifx * fy) >> 16, w11 = (fx * fy) >> 16;

        const __m128i top = _mm_unpacklo_epi8(top64, zero);
        const __m128i bottom = _mm_unpacklo_epi8(bottom64, zero);
        __m128i wTop = _mm_cvtsi32_si128(int32_t(w00 | (w10 << 16)));
        wTop = _mm_unpacklo_epi32(_mm_unpacklo_epi16(wTop, wTop), _mm_unpacklo_epi16(wTop, wTop));
        __m128i wBottom = _mm_cvtsi32_si128(int32_t(w01 | (w11 << 16)));
        wBottom =
            _mm_unpacklo_epi32(_mm_unpacklo_epi16(wBottom, wBottom), _mm_unpacklo_epi16(wBottom, wBottom));

        const __m128i alphaTop = _mm_shufflehi_epi16(_mm_shufflelo_epi16(top, 0xFF), 0xFF);
        const __m128i alphaBottom = _mm_shufflehi_epi16(_mm_shufflelo_epi16(bottom, 0xFF), 0xFF);
        __m128i aTop = _mm_mulhi_epu16(wTop, alphaTop);
        __m128i aBottom = _mm_mulhi_epu16(wBottom, alphaBottom);
        if (modulate)
        {
            aTop = _mm_srli_epi16(_mm_mullo_epi16(aTop, colorAlpha), 8);
            aBottom = _mm_srli_epi16(_mm_mullo_epi16(aBottom, colorAlpha), 8);
        }
        const __m128i valuesTop = _mm_or_si128(_mm_and_si128(top, rgbMask), alphaOne);
        const __m128i valuesBottom = _mm_or_si128(_mm_and_si128(bottom, rgbMask), alphaOne);
        __m128i sum = _mm_add_epi16(_mm_mullo_epi16(valuesTop, aTop), _mm_mullo_epi16(valuesBottom, aBottom));
        sum = _mm_add_epi16(sum, _mm_srli_si128(sum, 8));

        const uint32_t coverage = uint32_t(_mm_extract_epi16(sum, 3));
        if (coverage == 0)
            continue;
        __m128i c;
        if (modulate)
        {
            const __m128i red = _mm_mulhi_epu16(sum, factors);
            const __m128i greenBlue = _mm_srli_epi16(_mm_mullo_epi16(_mm_srli_epi16(sum, 8), factors), 8);
            c = _mm_or_si128(_mm_and_si128(redLane, red), _mm_andnot_si128(redLane, greenBlue));
        }
        else
        {
            c = _mm_srli_epi16(sum, 8);
        }
        const uint32_t d = *dest;
        if (coverage >= 251)
        {
            *dest = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(c, zero))) | 0xFF000000u;
        }
        else if ((d >> 24) == 255)
        {
            // Over an opaque pixel the divisor is 256: C + ((((d x 255) >> 8) x (256 - A)) >> 8).
            const __m128i dWide = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int32_t(d)), zero);
            const __m128i dScaled = _mm_srli_epi16(_mm_mullo_epi16(dWide, _mm_set1_epi16(255)), 8);
            const __m128i kept =
                _mm_srli_epi16(_mm_mullo_epi16(dScaled, _mm_set1_epi16(int16_t(256 - coverage))), 8);
            const __m128i out = _mm_add_epi16(c, kept);
            *dest = (uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(out, zero))) & 0x00FFFFFFu) | 0xFF000000u;
        }
        else
        {
            const uint32_t cR = uint32_t(_mm_extract_epi16(c, 2));
            const uint32_t cG = uint32_t(_mm_extract_epi16(c, 1));
            const uint32_t cB = uint32_t(_mm_extract_epi16(c, 0));
            *dest = ComposeNormal(d, coverage, cR, cG, cB);
        }
    }
}

// Pixel k of a whole-pixel row (below), where the top-left neighbour has all the
// weight and the other three add nothing.
inline void WholePixel(const Row& row, const Paint& paint, int32_t k)
{
    const uint32_t p = row.src[int64_t(row.v >> 16) * row.stride + (row.u >> 16) + k];
    uint32_t a = (65534 * (p >> 24)) >> 16;
    if (!paint.white && !paint.additive)
        a = (a * paint.a) >> 8;
    DrawSample({a, ((p >> 16) & 0xFF) * a, ((p >> 8) & 0xFF) * a, (p & 0xFF) * a}, paint, row.dest + k);
}

// With no turn and the position on a pixel corner the odd fractions leave the
// top-left neighbour all the weight (w00 = 65534, the other three 0): each source
// pixel lands on one destination pixel with a = (65534 x alpha) >> 16, which is
// alpha - 1 and 0 for alpha 0 and 1. Four pixels a step, no neighbours read.
bool IsWholePixelRow(const Row& row)
{
    return row.du == 65536 && row.dv == 0 && (row.u & 0xFFFF) == 0 && (row.v & 0xFFFF) == 0;
}

// Partly covered pixels over a pixel that is not opaque take the dividing formula:
// each lane of the step at k whose bit in settled is clear gets its destination
// pixel back and is drawn one by one.
void RedrawUnsettled(const Row& row, const Paint& paint, int32_t k, int32_t lanes, int settled,
                     const uint32_t* before)
{
    for (int32_t i = 0; i < lanes; ++i)
        if ((settled & (1 << i)) == 0)
        {
            row.dest[k + i] = before[i];
            WholePixel(row, paint, k + i);
        }
}

inline __m128i Select(__m128i mask, __m128i chosen, __m128i other)
{
    return _mm_or_si128(_mm_and_si128(mask, chosen), _mm_andnot_si128(mask, other));
}

void DrawWholePixelsSse2(const Row& row, const Paint& paint)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i colorAlpha = _mm_set1_epi16(int16_t(paint.a));
    const __m128i factors =
        _mm_set_epi16(0, int16_t(paint.r + 1), int16_t(paint.g + 1), int16_t(paint.b + 1), 0,
                      int16_t(paint.r + 1), int16_t(paint.g + 1), int16_t(paint.b + 1));
    const __m128i redLanes = _mm_set_epi16(0, -1, 0, 0, 0, -1, 0, 0);
    const __m128i opaque = _mm_set1_epi32(int32_t(0xFF000000u));
    const bool modulate = !paint.white;
    auto channels = [&](__m128i sum)
    {
        if (!modulate)
            return _mm_srli_epi16(sum, 8);
        const __m128i red = _mm_mulhi_epu16(sum, factors);
        const __m128i greenBlue = _mm_srli_epi16(_mm_mullo_epi16(_mm_srli_epi16(sum, 8), factors), 8);
        return Select(redLanes, red, greenBlue);
    };
    // Over an opaque pixel the divisor is 256: C + ((((d x 255) >> 8) x (256 - A)) >> 8).
    auto over = [&](__m128i c, __m128i d, __m128i inverse)
    {
        const __m128i scaled = _mm_srli_epi16(_mm_mullo_epi16(d, _mm_set1_epi16(255)), 8);
        return _mm_add_epi16(c, _mm_srli_epi16(_mm_mullo_epi16(scaled, inverse), 8));
    };

    const uint32_t* src = row.src + int64_t(row.v >> 16) * row.stride + (row.u >> 16);
    uint32_t* dest = row.dest;
    int32_t k = 0;
    for (; k + 4 <= row.count; k += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + k));
        __m128i a = _mm_subs_epu16(_mm_srli_epi32(s, 24), _mm_set1_epi32(1));
        if (modulate)
            a = _mm_srli_epi16(_mm_mullo_epi16(a, colorAlpha), 8);
        const __m128i none = _mm_cmpeq_epi32(a, zero);
        if (_mm_movemask_epi8(none) == 0xFFFF)
            continue;
        const __m128i cLow = channels(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), SpreadLow(a)));
        const __m128i cHigh = channels(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), SpreadHigh(a)));
        const __m128i full = _mm_cmpgt_epi32(a, _mm_set1_epi32(250));
        if (_mm_movemask_epi8(full) == 0xFFFF)
        {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + k),
                             _mm_or_si128(_mm_packus_epi16(cLow, cHigh), opaque));
            continue;
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + k));
        const __m128i inverse = _mm_sub_epi32(_mm_set1_epi32(256), a);
        const __m128i blended =
            _mm_packus_epi16(over(cLow, _mm_unpacklo_epi8(d, zero), SpreadLow(inverse)),
                             over(cHigh, _mm_unpackhi_epi8(d, zero), SpreadHigh(inverse)));
        __m128i out = Select(full, _mm_packus_epi16(cLow, cHigh), blended);
        out = Select(none, d, _mm_or_si128(out, opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + k), out);

        const __m128i destOpaque = _mm_cmpeq_epi32(_mm_srli_epi32(d, 24), _mm_set1_epi32(255));
        const int settled =
            _mm_movemask_ps(_mm_castsi128_ps(_mm_or_si128(_mm_or_si128(full, none), destOpaque)));
        if (settled != 0xF)
        {
            alignas(16) uint32_t before[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(before), d);
            RedrawUnsettled(row, paint, k, 4, settled, before);
        }
    }
    for (; k < row.count; ++k)
        WholePixel(row, paint, k);
}

AVX2_TARGET inline __m256i Select(__m256i mask, __m256i chosen, __m256i other)
{
    return _mm256_blendv_epi8(other, chosen, mask);
}

AVX2_TARGET inline __m256i Channels(__m256i sum, __m256i factors, bool modulate)
{
    if (!modulate)
        return _mm256_srli_epi16(sum, 8);
    const __m256i red = _mm256_mulhi_epu16(sum, factors);
    const __m256i greenBlue = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(sum, 8), factors), 8);
    return Select(_mm256_set1_epi64x(0x0000FFFF00000000ll), red, greenBlue);
}

AVX2_TARGET inline __m256i Over(__m256i c, __m256i d, __m256i inverse)
{
    const __m256i scaled = _mm256_srli_epi16(_mm256_mullo_epi16(d, _mm256_set1_epi16(255)), 8);
    return _mm256_add_epi16(c, _mm256_srli_epi16(_mm256_mullo_epi16(scaled, inverse), 8));
}

// The whole-pixel row eight pixels a step; the last pixels go to the four-pixel row.
AVX2_TARGET void DrawWholePixelsAvx2(const Row& row, const Paint& paint)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i colorAlpha = _mm256_set1_epi16(int16_t(paint.a));
    const __m256i factors = _mm256_set_epi16(
        0, int16_t(paint.r + 1), int16_t(paint.g + 1), int16_t(paint.b + 1), 0, int16_t(paint.r + 1),
        int16_t(paint.g + 1), int16_t(paint.b + 1), 0, int16_t(paint.r + 1), int16_t(paint.g + 1),
        int16_t(paint.b + 1), 0, int16_t(paint.r + 1), int16_t(paint.g + 1), int16_t(paint.b + 1));
    const __m256i opaque = _mm256_set1_epi32(int32_t(0xFF000000u));
    const bool modulate = !paint.white;

    const uint32_t* src = row.src + int64_t(row.v >> 16) * row.stride + (row.u >> 16);
    uint32_t* dest = row.dest;
    int32_t k = 0;
    for (; k + 8 <= row.count; k += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + k));
        __m256i a = _mm256_subs_epu16(_mm256_srli_epi32(s, 24), _mm256_set1_epi32(1));
        if (modulate)
            a = _mm256_srli_epi16(_mm256_mullo_epi16(a, colorAlpha), 8);
        const __m256i none = _mm256_cmpeq_epi32(a, zero);
        if (_mm256_movemask_epi8(none) == -1)
            continue;
        const __m256i cLow =
            Channels(_mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), SpreadLow(a)), factors, modulate);
        const __m256i cHigh =
            Channels(_mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), SpreadHigh(a)), factors, modulate);
        const __m256i full = _mm256_cmpgt_epi32(a, _mm256_set1_epi32(250));
        if (_mm256_movemask_epi8(full) == -1)
        {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + k),
                                _mm256_or_si256(_mm256_packus_epi16(cLow, cHigh), opaque));
            continue;
        }
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + k));
        const __m256i inverse = _mm256_sub_epi32(_mm256_set1_epi32(256), a);
        const __m256i blended =
            _mm256_packus_epi16(Over(cLow, _mm256_unpacklo_epi8(d, zero), SpreadLow(inverse)),
                                Over(cHigh, _mm256_unpackhi_epi8(d, zero), SpreadHigh(inverse)));
        __m256i out = Select(full, _mm256_packus_epi16(cLow, cHigh), blended);
        out = Select(none, d, _mm256_or_si256(out, opaque));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + k), out);

        const __m256i destOpaque = _mm256_cmpeq_epi32(_mm256_srli_epi32(d, 24), _mm256_set1_epi32(255));
        const int settled =
            _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_or_si256(_mm256_or_si256(full, none), destOpaque)));
        if (settled != 0xFF)
        {
            alignas(32) uint32_t before[8];
            _mm256_store_si256(reinterpret_cast<__m256i*>(before), d);
            RedrawUnsettled(row, paint, k, 8, settled, before);
        }
    }
    Row rest = row;
    rest.u += k * 65536;
    rest.dest += k;
    rest.count -= k;
    DrawWholePixelsSse2(rest, paint);
}
#endif

} // namespace

void Reference(const Row& row, const Paint& paint)
{
    int32_t u = row.u;
    int32_t v = row.v;
    for (int32_t k = 0; k < row.count; ++k, u += row.du, v += row.dv)
        ReferencePixel(row, paint, u, v, row.dest + k);
}

void Draw(const Row& row, const Paint& paint)
{
#ifdef ORVELLAN_ROTATED_SSE2
    if (!paint.additive && ActiveSimdLevel() != SimdLevel::Scalar)
    {
        if (IsWholePixelRow(row) && ActiveSimdLevel() == SimdLevel::Avx2)
            DrawWholePixelsAvx2(row, paint);
        else if (IsWholePixelRow(row))
            DrawWholePixelsSse2(row, paint);
        else
            DrawNormalSse2(row, paint);
        return;
    }
#endif
    Reference(row, paint);
}

} // namespace Quib::RotatedBlitRows
