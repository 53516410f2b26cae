#pragma once

#include <cstdint>
#include <vector>

namespace Quib
{

// One pixel (0xAARRGGBB) as a texel of a texture format, and back. 4-4-4-4 and
// 5-6-5 keep each channel's top bits; read back, 4-4-4-4 and 5-6-5 come out
// opaque with each channel shifted up.
uint32_t ArgbToTexel(uint32_t argb, uint32_t format);
uint32_t TexelToArgb(uint32_t texel, uint32_t format);

// The texels of the piece of an image at (x, y), of the piece's size: the image
// where it reaches, one more column repeating each row's last pixel past the
// image's right edge and one more row repeating the last row past its bottom,
// zero beyond. Rows of width x bytes per texel, ready to upload.
std::vector<uint8_t> PieceTexels(const uint32_t* pixels, int32_t imageWidth, int32_t imageHeight, int32_t x,
                                 int32_t y, int32_t width, int32_t height, uint32_t format);

} // namespace Quib
