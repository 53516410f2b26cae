#pragma once

#include "framework/graphics/TriangleRasterizer.h"

namespace Quib
{

// The plain form of the span routine at table index `index`: every pixel of the
// triangle's bounding box is tested against the exact edge rule on its own, and the
// shading follows the flags at run time. The table's routines must match it bit for bit.
void DrawTriangleSpansReference(int32_t index, const FixedVertex* vertices, void* dest, int32_t pitch,
                                const TextureDescription* texture, const ColorRecord* color);

} // namespace Quib
