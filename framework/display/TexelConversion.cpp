#include "framework/display/TexelConversion.h"

#include "framework/display/TextureFormat.h"

#include <algorithm>
#include <cstring>

namespace Quib
{

uint32_t ArgbToTexel(uint32_t argb, uint32_t format)
{
    switch (format)
    {
    case TEXTURE_A4R4G4B4:
        return ((argb >> 16) & 0xF000) | ((argb >> 12) & 0x0F00) | ((argb >> 8) & 0x00F0) |
               ((argb >> 4) & 0x000F);
    case TEXTURE_R5G6B5:
        return ((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F);
    default:
        return argb;
    }
}

uint32_t TexelToArgb(uint32_t texel, uint32_t format)
{
    switch (format)
    {
    case TEXTURE_A4R4G4B4:
        return 0xFF000000u | ((texel & 0x0F00) << 12) | ((texel & 0x00F0) << 8) | ((texel & 0x000F) << 4);
    case TEXTURE_R5G6B5:
        return 0xFF000000u | ((texel & 0xF800) << 8) | ((texel & 0x07E0) << 5) | ((texel & 0x001F) << 3);
    default:
        return texel;
    }
}

std::vector<uint8_t> PieceTexels(const uint32_t* pixels, int32_t imageWidth, int32_t imageHeight, int32_t x,
                                 int32_t y, int32_t width, int32_t height, uint32_t format)
{
    const int32_t bytes = TextureBytesPerTexel(format);
    std::vector<uint8_t> texels(size_t(width) * size_t(height) * size_t(bytes), 0);
    const int32_t columns = std::clamp(imageWidth - x, 0, width);
    const int32_t rows = std::clamp(imageHeight - y, 0, height);
    if (columns == 0 || rows == 0)
        return texels;
    // The repeated edge keeps a filtered edge from blending with the texels beyond it.
    const int32_t copiedColumns = columns < width ? columns + 1 : columns;
    const int32_t copiedRows = rows < height ? rows + 1 : rows;
    for (int32_t row = 0; row < copiedRows; ++row)
    {
        const uint32_t* source =
            pixels + size_t(y + std::min(row, rows - 1)) * size_t(imageWidth) + size_t(x);
        uint8_t* out = texels.data() + size_t(row) * size_t(width) * size_t(bytes);
        for (int32_t column = 0; column < copiedColumns; ++column)
        {
            const uint32_t texel = ArgbToTexel(source[std::min(column, columns - 1)], format);
            std::memcpy(out + size_t(column) * size_t(bytes), &texel, size_t(bytes));
        }
    }
    return texels;
}

} // namespace Quib
