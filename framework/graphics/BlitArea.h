#pragma once

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/BlitKernels.h"

#include <cstdint>

namespace Quib
{

// The part of a blit that lies inside both images: a source rectangle outside its
// image or a destination outside the target would read or write foreign memory.
struct BlitArea
{
    int32_t dstX = 0;
    int32_t dstY = 0;
    int32_t srcX = 0;
    int32_t srcY = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// False when nothing of the blit remains.
bool ClipBlitArea(int32_t dstWidth, int32_t dstHeight, int32_t srcWidth, int32_t srcHeight, int32_t x,
                  int32_t y, const Rect& srcRect, BlitArea& area);

// The rectangle's part inside a width x height image; false when empty.
bool ClipToImage(const Rect& rect, int32_t width, int32_t height, Rect& clipped);

BlitColor ToBlitColor(const Color& color);

} // namespace Quib
