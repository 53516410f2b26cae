#pragma once

#include <cstdint>

// The per-row work of the memory image's rotated (and sub-pixel) blit: bilinear
// sampling in 16.16 steps and compositing. Reference holds the plain formulas one
// pixel at a time; Draw is what the blit runs (vector code where the machine has it)
// and must give bit-identical results.
namespace Quib::RotatedBlitRows
{

struct Row
{
    const uint32_t* src = nullptr; // top-left pixel of the source rectangle
    int32_t stride = 0;            // source row length in pixels
    int32_t u = 0;                 // 16.16 source position of the first pixel
    int32_t v = 0;
    int32_t du = 0;
    int32_t dv = 0;
    int32_t count = 0;
    uint32_t* dest = nullptr; // first destination pixel
};

struct Paint
{
    uint32_t r = 255;
    uint32_t g = 255;
    uint32_t b = 255;
    uint32_t a = 255;
    bool white = true;
    bool additive = false;
};

void Reference(const Row& row, const Paint& paint);
void Draw(const Row& row, const Paint& paint);

} // namespace Quib::RotatedBlitRows
