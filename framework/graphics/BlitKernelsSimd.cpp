#include "framework/graphics/BlitKernelsSimd.h"

#if defined(__x86_64__) || defined(__i386__)

#include <cstdint>
#include <immintrin.h>

// All arithmetic runs in 16-bit lanes, one lane per channel (b, g, r, a in memory
// order). The formulas' intermediate values stay below 65536, so no lane overflows and
// the results are those of the scalar formulas bit for bit.

namespace Quib::BlitSimd
{

namespace
{

#define AVX2_TARGET __attribute__((target("avx2")))

inline __m128i BroadcastAlpha(__m128i pixels16)
{
    const __m128i low = _mm_shufflelo_epi16(pixels16, _MM_SHUFFLE(3, 3, 3, 3));
    return _mm_shufflehi_epi16(low, _MM_SHUFFLE(3, 3, 3, 3));
}

AVX2_TARGET inline __m256i BroadcastAlpha(__m256i pixels16)
{
    const __m256i low = _mm256_shufflelo_epi16(pixels16, _MM_SHUFFLE(3, 3, 3, 3));
    return _mm256_shufflehi_epi16(low, _MM_SHUFFLE(3, 3, 3, 3));
}

// Packed forms keep each pixel in its 32-bit lane and split it into two 16-bit lanes
// per channel pair: blue and red from the even bytes, green and alpha from the odd ones.
// That needs no unpacking or shuffling, only masks and shifts.

inline __m128i AlphaPairs(__m128i s)
{
    const __m128i a = _mm_srli_epi32(s, 24);
    return _mm_or_si128(a, _mm_slli_epi32(a, 16));
}

// One byte shuffle puts each pixel's alpha into both of its 16-bit halves.
AVX2_TARGET inline __m256i AlphaPairs(__m256i s)
{
    const __m256i spread = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1,
                                            3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    return _mm256_shuffle_epi8(s, spread);
}

// Red and green: (d(256 - a) + s a) >> 8; blue: (d(256 - a) >> 8) + (s a >> 8), which is
// the same sum with the low bytes of both products dropped first. Alpha becomes 255.
inline __m128i BlendPartialPacked(__m128i d, __m128i s)
{
    const __m128i evenBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i keep = _mm_set1_epi32(int(0xFFFFFF00));
    const __m128i a = AlphaPairs(s);
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(256), a);
    const __m128i blueRed = _mm_srli_epi16(
        _mm_add_epi16(_mm_and_si128(_mm_mullo_epi16(_mm_and_si128(d, evenBytes), inverse), keep),
                      _mm_and_si128(_mm_mullo_epi16(_mm_and_si128(s, evenBytes), a), keep)),
        8);
    const __m128i green =
        _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi32(d, 8), evenBytes), inverse),
                      _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi32(s, 8), evenBytes), a));
    return _mm_or_si128(_mm_or_si128(blueRed, _mm_and_si128(green, _mm_set1_epi32(0x0000FF00))),
                        _mm_set1_epi32(int(0xFF000000)));
}

AVX2_TARGET inline __m256i BlendPartialPacked(__m256i d, __m256i s)
{
    const __m256i evenBytes = _mm256_set1_epi32(0x00FF00FF);
    const __m256i keep = _mm256_set1_epi32(int(0xFFFFFF00));
    const __m256i a = AlphaPairs(s);
    const __m256i inverse = _mm256_sub_epi16(_mm256_set1_epi16(256), a);
    const __m256i blueRed = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_and_si256(_mm256_mullo_epi16(_mm256_and_si256(d, evenBytes), inverse), keep),
                         _mm256_and_si256(_mm256_mullo_epi16(_mm256_and_si256(s, evenBytes), a), keep)),
        8);
    const __m256i green =
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(d, 8), evenBytes), inverse),
                         _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(s, 8), evenBytes), a));
    return _mm256_or_si256(_mm256_or_si256(blueRed, _mm256_and_si256(green, _mm256_set1_epi32(0x0000FF00))),
                           _mm256_set1_epi32(int(0xFF000000)));
}

