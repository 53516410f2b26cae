#pragma once

#include "framework/app/WindowHost.h"
#include "platform/Messages.h"

#include <cstdint>
#include <deque>

namespace Quib
{

// The main window's message handling: the window procedure answers a few
// messages at once and defers input and state changes into a queue, from which
// the run loop hands one message per step to ProcessQueuedMessage. Input is
// thus handled at one defined point of the loop, a demo recording sees every
// event in order, and demo playback can stand in for live input.
class InputQueue
{
public:
    explicit InputQueue(WindowHost& host) : mHost(host) {}

    intptr_t MainWindowProc(const platform::Message& message);
    // Handles the oldest queued message; true when more are queued.
    bool ProcessQueuedMessage();
    void UpdateFocusState();
    void ClearKeyStates();
    void OnOtherInstanceNotify(uintptr_t wParam, intptr_t lParam);

    const std::deque<platform::Message>& Queue() const { return mQueue; }

    bool mActive = true;
    bool mMinimised = false;
    bool mMinimisedNow = false;
    bool mFocused = true;
    bool mWindowDisabled = false;
    bool mMouseInside = false;
    bool mCtrlDown = false;
    bool mAltDown = false;
    bool mDebugKeysEnabled = false;
    bool mMuteOnDeactivation = true;
    bool mWindowClosed = false;
    uint32_t mLastTimerTick = 0;
    uint32_t mTimerRunStart = 0;
    uint32_t mLastInputTime = 0;
    int mPreferredWindowX = -1;
    int mPreferredWindowY = -1;

private:
    static bool IsQueuedMessage(uint32_t message);
    bool Enqueue(const platform::Message& message);
    void Handle(const platform::Message& message);
    void HandleTimer();
    void HandleKeyDown(const platform::Message& message);
    void HandleMouse(const platform::Message& message);
    void HandleSize(const platform::Message& message);

    WindowHost& mHost;
    std::deque<platform::Message> mQueue;
};

} // namespace Quib
