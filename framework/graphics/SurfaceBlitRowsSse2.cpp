#include "framework/graphics/SurfaceBlitRows.h"
#include "framework/graphics/SurfaceBlitRowsLevels.h"
#include "framework/graphics/SurfaceBlitRowsVector.h"

#if defined(__x86_64__) || defined(__i386__)
namespace Quib::SurfaceBlitRows::Sse2
{
namespace
{

// Eight values' low halves in 16-bit lanes: each low half sign-extended to 32 bits
// packs back into itself, so the saturating pack keeps exactly the low halves.
inline __m128i LowHalves(const uint32_t* native)
{
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(native + 4));
    return _mm_packs_epi32(_mm_srai_epi32(_mm_slli_epi32(a, 16), 16),
                           _mm_srai_epi32(_mm_slli_epi32(b, 16), 16));
}

} // namespace

void OverWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const int32_t done = OverWhite32Lanes<SurfaceRowLanes::Lanes128>(dest, native, count);
    OverWhite32Reference(dest + 4 * done, native + done, count - done);
}

void AddWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const int32_t done = AddWhite32Lanes<SurfaceRowLanes::Lanes128>(dest, native, count);
    AddWhite32Reference(dest + 4 * done, native + done, count - done);
}

void OverColor32(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha)
{
    const int32_t done = OverColor32Lanes<SurfaceRowLanes::Lanes128>(dest, native, count, factor, colorAlpha);
    OverColor32Reference(dest + 4 * done, native + done, count - done, factor, colorAlpha);
}

// Each channel's sum fits a 16-bit lane, where a signed minimum cuts it.
void AddWhite565(uint8_t* dest, const uint32_t* native, int32_t count)
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
    AddWhite565Reference(dest + 2 * i, native + i, count - i);
}

// Channels taken down to bit 0 keep the formula: ((c << s) x w >> 8) & (M << s) is
// ((c x w) >> 8 & M) << s, and every product and sum of a channel fits a 16-bit lane
// (63 x 256 + 63 x 255 < 2^15). A x colorAlpha / 255 is (x + 1 + (x >> 8)) >> 8.
void OverColor565(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
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
    OverColor565Reference(dest + 2 * i, native + i, count - i, factor, colorAlpha);
}

void Narrow16(uint8_t* dest, const uint32_t* native, int32_t count)
{
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 2 * i), LowHalves(native + i));
    Narrow16Reference(dest + 2 * i, native + i, count - i);
}

} // namespace Quib::SurfaceBlitRows::Sse2
#endif
