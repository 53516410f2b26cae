#include "framework/app/QuibAppBase.h"
#include "platform/Clock.h"
#include "platform/DesktopIdle.h"

namespace Quib
{

void QuibAppBase::CheckIdle()
{
    // The desktop's screen saver may start once the loading is over, and only
    // over a window: a full screen keeps the monitor awake.
    const bool allowSaver = mLoading.mHandled && IsWindowedNow() && !IsScreenSaverMode();
    if (allowSaver != platform::screenSaverAllowed())
        platform::setScreenSaverAllowed(allowSaver);
    if (mIdlePause.Check(platform::tickCount(), mInputQueue.mLastInputTime, IsWindowedNow(),
                         IsScreenSaverMode()))
        MarkAllDirty();
}

bool QuibAppBase::IsIdlePaused()
{
    return mIdlePause.IsPaused();
}

} // namespace Quib
