#pragma once

#include "platform/WindowRect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform
{

// Keeps the last frame shown and tells which parts of the next one differ from
// it: bands of consecutive changed rows, each as wide as the columns that
// changed in any of its rows.
class FrameChanges
{
public:
    // The changed areas of this frame (image coordinates), after which this
    // frame is the one remembered. The first frame, and any frame of another
    // size, is changed everywhere.
    const std::vector<WindowRect>& compare(const uint32_t* pixels, int width, int height, int pitchBytes);
    // The next frame counts as changed everywhere.
    void forget();

private:
    std::vector<uint32_t> mLast;
    int mWidth = 0;
    int mHeight = 0;
    std::vector<WindowRect> mChanged;
};

} // namespace platform
