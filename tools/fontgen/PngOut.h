#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fontgen
{

// Writes 0xAARRGGBB pixels as an 8-bit RGBA PNG; false when the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

} // namespace fontgen