// (s a) >> 8 per colour channel, alpha byte 0.
inline __m128i AlphaWeightedPacked(__m128i s)
{
    const __m128i evenBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i a = AlphaPairs(s);
    const __m128i blueRed = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(s, evenBytes), a), 8);
    const __m128i green = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi32(s, 8), evenBytes), a);
    return _mm_or_si128(blueRed, _mm_and_si128(green, _mm_set1_epi32(0x0000FF00)));
}

AVX2_TARGET inline __m256i AlphaWeightedPacked(__m256i s)
{
    // Blue and red: (x a) >> 8 from the low product; green from the high product of the
    // byte left in place, (x 256 a) >> 16, with a weight of 0 for the alpha byte.
    const __m256i alphaLow = _mm256_setr_epi8(3, -1, -1, -1, 7, -1, -1, -1, 11, -1, -1, -1, 15, -1, -1, -1, 3,
                                              -1, -1, -1, 7, -1, -1, -1, 11, -1, -1, -1, 15, -1, -1, -1);
    const __m256i blueRed = _mm256_srli_epi16(
        _mm256_mullo_epi16(_mm256_and_si256(s, _mm256_set1_epi32(0x00FF00FF)), AlphaPairs(s)), 8);
    const __m256i green =
        _mm256_slli_epi16(_mm256_mulhi_epu16(_mm256_and_si256(s, _mm256_set1_epi32(0x0000FF00)),
                                             _mm256_shuffle_epi8(s, alphaLow)),
                          8);
    return _mm256_or_si256(blueRed, green);
}

// The amount a modulated source channel adds, in 16-bit lanes (alpha lane 0).
inline __m128i AddAmount16(BlitOp op, __m128i s16, __m128i m16)
{
    switch (op)
    {
    case BlitOp::AddColor:
        return _mm_srli_epi16(_mm_mullo_epi16(s16, m16), 8);
    default:
    {
        // Red and green: (s m a) >> 16; blue: (((s m) >> 8) a) >> 8.
        const __m128i blueLane = _mm_set_epi16(0, 0, 0, -1, 0, 0, 0, -1);
        const __m128i a = BroadcastAlpha(s16);
        const __m128i p = _mm_mullo_epi16(s16, m16);
        const __m128i redGreen = _mm_mulhi_epu16(p, a);
        const __m128i blue = _mm_srli_epi16(_mm_mullo_epi16(_mm_srli_epi16(p, 8), a), 8);
        return _mm_or_si128(_mm_and_si128(blueLane, blue), _mm_andnot_si128(blueLane, redGreen));
    }
    }
}

AVX2_TARGET inline __m256i AddAmount16(BlitOp op, __m256i s16, __m256i m16)
{
    switch (op)
    {
    case BlitOp::AddColor:
        return _mm256_srli_epi16(_mm256_mullo_epi16(s16, m16), 8);
    default:
    {
        const __m256i blueLane = _mm256_set_epi16(0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1);
        const __m256i a = BroadcastAlpha(s16);
        const __m256i p = _mm256_mullo_epi16(s16, m16);
        const __m256i redGreen = _mm256_mulhi_epu16(p, a);
        const __m256i blue = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(p, 8), a), 8);
        return _mm256_or_si256(_mm256_and_si256(blueLane, blue), _mm256_andnot_si256(blueLane, redGreen));
    }
    }
}

// Opaque source pixels are copied, transparent ones leave the destination, and the
// rest are blended; groups that are all opaque or all transparent skip the arithmetic.
inline int32_t BlendOpaqueDestLoopSse2(uint32_t* dst, const uint32_t* src, int32_t count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaBytes = _mm_set1_epi32(int(0xFF000000));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i alpha = _mm_and_si128(s, alphaBytes);
        const __m128i opaque = _mm_cmpeq_epi32(alpha, alphaBytes);
        const __m128i clear = _mm_cmpeq_epi32(alpha, zero);
        const int opaqueBits = _mm_movemask_epi8(opaque);
        if (opaqueBits == 0xFFFF)
        {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), s);
            continue;
        }
        if (_mm_movemask_epi8(clear) == 0xFFFF)
            continue;
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        __m128i out = BlendPartialPacked(d, s);
        out = _mm_or_si128(_mm_and_si128(opaque, s), _mm_andnot_si128(opaque, out));
        out = _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, out));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), out);
    }
    return i;
}

