#include "platform/DesktopIdle.h"

#include "platform/Clock.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <memory>
#include <mutex>

namespace platform
{
namespace
{

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// One connection of our own, opened on first use; none without an X display.
Display* idleDisplay()
{
    static std::once_flag once;
    static std::unique_ptr<Display, DisplayCloser> display;
    std::call_once(once, [] { display.reset(XOpenDisplay(nullptr)); });
    return display.get();
}

} // namespace

DesktopScreenSaver desktopScreenSaver()
{
    DesktopScreenSaver saver;
    Display* display = idleDisplay();
    if (display == nullptr)
        return saver;
    int timeout = 0, interval = 0, preferBlanking = 0, allowExposures = 0;
    XGetScreenSaver(display, &timeout, &interval, &preferBlanking, &allowExposures);
    saver.timeoutSeconds = timeout;
    saver.enabled = timeout > 0;
    int eventBase = 0, errorBase = 0;
    if (XScreenSaverQueryExtension(display, &eventBase, &errorBase))
    {
        XScreenSaverInfo info{};
        if (XScreenSaverQueryInfo(display, DefaultRootWindow(display), &info))
        {
            saver.running = info.state == ScreenSaverOn;
            saver.hasLastInput = true;
            saver.lastInputTick = tickCount() - static_cast<uint32_t>(info.idle);
        }
    }
    return saver;
}

void setScreenSaverAllowed(bool allowed)
{
    if (allowed)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
}

bool screenSaverAllowed()
{
    return SDL_IsScreenSaverEnabled() == SDL_TRUE;
}

} // namespace platform
