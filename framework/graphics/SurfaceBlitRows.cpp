#include "framework/graphics/SurfaceBlitRows.h"

#include "framework/graphics/Simd.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVELLAN_SURFACE_SSE2 1
#define ORVELLAN_AVX2_TARGET __attribute__((target("avx2")))
#define VECTOR_ROW(name) name
#else
#define VECTOR_ROW(name) nullptr
#endif

namespace Quib::SurfaceBlitRows
{
namespace
{

inline uint32_t BlendWhite32Pixel(uint32_t d, uint32_t n)
{
    const uint32_t k = 256 - (n >> 24);
    return ((d & 0x00FF00FF) * k >> 8 & 0x00FF00FF) + n + ((d & 0x0000FF00) * k >> 8 & 0x0000FF00);
}

void Scalar(uint8_t* dest, const uint32_t* native, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t n = native[i];
        const uint32_t alpha = n >> 24;
        if (alpha == 0)
            continue;
        uint32_t d = n;
        if (alpha != 255)
        {
            std::memcpy(&d, dest + 4 * i, 4);
            d = BlendWhite32Pixel(d, n);
        }
        std::memcpy(dest + 4 * i, &d, 4);
    }
}

void AddScalar(uint8_t* dest, const uint32_t* native, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t n = native[i] & 0x00FFFFFF;
        if (n == 0)
            continue;
        uint32_t d;
        std::memcpy(&d, dest + 4 * i, 4);
        uint32_t out = 0;
        for (const int shift : {0, 8, 16})
            out |= std::min<uint32_t>(((d >> shift) & 0xFF) + ((n >> shift) & 0xFF), 255) << shift;
        std::memcpy(dest + 4 * i, &out, 4);
    }
}

void ColorScalar(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t n = native[i];
        const uint32_t alpha = n >> 24;
        if (alpha == 0)
            continue;
        const uint32_t k = alpha == 255 && colorAlpha == 255 ? 0 : 256 - alpha * colorAlpha / 255;
        uint32_t d;
        std::memcpy(&d, dest + 4 * i, 4);
        uint32_t out = 0;
        for (int byte = 0; byte < 3; ++byte)
        {
            const int shift = 8 * byte;
            out |= ((((d >> shift) & 0xFF) * k + ((n >> shift) & 0xFF) * factor[byte]) >> 8 & 0xFF) << shift;
        }
        std::memcpy(dest + 4 * i, &out, 4);
    }
}

void NarrowScalar(uint8_t* dest, const uint32_t* native, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint16_t low = uint16_t(native[i]);
        std::memcpy(dest + 2 * i, &low, 2);
    }
}

void Add565Scalar(uint8_t* dest, const uint32_t* native, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
    {
        uint16_t d;
        std::memcpy(&d, dest + 2 * i, 2);
        const uint32_t n = native[i];
        const uint32_t high = std::min<uint32_t>((d >> 11) + ((n >> 11) & 0x1F), 0x1F);
        const uint32_t middle = std::min<uint32_t>(((d >> 5) & 0x3F) + ((n >> 5) & 0x3F), 0x3F);
        const uint32_t low = std::min<uint32_t>((d & 0x1F) + (n & 0x1F), 0x1F);
        const uint16_t out = uint16_t(high << 11 | middle << 5 | low);
        std::memcpy(dest + 2 * i, &out, 2);
    }
}

void Color565Scalar(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                    uint32_t colorAlpha)
{
    constexpr uint32_t kMasks[3] = {0x001F, 0x07E0, 0xF800};
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t n = native[i];
        const uint32_t alpha = n >> 24;
        if (alpha == 0)
            continue;
        const uint32_t k = alpha == 255 && colorAlpha == 255 ? 0 : 256 - alpha * colorAlpha / 255;
        uint16_t d;
        std::memcpy(&d, dest + 2 * i, 2);
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c)
            out |= (((d & kMasks[c]) * k + (n & kMasks[c]) * factor[c]) >> 8) & kMasks[c];
        const uint16_t narrow = uint16_t(out);
        std::memcpy(dest + 2 * i, &narrow, 2);
    }
}