template <BlitOp op>
inline int32_t AddLoopSse2(uint32_t* dst, const uint32_t* src, int32_t count, const BlitColor& m)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourBytes = _mm_set1_epi32(0x00FFFFFF);
    const __m128i alphaBytes = _mm_set1_epi32(int(0xFF000000));
    const __m128i m16 =
        _mm_set_epi16(0, short(m.r), short(m.g), short(m.b), 0, short(m.r), short(m.g), short(m.b));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i amount;
        if constexpr (op == BlitOp::AddWhite)
        {
            amount = _mm_and_si128(s, colourBytes);
        }
        else
        {
            // Alpha-weighted amounts of transparent pixels are 0.
            if (op != BlitOp::AddColor &&
                _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alphaBytes), zero)) == 0xFFFF)
                continue;
            if constexpr (op == BlitOp::AddWhiteAlpha)
            {
                amount = AlphaWeightedPacked(s);
            }
            else
            {
                const __m128i low = AddAmount16(op, _mm_unpacklo_epi8(s, zero), m16);
                const __m128i high = AddAmount16(op, _mm_unpackhi_epi8(s, zero), m16);
                amount = _mm_and_si128(_mm_packus_epi16(low, high), colourBytes);
            }
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_adds_epu8(d, amount));
    }
    return i;
}

// The pixels after the last whole vector, with the scalar formulas.
template <BlitOp op>
inline void FinishRow(uint32_t* dst, const uint32_t* src, int32_t from, int32_t count, const BlitColor& m)
{
    for (int32_t i = from; i < count; ++i)
    {
        if constexpr (op == BlitOp::BlendOpaqueDest)
            dst[i] = BlitReference::BlendOpaqueDest(dst[i], src[i]);
        else if constexpr (op == BlitOp::AddWhiteAlpha)
            dst[i] = BlitReference::AddWhiteAlpha(dst[i], src[i]);
        else if constexpr (op == BlitOp::AddWhite)
            dst[i] = BlitReference::AddWhite(dst[i], src[i]);
        else if constexpr (op == BlitOp::AddColorAlpha)
            dst[i] = BlitReference::AddColorAlpha(dst[i], src[i], m);
        else
            dst[i] = BlitReference::AddColor(dst[i], src[i], m);
    }
}

// The vector code skips and copies whole vectors of transparent and opaque pixels
// itself, so the run-length bytes are not needed here.
template <BlitOp op>
void RowSse2(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count, const BlitColor& m)
{
    int32_t done;
    if constexpr (op == BlitOp::BlendOpaqueDest)
        done = BlendOpaqueDestLoopSse2(dst, src, count);
    else
        done = AddLoopSse2<op>(dst, src, count, m);
    FinishRow<op>(dst, src, done, count, m);
}

// Eight destination pixels after the operation, exact for pixels of every class.
template <BlitOp op> AVX2_TARGET inline __m256i Avx2Pixels(__m256i d, __m256i s, __m256i m16)
{
    const __m256i colourBytes = _mm256_set1_epi32(0x00FFFFFF);
    if constexpr (op == BlitOp::BlendOpaqueDest)
    {
        const __m256i alphaBytes = _mm256_set1_epi32(int(0xFF000000));
        const __m256i alpha = _mm256_and_si256(s, alphaBytes);
        const __m256i out =
            _mm256_blendv_epi8(BlendPartialPacked(d, s), s, _mm256_cmpeq_epi32(alpha, alphaBytes));
        return _mm256_blendv_epi8(out, d, _mm256_cmpeq_epi32(alpha, _mm256_setzero_si256()));
    }
    else if constexpr (op == BlitOp::AddWhite)
    {
        return _mm256_adds_epu8(d, _mm256_and_si256(s, colourBytes));
    }
    else if constexpr (op == BlitOp::AddWhiteAlpha)
    {
        return _mm256_adds_epu8(d, AlphaWeightedPacked(s));
    }
    else
    {
        const __m256i zero = _mm256_setzero_si256();
        const __m256i low = AddAmount16(op, _mm256_unpacklo_epi8(s, zero), m16);
        const __m256i high = AddAmount16(op, _mm256_unpackhi_epi8(s, zero), m16);
        return _mm256_adds_epu8(d, _mm256_and_si256(_mm256_packus_epi16(low, high), colourBytes));
    }
}

