#include "tests/support/Sprites.h"

#include <algorithm>
#include <cmath>

namespace testsupport
{

std::vector<uint32_t> SpritePixels(int width, int height, uint32_t color, int softEdge)
{
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    const double cx = (width - 1) / 2.0;
    const double cy = (height - 1) / 2.0;
    const double radius = std::min(width, height) / 2.0;
    const double corner = radius * 0.6;
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            // Distance outside a rounded rectangle inset by the corner radius.
            const double ox = std::max(std::fabs(x - cx) - (cx - corner), 0.0);
            const double oy = std::max(std::fabs(y - cy) - (cy - corner), 0.0);
            const double outside = std::sqrt(ox * ox + oy * oy) - (corner - softEdge);
            const double cover = std::clamp(1.0 - outside / softEdge, 0.0, 1.0);
            const uint32_t alpha = uint32_t(std::lround(cover * 255.0));
            const uint32_t shade = ((x / 4 + y / 4) % 2 == 0) ? 0 : 0x202020;
            const uint32_t rgb = (color & 0xFFFFFF) ^ shade;
            pixels[size_t(y) * size_t(width) + size_t(x)] = alpha << 24 | (alpha == 0 ? 0 : rgb);
        }
    }
    return pixels;
}

std::vector<uint32_t> BackgroundPixels(int width, int height)
{
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const uint32_t r = uint32_t(x * 255 / std::max(width - 1, 1));
            const uint32_t g = uint32_t(y * 255 / std::max(height - 1, 1));
            const uint32_t b = ((x / 16 + y / 16) % 2 == 0) ? 0x60 : 0x90;
            pixels[size_t(y) * size_t(width) + size_t(x)] = 0xFF000000 | r << 16 | g << 8 | b;
        }
    }
    return pixels;
}

} // namespace testsupport
