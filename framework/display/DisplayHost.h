#pragma once

#include "framework/graphics/ImageHost.h"

#include <cstdint>
#include <string>

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

    // What the hardware path and its tester need.
    virtual bool IsMinimised() = 0;
    // The tester runs when either is asked for; automatic 3D also turns the path
    // on when the verdict is clean.
    virtual bool IsAutoEnable3D() = 0;
    virtual bool IsTest3DRequested() = 0;
    virtual uint32_t GetMinVideoMemory() = 0;
    virtual uint32_t GetRecommendedVideoMemory() = 0;
    virtual std::string GetRegistryKey() = 0;
    // Recording writes the value into the demo; playback replaces it by the recorded one.
    virtual bool IsPlayingDemo() = 0;
    virtual void RecordOrReplayString(std::string& text) = 0;
    virtual void RecordOrReplayBool(bool& flag) = 0;
    // After a fresh verdict of the tester.
    virtual void OnHardwareTestCompleted() = 0;
};

} // namespace Quib
