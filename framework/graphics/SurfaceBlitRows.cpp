#include "framework/graphics/SurfaceBlitRows.h"

#include "framework/graphics/Simd.h"
#include "framework/graphics/SurfaceBlitRowsLevels.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
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

// The coloured blends of both surface formats: blend(d, n, k) makes the new pixel from
// the one below, the value and the weight k of the one below.
template <typename Pixel, typename Blend>
void ColorRow(uint8_t* dest, const uint32_t* native, int32_t count, uint32_t colorAlpha, Blend blend)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint32_t n = native[i];
        const uint32_t alpha = n >> 24;
        if (alpha == 0)
            continue;
        const uint32_t k = alpha == 255 && colorAlpha == 255 ? 0 : 256 - alpha * colorAlpha / 255;
        Pixel d;
        std::memcpy(&d, dest + sizeof(Pixel) * i, sizeof(Pixel));
        const Pixel out = Pixel(blend(d, n, k));
        std::memcpy(dest + sizeof(Pixel) * i, &out, sizeof(Pixel));
    }
}

using Row = void (*)(uint8_t*, const uint32_t*, int32_t);
using ColorRowRoutine = void (*)(uint8_t*, const uint32_t*, int32_t, const uint32_t*, uint32_t);

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

void OverWhite32Reference(uint8_t* dest, const uint32_t* native, int32_t count)
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

void AddWhite32Reference(uint8_t* dest, const uint32_t* native, int32_t count)
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

void OverColor32Reference(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                          uint32_t colorAlpha)
{
    ColorRow<uint32_t>(
        dest, native, count, colorAlpha,
        [factor](uint32_t d, uint32_t n, uint32_t k)
        {
            uint32_t out = 0;
            for (int byte = 0; byte < 3; ++byte)
            {
                const int shift = 8 * byte;
                out |= ((((d >> shift) & 0xFF) * k + ((n >> shift) & 0xFF) * factor[byte]) >> 8 & 0xFF)
                       << shift;
            }
            return out;
        });
}

void Narrow16Reference(uint8_t* dest, const uint32_t* native, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
    {
        const uint16_t low = uint16_t(native[i]);
        std::memcpy(dest + 2 * i, &low, 2);
    }
}

void AddWhite565Reference(uint8_t* dest, const uint32_t* native, int32_t count)
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

void OverColor565Reference(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                           uint32_t colorAlpha)
{
    ColorRow<uint16_t>(dest, native, count, colorAlpha,
                       [factor](uint32_t d, uint32_t n, uint32_t k)
                       {
                           constexpr uint32_t kMasks[3] = {0x001F, 0x07E0, 0xF800};
                           uint32_t out = 0;
                           for (int c = 0; c < 3; ++c)
                               out |= (((d & kMasks[c]) * k + (n & kMasks[c]) * factor[c]) >> 8) & kMasks[c];
                           return uint16_t(out);
                       });
}

void OverColor32(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha)
{
    Pick<ColorRowRoutine>(OverColor32Reference, VECTOR_ROW(Sse2::OverColor32),
                          VECTOR_ROW(Avx2::OverColor32))(dest, native, count, factor, colorAlpha);
}

void AddWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(AddWhite32Reference, VECTOR_ROW(Sse2::AddWhite32), VECTOR_ROW(Avx2::AddWhite32))(dest, native,
                                                                                               count);
}

void OverColor565(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                  uint32_t colorAlpha)
{
    Pick<ColorRowRoutine>(OverColor565Reference, VECTOR_ROW(Sse2::OverColor565), nullptr)(dest, native, count,
                                                                                          factor, colorAlpha);
}

void AddWhite565(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(AddWhite565Reference, VECTOR_ROW(Sse2::AddWhite565), nullptr)(dest, native, count);
}

void Narrow16(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(Narrow16Reference, VECTOR_ROW(Sse2::Narrow16), nullptr)(dest, native, count);
}

void OverWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    Pick<Row>(OverWhite32Reference, VECTOR_ROW(Sse2::OverWhite32),
              VECTOR_ROW(Avx2::OverWhite32))(dest, native, count);
}

} // namespace Quib::SurfaceBlitRows
