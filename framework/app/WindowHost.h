#pragma once

#include "platform/Messages.h"

#include <cstdint>

namespace Quib
{

// What the window procedure and the input queue need of the application
// object, the widget manager, the window and the demo layer. The application
// object implements it; tests drive the queue with a fake.
class WindowHost
{
public:
    virtual ~WindowHost() = default;

    // Application state.
    virtual uint32_t MainWindowId() = 0;
    virtual uint32_t InvisibleWindowId() { return 0; }
    virtual bool IsShuttingDown() = 0;
    virtual bool IsInitFinished() = 0;
    virtual bool IsInRunLoop() = 0;
    virtual bool IsWindowHidden() = 0;
    virtual bool IsSystemDialogUp() = 0;
    virtual bool IsWindowedWanted() = 0;
    virtual bool IsWindowedNow() = 0;
    virtual bool IsFullScreenForced() = 0;
    virtual bool IsFullScreenFailed() = 0;
    virtual bool IsUrlOpening() { return false; }
    virtual uint32_t UrlOpenTime() { return 0; }
    // The desktop's opener ended without taking the address being opened.
    virtual bool UrlOpenerRefused() { return false; }

    // Application operations.
    virtual void Shutdown() = 0;
    // The session ends (a log-out, or the process is asked to stop): save and
    // quit without asking anything.
    virtual void EndSession() = 0;
    virtual void SetWindowedMode(bool windowed) = 0;
    virtual void Redraw() = 0;
    virtual void ResetUpdateTimer() = 0;
    virtual void Mute(bool automatic) = 0;
    virtual void Unmute(bool automatic) = 0;
    virtual void ApplyCursor() = 0;
    virtual void OnUrlOpened() {}
    virtual void OnUrlOpenFailed() {}
    // Restores a minimised main window and brings it to the foreground.
    virtual void BringMainWindowToFront() = 0;
    // Puts the main window back into its minimised state (a refused restore).
    virtual void MinimiseMainWindow() {}
    // Whether the main window lies on the desktop in its normal state, and where.
    virtual bool MainWindowNormalPosition(int& x, int& y) = 0;
    // The mouse is over the main window, within the display's window size.
    virtual bool IsMouseOverClient() = 0;
    virtual void CaptureMouse(bool capture) = 0;
    // The cue played when the developer keys are switched.
    virtual void PlayDebugToggleSound() {}

    // The application's overridable operations.
    virtual bool PreviewKeyDown(uint32_t key, bool ctrl, bool alt) = 0;
    // Alt with these characters makes no sound of its own.
    virtual bool IsSwallowedAltKey(uint8_t character) = 0;
    // Whether a minimised main window may be restored now.
    virtual bool AllowsRestore() = 0;
    virtual bool HandleDebugKey(uint32_t key) = 0;
    virtual void OnActivated() {}
    virtual void OnDeactivated() {}
    virtual void OnCloseMessage() {}

    // Demo recording and playback.
    virtual bool IsPlayingDemo() { return false; }
    virtual bool IsRecordingDemo() { return false; }
    virtual void RecordMessage(const platform::Message& message) { (void)message; }
    virtual void RecordMouseEnterLeave(bool entered) { (void)entered; }
    // Sees every message before anything else does; true when it answered it.
    virtual bool FilterMessage(const platform::Message& message)
    {
        (void)message;
        return false;
    }
    // A character typed while a demo plays: the playback keys.
    virtual void HandlePlaybackKey(uint8_t key) { (void)key; }
    // While a demo plays, live input reaches the widgets only when a playback
    // dialog is open to take it.
    virtual bool IsPlaybackDialogOpen() { return false; }

    // The widget manager.
    virtual void KeyDown(uint32_t key) = 0;
    virtual void KeyUp(uint32_t key) = 0;
    virtual void KeyChar(uint8_t character) = 0;
    virtual bool IsKeyDown(uint32_t key) = 0;
    virtual void ClearKeyFlags() = 0;
    // Maps a client position to the application's coordinates, in place.
    virtual void MapMouse(int& x, int& y) = 0;
    virtual void MouseMove(int x, int y) = 0;
    virtual void MouseDown(int x, int y, int clickCode) = 0;
    virtual void MouseUp(int x, int y, int clickCode) = 0;
    virtual void MouseWheel(int delta) = 0;
    virtual void MouseLeave() = 0;
    virtual void SystemColorsChanged() = 0;
    virtual void MarkAllDirty() = 0;
    virtual void GotFocus() = 0;
    virtual void LostFocus() = 0;
    virtual void ReleaseHeldMouseButtons() = 0;
};

} // namespace Quib