template <BlitOp op>
AVX2_TARGET void RowAvx2(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count,
                         const BlitColor& m)
{
    const __m256i m16 =
        _mm256_setr_epi16(short(m.b), short(m.g), short(m.r), 0, short(m.b), short(m.g), short(m.r), 0,
                          short(m.b), short(m.g), short(m.r), 0, short(m.b), short(m.g), short(m.r), 0);
    const __m256i alphaBytes = _mm256_set1_epi32(int(0xFF000000));
    int32_t i = 0;
    if constexpr (op != BlitOp::BlendOpaqueDest)
    {
        // Two independent vectors per step keep more loads in flight.
        for (; i + 16 <= count; i += 16)
        {
            const __m256i s0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
            const __m256i s1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i + 8));
            __m256i* to0 = reinterpret_cast<__m256i*>(dst + i);
            __m256i* to1 = reinterpret_cast<__m256i*>(dst + i + 8);
            const __m256i d0 = _mm256_loadu_si256(to0);
            const __m256i d1 = _mm256_loadu_si256(to1);
            _mm256_storeu_si256(to0, Avx2Pixels<op>(d0, s0, m16));
            _mm256_storeu_si256(to1, Avx2Pixels<op>(d1, s1, m16));
        }
    }
    for (; i + 8 <= count; i += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i* to = reinterpret_cast<__m256i*>(dst + i);
        if constexpr (op == BlitOp::BlendOpaqueDest)
        {
            const __m256i alpha = _mm256_and_si256(s, alphaBytes);
            if (uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, alphaBytes))) == 0xFFFFFFFFu)
            {
                _mm256_storeu_si256(to, s);
                continue;
            }
        }
        // Transparent pixels leave the destination in the blend and add 0 where the
        // amount is weighted by alpha.
        if constexpr (op == BlitOp::BlendOpaqueDest || op == BlitOp::AddWhiteAlpha ||
                      op == BlitOp::AddColorAlpha)
        {
            if (_mm256_testz_si256(s, alphaBytes))
                continue;
        }
        _mm256_storeu_si256(to, Avx2Pixels<op>(_mm256_loadu_si256(to), s, m16));
    }
    if constexpr (op == BlitOp::BlendOpaqueDest)
        i += BlendOpaqueDestLoopSse2(dst + i, src + i, count - i);
    else
        i += AddLoopSse2<op>(dst + i, src + i, count - i, m);
    FinishRow<op>(dst, src, i, count, m);
}

AVX2_TARGET inline __m256i Mul32(__m256i x, __m256i y)
{
    return _mm256_mullo_epi32(x, y);
}

// Exact x / 255 for x below 65535, in 32-bit lanes.
AVX2_TARGET inline __m256i Div255(__m256i x)
{
    return _mm256_srli_epi32(
        _mm256_add_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(1)), _mm256_srli_epi32(x, 8)), 8);
}

