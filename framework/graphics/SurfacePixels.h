#pragma once

#include "framework/foundation/Color.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Quib
{

class DDImage;
class DisplayServices;

// The notation the software routines on a locked surface share: the three channels'
// masks, shifts and bit counts (all from the locked surface), the spread form of
// 16-bit pixels and the colour factors.
namespace SurfacePixels
{

constexpr uint32_t SPREAD_565 = 0x07E0F81F;
constexpr uint32_t SPREAD_555 = 0x03E07C1F;

// Which arithmetic a 16-bit destination gets, chosen by its green mask alone.
enum class Packing
{
    Wide, // 32 bits per pixel
    P565,
    P555,
    Generic16,
};

struct Channel
{
    uint32_t mask = 0;
    int32_t shift = 0;
    int32_t bits = 0;
    const int32_t* table = nullptr; // the display's additive clamp table
};

// A locked destination, ready for the loops: red, green, blue in that order.
struct Target
{
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
    int32_t bitCount = 0;
    Packing packing = Packing::Wide;
    Channel channel[3];

    uint32_t SpreadMask() const { return packing == Packing::P565 ? SPREAD_565 : SPREAD_555; }
    uint8_t* Row(int32_t y) const { return bits + std::ptrdiff_t(y) * pitch; }
};

// Fills target from the image's lock and its display's clamp tables; false for depths
// other than 16 and 32 bits, which no routine draws.
bool MakeTarget(const DDImage& image, Target& target);
// The additive routines need all three clamp tables; without them they draw nothing.
bool HasTables(const Target& target);

inline uint32_t Spread(uint32_t x, uint32_t mask)
{
    return ((x & 0xFFFF) * 0x10001) & mask;
}

inline uint32_t Fold(uint32_t y)
{
    return (y | (y >> 16)) & 0xFFFF;
}

template <typename Pixel> inline uint32_t Load(const uint8_t* row, int32_t x)
{
    Pixel value;
    std::memcpy(&value, row + std::ptrdiff_t(x) * std::ptrdiff_t(sizeof(Pixel)), sizeof(Pixel));
    return value;
}

template <typename Pixel> inline void Store(uint8_t* row, int32_t x, uint32_t value)
{
    const Pixel narrow = Pixel(value);
    std::memcpy(row + std::ptrdiff_t(x) * std::ptrdiff_t(sizeof(Pixel)), &narrow, sizeof(Pixel));
}

inline uint32_t Load(const Target& t, const uint8_t* row, int32_t x)
{
    return t.bitCount == 16 ? Load<uint16_t>(row, x) : Load<uint32_t>(row, x);
}

inline void Store(const Target& t, uint8_t* row, int32_t x, uint32_t value)
{
    if (t.bitCount == 16)
        Store<uint16_t>(row, x, value);
    else
        Store<uint32_t>(row, x, value);
}

// A colour's channels cut to 0..255 and its factors f = alpha x channel / 255.
struct Paint
{
    uint32_t r = 255;
    uint32_t g = 255;
    uint32_t b = 255;
    uint32_t a = 255;
    uint32_t f[3] = {255, 255, 255}; // red, green, blue
    bool white = true;
    bool grey = true;

    explicit Paint(const Color& color)
        : r(uint32_t(std::clamp(color.mRed, 0, 255))), g(uint32_t(std::clamp(color.mGreen, 0, 255))),
          b(uint32_t(std::clamp(color.mBlue, 0, 255))),
          a(uint32_t(std::clamp(color.mAlpha, 0, 255))), f{a * r / 255, a * g / 255, a * b / 255},
          white(color.IsWhite()), grey(f[0] == f[1] && f[1] == f[2])
    {
    }

    uint32_t Channel(int i) const { return i == 0 ? r : i == 1 ? g : b; }
};

// Per channel d' = ((d & m) x k + (n & m) x f) >> 8 & m, OR-ed: the modulated blend
// every format falls back on.
inline uint32_t BlendChannels(const Target& t, uint32_t d, uint32_t n, uint32_t k, const uint32_t f[3])
{
    uint32_t out = 0;
    for (int i = 0; i < 3; ++i)
    {
        const uint32_t m = t.channel[i].mask;
        out |= (((d & m) * k + (n & m) * f[i]) >> 8) & m;
    }
    return out;
}

// Per channel the clamped sum T[((d & m) >> s) + add[i]], OR-ed.
inline uint32_t AddChannels(const Target& t, uint32_t d, const uint32_t add[3])
{
    uint32_t out = 0;
    for (int i = 0; i < 3; ++i)
    {
        const Channel& c = t.channel[i];
        out |= uint32_t(c.table[((d & c.mask) >> c.shift) + add[i]]) << c.shift;
    }
    return out;
}

// The additive blits' per-pixel sum for a white or a modulated colour.
inline uint32_t AddNative(const Target& t, uint32_t d, uint32_t n, const Paint& paint)
{
    uint32_t add[3];
    for (int i = 0; i < 3; ++i)
    {
        const Channel& c = t.channel[i];
        const uint32_t v = (n & c.mask) >> c.shift;
        add[i] = paint.white ? v : v * paint.f[i] / 256;
    }
    return AddChannels(t, d, add);
}

} // namespace SurfacePixels
} // namespace Quib
