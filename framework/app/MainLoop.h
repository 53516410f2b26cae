#pragma once

#include "framework/app/LoadingState.h"
#include "framework/app/RunLoopHost.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Quib
{

// The main thread's loop: pumps window messages into the input queue and hands
// them on one per step, runs logic updates at a fixed step, draws frames when
// something changed, sleeps when there is nothing to do, and deletes widgets
// queued for deletion once the loop is back at a safe nesting level. It can be
// entered recursively (modal dialogs run loop steps), so each step counts its
// depth. The application object owns one and implements its host.
class MainLoop
{
public:
    enum LoopState
    {
        STATE_PUMP_MESSAGES = 0,
        STATE_TIME_UPDATE = 1,
        STATE_EXTRA_UPDATES = 2,
        STATE_DONE = 3
    };

    MainLoop(RunLoopHost& host, LoadingState& loading);

    // Until shutting down: clears leave loop and runs until an update happened.
    void RunLoop();
    // Steps until one reports an update (true) or the loop is left (false).
    bool RunUntilUpdated();
    // One step of the cycle; false when leave loop is set.
    bool RunLoopStep(bool* updated);
    // The timing core; false only when it wanted to sleep and may not.
    bool TimedUpdate(bool allowSleep);
    // One update unless updates are held back; true when it updated.
    bool TryUpdateStep();
    void UpdateFraction(double fraction);
    // Draws and, when due, presents; true when it presented.
    bool DrawFrame();
    // Presents through the display and recovers a lost display.
    void Redraw();

    void DeferWidgetDelete(Widget* widget);
    void FlushDeferredDeletes();

    void AccumulateUpdateTime();
    // Zeroes the backlog and restarts its clock: after anything that blocked,
    // the blocked time is never caught up as updates.
    void ResetUpdateTimer();

    // The run statistics as written when the loop has ended.
    std::string RunStatisticsText(double seconds) const;

    // Settings.
    int mFrameTime = 10;
    double mSpeedMultiplier = 1.0;
    int mRefreshRate = 100;
    bool mVSyncUpdates = false;
    bool mWaitForVSync = false;
    bool mSoftVSync = true;
    bool mVSyncBroken = false;

    // Timing state.
    int mVSyncCheckCount = 0;
    uint32_t mVSyncCheckTime = 0;
    int mVSyncCheckPasses = 0;
    double mUpdateTimeBacklog = 0;
    uint32_t mBacklogClock = 0;
    double mFractionalUpdate = 0;
    int mLoopState = STATE_PUMP_MESSAGES;
    int mLoopDepth = 0;
    bool mLeaveLoop = false;
    int mUpdatesSinceLastDraw = 0;
    bool mUpdatePendingDraw = true;
    bool mLastDrawSkipped = false;
    bool mDrawingNow = false;
    uint32_t mLastPresent = 0;
    std::atomic<uint32_t> mEarliestNextPresent{0};
    bool mRedrawForced = false;
    // 0 off, 1 step once, 2 stepped.
    int mSingleStepState = 0;

    // Run statistics. The update step counts its own update (an override that
    // returns early holds the count back), and the updates in which a widget
    // updated.
    std::atomic<int> mUpdateCount{0};
    int mWidgetUpdateCount = 0;
    // Update steps the loop ran, whether or not the step counted itself.
    int mUpdateStepsRun = 0;
    std::atomic<int> mDrawCount{0};
    int mSleepCount = 0;
    int mDrawTime = 0;
    int mScreenBltTime = 0;

    // Demo playback controls (set by the playback keys and dialogs).
    bool mDemoPaused = false;
    int mDemoTargetUpdate = 0;
    bool mRunOn = false;
    bool mStep = false;
    bool mFastForwardMuted = false;

    // Recovery of a lost display.
    bool mDisplayResetPending = false;
    uint32_t mLastResetAttempt = 0;

    // The fast-forward hands control back this often so that window messages
    // are still taken while a demo races ahead.
    static constexpr uint32_t kFastForwardMessageInterval = 100;

private:
    bool FastForwarding() const;
    // True when it handled this pass.
    bool RunFastForward(float updatesPerFrame, bool allowSleep);
    void RunExtraUpdates(float updatesPerFrame);
    void HandleLoadingFinished();
    void BrokenVSyncCheck(uint32_t now);

    RunLoopHost& mHost;
    LoadingState& mLoading;
    std::vector<std::pair<int, Widget*>> mDeferredDeletes;
    uint32_t mFastForwardDrawTime = 0;
    uint32_t mLastIdleCheck = 0;
};

} // namespace Quib
