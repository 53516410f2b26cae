#pragma once

#include "platform/ChildProcess.h"

#include <cstdint>
#include <functional>
#include <string>

namespace Quib
{

class DemoRecorder;

// The application's reach into the desktop: handing an address to the
// desktop's opener (and optionally leaving once the browser has taken over),
// the clipboard's text, and the wallpaper.
class DesktopServices
{
public:
    struct Clipboard
    {
        std::function<std::string()> mGetText;
        std::function<bool(const std::string&)> mSetText;
    };

    // The clipboard is the desktop's unless a test gives another.
    explicit DesktopServices(DemoRecorder& demo, Clipboard clipboard = {});

    // True when the opener started with the address (or it is being opened
    // already); the caller does not wait for it. `now` is the tick count that
    // starts the wait for the browser.
    bool OpenUrl(const std::string& url, bool shutDownAfter, uint32_t now);
    // The opener has ended without taking the address.
    bool OpenerRefused();
    // The browser came to the front or the wait ended: true when the
    // application should now shut down.
    bool OnUrlOpened();
    void OnUrlOpenFailed() { mOpening = false; }
    bool IsUrlOpening() const { return mOpening; }
    uint32_t UrlOpenTime() const { return mOpenTime; }
    const std::string& Url() const { return mUrl; }

    // Nothing while a demo is played back.
    void CopyToClipboard(const std::string& text);
    // The clipboard's text, recorded into and replayed from demos; "" while
    // a demo is played back and nothing was recorded. After a real close
    // during playback the live clipboard answers again.
    std::string GetClipboardText();

    // False for a path that is not valid UTF-8 or where the desktop offers no
    // way to set the wallpaper.
    bool SetDesktopWallpaper(const std::string& picturePath);

private:
    DemoRecorder& mDemo;
    Clipboard mClipboard;
    bool mOpening = false;
    bool mShutDownAfterOpening = false;
    std::string mUrl;
    uint32_t mOpenTime = 0;
    platform::ChildProcess mOpener;
};

} // namespace Quib
