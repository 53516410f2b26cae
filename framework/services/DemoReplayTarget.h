#pragma once

#include <cstdint>

namespace Quib
{

// What a demo's recorded input drives during playback: the widget manager's
// input calls and the application state the recording changed. The
// application object implements it.
class DemoReplayTarget
{
public:
    virtual ~DemoReplayTarget() = default;

    virtual bool IsShuttingDown() = 0;

    virtual void MouseMove(int x, int y) = 0;
    virtual void MouseDown(int x, int y, int clickCode) = 0;
    virtual void MouseUp(int x, int y, int clickCode) = 0;
    virtual void MouseWheel(int steps) = 0;
    virtual void KeyDown(uint32_t key) = 0;
    virtual void KeyUp(uint32_t key) = 0;
    virtual void KeyChar(uint8_t character) = 0;

    // The application was activated or deactivated (focus update, repaint,
    // a URL hand-over that completed).
    virtual void ReplayActivation(bool active) = 0;
    // A window was minimised or restored (mute, repaint, focus update).
    virtual void ReplayMinimised(bool minimised) = 0;
    virtual void ReplayClose() = 0;
    // The mouse entered (true) or left the window.
    virtual void ReplayMouseInside(bool inside) = 0;
    virtual void ReplayDisplayMode(bool windowed, int refreshRate) = 0;
};

} // namespace Quib