#ifdef ORVELLAN_SURFACE_SSE2
// Eight values' low halves in 16-bit lanes: each low half sign-extended to 32 bits
// packs back into itself, so the saturating pack keeps exactly the low halves.
inline __m128i LowHalves(const uint32_t* native)
{
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native + 4));
    return _mm_packs_epi32(_mm_srai_epi32(_mm_slli_epi32(a, 16), 16),
                           _mm_srai_epi32(_mm_slli_epi32(b, 16), 16));
}

// Each channel's sum fits a 16-bit lane, where a signed minimum cuts it.
void Add565Sse2(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const __m128i five = _mm_set1_epi16(0x1F);
    const __m128i six = _mm_set1_epi16(0x3F);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m128i n = LowHalves(native + i);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + 2 * i));
        const __m128i high = _mm_min_epi16(_mm_add_epi16(_mm_srli_epi16(d, 11), _mm_srli_epi16(n, 11)), five);
        const __m128i middle = _mm_min_epi16(
            _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(d, 5), six), _mm_and_si128(_mm_srli_epi16(n, 5), six)),
            six);
        const __m128i low =
            _mm_min_epi16(_mm_add_epi16(_mm_and_si128(d, five), _mm_and_si128(n, five)), five);
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(dest + 2 * i),
            _mm_or_si128(_mm_or_si128(_mm_slli_epi16(high, 11), _mm_slli_epi16(middle, 5)), low));
    }
    Add565Scalar(dest + 2 * i, native + i, count - i);
}

// Channels taken down to bit 0 keep the formula: ((c << s) x w >> 8) & (M << s) is
// ((c x w) >> 8 & M) << s, and every product and sum of a channel fits a 16-bit lane
// (63 x 256 + 63 x 255 < 2^15). A x colorAlpha / 255 is (x + 1 + (x >> 8)) >> 8.
void Color565Sse2(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                  uint32_t colorAlpha)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i full = _mm_set1_epi16(256);
    const __m128i opaque = _mm_set1_epi16(255);
    const __m128i paintAlpha = _mm_set1_epi16(int16_t(colorAlpha));
    const __m128i five = _mm_set1_epi16(0x1F);
    const __m128i six = _mm_set1_epi16(0x3F);
    const __m128i lowFactor = _mm_set1_epi16(int16_t(factor[0]));
    const __m128i middleFactor = _mm_set1_epi16(int16_t(factor[1]));
    const __m128i highFactor = _mm_set1_epi16(int16_t(factor[2]));
    const bool solid = colorAlpha == 255;
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native + i + 4));
        const __m128i alpha = _mm_packs_epi32(_mm_srli_epi32(a, 24), _mm_srli_epi32(b, 24));
        const __m128i skip = _mm_cmpeq_epi16(alpha, zero);
        if (_mm_movemask_epi8(skip) == 0xFFFF)
            continue;
        const __m128i x = _mm_mullo_epi16(alpha, paintAlpha);
        const __m128i share = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
        __m128i k = _mm_sub_epi16(full, share);
        if (solid)
            k = _mm_andnot_si128(_mm_cmpeq_epi16(alpha, opaque), k);
        const __m128i n = LowHalves(native + i);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + 2 * i));
        const auto channel = [&](__m128i dc, __m128i nc, __m128i f, __m128i mask)
        {
            return _mm_and_si128(
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(dc, k), _mm_mullo_epi16(nc, f)), 8), mask);
        };
        const __m128i low = channel(_mm_and_si128(d, five), _mm_and_si128(n, five), lowFactor, five);
        const __m128i middle = channel(_mm_and_si128(_mm_srli_epi16(d, 5), six),
                                       _mm_and_si128(_mm_srli_epi16(n, 5), six), middleFactor, six);
        const __m128i high = channel(_mm_srli_epi16(d, 11), _mm_srli_epi16(n, 11), highFactor, five);
        const __m128i blended =
            _mm_or_si128(_mm_or_si128(_mm_slli_epi16(high, 11), _mm_slli_epi16(middle, 5)), low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 2 * i),
                         _mm_or_si128(_mm_and_si128(skip, d), _mm_andnot_si128(skip, blended)));
    }
    Color565Scalar(dest + 2 * i, native + i, count - i, factor, colorAlpha);
}

