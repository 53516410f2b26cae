#include "framework/graphics/SurfaceWholePixelRows.h"

#include "framework/graphics/LaneSpread.h"
#include "framework/graphics/Simd.h"

#include <cstddef>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVELLAN_SURFACE_ROWS_SSE2 1
#define AVX2_TARGET __attribute__((target("avx2")))
#endif

namespace Quib::SurfaceWholePixelRows
{
namespace
{

// The weight of the one neighbour that carries any is 65534 of 65536, so the source
// alpha counts as alpha - 1. Red and green are scaled by the tint in one product and
// blue after a first >> 8, as the surface's sampler has always rounded them, and the
// destination keeps (d x (256 - w)) >> 8 of each channel.
inline uint32_t Pixel(uint32_t p, uint32_t d, const Tint& tint)
{
    uint32_t w = (65534 * (p >> 24)) >> 16;
    if (!tint.white)
        w = (w * tint.a) >> 8;
    const uint32_t sr = (p >> 16) & 0xFF;
    const uint32_t sg = (p >> 8) & 0xFF;
    const uint32_t sb = p & 0xFF;
    uint32_t cr = (sr * w) >> 8;
    uint32_t cg = (sg * w) >> 8;
    uint32_t cb = (sb * w) >> 8;
    if (!tint.white)
    {
        cr = (sr * w * (tint.r + 1)) >> 16;
        cg = (sg * w * (tint.g + 1)) >> 16;
        cb = (cb * (tint.b + 1)) >> 8;
    }
    const uint32_t inv = 256 - w;
    const auto keep = [&](int shift) { return (((d >> shift) & 0xFF) * inv) >> 8; };
    return (cr + keep(16)) << 16 | (cg + keep(8)) << 8 | (cb + keep(0));
}

#ifdef ORVELLAN_SURFACE_ROWS_SSE2

using LaneSpread::SpreadHigh;
using LaneSpread::SpreadLow;

// In 16-bit lanes every product fits: channel x weight is at most 255 x 254, and the
// tint's (c + 1) x (channel x weight) >> 16 is the high half of one multiply.
struct Lanes128
{
    explicit Lanes128(const Tint& tint)
        : factors(_mm_set_epi16(0, int16_t(tint.r + 1), int16_t(tint.g + 1), int16_t(tint.b + 1), 0,
                                int16_t(tint.r + 1), int16_t(tint.g + 1), int16_t(tint.b + 1))),
          alpha(_mm_set1_epi16(int16_t(tint.a))), white(tint.white)
    {
    }

    __m128i Channels(__m128i product) const
    {
        if (white)
            return _mm_srli_epi16(product, 8);
        const __m128i redGreen = _mm_mulhi_epu16(product, factors);
        const __m128i blue = _mm_srli_epi16(_mm_mullo_epi16(_mm_srli_epi16(product, 8), factors), 8);
        return _mm_or_si128(_mm_and_si128(blueLanes, blue), _mm_andnot_si128(blueLanes, redGreen));
    }

    __m128i Compose(__m128i s, __m128i d, __m128i w, __m128i zero) const
    {
        const __m128i inverse = _mm_sub_epi32(_mm_set1_epi32(256), w);
        const __m128i low =
            _mm_add_epi16(Channels(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), SpreadLow(w))),
                          _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), SpreadLow(inverse)), 8));
        const __m128i high = _mm_add_epi16(
            Channels(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), SpreadHigh(w))),
            _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), SpreadHigh(inverse)), 8));
        return _mm_and_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(0x00FFFFFF));
    }

    __m128i factors;
    __m128i alpha;
    __m128i blueLanes = _mm_set_epi16(0, 0, 0, -1, 0, 0, 0, -1);
    bool white;
};

inline __m128i Weights(__m128i s, const Lanes128& lanes)
{
    const __m128i w = _mm_subs_epu16(_mm_srli_epi32(s, 24), _mm_set1_epi32(1));
    return lanes.white ? w : _mm_srli_epi16(_mm_mullo_epi16(w, lanes.alpha), 8);
}

int32_t DrawSse2(const uint32_t* src, uint8_t* dest, int32_t count, const Tint& tint)
{
    const __m128i zero = _mm_setzero_si128();
    const Lanes128 lanes(tint);
    int32_t k = 0;
    for (; k + 4 <= count; k += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + k));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + 4 * k));
        const __m128i w = Weights(s, lanes);
        __m128i out;
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(w, zero)) == 0xFFFF)
            out = _mm_and_si128(d, _mm_set1_epi32(0x00FFFFFF));
        else
            out = lanes.Compose(s, d, w, zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 4 * k), out);
    }
    return k;
}

