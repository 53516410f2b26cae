#pragma once

#include "framework/foundation/Rect.h"

#include <cstdint>

namespace Quib
{

// One character of a font layer.
class FontGlyph
{
public:
    Rect mImageRect; // where the glyph lies in the layer image
    int32_t mOffsetX = 0;
    int32_t mOffsetY = 0;
    // Added to the advance when the character of that (mapped) code follows.
    int8_t mKerningOffsets[256] = {};
    int32_t mWidth = 0; // the advance
    int32_t mOrder = 0; // draw order against other glyphs
};

} // namespace Quib
