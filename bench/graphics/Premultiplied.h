#pragma once

#include <cstdint>
#include <vector>

// pixman's operators expect premultiplied pixels, so its contenders draw from copies
// of the straight-alpha pictures converted this way, rounding to nearest.
inline std::vector<uint32_t> Premultiplied(std::vector<uint32_t> pixels)
{
    for (uint32_t& p : pixels)
    {
        const uint32_t a = p >> 24;
        const auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
        p = a << 24 | mul((p >> 16) & 0xFF) << 16 | mul((p >> 8) & 0xFF) << 8 | mul(p & 0xFF);
    }
    return pixels;
}
