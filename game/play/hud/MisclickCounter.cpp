#include "game/play/hud/MisclickCounter.h"

MisclickCounter::MisclickCounter()
{
    mMisclickTimer.Start();
}

bool MisclickCounter::OnMisclick()
{
    mMisclickTimer.Stop();
    bool run = false;
    if (mMisclickTimer.GetElapsedMs() >= kQuickMs)
        mMisclickCount = 0;
    else if (!mMouseRunning && ++mMisclickCount >= kRunAt)
    {
        mMisclickCount = 0;
        mMouseRunning = true;
        run = true;
    }
    mMisclickTimer.Start();
    return run;
}
