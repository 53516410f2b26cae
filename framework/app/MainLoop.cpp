#include "framework/app/MainLoop.h"

#include "framework/app/StartupMoments.h"
#include "framework/foundation/FormatString.h"
#include "platform/Clock.h"
#include "platform/HeapRelease.h"

#include <algorithm>
#include <cmath>

namespace Quib
{

namespace
{

// Signed distance between two wrapping millisecond times.
int32_t since(uint32_t now, uint32_t then)
{
    return static_cast<int32_t>(now - then);
}

} // namespace

MainLoop::MainLoop(RunLoopHost& host, LoadingState& loading) : mHost(host), mLoading(loading)
{
    const uint32_t now = platform::tickCount();
    mLastPresent = now;
    mEarliestNextPresent = now;
}

void MainLoop::RunLoop()
{
    while (!mHost.IsShuttingDown())
    {
        mLeaveLoop = false;
        RunUntilUpdated();
    }
}

bool MainLoop::RunUntilUpdated()
{
    bool updated = false;
    while (!updated)
    {
        if (!RunLoopStep(&updated))
            return false;
    }
    return true;
}

bool MainLoop::RunLoopStep(bool* updated)
{
    if (updated)
        *updated = false;
    if (mLeaveLoop)
        return false;
    if (mLoopState == STATE_DONE)
        mLoopState = STATE_PUMP_MESSAGES;
    ++mLoopDepth;

    if (mLoopState == STATE_PUMP_MESSAGES)
    {
        if (!mHost.IsShuttingDown())
            mHost.PumpWindowMessages();
        if (mHost.IsPlayingDemo())
            mHost.ReplayDemoEvents();
        if (!mHost.ProcessQueuedMessage())
            mLoopState = STATE_TIME_UPDATE;
    }
    else if (mSingleStepState == 0)
    {
        const int before = mUpdateCount;
        TimedUpdate(true);
        if (updated)
            *updated = mUpdateCount != before;
    }
    else if (mSingleStepState == 2)
    {
        platform::sleep(static_cast<uint32_t>(std::max(mFrameTime, 0)));
        mLoopState = STATE_DONE;
    }
    else
    {
        mSingleStepState = 2;
        TryUpdateStep();
        UpdateFraction(1.0);
        DrawFrame();
    }

    --mLoopDepth;
    return true;
}

void MainLoop::AccumulateUpdateTime()
{
    const uint32_t now = platform::tickCount();
    if (mBacklogClock != 0)
        mUpdateTimeBacklog = std::min(mUpdateTimeBacklog + static_cast<double>(now - mBacklogClock), 200.0);
    mBacklogClock = now;
}

void MainLoop::ResetUpdateTimer()
{
    mUpdateTimeBacklog = 0;
    mBacklogClock = platform::tickCount();
}

bool MainLoop::FastForwarding() const
{
    return mHost.IsPlayingDemo() && (mUpdateCount < mDemoTargetUpdate || mRunOn);
}

bool MainLoop::RunFastForward(float updatesPerFrame, bool allowSleep)
{
    if (!mFastForwardMuted && !mStep)
    {
        mHost.Mute(true);
        mFastForwardMuted = true;
    }
    const uint32_t start = platform::tickCount();
    while (FastForwarding())
    {
        ResetUpdateTimer();
        if (!TryUpdateStep())
        {
            // Nothing can run yet (the recording waits for the loading, say):
            // take messages and give the processor away for a moment.
            mLoopState = STATE_DONE;
            if (allowSleep)
                mHost.WaitForMessages(1);
            return true;
        }
        RunExtraUpdates(updatesPerFrame);
        const uint32_t now = platform::tickCount();
        if (since(now, mFastForwardDrawTime) >= 1000 || mStep)
        {
            mStep = false;
            mFastForwardDrawTime = now;
            DrawFrame();
            mLoopState = STATE_DONE;
            return true;
        }
        if (since(now, start) >= static_cast<int32_t>(kFastForwardMessageInterval))
        {
            mLoopState = STATE_DONE;
            return true;
        }
    }
    return false;
}

void MainLoop::RunExtraUpdates(float updatesPerFrame)
{
    mFractionalUpdate += updatesPerFrame - 1;
    FlushDeferredDeletes();
    while (mFractionalUpdate >= 1)
    {
        mHost.ReplayDemoEvents();
        ++mUpdatesSinceLastDraw;
        if (!TryUpdateStep())
            break;
        FlushDeferredDeletes();
        mFractionalUpdate -= 1;
    }
    UpdateFraction(updatesPerFrame);
    FlushDeferredDeletes();
}

void MainLoop::BrokenVSyncCheck(uint32_t now)
{
    if (mHost.IsPlayingDemo() || mSpeedMultiplier != 1.0 || mFrameTime <= 0)
        return;
    ++mVSyncCheckCount;
    if (mVSyncCheckCount < (mFrameTime + 999) / mFrameTime)
        return;
    if (since(now, mVSyncCheckTime) <= 800)
    {
        if (++mVSyncCheckPasses >= 3)
            mVSyncBroken = true;
    }
    else
    {
        mVSyncCheckPasses = 0;
    }
    mVSyncCheckTime = now;
    mVSyncCheckCount = 0;
}

bool MainLoop::TimedUpdate(bool allowSleep)
{
    if (mHost.IsShutdownRequested())
        mHost.Shutdown();

    const bool playing = mHost.IsPlayingDemo();
    const bool vsynced = !playing && mVSyncUpdates && !mLastDrawSkipped && !mVSyncBroken &&
                         (!mHost.IsWindowedNow() || (mWaitForVSync && !mSoftVSync));
    const int refreshRate = std::max(mRefreshRate, 1);
    const float updatesPerFrame =
        mVSyncUpdates ? static_cast<float>(1000.0 / (static_cast<double>(mFrameTime) * refreshRate)) : 1.0f;

    if (FastForwarding())
    {
        if (RunFastForward(updatesPerFrame, allowSleep))
            return true;
    }
    if (mFastForwardMuted)
    {
        mFastForwardMuted = false;
        mHost.StopAllSounds();
        mHost.Unmute(true);
    }

    if (mDemoPaused || mSpeedMultiplier <= 0)
    {
        // Nothing is timed, but the loop goes back to taking messages and
        // waits for them instead of spinning.
        FlushDeferredDeletes();
        mLoopState = STATE_DONE;
        if (allowSleep)
            mHost.WaitForMessages(static_cast<uint32_t>(std::max(mFrameTime, 1)));
        return true;
    }

    const double frameMs =
        mVSyncUpdates ? 1000.0 / refreshRate / mSpeedMultiplier : mFrameTime / mSpeedMultiplier;
    const uint32_t now = platform::tickCount();
    int32_t slept = 0;
    if (!vsynced)
        AccumulateUpdateTime();

    bool drawStep = false;
    if (mLoopState == STATE_TIME_UPDATE)
    {
        ++mUpdatesSinceLastDraw;
        if (mUpdatesSinceLastDraw >= static_cast<int>(std::ceil(mSpeedMultiplier * 10)) && mLoading.mHandled)
        {
            drawStep = true;
        }
        else
        {
            double threshold = frameMs;
            if (vsynced)
                threshold = mUpdatePendingDraw ? static_cast<int>(frameMs * 0.75) : 0;
            if (mUpdateTimeBacklog >= threshold)
            {
                BrokenVSyncCheck(now);
                if (TryUpdateStep())
                {
                    mLoopState = STATE_EXTRA_UPDATES;
                }
                else
                {
                    // Nothing may update now (a playback dialog holds the demo,
                    // say): no time is owed, so the next passes draw and sleep
                    // instead of retrying at once.
                    mUpdateTimeBacklog = 0;
                }
                mUpdatePendingDraw = true;
            }
            else
            {
                drawStep = true;
            }
        }
    }
    else if (mLoopState == STATE_EXTRA_UPDATES)
    {
        mLoopState = STATE_DONE;
        RunExtraUpdates(updatesPerFrame);
        if (vsynced)
            mUpdateTimeBacklog = std::max(mUpdateTimeBacklog - frameMs - static_cast<double>(0.2f), 0.0);
        else
            mUpdateTimeBacklog -= frameMs;
    }
    else
    {
        drawStep = true;
    }

    if (drawStep)
    {
        mLoopState = STATE_DONE;
        mUpdatesSinceLastDraw = 0;
        if (mUpdatePendingDraw)
        {
            DrawFrame();
        }
        else
        {
            // Rounded up: a wait of less than a millisecond would otherwise be
            // no wait at all, and the loop would spin until the clock moved.
            const int wait = static_cast<int>(std::ceil(frameMs - mUpdateTimeBacklog));
            if (wait >= 1)
            {
                if (!allowSleep)
                    return false;
                ++mSleepCount;
                platform::sleep(static_cast<uint32_t>(wait));
                slept = wait;
            }
        }
    }

    if (mLoading.mYieldToLoading)
    {
        const int32_t extra = std::min((since(platform::tickCount(), now) - slept) * 2 - slept, 250);
        if (extra >= 0)
        {
            if (!allowSleep)
                return false;
            platform::sleep(static_cast<uint32_t>(extra));
        }
    }

    FlushDeferredDeletes();
    return true;
}

void MainLoop::HandleLoadingFinished()
{
    mHost.RestoreMainThreadPriority();
    mLoading.mHandled = true;
    mLoading.mYieldToLoading = false;
    mHost.OnLoadingFinished();
    // The loading thread's decoding buffers are gone; their pages go back too.
    platform::releaseFreeHeap();
    MarkStartupMoment("loading-done");
    if (mHost.IsRecordingDemo())
        mHost.RecordLoadingDone();
}

bool MainLoop::TryUpdateStep()
{
    if (mHost.IsIdlePaused())
        return false;
    const bool loadingJustEnded = mLoading.mFinished && !mLoading.mHandled;
    if (!mHost.IsPlayingDemo())
    {
        if (loadingJustEnded)
            HandleLoadingFinished();
    }
    else
    {
        if (loadingJustEnded && mHost.DemoReachedLoadingDone())
            HandleLoadingFinished();
        if (!mHost.DemoAllowsUpdate(mUpdateCount, mLoading.mHandled))
            return false;
    }
    ++mUpdateStepsRun;
    mHost.UpdateStep();
    return true;
}

void MainLoop::UpdateFraction(double fraction)
{
    if (mVSyncUpdates && !mHost.IsMinimised())
        mHost.UpdateWidgetsFraction(fraction);
}

bool MainLoop::DrawFrame()
{
    const uint32_t start = platform::tickCount();
    if (mDisplayResetPending)
    {
        Redraw();
        mUpdatePendingDraw = false;
        mLastDrawSkipped = true;
        return false;
    }

    mHost.UpdateDeveloperOverlays();
    if (since(start, mLastIdleCheck) >= 1000)
    {
        mLastIdleCheck = start;
        mHost.CheckIdle();
    }
    if (mHost.IsIdlePaused())
    {
        mUpdatePendingDraw = false;
        mLastDrawSkipped = true;
        return false;
    }

    mDrawingNow = true;
    const bool drew = mHost.DrawScreen();
    mDrawingNow = false;

    uint32_t now = platform::tickCount();
    const bool wanted = drew || since(now, mLastPresent) >= 1000 || mRedrawForced;
    if (!wanted || since(now, mEarliestNextPresent) < 0)
    {
        mUpdatePendingDraw = false;
        mLastDrawSkipped = true;
        return false;
    }

    ++mDrawCount;
    mLastDrawSkipped = false;
    const int drawTime = since(now, start);
    mDrawTime += drawTime;
    mHost.DrawDeveloperOverlays();
    if (mHost.IsWindowedNow() && mWaitForVSync && mSoftVSync)
    {
        const int32_t frame = mHost.MillisecondsPerFrame();
        const int32_t elapsed = since(now, mLastPresent);
        if (elapsed >= 0 && elapsed < frame)
            platform::sleep(static_cast<uint32_t>(frame - elapsed));
    }
    now = platform::tickCount();
    mLastPresent = now;
    Redraw();
    if (mDrawCount == 1)
        MarkStartupMoment("first-frame");
    AccumulateUpdateTime();
    const uint32_t presented = platform::tickCount();
    mScreenBltTime += since(presented, now);

    if (mLoading.IsRunning())
    {
        const uint32_t next = mEarliestNextPresent + static_cast<uint32_t>(std::max(drawTime, 15) + 35);
        mEarliestNextPresent = since(next, presented) < 0 ? presented : next;
    }
    else
    {
        mEarliestNextPresent = presented;
    }
    mUpdatePendingDraw = false;
    mRedrawForced = false;
    return true;
}

void MainLoop::Redraw()
{
    if (mDrawingNow || mHost.IsShuttingDown() || mHost.IsIdlePaused())
        return;
    if (mHost.PresentScreen())
    {
        mDisplayResetPending = false;
        mLastResetAttempt = 0;
        return;
    }
    mHost.ClearDisplayFailure();
    mDisplayResetPending = true;
    const uint32_t now = platform::tickCount();
    const bool mayRetry =
        mHost.IsActive() || (mHost.IsWindowedNow() && since(now, mLastResetAttempt) >= 1000);
    if (mayRetry && !mHost.IsMinimised())
    {
        mLastResetAttempt = now;
        mHost.RecoverDisplay();
    }
}

void MainLoop::DeferWidgetDelete(Widget* widget)
{
    if (!widget)
        return;
    // A widget queued twice is deleted once, at the outermost level that queued it.
    for (auto& entry : mDeferredDeletes)
    {
        if (entry.second == widget)
        {
            entry.first = std::min(entry.first, mLoopDepth);
            return;
        }
    }
    mDeferredDeletes.emplace_back(mLoopDepth, widget);
}

void MainLoop::FlushDeferredDeletes()
{
    // A deleted widget may queue others from its destructor, so each deletion
    // starts the walk again rather than holding an iterator across it.
    for (;;)
    {
        auto due = std::find_if(mDeferredDeletes.begin(), mDeferredDeletes.end(),
                                [&](const auto& entry) { return entry.first >= mLoopDepth; });
        if (due == mDeferredDeletes.end())
            return;
        Widget* widget = due->second;
        mDeferredDeletes.erase(due);
        mHost.DeleteWidget(widget);
    }
}

std::string MainLoop::RunStatisticsText(double seconds) const
{
    std::string text = FormatString("Seconds       = %g\r\n", seconds);
    text += FormatString("Sleep Count   = %d\r\n", mSleepCount);
    text += FormatString("Update Count  = %d\r\n", mUpdateCount.load());
    text += FormatString("Draw Count    = %d\r\n", mDrawCount.load());
    text += FormatString("Draw Time     = %d\r\n", mDrawTime);
    text += FormatString("Screen Blt    = %d\r\n", mScreenBltTime);
    if (mDrawTime + mScreenBltTime > 0)
        text += FormatString("Avg FPS       = %d\r\n", mDrawCount * 1000 / (mDrawTime + mScreenBltTime));
    return text;
}

} // namespace Quib
