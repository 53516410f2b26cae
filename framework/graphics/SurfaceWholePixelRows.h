#pragma once

#include <cstdint>

// Whole-pixel rows of the sub-pixel blit onto a 32-bit surface whose red, green and
// blue are the bytes at 16, 8 and 0: no turn and the position on a pixel corner, so
// each source pixel lands on one destination pixel. The surface keeps no alpha: every
// pixel of the row is written with its top byte cleared, even where the source is
// see-through. Reference is the plain formula one pixel at a time; Draw is what the
// blit runs (vector code where the machine has it) and must give the same pixels.
namespace Quib::SurfaceWholePixelRows
{

struct Tint
{
    uint32_t r = 255;
    uint32_t g = 255;
    uint32_t b = 255;
    uint32_t a = 255;
    bool white = true;
};

void Reference(const uint32_t* src, uint8_t* dest, int32_t count, const Tint& tint);
void Draw(const uint32_t* src, uint8_t* dest, int32_t count, const Tint& tint);

} // namespace Quib::SurfaceWholePixelRows