AVX2_TARGET inline __m256i Channels(__m256i product, __m256i factors, bool white)
{
    if (white)
        return _mm256_srli_epi16(product, 8);
    const __m256i redGreen = _mm256_mulhi_epu16(product, factors);
    const __m256i blue = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(product, 8), factors), 8);
    return _mm256_blendv_epi8(redGreen, blue, _mm256_set1_epi64x(0xFFFF));
}

// Opaque pixels under a white tint weigh 254: each channel becomes
// (s x 254) >> 8 + (d x 2) >> 8, which is s - (s > 0) - (s > 128) + (d >> 7), all
// in bytes.
AVX2_TARGET inline __m256i OpaqueWhite(__m256i s, __m256i d)
{
    const __m256i one = _mm256_set1_epi8(1);
    const __m256i above128 = _mm256_cmpeq_epi8(_mm256_max_epu8(s, _mm256_set1_epi8(char(129))), s);
    const __m256i taken = _mm256_add_epi8(_mm256_min_epu8(s, one), _mm256_and_si256(above128, one));
    const __m256i kept = _mm256_and_si256(_mm256_srli_epi16(d, 7), one);
    return _mm256_and_si256(_mm256_add_epi8(_mm256_sub_epi8(s, taken), kept), _mm256_set1_epi32(0x00FFFFFF));
}

// The same lanes eight pixels a step.
AVX2_TARGET inline __m256i EightPixels(__m256i s, __m256i d, __m256i factors, __m256i alpha, bool white)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i opaque = _mm256_set1_epi32(int32_t(0xFF000000));
    if (white && _mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(s, opaque), opaque)) == -1)
        return OpaqueWhite(s, d);
    __m256i w = _mm256_subs_epu16(_mm256_srli_epi32(s, 24), _mm256_set1_epi32(1));
    if (!white)
        w = _mm256_srli_epi16(_mm256_mullo_epi16(w, alpha), 8);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(w, zero)) == -1)
        return _mm256_and_si256(d, rgb);
    const __m256i inverse = _mm256_sub_epi32(_mm256_set1_epi32(256), w);
    const __m256i low = _mm256_add_epi16(
        Channels(_mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), SpreadLow(w)), factors, white),
        _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero), SpreadLow(inverse)), 8));
    const __m256i high = _mm256_add_epi16(
        Channels(_mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), SpreadHigh(w)), factors, white),
        _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero), SpreadHigh(inverse)), 8));
    return _mm256_and_si256(_mm256_packus_epi16(low, high), rgb);
}

// The row's last few pixels go through the same step from a padded copy, so that
// a short row costs one step rather than a walk through the narrower forms.
AVX2_TARGET void DrawAvx2(const uint32_t* src, uint8_t* dest, int32_t count, const Tint& tint)
{
    const __m256i factors = _mm256_set1_epi64x(
        int64_t(uint64_t(tint.r + 1) << 32 | uint64_t(tint.g + 1) << 16 | uint64_t(tint.b + 1)));
    const __m256i alpha = _mm256_set1_epi16(int16_t(tint.a));
    // A copy the stores below cannot be thought to change.
    const bool white = tint.white;
    int32_t k = 0;
    for (; k + 8 <= count; k += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + k));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + 4 * k));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + 4 * k),
                            EightPixels(s, d, factors, alpha, white));
    }
    if (k == count)
        return;
    const size_t rest = size_t(count - k);
    uint32_t sourceTail[8] = {};
    uint32_t destTail[8] = {};
    std::memcpy(sourceTail, src + k, rest * 4);
    std::memcpy(destTail, dest + 4 * k, rest * 4);
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(sourceTail));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(destTail));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(destTail), EightPixels(s, d, factors, alpha, white));
    std::memcpy(dest + 4 * k, destTail, rest * 4);
}
#endif

} // namespace

void Reference(const uint32_t* src, uint8_t* dest, int32_t count, const Tint& tint)
{
    for (int32_t k = 0; k < count; ++k)
    {
        uint32_t d;
        std::memcpy(&d, dest + 4 * size_t(k), 4);
        d = Pixel(src[k], d, tint);
        std::memcpy(dest + 4 * size_t(k), &d, 4);
    }
}

void Draw(const uint32_t* src, uint8_t* dest, int32_t count, const Tint& tint)
{
    int32_t done = 0;
#ifdef ORVELLAN_SURFACE_ROWS_SSE2
    if (ActiveSimdLevel() == SimdLevel::Avx2)
    {
        DrawAvx2(src, dest, count, tint);
        return;
    }
    if (ActiveSimdLevel() == SimdLevel::Sse2)
        done = DrawSse2(src, dest, count, tint);
#endif
    Reference(src + done, dest + 4 * size_t(done), count - done, tint);
}

} // namespace Quib::SurfaceWholePixelRows
