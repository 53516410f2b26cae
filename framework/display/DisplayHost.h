#pragma once

#include "framework/graphics/ImageHost.h"

#include <cstdint>

namespace Quib
{

// What the display reads and sets of the application object besides the image
// services. The application implements it; tests use a fake.
class DisplayHost : public ImageHost
{
public:
    // The application's logical screen size: the size of every frame.
    virtual int32_t GetScreenWidth() = 0;
    virtual int32_t GetScreenHeight() = 0;
    // Bits per pixel asked of the screen in full screen.
    virtual int32_t GetFullScreenBitDepth() = 0;
    // The display clamped a refresh rate it could not trust.
    virtual void SetVSyncBroken() = 0;
};

} // namespace Quib
