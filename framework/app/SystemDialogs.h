#pragma once

#include <cstdint>
#include <string>

namespace platform
{
class Window;
}

namespace Quib
{

class StringTable;

// What the system dialog bracket needs of the application object.
class SystemDialogHost
{
public:
    virtual ~SystemDialogHost() = default;
    virtual bool IsScreenSaverMode() = 0;
    virtual void WriteScreenSaverErrorLog(const std::string& text) = 0;
    virtual bool IsShuttingDown() = 0;
    virtual bool IsWindowedNow() = 0;
    // Full screen: lets the desktop show through while a dialog is up; false
    // when there is no display to do it with.
    virtual bool ShowDesktopSurface() = 0;
    virtual void ResetUpdateTimer() = 0;
    virtual void ClearKeyStates() = 0;
    // The widget manager lets go of any mouse buttons it still holds, and the
    // mouse capture is released.
    virtual void ReleaseHeldMouseButtons() = 0;
    // The window that owns the boxes; null for none.
    virtual const platform::Window* DialogOwner() = 0;
};

// The framework's message boxes: bracketed so that a full-screen display shows
// the desktop while a box is up and no time or key spent in the box is caught
// up afterwards; silenced into a log in screen-saver mode.
class SystemDialogs
{
public:
    SystemDialogs(SystemDialogHost& host, const StringTable& strings) : mHost(host), mStrings(strings) {}

    void BeginSystemDialog();
    void EndSystemDialog();
    int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags);
    int ShowMessageBoxWide(const std::wstring& text, const std::wstring& caption, uint32_t flags);
    // Shows nothing once shutting down has begun (the bracket still runs).
    void ShowError(const std::string& text);
    void ShowErrorWide(const std::wstring& text);

    bool IsSystemDialogUp() const { return mSystemDialogUp; }

private:
    int ShowBox(const std::string& text, const std::string& caption, uint32_t flags);

    SystemDialogHost& mHost;
    const StringTable& mStrings;
    bool mSystemDialogUp = false;
};

// Wide text for a message box: characters Windows-1252 holds keep their
// byte, others become '?'.
std::string WideToDisplayText(const std::wstring& text);

} // namespace Quib