// The blends that composite with A' = d_a + (255 - d_a) a / 255 and f = a 255 / A', eight
// pixels at a time in 32-bit lanes. f is taken from a single-precision division, which is
// exact here: a 255 and A' are small integers, and a quotient that is not whole lies at
// least 1/255 below the next integer, far more than the division's rounding.
template <BlitOp op>
AVX2_TARGET void CompositeRowAvx2(uint32_t* dst, const uint32_t* src, const uint8_t*, int32_t count,
                                  const BlitColor& c)
{
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i alphaBytes = _mm256_set1_epi32(int(0xFF000000));
    const __m256i cr = _mm256_set1_epi32(int(c.r));
    const __m256i cg = _mm256_set1_epi32(int(c.g));
    const __m256i cb = _mm256_set1_epi32(int(c.b));
    const __m256i ca = _mm256_set1_epi32(int(c.a));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        if (_mm256_testz_si256(s, alphaBytes))
            continue;
        __m256i* to = reinterpret_cast<__m256i*>(dst + i);
        const __m256i d = _mm256_loadu_si256(to);
        const __m256i sa = _mm256_srli_epi32(s, 24);
        const __m256i a = op == BlitOp::BlendWhite ? sa : Div255(Mul32(sa, ca));
        // Over opaque pixels A' is 255 and f is a itself.
        __m256i outA = byte;
        __m256i f = a;
        if (uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(d, alphaBytes), alphaBytes))) !=
            0xFFFFFFFFu)
        {
            const __m256i da = _mm256_srli_epi32(d, 24);
            outA = _mm256_add_epi32(da, Div255(Mul32(_mm256_sub_epi32(byte, da), a)));
            f = _mm256_cvttps_epi32(
                _mm256_div_ps(_mm256_cvtepi32_ps(Mul32(a, byte)),
                              _mm256_cvtepi32_ps(_mm256_max_epi32(outA, _mm256_set1_epi32(1)))));
        }
        const __m256i keep = _mm256_sub_epi32(_mm256_set1_epi32(256), f);
        const __m256i sr = _mm256_and_si256(_mm256_srli_epi32(s, 16), byte);
        const __m256i sg = _mm256_and_si256(_mm256_srli_epi32(s, 8), byte);
        const __m256i sb = _mm256_and_si256(s, byte);
        const __m256i dr = _mm256_and_si256(_mm256_srli_epi32(d, 16), byte);
        const __m256i dg = _mm256_and_si256(_mm256_srli_epi32(d, 8), byte);
        const __m256i db = _mm256_and_si256(d, byte);
        __m256i r;
        __m256i g;
        __m256i b;
        if constexpr (op == BlitOp::BlendWhite)
        {
            r = _mm256_srli_epi32(_mm256_add_epi32(Mul32(dr, keep), Mul32(sr, f)), 8);
            g = _mm256_srli_epi32(_mm256_add_epi32(Mul32(dg, keep), Mul32(sg, f)), 8);
            b = _mm256_add_epi32(_mm256_srli_epi32(Mul32(db, keep), 8), _mm256_srli_epi32(Mul32(sb, f), 8));
        }
        else if constexpr (op == BlitOp::BlendGrey)
        {
            r = _mm256_srli_epi32(
                _mm256_add_epi32(Mul32(_mm256_srli_epi32(Mul32(sr, cr), 8), f), Mul32(dr, keep)), 8);
            b = _mm256_add_epi32(_mm256_srli_epi32(Mul32(_mm256_srli_epi32(Mul32(sb, cr), 8), f), 8),
                                 _mm256_srli_epi32(Mul32(db, keep), 8));
            g = _mm256_srli_epi32(
                _mm256_add_epi32(_mm256_srli_epi32(Mul32(Mul32(sg, f), cr), 8), Mul32(dg, keep)), 8);
        }
        else
        {
            r = _mm256_srli_epi32(
                _mm256_add_epi32(Mul32(Mul32(sr, f), cr), _mm256_slli_epi32(Mul32(dr, keep), 8)), 16);
            g = _mm256_srli_epi32(
                _mm256_add_epi32(_mm256_srli_epi32(Mul32(Mul32(sg, f), cg), 8), Mul32(dg, keep)), 8);
            b = _mm256_add_epi32(_mm256_srli_epi32(Mul32(Mul32(sb, f), cb), 16),
                                 _mm256_srli_epi32(Mul32(db, keep), 8));
        }
        const __m256i out =
            _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(outA, 24), _mm256_slli_epi32(r, 16)),
                            _mm256_or_si256(_mm256_slli_epi32(g, 8), b));
        // Pixels whose weight is 0 stay as they were.
        _mm256_storeu_si256(to, _mm256_blendv_epi8(out, d, _mm256_cmpeq_epi32(a, _mm256_setzero_si256())));
    }
    for (; i < count; ++i)
    {
        if constexpr (op == BlitOp::BlendWhite)
            dst[i] = BlitReference::BlendWhite(dst[i], src[i]);
        else if constexpr (op == BlitOp::BlendGrey)
            dst[i] = BlitReference::BlendGrey(dst[i], src[i], c.r, c.a);
        else
            dst[i] = BlitReference::BlendColor(dst[i], src[i], c);
    }
}

