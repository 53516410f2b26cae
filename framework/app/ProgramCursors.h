#pragma once

#include <cstdint>
#include <vector>

namespace Quib
{

// The program's own hand cursors as 32 x 32 0xAARRGGBB images (black outline,
// white fill, transparent elsewhere), for colour cursors.
struct ProgramCursorImage
{
    static constexpr int kSize = 32;
    std::vector<uint32_t> pixels; // kSize x kSize, row by row
    int hotX = 0;
    int hotY = 0;
};

ProgramCursorImage HandCursorImage();
ProgramCursorImage DraggingHandCursorImage();

} // namespace Quib
