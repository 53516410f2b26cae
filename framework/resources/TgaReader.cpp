#include "framework/resources/ImageFile.h"
#include "framework/resources/ImageLib.h"

namespace ImageLib
{

std::unique_ptr<Image> ReadTgaImage(const std::string& fileName)
{
    ImageFile file;
    if (!file.Open(fileName))
        return nullptr;

    unsigned char header[18];
    if (file.Read(header, sizeof(header)) != sizeof(header))
        return nullptr;
    int idLength = header[0];
    int width = header[12] | (header[13] << 8);
    int height = header[14] | (header[15] << 8);
    int bitsPerPixel = header[16];
    int descriptor = header[17];

    // Only uncompressed 32-bit pixels with 8 alpha bits, stored from the top row down.
    if (bitsPerPixel != 32 || descriptor != 0x28)
        return nullptr;
    if (!SizeAllowed(width, height))
        return nullptr;

    unsigned char id[255];
    if (file.Read(id, idLength) != static_cast<size_t>(idLength))
        return nullptr;
    int64_t bytes = int64_t(width) * height * 4;
    if (file.Remaining() < bytes)
        return nullptr;

    auto image = std::make_unique<Image>(width, height);
    // The file's blue, green, red, alpha bytes are the little-endian 0xAARRGGBB word.
    std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
    for (int y = 0; y < height; ++y)
    {
        if (file.Read(row.data(), row.size()) != row.size())
            return nullptr;
        uint32_t* out = image->GetPixels() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x)
        {
            const unsigned char* p = &row[static_cast<size_t>(x) * 4];
            out[x] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        }
    }
    return image;
}

} // namespace ImageLib
