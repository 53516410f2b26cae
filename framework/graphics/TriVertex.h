#pragma once

#include <cstdint>

namespace Quib
{

// One corner of a textured triangle; three consecutive vertices make a triangle.
struct TriVertex
{
    float x = 0.0f;
    float y = 0.0f;
    float u = 0.0f; // 0..1 across the source
    float v = 0.0f;
    uint32_t color = 0; // packed 0xAARRGGBB; 0 means no vertex colour
};

} // namespace Quib
