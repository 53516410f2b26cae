#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>

namespace Quib
{

// Texture formats as bits of a mask of what a device can use.
enum TextureFormat : uint32_t
{
    TEXTURE_A8R8G8B8 = 1,
    TEXTURE_A4R4G4B4 = 2,
    TEXTURE_R5G6B5 = 4,
    TEXTURE_PALETTE8 = 8,
};

// The format bit of a device format.
uint32_t PixelFormatType(platform::TexelFormat format);
// The device format of a format bit; palette textures have none, so they are never made.
platform::TexelFormat MakePixelFormat(uint32_t format);
// Bytes a texel of the format takes (1 for a palette index).
int32_t TextureBytesPerTexel(uint32_t format);

} // namespace Quib
