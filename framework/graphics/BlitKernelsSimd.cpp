#include "framework/graphics/BlitKernelsSimd.h"

#if defined(__x86_64__) || defined(__i386__)

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

// Red and green: (d(256 - a) + s a) >> 8; blue: (d(256 - a) >> 8) + (s a >> 8), which is
// the same sum with the low bytes of both products dropped first.
inline __m128i BlendPartial16(__m128i d16, __m128i s16)
{
    const __m128i keep = _mm_set_epi16(-1, -1, -1, short(0xFF00), -1, -1, -1, short(0xFF00));
    const __m128i a = BroadcastAlpha(s16);
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(256), a);
    const __m128i t1 = _mm_and_si128(_mm_mullo_epi16(d16, inverse), keep);
    const __m128i t2 = _mm_and_si128(_mm_mullo_epi16(s16, a), keep);
    return _mm_srli_epi16(_mm_add_epi16(t1, t2), 8);
}

AVX2_TARGET inline __m256i BlendPartial16(__m256i d16, __m256i s16)
{
    const __m256i keep = _mm256_set_epi16(-1, -1, -1, short(0xFF00), -1, -1, -1, short(0xFF00), -1, -1, -1,
                                          short(0xFF00), -1, -1, -1, short(0xFF00));
    const __m256i a = BroadcastAlpha(s16);
    const __m256i inverse = _mm256_sub_epi16(_mm256_set1_epi16(256), a);
    const __m256i t1 = _mm256_and_si256(_mm256_mullo_epi16(d16, inverse), keep);
    const __m256i t2 = _mm256_and_si256(_mm256_mullo_epi16(s16, a), keep);
    return _mm256_srli_epi16(_mm256_add_epi16(t1, t2), 8);
}

// The amount each source channel adds, in 16-bit lanes (alpha lane 0).
inline __m128i AddAmount16(BlitOp op, __m128i s16, __m128i m16)
{
    switch (op)
    {
    case BlitOp::AddWhiteAlpha:
        return _mm_srli_epi16(_mm_mullo_epi16(s16, BroadcastAlpha(s16)), 8);
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
    case BlitOp::AddWhiteAlpha:
        return _mm256_srli_epi16(_mm256_mullo_epi16(s16, BroadcastAlpha(s16)), 8);
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

} // namespace

int32_t BlendPartialSse2(uint32_t* dst, const uint32_t* src, int32_t count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i low = BlendPartial16(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero));
        const __m128i high = BlendPartial16(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                         _mm_or_si128(_mm_packus_epi16(low, high), opaque));
    }
    return i;
}

AVX2_TARGET int32_t BlendPartialAvx2(uint32_t* dst, const uint32_t* src, int32_t count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i opaque = _mm256_set1_epi32(int(0xFF000000));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        const __m256i low = BlendPartial16(_mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi8(s, zero));
        const __m256i high = BlendPartial16(_mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi8(s, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i),
                            _mm256_or_si256(_mm256_packus_epi16(low, high), opaque));
    }
    return i;
}

int32_t AddSse2(BlitOp op, uint32_t* dst, const uint32_t* src, int32_t count, const BlitColor& m)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourBytes = _mm_set1_epi32(0x00FFFFFF);
    const __m128i m16 =
        _mm_set_epi16(0, short(m.r), short(m.g), short(m.b), 0, short(m.r), short(m.g), short(m.b));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        __m128i amount;
        if (op == BlitOp::AddWhite)
        {
            amount = _mm_and_si128(s, colourBytes);
        }
        else
        {
            const __m128i low = AddAmount16(op, _mm_unpacklo_epi8(s, zero), m16);
            const __m128i high = AddAmount16(op, _mm_unpackhi_epi8(s, zero), m16);
            amount = _mm_and_si128(_mm_packus_epi16(low, high), colourBytes);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_adds_epu8(d, amount));
    }
    return i;
}

AVX2_TARGET int32_t AddAvx2(BlitOp op, uint32_t* dst, const uint32_t* src, int32_t count, const BlitColor& m)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i colourBytes = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i m16 =
        _mm256_set_epi16(0, short(m.r), short(m.g), short(m.b), 0, short(m.r), short(m.g), short(m.b), 0,
                         short(m.r), short(m.g), short(m.b), 0, short(m.r), short(m.g), short(m.b));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        __m256i amount;
        if (op == BlitOp::AddWhite)
        {
            amount = _mm256_and_si256(s, colourBytes);
        }
        else
        {
            const __m256i low = AddAmount16(op, _mm256_unpacklo_epi8(s, zero), m16);
            const __m256i high = AddAmount16(op, _mm256_unpackhi_epi8(s, zero), m16);
            amount = _mm256_and_si256(_mm256_packus_epi16(low, high), colourBytes);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_adds_epu8(d, amount));
    }
    return i;
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
