#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

// For the pixel rows that widen four (or eight) pixels to 16-bit channels: each
// pixel's 32-bit lane holds a value in its low half, and the result repeats it in the
// four channels of the first two (Low) or last two (High) pixels of each 128-bit
// half, as unpacking the pixels' bytes lays them out.
namespace Quib::LaneSpread
{

inline __m128i SpreadLow(__m128i value)
{
    const __m128i both = _mm_or_si128(value, _mm_slli_epi32(value, 16));
    return _mm_unpacklo_epi32(both, both);
}

inline __m128i SpreadHigh(__m128i value)
{
    const __m128i both = _mm_or_si128(value, _mm_slli_epi32(value, 16));
    return _mm_unpackhi_epi32(both, both);
}

__attribute__((target("avx2"))) inline __m256i SpreadLow(__m256i value)
{
    const __m256i both = _mm256_or_si256(value, _mm256_slli_epi32(value, 16));
    return _mm256_unpacklo_epi32(both, both);
}

__attribute__((target("avx2"))) inline __m256i SpreadHigh(__m256i value)
{
    const __m256i both = _mm256_or_si256(value, _mm256_slli_epi32(value, 16));
    return _mm256_unpackhi_epi32(both, both);
}

} // namespace Quib::LaneSpread
#endif