void NarrowSse2(uint8_t* dest, const uint32_t* native, int32_t count)
{
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 2 * i), LowHalves(native + i));
    NarrowScalar(dest + 2 * i, native + i, count - i);
}

// 16-bit lanes again: A x colorAlpha fits, its division by 255 is exact as
// (x + 1 + (x >> 8)) >> 8 over that range, and the channel sums are taken modulo 2^16,
// which keeps the byte the scalar mask keeps.
void ColorSse2(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
               uint32_t colorAlpha)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i full = _mm_set1_epi32(256);
    const __m128i one = _mm_set1_epi32(1);
    const __m128i opaque = _mm_set1_epi32(255);
    const __m128i paintAlpha = _mm_set1_epi32(int32_t(colorAlpha));
    const __m128i factors = _mm_set_epi16(0, int16_t(factor[2]), int16_t(factor[1]), int16_t(factor[0]), 0,
                                          int16_t(factor[2]), int16_t(factor[1]), int16_t(factor[0]));
    const bool solid = colorAlpha == 255;
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i n = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native + i));
        const __m128i alpha = _mm_srli_epi32(n, 24);
        const __m128i skip = _mm_cmpeq_epi32(alpha, zero);
        if (_mm_movemask_epi8(skip) == 0xFFFF)
            continue;
        const __m128i x = _mm_mullo_epi16(alpha, paintAlpha);
        const __m128i share = _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(x, one), _mm_srli_epi32(x, 8)), 8);
        __m128i k = _mm_sub_epi32(full, share);
        if (solid)
            k = _mm_andnot_si128(_mm_cmpeq_epi32(alpha, opaque), k);
        const __m128i k16 = _mm_or_si128(k, _mm_slli_epi32(k, 16));
        const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + 4 * i));
        const __m128i d = _mm_and_si128(below, colour);
        const __m128i c = _mm_and_si128(n, colour);
        const __m128i low = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi32(k16, k16)),
                          _mm_mullo_epi16(_mm_unpacklo_epi8(c, zero), factors)),
            8);
        const __m128i high = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi32(k16, k16)),
                          _mm_mullo_epi16(_mm_unpackhi_epi8(c, zero), factors)),
            8);
        const __m128i blended = _mm_packus_epi16(low, high);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 4 * i),
                         _mm_or_si128(_mm_and_si128(skip, below), _mm_andnot_si128(skip, blended)));
    }
    ColorScalar(dest + 4 * i, native + i, count - i, factor, colorAlpha);
}

