#pragma once

#include <cstdint>

namespace platform
{

// What the desktop tells of its screen saver. Everything stays off where it
// tells nothing (no X display, as in the tests).
struct DesktopScreenSaver
{
    int timeoutSeconds = 0;
    bool enabled = false;
    bool running = false;
    // The tick count (our clock) of the user's last input anywhere on the desktop.
    bool hasLastInput = false;
    uint32_t lastInputTick = 0;
};
DesktopScreenSaver desktopScreenSaver();

// Whether the desktop's screen saver and the monitor's power saving may start
// while the program runs; the video layer blocks them until allowed.
void setScreenSaverAllowed(bool allowed);
bool screenSaverAllowed();

} // namespace platform
