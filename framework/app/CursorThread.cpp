#include "framework/app/CursorThread.h"

#include "framework/app/MainLoop.h"
#include "platform/Clock.h"
#include "platform/CrashSignals.h"

namespace Quib
{

CursorThread::~CursorThread()
{
    Join();
}

void CursorThread::StartCursorThread()
{
    if (mRunning)
        return;
    Join();
    mRunning = true;
    mLastX = 0;
    mLastY = 0;
    mThread = std::thread(
        [this]
        {
            // A crash on this thread can still be reported when its stack runs out.
            platform::prepareThreadForCrashes();
            RunCursorThread();
        });
}

void CursorThread::Join()
{
    if (mThread.joinable())
        mThread.join();
}

void CursorThread::CursorThreadStep()
{
    int x = 0, y = 0;
    mHost.CursorPosition(x, y);
    if (mLoop.mDrawCount > 0)
        mHost.DisplayCursorPosition(mLastX, mLastY);
    if (x == mLastX && y == mLastY)
        return;
    const int32_t sincePresentDue = static_cast<int32_t>(platform::tickCount() - mLoop.mEarliestNextPresent);
    if (sincePresentDue > mHost.MillisecondsPerFrame() + 5)
    {
        mHost.MoveCursorNow(x, y);
        mLastX = x;
        mLastY = y;
    }
    else
    {
        mHost.SetWantedCursorPosition(x, y);
    }
}

void CursorThread::RunCursorThread()
{
    while (!mHost.IsShuttingDown())
    {
        mHost.BeforeCursorThreadStep();
        CursorThreadStep();
        platform::sleep(kStepMilliseconds);
        mHost.AfterCursorThreadStep();
    }
    mRunning = false;
}

} // namespace Quib