// The same eight pixels at a time, every unpack within its 128-bit half; the tail goes
// to the four-pixel row once the upper halves are cleared.
ORVELLAN_AVX2_TARGET void ColorAvx2(uint8_t* dest, const uint32_t* native, int32_t count,
                                    const uint32_t factor[3], uint32_t colorAlpha)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i full = _mm256_set1_epi32(256);
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i opaque = _mm256_set1_epi32(255);
    const __m256i paintAlpha = _mm256_set1_epi32(int32_t(colorAlpha));
    const int16_t f0 = int16_t(factor[0]);
    const int16_t f1 = int16_t(factor[1]);
    const int16_t f2 = int16_t(factor[2]);
    const __m256i factors = _mm256_set_epi16(0, f2, f1, f0, 0, f2, f1, f0, 0, f2, f1, f0, 0, f2, f1, f0);
    const bool solid = colorAlpha == 255;
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i n = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(native + i));
        const __m256i alpha = _mm256_srli_epi32(n, 24);
        const __m256i skip = _mm256_cmpeq_epi32(alpha, zero);
        if (uint32_t(_mm256_movemask_epi8(skip)) == 0xFFFFFFFF)
            continue;
        const __m256i x = _mm256_mullo_epi16(alpha, paintAlpha);
        const __m256i share =
            _mm256_srli_epi32(_mm256_add_epi32(_mm256_add_epi32(x, one), _mm256_srli_epi32(x, 8)), 8);
        __m256i k = _mm256_sub_epi32(full, share);
        if (solid)
            k = _mm256_andnot_si256(_mm256_cmpeq_epi32(alpha, opaque), k);
        const __m256i k16 = _mm256_or_si256(k, _mm256_slli_epi32(k, 16));
        const __m256i below = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + 4 * i));
        const __m256i d = _mm256_and_si256(below, colour);
        const __m256i c = _mm256_and_si256(n, colour);
        const __m256i low =
            _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero),
                                                                  _mm256_unpacklo_epi32(k16, k16)),
                                               _mm256_mullo_epi16(_mm256_unpacklo_epi8(c, zero), factors)),
                              8);
        const __m256i high =
            _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero),
                                                                  _mm256_unpackhi_epi32(k16, k16)),
                                               _mm256_mullo_epi16(_mm256_unpackhi_epi8(c, zero), factors)),
                              8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + 4 * i),
                            _mm256_blendv_epi8(_mm256_packus_epi16(low, high), below, skip));
    }
    _mm256_zeroupper();
    ColorSse2(dest + 4 * i, native + i, count - i, factor, colorAlpha);
}

void AddSse2(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i zero = _mm_setzero_si128();
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i n =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(native + i)), colour);
        const __m128i skip = _mm_cmpeq_epi32(n, zero);
        if (_mm_movemask_epi8(skip) == 0xFFFF)
            continue;
        const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + 4 * i));
        const __m128i sum = _mm_adds_epu8(_mm_and_si128(below, colour), n);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 4 * i),
                         _mm_or_si128(_mm_and_si128(skip, below), _mm_andnot_si128(skip, sum)));
    }
    AddScalar(dest + 4 * i, native + i, count - i);
}

// Eight pixels at a time; the tail goes to the four-pixel row once the upper halves
// are cleared.
ORVELLAN_AVX2_TARGET void AddAvx2(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i zero = _mm256_setzero_si256();
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i n =
            _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(native + i)), colour);
        const __m256i skip = _mm256_cmpeq_epi32(n, zero);
        if (uint32_t(_mm256_movemask_epi8(skip)) == 0xFFFFFFFF)
            continue;
        const __m256i below = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + 4 * i));
        const __m256i sum = _mm256_adds_epu8(_mm256_and_si256(below, colour), n);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + 4 * i), _mm256_blendv_epi8(sum, below, skip));
    }
    _mm256_zeroupper();
    AddSse2(dest + 4 * i, native + i, count - i);
}

// Four pixels at a time in 16-bit lanes: each channel times its pixel's 256 - A fits
// in 16 bits, the shift by 8 leaves the byte the scalar masks keep, and the packed
// bytes are added to n as whole words, carries included, as the scalar form does.
// Groups wholly transparent or wholly opaque take their short cut.
void Sse2(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i full = _mm_set1_epi32(256);
    const __m128i alphaMask = _mm_set1_epi32(int32_t(0xFF000000));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i n = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native + i));
        const __m128i alpha = _mm_and_si128(n, alphaMask);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF)
            continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaMask)) == 0xFFFF)
        {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 4 * i), n);
            continue;
        }
        const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + 4 * i));
        const __m128i d = _mm_and_si128(below, colour);
        const __m128i k = _mm_sub_epi32(full, _mm_srli_epi32(n, 24));
        const __m128i k16 = _mm_or_si128(k, _mm_slli_epi32(k, 16));
        const __m128i low =
            _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi32(k16, k16)), 8);
        const __m128i high =
            _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi32(k16, k16)), 8);
        const __m128i blended = _mm_add_epi32(_mm_packus_epi16(low, high), n);
        const __m128i skip = _mm_cmpeq_epi32(alpha, zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 4 * i),
                         _mm_or_si128(_mm_and_si128(skip, below), _mm_andnot_si128(skip, blended)));
    }
    Scalar(dest + 4 * i, native + i, count - i);
}