template <template <BlitOp> class Row> BlitRows::RowFunction Choose(BlitOp op)
{
    switch (op)
    {
    case BlitOp::BlendOpaqueDest:
        return Row<BlitOp::BlendOpaqueDest>::kFunction;
    case BlitOp::AddWhiteAlpha:
        return Row<BlitOp::AddWhiteAlpha>::kFunction;
    case BlitOp::AddWhite:
        return Row<BlitOp::AddWhite>::kFunction;
    case BlitOp::AddColorAlpha:
        return Row<BlitOp::AddColorAlpha>::kFunction;
    case BlitOp::AddColor:
        return Row<BlitOp::AddColor>::kFunction;
    default:
        return nullptr;
    }
}

template <BlitOp op> struct Sse2RowOf
{
    static constexpr BlitRows::RowFunction kFunction = &RowSse2<op>;
};

template <BlitOp op> struct Avx2RowOf
{
    static constexpr BlitRows::RowFunction kFunction = &RowAvx2<op>;
};

} // namespace

BlitRows::RowFunction Sse2Row(BlitOp op)
{
    return Choose<Sse2RowOf>(op);
}

BlitRows::RowFunction Avx2Row(BlitOp op)
{
    if (op == BlitOp::BlendWhite)
        return &CompositeRowAvx2<BlitOp::BlendWhite>;
    if (op == BlitOp::BlendGrey)
        return &CompositeRowAvx2<BlitOp::BlendGrey>;
    if (op == BlitOp::BlendColor)
        return &CompositeRowAvx2<BlitOp::BlendColor>;
    return Choose<Avx2RowOf>(op);
}

// Over an opaque pixel the fill's factor f is the colour's alpha and the outcome alpha
// is 255: each channel (d(256 - a) + c a) >> 8.
int32_t FillOpaqueDestSse2(uint32_t* dst, int32_t count, const BlitColor& c)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaBytes = _mm_set1_epi32(int(0xFF000000));
    const __m128i inverse = _mm_set1_epi16(short(256 - c.a));
    const __m128i weighted = _mm_set_epi16(0, short(c.r * c.a), short(c.g * c.a), short(c.b * c.a), 0,
                                           short(c.r * c.a), short(c.g * c.a), short(c.b * c.a));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(d, alphaBytes), alphaBytes)) != 0xFFFF)
            break;
        const __m128i low =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), inverse), weighted), 8);
        const __m128i high =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), inverse), weighted), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                         _mm_or_si128(_mm_packus_epi16(low, high), alphaBytes));
    }
    return i;
}

AVX2_TARGET int32_t FillOpaqueDestAvx2(uint32_t* dst, int32_t count, const BlitColor& c)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alphaBytes = _mm256_set1_epi32(int(0xFF000000));
    const __m256i inverse = _mm256_set1_epi16(short(256 - c.a));
    const short r = short(c.r * c.a);
    const short g = short(c.g * c.a);
    const short b = short(c.b * c.a);
    const __m256i weighted = _mm256_set_epi16(0, r, g, b, 0, r, g, b, 0, r, g, b, 0, r, g, b);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        if (uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(d, alphaBytes), alphaBytes))) !=
            0xFFFFFFFFu)
            break;
        const __m256i low = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero), inverse), weighted), 8);
        const __m256i high = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero), inverse), weighted), 8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i),
                            _mm256_or_si256(_mm256_packus_epi16(low, high), alphaBytes));
    }
    return i;
}

} // namespace Quib::BlitSimd

#endif
