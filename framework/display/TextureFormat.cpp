#include "framework/display/TextureFormat.h"

namespace Quib
{

uint32_t PixelFormatType(platform::TexelFormat format)
{
    switch (format)
    {
    case platform::TexelFormat::Argb8888:
        return TEXTURE_A8R8G8B8;
    case platform::TexelFormat::Argb4444:
        return TEXTURE_A4R4G4B4;
    case platform::TexelFormat::Rgb565:
        return TEXTURE_R5G6B5;
    }
    return 0;
}

platform::TexelFormat MakePixelFormat(uint32_t format)
{
    if (format == TEXTURE_A4R4G4B4)
        return platform::TexelFormat::Argb4444;
    if (format == TEXTURE_R5G6B5)
        return platform::TexelFormat::Rgb565;
    return platform::TexelFormat::Argb8888;
}

int32_t TextureBytesPerTexel(uint32_t format)
{
    switch (format)
    {
    case TEXTURE_A8R8G8B8:
        return 4;
    case TEXTURE_A4R4G4B4:
    case TEXTURE_R5G6B5:
        return 2;
    case TEXTURE_PALETTE8:
        return 1;
    default:
        return 0;
    }
}

} // namespace Quib