// The same eight pixels at a time; the unpacks and packs stay within each 128-bit
// half, where every pixel keeps its own weight.
ORVELLAN_AVX2_TARGET void Avx2(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i full = _mm256_set1_epi32(256);
    const __m256i alphaMask = _mm256_set1_epi32(int32_t(0xFF000000));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i n = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(native + i));
        const __m256i alpha = _mm256_and_si256(n, alphaMask);
        const __m256i skip = _mm256_cmpeq_epi32(alpha, zero);
        if (uint32_t(_mm256_movemask_epi8(skip)) == 0xFFFFFFFF)
            continue;
        if (uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, alphaMask))) == 0xFFFFFFFF)
        {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + 4 * i), n);
            continue;
        }
        const __m256i below = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + 4 * i));
        const __m256i d = _mm256_and_si256(below, colour);
        const __m256i k = _mm256_sub_epi32(full, _mm256_srli_epi32(n, 24));
        const __m256i k16 = _mm256_or_si256(k, _mm256_slli_epi32(k, 16));
        const __m256i low = _mm256_srli_epi16(
            _mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi32(k16, k16)), 8);
        const __m256i high = _mm256_srli_epi16(
            _mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi32(k16, k16)), 8);
        const __m256i blended = _mm256_add_epi32(_mm256_packus_epi16(low, high), n);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + 4 * i),
                            _mm256_blendv_epi8(blended, below, skip));
    }
    // The compiler turns the call below into a jump without clearing the upper
    // halves; left dirty, they slow every later SSE instruction in the process.
    _mm256_zeroupper();
    Sse2(dest + 4 * i, native + i, count - i);
}
#endif

using Row = void (*)(uint8_t*, const uint32_t*, int32_t);
using ColorRow = void (*)(uint8_t*, const uint32_t*, int32_t, const uint32_t*, uint32_t);

// The routine of the highest level that is active and has one.
template <typename Routine> Routine Pick(Routine scalar, Routine sse2, Routine avx2)
{
    const SimdLevel level = ActiveSimdLevel();
    if (level == SimdLevel::Avx2 && avx2 != nullptr)
        return avx2;
    if (level != SimdLevel::Scalar && sse2 != nullptr)
        return sse2;
    return scalar;
}

} // namespace

void OverColor32Reference(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                          uint32_t colorAlpha)
{
    ColorScalar(dest, native, count, factor, colorAlpha);
}

void OverColor32(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha)
{
    Pick<ColorRow>(ColorScalar, VECTOR_ROW(ColorSse2), VECTOR_ROW(ColorAvx2))(dest, native, count, factor,
                                                                              colorAlpha);
}

void AddWhite32Reference(uint8_t* dest, const uint32_t* native, int32_t count)
{
    AddScalar(dest, native, count);
}

void AddWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(AddScalar, VECTOR_ROW(AddSse2), VECTOR_ROW(AddAvx2))(dest, native, count);
}

void OverColor565Reference(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                           uint32_t colorAlpha)
{
    Color565Scalar(dest, native, count, factor, colorAlpha);
}

void OverColor565(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                  uint32_t colorAlpha)
{
    Pick<ColorRow>(Color565Scalar, VECTOR_ROW(Color565Sse2), nullptr)(dest, native, count, factor,
                                                                      colorAlpha);
}

void AddWhite565Reference(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Add565Scalar(dest, native, count);
}

void AddWhite565(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(Add565Scalar, VECTOR_ROW(Add565Sse2), nullptr)(dest, native, count);
}

void Narrow16Reference(uint8_t* dest, const uint32_t* native, int32_t count)
{
    NarrowScalar(dest, native, count);
}

void Narrow16(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(NarrowScalar, VECTOR_ROW(NarrowSse2), nullptr)(dest, native, count);
}

void OverWhite32Reference(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Scalar(dest, native, count);
}

void OverWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(Scalar, VECTOR_ROW(Sse2), VECTOR_ROW(Avx2))(dest, native, count);
}

} // namespace Quib::SurfaceBlitRows
