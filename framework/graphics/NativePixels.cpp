#include "framework/graphics/NativePixels.h"

#include "framework/graphics/NativeDisplay.h"

#include <algorithm>

namespace Quib
{
namespace
{

uint32_t ChannelBits(int32_t bits)
{
    return uint32_t(std::clamp(bits, 0, 8));
}

uint32_t ToNativeChannel(uint32_t p, uint32_t scale, int32_t from, int32_t mask, int32_t shift, int32_t bits)
{
    const uint32_t channel = p & (0xFFu << (from - 8));
    return ((((channel * scale) >> 8) >> (uint32_t(from) - ChannelBits(bits))) << (shift & 31)) &
           uint32_t(mask);
}

uint32_t FromNativeChannel(uint32_t t, uint32_t scale, int32_t mask, int32_t shift, int32_t bits)
{
    const uint32_t premultiplied = ((t & uint32_t(mask)) >> (shift & 31)) << (8 - ChannelBits(bits));
    return std::min<uint32_t>((premultiplied * 256 + scale - 1) / scale, 255);
}

} // namespace

uint32_t ToNative(uint32_t p, const NativeDisplay& d)
{
    const uint32_t alpha = p >> 24;
    const uint32_t scale = alpha + 1;
    return ToNativeChannel(p, scale, 24, d.mRedMask, d.mRedShift, d.mRedBits) |
           ToNativeChannel(p, scale, 16, d.mGreenMask, d.mGreenShift, d.mGreenBits) |
           ToNativeChannel(p, scale, 8, d.mBlueMask, d.mBlueShift, d.mBlueBits) | alpha << 24;
}

uint32_t FromNative(uint32_t t, const NativeDisplay& d)
{
    const uint32_t alpha = t >> 24;
    const uint32_t scale = alpha + 1;
    return alpha << 24 | FromNativeChannel(t, scale, d.mRedMask, d.mRedShift, d.mRedBits) << 16 |
           FromNativeChannel(t, scale, d.mGreenMask, d.mGreenShift, d.mGreenBits) << 8 |
           FromNativeChannel(t, scale, d.mBlueMask, d.mBlueShift, d.mBlueBits);
}

} // namespace Quib
