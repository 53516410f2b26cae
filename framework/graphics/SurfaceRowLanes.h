#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include <cstdint>
#include <immintrin.h>

// The vector widths the surface rows are written once over: four pixels in a 128-bit
// register, or eight in a 256-bit one. Every operation works within each pixel's
// 32-bit lane or within each 128-bit half, so a row written over either width gives
// the same bytes. Select takes the first value where the mask's lanes are set.
namespace Quib::SurfaceRowLanes
{

struct Lanes128
{
    using Vector = __m128i;
    static constexpr int32_t kPixels = 4;

    static Vector Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static void Store(void* p, Vector v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
    static Vector Zero() { return _mm_setzero_si128(); }
    static Vector Set32(int32_t value) { return _mm_set1_epi32(value); }
    static Vector Set64(int64_t value) { return _mm_set1_epi64x(value); }
    static Vector And(Vector a, Vector b) { return _mm_and_si128(a, b); }
    static Vector AndNot(Vector a, Vector b) { return _mm_andnot_si128(a, b); }
    static Vector Or(Vector a, Vector b) { return _mm_or_si128(a, b); }
    static Vector Add32(Vector a, Vector b) { return _mm_add_epi32(a, b); }
    static Vector Sub32(Vector a, Vector b) { return _mm_sub_epi32(a, b); }
    static Vector Add16(Vector a, Vector b) { return _mm_add_epi16(a, b); }
    static Vector MulLow16(Vector a, Vector b) { return _mm_mullo_epi16(a, b); }
    static Vector ShiftLeft32(Vector v, int bits) { return _mm_slli_epi32(v, bits); }
    static Vector ShiftRight32(Vector v, int bits) { return _mm_srli_epi32(v, bits); }
    static Vector ShiftRight16(Vector v, int bits) { return _mm_srli_epi16(v, bits); }
    static Vector Equal32(Vector a, Vector b) { return _mm_cmpeq_epi32(a, b); }
    static Vector UnpackLow8(Vector a, Vector b) { return _mm_unpacklo_epi8(a, b); }
    static Vector UnpackHigh8(Vector a, Vector b) { return _mm_unpackhi_epi8(a, b); }
    static Vector UnpackLow32(Vector a, Vector b) { return _mm_unpacklo_epi32(a, b); }
    static Vector UnpackHigh32(Vector a, Vector b) { return _mm_unpackhi_epi32(a, b); }
    static Vector PackUnsigned16(Vector a, Vector b) { return _mm_packus_epi16(a, b); }
    static Vector AddSaturated8(Vector a, Vector b) { return _mm_adds_epu8(a, b); }
    static bool AllSet(Vector mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
    static Vector Select(Vector mask, Vector chosen, Vector other)
    {
        return _mm_or_si128(_mm_and_si128(mask, chosen), _mm_andnot_si128(mask, other));
    }
};

// Only the translation unit built for AVX2 sees the wide lanes, so that no copy of
// an inline function compiled for AVX2 can stand in for one the narrow rows call.
#ifdef __AVX2__
struct Lanes256
{
    using Vector = __m256i;
    static constexpr int32_t kPixels = 8;

    static Vector Load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    static void Store(void* p, Vector v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
    static Vector Zero() { return _mm256_setzero_si256(); }
    static Vector Set32(int32_t value) { return _mm256_set1_epi32(value); }
    static Vector Set64(int64_t value) { return _mm256_set1_epi64x(value); }
    static Vector And(Vector a, Vector b) { return _mm256_and_si256(a, b); }
    static Vector AndNot(Vector a, Vector b) { return _mm256_andnot_si256(a, b); }
    static Vector Or(Vector a, Vector b) { return _mm256_or_si256(a, b); }
    static Vector Add32(Vector a, Vector b) { return _mm256_add_epi32(a, b); }
    static Vector Sub32(Vector a, Vector b) { return _mm256_sub_epi32(a, b); }
    static Vector Add16(Vector a, Vector b) { return _mm256_add_epi16(a, b); }
    static Vector MulLow16(Vector a, Vector b) { return _mm256_mullo_epi16(a, b); }
    static Vector ShiftLeft32(Vector v, int bits) { return _mm256_slli_epi32(v, bits); }
    static Vector ShiftRight32(Vector v, int bits) { return _mm256_srli_epi32(v, bits); }
    static Vector ShiftRight16(Vector v, int bits) { return _mm256_srli_epi16(v, bits); }
    static Vector Equal32(Vector a, Vector b) { return _mm256_cmpeq_epi32(a, b); }
    static Vector UnpackLow8(Vector a, Vector b) { return _mm256_unpacklo_epi8(a, b); }
    static Vector UnpackHigh8(Vector a, Vector b) { return _mm256_unpackhi_epi8(a, b); }
    static Vector UnpackLow32(Vector a, Vector b) { return _mm256_unpacklo_epi32(a, b); }
    static Vector UnpackHigh32(Vector a, Vector b) { return _mm256_unpackhi_epi32(a, b); }
    static Vector PackUnsigned16(Vector a, Vector b) { return _mm256_packus_epi16(a, b); }
    static Vector AddSaturated8(Vector a, Vector b) { return _mm256_adds_epu8(a, b); }
    static bool AllSet(Vector mask) { return uint32_t(_mm256_movemask_epi8(mask)) == 0xFFFFFFFF; }
    static Vector Select(Vector mask, Vector chosen, Vector other)
    {
        return _mm256_blendv_epi8(other, chosen, mask);
    }
};
#endif

} // namespace Quib::SurfaceRowLanes
#endif
