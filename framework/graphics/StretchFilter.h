#pragma once

#include "framework/foundation/Rect.h"
#include "framework/graphics/DoubleRect.h"

#include <cstdint>

// The memory image's filtered stretch: two separable passes (linear interpolation
// when enlarging, area averaging when reducing) into sums of 8-bit values scaled by
// 257 and 256, then compositing. Reference follows the passes literally over whole
// grids; Draw precomputes the taps once per call, reuses its scratch rows and fuses
// the vertical pass with the compositing, with bit-identical results.
namespace Quib::StretchFilter
{

// A source read either from 32-bit pixels or through a palette.
struct Source
{
    const uint32_t* bits = nullptr;
    const uint32_t* palette = nullptr;
    const uint8_t* indices = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

// Draws the mapped source rectangle into the clipped destination rectangle of a
// destination destWidth pixels wide; false when the source window is empty and
// nothing was drawn.
bool Reference(const Source& source, uint32_t* dest, int32_t destWidth, const Rect& clipped,
               const DoubleRect& mapped);
bool Draw(const Source& source, uint32_t* dest, int32_t destWidth, const Rect& clipped,
          const DoubleRect& mapped);

} // namespace Quib::StretchFilter
