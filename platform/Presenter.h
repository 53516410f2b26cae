#pragma once

#include "platform/FrameChanges.h"

#include <cstdint>
#include <vector>

namespace platform
{

class Surface;
class Window;
struct PixelFormat;

// One pixel of the format as 0xFFRRGGBB.
uint32_t toArgb(uint32_t pixel, const PixelFormat& format);

// The surface's pixels as 0xFFRRGGBB, row after row; empty when it cannot be locked.
std::vector<uint32_t> readArgb(Surface& surface);

// The desktop's bits per pixel on the first display; 0 when unknown.
int desktopBitsPerPixel();

// Shows finished frames held in software surfaces in a window. The window takes
// 32-bit pixels; 16-bit surfaces are widened on the way, each channel's top bits
// repeated into its low bits so that full intensity stays full. Only what differs
// from the frame shown before reaches the window. Main thread only.
class Presenter
{
public:
    bool present(Window& window, Surface& surface);

private:
    std::vector<uint32_t> mConverted;
    FrameChanges mChanges;
    const Window* mWindow = nullptr;
};

} // namespace platform
