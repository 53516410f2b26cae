#pragma once

#include <cstdint>

namespace Quib
{

// The screen's pixel format. The display fills it in each time it sets up the screen;
// images read it at conversion time, so conversions follow a display change.
class NativeDisplay
{
public:
    NativeDisplay() = default;
    NativeDisplay(const NativeDisplay&) = default;
    NativeDisplay& operator=(const NativeDisplay&) = default;
    virtual ~NativeDisplay() = default;

    int32_t mBitDepth = 0;
    int32_t mRedMask = 0;
    int32_t mGreenMask = 0;
    int32_t mBlueMask = 0;
    int32_t mRedBits = 0;
    int32_t mGreenBits = 0;
    int32_t mBlueBits = 0;
    int32_t mRedShift = 0;
    int32_t mGreenShift = 0;
    int32_t mBlueShift = 0;
};

} // namespace Quib
