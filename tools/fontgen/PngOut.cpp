#include "tools/fontgen/PngOut.h"

#include <cstdio>
#include <png.h>

namespace fontgen
{

bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(width) * 4);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            uint32_t p = argb[size_t(y) * size_t(width) + size_t(x)];
            row[size_t(x) * 4 + 0] = png_byte(p >> 16);
            row[size_t(x) * 4 + 1] = png_byte(p >> 8);
            row[size_t(x) * 4 + 2] = png_byte(p);
            row[size_t(x) * 4 + 3] = png_byte(p >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace fontgen
