#pragma once

#include <cstdint>

namespace Quib
{

class Widget;

// What the run loop needs of the application object and of the parts it owns
// (window, widget manager, display, demo layer, sound). The application object
// implements it; tests drive the loop with a fake.
class RunLoopHost
{
public:
    virtual ~RunLoopHost() = default;

    // Application state.
    virtual bool IsShuttingDown() = 0;
    // Shutdown was asked for from another thread; the loop then calls Shutdown.
    virtual bool IsShutdownRequested() = 0;
    virtual void Shutdown() = 0;
    virtual bool IsMinimised() = 0;
    virtual bool IsActive() = 0;
    virtual bool IsWindowedNow() = 0;

    // Messages: take every waiting window message through the window
    // procedure; hand on one queued message (true when more are queued);
    // block until a message arrives or the time is up.
    virtual void PumpWindowMessages() = 0;
    virtual bool ProcessQueuedMessage() = 0;
    virtual void WaitForMessages(uint32_t milliseconds) = 0;

    // One logic update: counts it, then the widgets (unless minimised), music
    // fades, release of shared images.
    virtual void UpdateStep() = 0;
    virtual void UpdateWidgetsFraction(double fraction) = 0;

    // Draws the dirty widgets and the overlay into the screen image; true
    // when anything was drawn.
    virtual bool DrawScreen() = 0;
    // The developer overlays: brought up to date before drawing, drawn onto
    // the screen image before a present; and the screen-saver idle check.
    virtual void UpdateDeveloperOverlays() {}
    virtual void DrawDeveloperOverlays() {}
    virtual void CheckIdle() {}
    // The screen-saver idle pause: while on, nothing is updated or drawn.
    virtual bool IsIdlePaused() { return false; }

    // Presents the screen image; false when the display was lost.
    virtual bool PresentScreen() = 0;
    // Clears the display's pending Direct3D failure before a recovery.
    virtual void ClearDisplayFailure() {}
    // Re-creates the lost display and handles the result (Redraw's recovery).
    virtual void RecoverDisplay() = 0;
    // The display's milliseconds per frame.
    virtual int MillisecondsPerFrame() = 0;

    // Deletes a widget whose deletion was deferred.
    virtual void DeleteWidget(Widget* widget) = 0;

    // Loading: the main thread's priority goes back to normal; the hook.
    virtual void RestoreMainThreadPriority() {}
    virtual void OnLoadingFinished() {}

    // Demo recording and playback.
    virtual bool IsPlayingDemo() { return false; }
    virtual bool IsRecordingDemo() { return false; }
    virtual void ReplayDemoEvents() {}
    virtual void RecordLoadingDone() {}
    // During playback: whether the recording had reached its loading-done event.
    virtual bool DemoReachedLoadingDone() { return true; }
    // During playback: whether an update may run now (the loading state agrees
    // with the recording's and no recorded event is due at this update).
    virtual bool DemoAllowsUpdate(int updateCount, bool loadingHandled)
    {
        (void)updateCount;
        (void)loadingHandled;
        return true;
    }

    // Sound around a demo fast-forward.
    virtual void Mute(bool automatic) { (void)automatic; }
    virtual void Unmute(bool automatic) { (void)automatic; }
    virtual void StopAllSounds() {}
};

} // namespace Quib
