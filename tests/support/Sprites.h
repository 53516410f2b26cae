#pragma once

#include <cstdint>
#include <vector>

namespace testsupport
{

// A sprite as the game's pictures are: an opaque rounded core with some texture, a
// soft edge a few pixels wide, and transparent corners.
std::vector<uint32_t> SpritePixels(int width, int height, uint32_t color, int softEdge = 3);

// An opaque full-frame picture: diagonal gradients with a checker texture.
std::vector<uint32_t> BackgroundPixels(int width, int height);

} // namespace testsupport
